// Japan's national holidays, from the rules of the holiday law and the
// special laws that added or moved single days.
//
// The law took effect on 1948/07/20; earlier dates have no holiday. The
// rules are applied as they stand for any later year up to 9999, with one
// limit: the equinox days come from the usual approximation, whose
// coefficients are known for 1900 to 2150 only, so later years have no
// equinox holiday.
//
// Names are the program's own text in UTF-8 (not Shift-JIS like the user's
// text), e.g. "春分の日", "振替休日", "国民の休日".
#pragma once

#include <string_view>
#include <vector>

#include "core/datetime.h"

namespace morna {

// Day of March (vernal) or September (autumnal) of the equinox in `year`,
// or 0 for a year outside 1900..2150.
int VernalEquinoxDay(int year);
int AutumnalEquinoxDay(int year);

// The name of the national holiday on that date, or empty when the date is
// none (or is no valid date of the years 1..9999).
std::string_view NationalHolidayName(int year, int month, int day);
std::string_view NationalHolidayName(DateTime date);

struct NationalHoliday {
  int month = 0;
  int day = 0;
  std::string_view name;
  friend bool operator==(const NationalHoliday&, const NationalHoliday&) = default;
};

// Every national holiday of `year`, in date order.
std::vector<NationalHoliday> NationalHolidaysOf(int year);

}  // namespace morna
