#include "core/jpholidays.h"

#include "core/tr.h"

#include <chrono>
#include <cstdint>

namespace morna {

namespace {

namespace chr = std::chrono;

constexpr chr::sys_days Day(int y, unsigned m, unsigned d) {
  return chr::sys_days{chr::year{y} / chr::month{m} / chr::day{d}};
}

// The holiday law took effect on 1948/07/20; the Monday after a Sunday
// holiday became a holiday on 1973/04/12, a weekday between two holidays on
// 1985/12/27; from 2007 the substitute moves on past further holidays and
// the day between two holidays may be any day.
constexpr chr::sys_days kLawStart = Day(1948, 7, 20);
constexpr chr::sys_days kSubstituteStart = Day(1973, 4, 12);
constexpr chr::sys_days kBetweenStart = Day(1985, 12, 27);
constexpr chr::sys_days kRules2007 = Day(2007, 1, 1);

// The equinox approximation: day = int(c + 0.242194 (y - 1980) - int((y - b) / 4)),
// with c and b per period. Kept in millionths of a day so that the result is
// exact for every year rather than at the mercy of binary fractions.
struct EquinoxPeriod {
  int first, last;
  std::int64_t vernal, autumnal;  // c, in millionths
  int leapBase;                   // b
};
constexpr EquinoxPeriod kEquinoxPeriods[] = {
    {1900, 1979, 20'835'700, 23'258'800, 1983},
    {1980, 2099, 20'843'100, 23'248'800, 1980},
    {2100, 2150, 21'851'000, 24'248'800, 1980},
};

int EquinoxDay(int year, bool vernal) {
  for (const EquinoxPeriod& p : kEquinoxPeriods) {
    if (year < p.first || year > p.last) continue;
    // The inner int() truncates toward zero, also for the negative
    // quotients before 1983 (floor would move those years a day late).
    const std::int64_t leaps = (year - p.leapBase) / 4;
    const std::int64_t v =
        (vernal ? p.vernal : p.autumnal) + 242'194 * std::int64_t{year - 1980} - 1'000'000 * leaps;
    return static_cast<int>(v / 1'000'000);  // v is positive in every period
  }
  return 0;
}

// The days named by the holiday law, and the single days that special laws
// made holidays; not the substitute and in-between days that follow from
// them. The four imperial days of 1959-1993 were holidays without being
// named ones, but none of them falls on a Sunday or next-but-one to a named
// holiday, so counting them here changes nothing.
std::string_view NamedHoliday(chr::sys_days date) {
  if (date < kLawStart) return {};
  const chr::year_month_day ymd{date};
  const int y = static_cast<int>(ymd.year());
  const unsigned m = static_cast<unsigned>(ymd.month());
  const unsigned d = static_cast<unsigned>(ymd.day());
  const bool monday = chr::weekday{date} == chr::Monday;
  const auto nthMonday = [&](unsigned n) { return monday && (d - 1) / 7 + 1 == n; };

  switch (m) {
    case 1:
      if (d == 1) return MORNA_TRANSLATE_NOOP("Holidays", "元日");
      if (y >= 2000 ? nthMonday(2) : d == 15) return MORNA_TRANSLATE_NOOP("Holidays", "成人の日");
      break;
    case 2:
      if (d == 11 && y >= 1967) return MORNA_TRANSLATE_NOOP("Holidays", "建国記念の日");
      if (d == 23 && y >= 2020) return MORNA_TRANSLATE_NOOP("Holidays", "天皇誕生日");
      if (d == 24 && y == 1989) return MORNA_TRANSLATE_NOOP("Holidays", "昭和天皇の大喪の礼");
      break;
    case 3:
      if (static_cast<int>(d) == VernalEquinoxDay(y)) return MORNA_TRANSLATE_NOOP("Holidays", "春分の日");
      break;
    case 4:
      if (d == 29) return y <= 1988 ? MORNA_TRANSLATE_NOOP("Holidays", "天皇誕生日") : y <= 2006 ? MORNA_TRANSLATE_NOOP("Holidays", "みどりの日") : MORNA_TRANSLATE_NOOP("Holidays", "昭和の日");
      if (d == 10 && y == 1959) return MORNA_TRANSLATE_NOOP("Holidays", "皇太子明仁親王の結婚の儀");
      break;
    case 5:
      if (d == 1 && y == 2019) return MORNA_TRANSLATE_NOOP("Holidays", "天皇の即位の日");
      if (d == 3) return MORNA_TRANSLATE_NOOP("Holidays", "憲法記念日");
      if (d == 4 && y >= 2007) return MORNA_TRANSLATE_NOOP("Holidays", "みどりの日");
      if (d == 5) return MORNA_TRANSLATE_NOOP("Holidays", "こどもの日");
      break;
    case 6:
      if (d == 9 && y == 1993) return MORNA_TRANSLATE_NOOP("Holidays", "皇太子徳仁親王の結婚の儀");
      break;
    case 7:
      // Marine Day and Sports Day moved to the Olympic Games' opening in 2020
      // and in 2021.
      if (y == 2020) return d == 23 ? MORNA_TRANSLATE_NOOP("Holidays", "海の日") : d == 24 ? MORNA_TRANSLATE_NOOP("Holidays", "スポーツの日") : "";
      if (y == 2021) return d == 22 ? MORNA_TRANSLATE_NOOP("Holidays", "海の日") : d == 23 ? MORNA_TRANSLATE_NOOP("Holidays", "スポーツの日") : "";
      if (y >= 2003 ? nthMonday(3) : y >= 1996 && d == 20) return MORNA_TRANSLATE_NOOP("Holidays", "海の日");
      break;
    case 8:
      if (y >= 2016 && d == (y == 2020 ? 10u : y == 2021 ? 8u : 11u)) return MORNA_TRANSLATE_NOOP("Holidays", "山の日");
      break;
    case 9:
      if (y >= 2003 ? nthMonday(3) : y >= 1966 && d == 15) return MORNA_TRANSLATE_NOOP("Holidays", "敬老の日");
      if (static_cast<int>(d) == AutumnalEquinoxDay(y)) return MORNA_TRANSLATE_NOOP("Holidays", "秋分の日");
      break;
    case 10:
      if (d == 22 && y == 2019) return MORNA_TRANSLATE_NOOP("Holidays", "即位礼正殿の儀");
      if (y == 2020 || y == 2021) break;  // moved to July
      if (y >= 2000 ? nthMonday(2) : y >= 1966 && d == 10) {
        return y >= 2020 ? MORNA_TRANSLATE_NOOP("Holidays", "スポーツの日") : MORNA_TRANSLATE_NOOP("Holidays", "体育の日");
      }
      break;
    case 11:
      if (d == 3) return MORNA_TRANSLATE_NOOP("Holidays", "文化の日");
      if (d == 23) return MORNA_TRANSLATE_NOOP("Holidays", "勤労感謝の日");
      if (d == 12 && y == 1990) return MORNA_TRANSLATE_NOOP("Holidays", "即位礼正殿の儀");
      break;
    case 12:
      if (d == 23 && y >= 1989 && y <= 2018) return MORNA_TRANSLATE_NOOP("Holidays", "天皇誕生日");
      break;
  }
  return {};
}

std::string_view HolidayAt(chr::sys_days date) {
  const std::string_view named = NamedHoliday(date);
  if (!named.empty() || date < kLawStart) return named;
  const chr::days one{1};

  // A named holiday on a Sunday: the next day that is no named holiday
  // (before 2007 only the Monday, when it was none).
  if (date >= kRules2007) {
    for (chr::sys_days p = date - one; !NamedHoliday(p).empty(); p -= one) {
      if (chr::weekday{p} == chr::Sunday) return MORNA_TRANSLATE_NOOP("Holidays", "振替休日");
    }
  } else {
    const chr::sys_days p = date - one;
    if (p >= kSubstituteStart && chr::weekday{p} == chr::Sunday && !NamedHoliday(p).empty()) {
      return MORNA_TRANSLATE_NOOP("Holidays", "振替休日");
    }
  }

  // A day between two named holidays (before 2007 not a Sunday).
  if (date >= kBetweenStart && (date >= kRules2007 || chr::weekday{date} != chr::Sunday) &&
      !NamedHoliday(date - one).empty() && !NamedHoliday(date + one).empty()) {
    return MORNA_TRANSLATE_NOOP("Holidays", "国民の休日");
  }
  return {};
}

}  // namespace

int VernalEquinoxDay(int year) { return EquinoxDay(year, true); }
int AutumnalEquinoxDay(int year) { return EquinoxDay(year, false); }

std::string_view NationalHolidayName(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return {};
  const chr::year_month_day ymd{chr::year{year} / chr::month{static_cast<unsigned>(month)} /
                                chr::day{static_cast<unsigned>(day)}};
  if (!ymd.ok()) return {};
  return HolidayAt(chr::sys_days{ymd});
}

std::string_view NationalHolidayName(DateTime date) {
  const CivilTime c = ToCivil(date);
  return NationalHolidayName(c.year, c.month, c.day);
}

std::vector<NationalHoliday> NationalHolidaysOf(int year) {
  std::vector<NationalHoliday> out;
  if (year < 1 || year > 9999) return out;
  const chr::sys_days last = Day(year, 12, 31);
  for (chr::sys_days p = Day(year, 1, 1); p <= last; p += chr::days{1}) {
    const std::string_view name = HolidayAt(p);
    if (name.empty()) continue;
    const chr::year_month_day ymd{p};
    out.push_back({static_cast<int>(static_cast<unsigned>(ymd.month())),
                   static_cast<int>(static_cast<unsigned>(ymd.day())), name});
  }
  return out;
}

}  // namespace morna
