// The registration window's entry fields as plain computations: the reset to
// the present time, the time scroll bar, and the checks made when posting.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/datetime.h"

namespace morna {

inline constexpr int kSBarMax = 95;  // quarter hours 00:00 .. 23:45

// A date read from fixed character positions of the entry texts, or what
// was wrong with them.
struct DateRead {
  enum class Error { None, NotInteger, InvalidDate };
  Error error = Error::None;
  std::string bad;  // NotInteger: the characters that are no integer
  DateTime value;
};

// The date with the year and month of the month title `yymm` (characters 1-4
// and 6-7) and the day `dayText`, at hour:minute. The fields are read in that
// order; the first that is no integer is reported.
DateRead ReadTitleDate(std::string_view yymm, std::string_view dayText, int hour = 0,
                       int minute = 0);

// What the reset of the entry fields shows at `now`. From 23:53 on, where the
// nearest quarter hour would be the next day, it shows today 23:45 (95).
struct FormSetValues {
  std::string yymm;     // "yyyy/mm"
  std::string pstTime;  // "yyyy/mm/dd hh:mm" at the nearest quarter hour
  int sbar = 0;         // 0..95
};
FormSetValues PstMainFormSet(DateTime now);

// The date-time text for scroll position `pos` with the year and month of the
// title `yymm` and the day of `pstTime`. Errors carry what went wrong.
struct SBarResult {
  enum class Error { None, NotInteger, InvalidDate };
  Error error = Error::None;
  std::string text;     // the new PstTime text, or the offending characters
};
SBarResult SBarChange(std::string_view yymm, std::string_view pstTime, int pos);

// The Schedule-1 check of Post: characters 1-4, 6-7, 9-10, 12-13, 15-16 form a
// real date and time, and the text is exactly "yyyy/mm/dd hh:mm" (16 bytes,
// digits and separators in place), the only form that orders and saves right.
bool IsValidPostDateTime(std::string_view pstTime);

// The scroll position for a label's caption taken back for modification:
// hour * 4 + (minute + 7) / 15, at most 95; nothing when unreadable.
std::optional<int> SBarForCaption(std::string_view caption);

// The grid's date for a clicked day: year and month from `yymm`, the day
// from the cell's caption, at 09:00.
std::optional<DateTime> DayCellDate(std::string_view yymm, std::string_view dayCaption);

// Whether the first line of a message text (lines end at CR or LF) is empty:
// such a message is not posted.
bool IsFirstLineEmpty(std::string_view message);

}  // namespace morna
