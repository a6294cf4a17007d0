#include "core/calwindow.h"

#include <algorithm>

#include "core/entry.h"

namespace morna {

namespace {

// Sizes beyond any screen are treated as this big, so that no sum of lefts,
// widths and heights can overflow.
constexpr int kMaxClientSize = 16'777'215;

Rect Box(int left, int top, int width, int height) {
  return Rect{left, top, left + width, top + height};
}

}  // namespace

CalendarLayout ArrangeCalendar(int clientWidth, int clientHeight) {
  const int cw = std::clamp(clientWidth, 0, kMaxClientSize);
  const int ch = std::clamp(clientHeight, 0, kMaxClientSize);
  const int w = std::max(0, (cw - 12) / 7);
  const int h = std::max(0, (ch - kCalWeekTop - kCalWeekHeight - 6 * kCalDayHeight - 12) / 6);

  CalendarLayout layout;
  layout.panel = Box(0, 0, cw, kCalPanelHeight);
  for (int c = 0; c < 7; ++c)
    layout.week[static_cast<std::size_t>(c)] = Box(c * (w + 2), kCalWeekTop, w, kCalWeekHeight);
  for (int k = 0; k < 42; ++k) {
    const int r = k / 7;
    const int left = (k % 7) * (w + 2);
    const auto i = static_cast<std::size_t>(k);
    layout.day[i] = Box(left, kCalWeekHeight + kCalWeekTop + r * (kCalDayHeight + h + 2), w,
                        kCalDayHeight);
    layout.memo[i] =
        Box(left, kCalWeekHeight + kCalWeekTop + (r + 1) * kCalDayHeight + r * (h + 2), w, h);
  }
  return layout;
}

CalendarPage FillCalendar(const Settings& s, const PostTable& table,
                          const CalendarMonthState& cal) {
  const DateTime first = DateOf(AddDays(cal.anchor, 1 - DayOfMonth(cal.anchor)));
  const DateTime firstCell = AddDays(first, 1 - WeekdayNumber(first));

  CalendarPage page;
  page.title = FormatYM(first);
  const int secondMonday = SecondMondayDay(page.title, cal.anchor);

  for (int k = 0; k < 42; ++k) {
    CalendarCell& cell = page.cells[static_cast<std::size_t>(k)];
    const DateTime c = AddDays(firstCell, k);
    cell.shown = MonthOf(c) == cal.month;
    if (cell.shown) cell.caption = FormatD(c);
    std::string_view holidayName;
    cell.fontColor = DayFontColor(s, c, kWhite, secondMonday, &holidayName);
    if (cell.shown) cell.holidayName = holidayName;

    // The whole date is compared, so a label a century away is not listed.
    const std::string ymd = FormatYMD(c);
    int labels = 0;
    for (int n = 0; n < table.DataCnt(); ++n) {
      const PostSlot& slot = table.Slot(n);
      if (slot.IsFree() || slot.IsToDo() || Chars(slot.DateTimeText, 1, 10) != ymd) continue;
      cell.memo.emplace_back(Chars(slot.DateTimeText, 12, 16));
      cell.memo.insert(cell.memo.end(), slot.Lines.begin(), slot.Lines.end());
      ++labels;
    }
    if (cell.shown) cell.speech = SpeechOfDay(s, c, labels, false);
  }
  return page;
}

std::optional<DateTime> StepCalendarMonth(std::string_view title, bool forward) {
  const DateRead fifteenth = ReadTitleDate(title, "15");
  if (fifteenth.error != DateRead::Error::None) return std::nullopt;
  const DateTime next = AddDays(fifteenth.value, forward ? 30 : -30);
  const int year = ToCivil(next).year;
  if (year < 1 || year > 9999) return std::nullopt;
  return next;
}

}  // namespace morna
