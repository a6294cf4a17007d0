// The calendar window as plain computations: where its headings and day cells
// stand for a client size, what each of the 42 cells shows for a month, and
// the month a click on its title steps to.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "core/geometry.h"

namespace morna {

// Fixed heights and tops of the window's parts, in pixels.
inline constexpr int kCalPanelHeight = 23;  // the title panel along the top
inline constexpr int kCalWeekTop = 25;
inline constexpr int kCalWeekHeight = 15;   // the weekday headings
inline constexpr int kCalDayHeight = 14;    // the day-number labels

// Every rectangle of the window for a client area of the given size. Cell k
// (0..41) stands in row k / 7 and column k % 7, Sunday first: its day label
// with its memo right below. Columns are (width - 12) / 7 wide and two pixels
// apart; the memos share what the height leaves. No width or height is ever
// negative, whatever the size.
struct CalendarLayout {
  Rect panel;
  std::array<Rect, 7> week;
  std::array<Rect, 42> day;
  std::array<Rect, 42> memo;
};
CalendarLayout ArrangeCalendar(int clientWidth, int clientHeight);

struct CalendarCell {
  std::string caption;             // "d", empty for a day of another month
  bool shown = false;              // day label and memo show (the displayed month)
  WinColor fontColor = kWhite;     // of the day number
  std::vector<std::string> memo;   // per label of the day: "hh:mm", its lines
  std::string holidayName;         // the national holiday's name (UTF-8), for the tooltip
  DaySpeech speech;                // the day as a screen reader says it (the displayed month)
};

struct CalendarPage {
  std::string title;               // "yyyy/mm"
  std::array<CalendarCell, 42> cells;
};

// The page for the month of `cal.anchor`, Sunday first; a cell belongs to the
// month when its month is `cal.month`. Day numbers are white, or red by the
// weekday and holiday rules of the month grid. Each day's memo lists the
// dated labels of that date among the table's slots, in table order; ToDo
// labels appear nowhere.
CalendarPage FillCalendar(const Settings& s, const PostTable& table,
                          const CalendarMonthState& cal);

// The anchor of the month after (`forward`) or before the month titled
// `title` ("yyyy/mm"): its 15th plus or minus 30 days. Nothing when the title
// is no month or the step would leave the years 1..9999.
std::optional<DateTime> StepCalendarMonth(std::string_view title, bool forward);

}  // namespace morna
