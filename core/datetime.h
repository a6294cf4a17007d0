// Local civil date-times and the fixed text forms the program writes and reads.
//
// A DateTime counts milliseconds of local civil time from 1970/01/01 00:00.
// There is no time-zone arithmetic: adding n days adds n * 86,400,000 ms and
// keeps the time of day. Years 1 to 9999 are supported.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morna {

using Millis = std::int64_t;

inline constexpr Millis kMillisPerMinute = 60'000;
inline constexpr Millis kMillisPerDay = 86'400'000;

struct DateTime {
  Millis ms = 0;
  friend constexpr auto operator<=>(DateTime, DateTime) = default;
};

struct CivilTime {
  int year = 1970, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, msec = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12
bool IsValidDate(int year, int month, int day);  // year 1..9999, Gregorian
bool IsValidTime(int hour, int minute);          // 0..23, 0..59

// Builds a date-time; the caller has checked the fields (see IsValidDate).
DateTime MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                      int second = 0, int msec = 0);
// Builds a date-time when the fields form a real date and time, else nothing.
std::optional<DateTime> TryMakeDateTime(int year, int month, int day, int hour = 0,
                                        int minute = 0);
CivilTime ToCivil(DateTime t);

DateTime AddDays(DateTime t, int days);
DateTime AddMillis(DateTime t, Millis ms);
// `t` moved by `ms`, kept within the years 1..9999 that the text forms can
// express: an absurd day count or lead time gives the first or last moment.
DateTime AddMillisClamped(DateTime t, Millis ms);
// The date part: the same day at 00:00.
DateTime DateOf(DateTime t);
int DayOfMonth(DateTime t);
int MonthOf(DateTime t);
// 1 = Sunday, 2 = Monday ... 7 = Saturday.
int WeekdayNumber(DateTime t);

// The warning lead of `minute` minutes, taken as minute * 0.0006944 days
// (59,996.16 ms a minute, rounded to the millisecond) -- a little short of
// whole minutes, which is what the stored settings have always meant.
Millis WarningLead(int minute);
// The moment a label's warning begins to apply at `now`: now plus the lead
// of `minute` minutes. The label windows are coloured at placement when
// their time is strictly before it, while the schedule timer warns when it
// is before or equal to it; the two rules differ on purpose (placement
// leaves the minute itself to the timer, which also sounds the alarm).
DateTime WarningMoment(DateTime now, int minute);

// v with at least two or four digits ("07", "0101"), as "%02d" and "%04d".
std::string TwoDigits(int v);
std::string FourDigits(int v);

// Text forms. Seconds are always dropped, never rounded.
std::string FormatDateTimeText(DateTime t);  // "yyyy/mm/dd hh:mm"
std::string FormatYMD(DateTime t);           // "yyyy/mm/dd"
std::string FormatYM(DateTime t);            // "yyyy/mm"
std::string FormatYYMMDD(DateTime t);        // "yy/mm/dd"
std::string FormatMD(DateTime t);            // "mm/dd"
std::string FormatMMDD(DateTime t);          // "mmdd"
std::string FormatHM(DateTime t);            // "hh:mm"
std::string FormatD(DateTime t);             // "d" (no leading zero)

// Reads a whole text as a decimal integer with an optional sign: the
// integer form of the settings file ("09" is 9; " 9", "9 ", "9a" and "" are
// not integers).
std::optional<int> ParseDecimal(std::string_view text);
// The same after any leading blanks, as the classic decimal conversion reads
// the numbers in labels and boxes ("  9" is 9, "9 " is no integer).
std::optional<int> ParseInt(std::string_view text);

// Characters `first`..`last` of `text`, counted from 1, as far as present.
std::string_view Chars(std::string_view text, std::size_t first, std::size_t last);

}  // namespace morna
