#include "core/calendar.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "core/jpholidays.h"

namespace morna {

namespace {

bool IsListed(const std::array<int, kHolidayEntries>& entries, DateTime date) {
  const CivilTime c = ToCivil(date);
  const int key = c.month * 100 + c.day;
  // An empty entry (0) never matches: no date has the key 0.
  return std::find(entries.begin(), entries.end(), key) != entries.end();
}

// The first of the month of `date`, keeping its time of day.
DateTime FirstOfMonth(DateTime date) { return AddDays(date, 1 - DayOfMonth(date)); }

bool WeekdayIsRed(const Settings& s, int weekday) {
  const int flags[7] = {s.Sunday,   s.Monday, s.Tuesday, s.Wednesday,
                        s.Thursday, s.Friday, s.Saturday};
  return weekday >= 1 && weekday <= 7 && flags[weekday - 1] == 1;
}

}  // namespace

int WeekdayFromName(std::string_view name) {
  for (std::size_t i = 0; i < kWeekdayNames.size(); ++i) {
    if (kWeekdayNames[i] == name) return static_cast<int>(i) + 1;
  }
  return 0;
}

int PickupDay(int n, int w, DateTime date) {
  const std::int64_t c = WeekdayNumber(FirstOfMonth(date));
  const std::int64_t weeks = w >= c ? std::int64_t{n} - 1 : std::int64_t{n};
  const std::int64_t day = 7 * weeks + w - c + 1;
  return static_cast<int>(std::clamp<std::int64_t>(day, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

bool IsListedHoliday(const Settings& s, DateTime date) { return IsListed(s.Holidays, date); }

bool IsListedNonHoliday(const Settings& s, DateTime date) {
  return IsListed(s.NonHolidays, date);
}

HolidayLook HolidaySteps(const Settings& s, DateTime date) {
  HolidayLook look;
  if (s.NationalHolidays == 1) look.name = NationalHolidayName(date);
  if (s.Holiday != 1) return look;
  const int weekday = WeekdayNumber(date);
  // A listed holiday on a Sunday is left to the Sunday flag; a national one
  // is red on any day.
  if ((IsListedHoliday(s, date) && weekday != 1) || !look.name.empty()) {
    look.shade = HolidayShade::Red;
  }
  // The Monday after a listed holiday that falls on a Sunday.
  if (IsListedHoliday(s, AddDays(date, -1)) && weekday == 2) look.shade = HolidayShade::Red;
  if (IsListedNonHoliday(s, date)) look.shade = HolidayShade::Plain;
  return look;
}

DaySpeech SpeechOfDay(const Settings& s, DateTime date, int labels, bool today) {
  const HolidayLook holiday = HolidaySteps(s, date);
  DaySpeech d;
  d.date = date;
  d.holidayName = holiday.name;
  d.listedHoliday = holiday.name.empty() && holiday.shade == HolidayShade::Red;
  d.today = today;
  d.labels = labels;
  return d;
}

CalendarMonthState CalendarFromPosition(DateTime now, int udPosition) {
  // The up-down control keeps its position within -2..11; the clamp only keeps
  // the arithmetic inside the calendar for any other value.
  const int position = std::clamp(udPosition, -1000, 1000);
  CalendarMonthState state;
  state.anchor = AddDays(now, 15 - DayOfMonth(now) + 30 * position);
  state.month = MonthOf(state.anchor);
  return state;
}

int SecondMondayDay(std::string_view yymm, DateTime anchor) {
  const std::string_view monthText = Chars(yymm, 6, 7);
  const bool rule = CompareDateTimeText(Chars(yymm, 1, 4), "2000") >= 0 &&
                    (monthText == "01" || monthText == "10");
  return rule ? PickupDay(2, 2, anchor) : 0;
}

WinColor DayFontColor(const Settings& s, DateTime day, WinColor base, int secondMonday,
                      std::string_view* holidayName) {
  WinColor color = base;
  if (WeekdayIsRed(s, WeekdayNumber(day))) color = kRed;
  const HolidayLook holiday = HolidaySteps(s, day);
  if (holiday.shade == HolidayShade::Red) color = kRed;
  if (holiday.shade == HolidayShade::Plain) color = base;
  if (secondMonday != 0 && DayOfMonth(day) == secondMonday) color = kRed;
  if (holidayName) *holidayName = holiday.name;
  return color;
}

std::array<DayCell, 42> CalDay(const Settings& s, const PostTable& table,
                               const CalendarMonthState& cal, const std::string& yymm,
                               DateTime now) {
  const DateTime first = DateOf(FirstOfMonth(cal.anchor));
  const DateTime firstCell = AddDays(first, 1 - WeekdayNumber(first));

  const int secondMonday = SecondMondayDay(yymm, cal.anchor);
  const std::string today = FormatYMD(now);

  // The "yyyy/mm/dd" of every dated label among the first DataCnt slots. The
  // whole date is compared, so a label a century away marks no day here.
  std::vector<std::string_view> labelDays;
  for (int n = 0; n < table.DataCnt(); ++n) {
    const PostSlot& slot = table.Slot(n);
    if (!slot.IsFree() && !slot.IsToDo()) labelDays.push_back(Chars(slot.DateTimeText, 1, 10));
  }

  std::array<DayCell, 42> cells;
  for (int k = 0; k < 42; ++k) {
    DayCell& cell = cells[static_cast<std::size_t>(k)];
    const DateTime c = AddDays(firstCell, k);
    const bool inMonth = MonthOf(c) == cal.month;
    const std::string cDay = FormatYMD(c);

    cell.date = c;
    cell.background = s.Ecolor;
    if (inMonth) cell.caption = FormatD(c);
    std::string_view holidayName;
    cell.fontColor = DayFontColor(s, c, kBlack, secondMonday, &holidayName);
    if (inMonth) cell.holidayName = holidayName;  // a blank cell has no tooltip
    if (inMonth && cDay == today) cell.background = kLime;
    const auto labels = std::count(labelDays.begin(), labelDays.end(), cDay);
    if (labels > 0) cell.fontColor = kBlue;
    if (inMonth) cell.speech = SpeechOfDay(s, c, static_cast<int>(labels), cDay == today);
  }
  return cells;
}

}  // namespace morna
