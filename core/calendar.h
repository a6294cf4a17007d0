// The month grid: which dates it shows, how each day is coloured, and the
// holiday and weekday arithmetic shared with the alarms and recurring entries.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/datetime.h"
#include "core/palette.h"
#include "core/posttable.h"
#include "core/settings.h"

namespace morna {

// The weekday names of the recurring entries and the alarms, 1 = Sunday.
inline constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
// The weekday number (1 = Sunday .. 7 = Saturday) of a name compared exactly;
// 0 for any other text.
int WeekdayFromName(std::string_view name);

// Day of the month of the n-th weekday w (1 = Sunday) in the month of `date`;
// may exceed the month's length for n = 5.
int PickupDay(int n, int w, DateTime date);

bool IsListedHoliday(const Settings& s, DateTime date);
bool IsListedNonHoliday(const Settings& s, DateTime date);

// What the holiday rules do to the font colour of day `date`, for both month
// grids: with Holiday 1, a listed holiday that is not a Sunday, a national
// holiday (with NationalHolidays 1) and the Monday after a listed Sunday
// holiday turn red; a listed non-holiday then turns back to the grid's plain
// colour. With Holiday 0 nothing changes.
enum class HolidayShade { Unchanged, Red, Plain };
struct HolidayLook {
  HolidayShade shade = HolidayShade::Unchanged;
  // The national holiday's name (UTF-8) whenever NationalHolidays is 1, for
  // the day's tooltip; empty on other days or with the setting off.
  std::string_view name;
};
HolidayLook HolidaySteps(const Settings& s, DateTime date);

// The displayed month for an up-down position: anchor = now + (15 - day) +
// 30 * position, and its month.
struct CalendarMonthState {
  DateTime anchor;
  int month = 0;
};
CalendarMonthState CalendarFromPosition(DateTime now, int udPosition);

// The day of the month of the second Monday when the month titled `yymm`
// ("yyyy/mm", the month of `anchor`) is a January or October from 2000 on;
// 0 when the rule does not apply.
int SecondMondayDay(std::string_view yymm, DateTime anchor);

// A day's font colour by the weekday flags, the holiday rules (HolidaySteps;
// a non-holiday goes back to `base`) and the second-Monday day (0: none),
// starting from `base`, the colour of an ordinary day. `holidayName`, when
// given, receives the national holiday's name for the day's tooltip.
WinColor DayFontColor(const Settings& s, DateTime day, WinColor base, int secondMonday,
                      std::string_view* holidayName = nullptr);

// What a day cell of either month grid says to a screen reader; the words
// are composed by DayCellName (core/access.h).
struct DaySpeech {
  DateTime date;
  std::string holidayName;     // a national holiday's name (UTF-8)
  bool listedHoliday = false;  // any other red holiday (the user's list, the Monday after)
  bool today = false;
  int labels = 0;              // dated labels of the day
  friend bool operator==(const DaySpeech&, const DaySpeech&) = default;
};
DaySpeech SpeechOfDay(const Settings& s, DateTime date, int labels, bool today);

struct DayCell {
  DateTime date;             // the cell's date (00:00)
  std::string caption;       // "d", or empty outside the displayed month
  WinColor fontColor = kBlack;
  WinColor background = 0;
  std::string holidayName;   // the national holiday's name in UTF-8; empty outside the month
  DaySpeech speech;          // the day as a screen reader says it; only within the month
  friend bool operator==(const DayCell&, const DayCell&) = default;
};

// The 42 cells, Sunday first, for the month of `cal` with the title text
// `yymm` ("yyyy/mm") deciding the second-Monday rule.
std::array<DayCell, 42> CalDay(const Settings& s, const PostTable& table,
                               const CalendarMonthState& cal, const std::string& yymm,
                               DateTime now);

}  // namespace morna
