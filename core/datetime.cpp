#include "core/datetime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace morna {

namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

// Floor division, so that times before 1970 fall on the right day.
Millis FloorDiv(Millis a, Millis b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

// Every label window's caption and every day of a month is written through
// these, at each post: the digits are put down directly where they fit the
// width, the formatted print (a hundred times slower) does the rest.
std::string TwoDigits(int v) {
  if (v >= 0 && v <= 99) return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

std::string FourDigits(int v) {
  if (v >= 0 && v <= 9999)
    return {static_cast<char>('0' + v / 1000), static_cast<char>('0' + v / 100 % 10),
            static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d", v);
  return buf;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute) {
  return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59;
}

DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int msec) {
  const sys_days d{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                   std::chrono::day{static_cast<unsigned>(day)}};
  const Millis dayCount = d.time_since_epoch().count();
  return DateTime{dayCount * kMillisPerDay + hour * 3'600'000LL + minute * kMillisPerMinute +
                  second * 1000LL + msec};
}

std::optional<DateTime> TryMakeDateTime(int year, int month, int day, int hour, int minute) {
  if (!IsValidDate(year, month, day) || !IsValidTime(hour, minute)) return std::nullopt;
  return MakeDateTime(year, month, day, hour, minute);
}

CivilTime ToCivil(DateTime t) {
  const Millis dayCount = FloorDiv(t.ms, kMillisPerDay);
  Millis rest = t.ms - dayCount * kMillisPerDay;
  const year_month_day ymd{sys_days{days{dayCount}}};
  CivilTime c;
  c.year = static_cast<int>(ymd.year());
  c.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  c.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  c.hour = static_cast<int>(rest / 3'600'000);
  rest %= 3'600'000;
  c.minute = static_cast<int>(rest / kMillisPerMinute);
  rest %= kMillisPerMinute;
  c.second = static_cast<int>(rest / 1000);
  c.msec = static_cast<int>(rest % 1000);
  return c;
}

DateTime AddDays(DateTime t, int days) { return DateTime{t.ms + days * kMillisPerDay}; }
DateTime AddMillis(DateTime t, Millis ms) { return DateTime{t.ms + ms}; }

DateTime AddMillisClamped(DateTime t, Millis ms) {
  static const DateTime kFirst = MakeDateTime(1, 1, 1);
  static const DateTime kLast = MakeDateTime(9999, 12, 31, 23, 59, 59, 999);
  const Millis roomUp = std::max<Millis>(kLast.ms - t.ms, 0);
  const Millis roomDown = std::min<Millis>(kFirst.ms - t.ms, 0);
  return DateTime{t.ms + std::clamp(ms, roomDown, roomUp)};
}
DateTime DateOf(DateTime t) { return DateTime{FloorDiv(t.ms, kMillisPerDay) * kMillisPerDay}; }
int DayOfMonth(DateTime t) { return ToCivil(t).day; }
int MonthOf(DateTime t) { return ToCivil(t).month; }

int WeekdayNumber(DateTime t) {
  // 1970/01/01 was a Thursday (weekday number 5).
  const Millis dayCount = FloorDiv(t.ms, kMillisPerDay);
  const Millis w = ((dayCount + 4) % 7 + 7) % 7;  // 0 = Sunday
  return static_cast<int>(w) + 1;
}

Millis WarningLead(int minute) { return std::llround(minute * 59'996.16); }

DateTime WarningMoment(DateTime now, int minute) {
  return AddMillisClamped(now, WarningLead(minute));
}

std::string FormatDateTimeText(DateTime t) {
  const CivilTime c = ToCivil(t);
  return FourDigits(c.year) + "/" + TwoDigits(c.month) + "/" + TwoDigits(c.day) + " " + TwoDigits(c.hour) + ":" +
         TwoDigits(c.minute);
}

std::string FormatYMD(DateTime t) {
  const CivilTime c = ToCivil(t);
  return FourDigits(c.year) + "/" + TwoDigits(c.month) + "/" + TwoDigits(c.day);
}

std::string FormatYM(DateTime t) {
  const CivilTime c = ToCivil(t);
  return FourDigits(c.year) + "/" + TwoDigits(c.month);
}

std::string FormatYYMMDD(DateTime t) {
  const CivilTime c = ToCivil(t);
  return TwoDigits(c.year % 100) + "/" + TwoDigits(c.month) + "/" + TwoDigits(c.day);
}

std::string FormatMD(DateTime t) {
  const CivilTime c = ToCivil(t);
  return TwoDigits(c.month) + "/" + TwoDigits(c.day);
}

std::string FormatMMDD(DateTime t) {
  const CivilTime c = ToCivil(t);
  return TwoDigits(c.month) + TwoDigits(c.day);
}

std::string FormatHM(DateTime t) {
  const CivilTime c = ToCivil(t);
  return TwoDigits(c.hour) + ":" + TwoDigits(c.minute);
}

std::string FormatD(DateTime t) { return std::to_string(ToCivil(t).day); }

std::optional<int> ParseInt(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return ParseDecimal(text);
}

std::optional<int> ParseDecimal(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::size_t start = 0;
  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    start = 1;
  }
  if (start == text.size()) return std::nullopt;
  long long value = 0;
  for (std::size_t i = start; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch < '0' || ch > '9') return std::nullopt;
    value = value * 10 + (ch - '0');
    if (value > 2'147'483'648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2'147'483'647LL) return std::nullopt;
  return static_cast<int>(value);
}

std::string_view Chars(std::string_view text, std::size_t first, std::size_t last) {
  if (first < 1 || first > text.size() || last < first) return {};
  return text.substr(first - 1, std::min(last, text.size()) - first + 1);
}

}  // namespace morna
