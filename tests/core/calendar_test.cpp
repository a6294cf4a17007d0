#include "core/calendar.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace morna {
namespace {

// A settings record without any red weekday or listed day, so that each test
// switches on only what it looks at.
Settings Plain() {
  Settings s;
  s.Sunday = s.Saturday = 0;
  s.Holiday = 1;
  s.Ecolor = 123;
  return s;
}

std::array<DayCell, 42> Grid(const Settings& s, DateTime now, int position = 0,
                             const PostTable& table = PostTable(30)) {
  const CalendarMonthState cal = CalendarFromPosition(now, position);
  return CalDay(s, table, cal, FormatYM(cal.anchor), now);
}

// The cell showing day `day` of the displayed month.
const DayCell& Day(const std::array<DayCell, 42>& g, int day) {
  for (const DayCell& c : g) {
    if (c.caption == std::to_string(day)) return c;
  }
  ADD_FAILURE() << "no cell for day " << day;
  return g[0];
}

TEST(CalendarPickupDay, NthWeekdayOfTheMonth) {
  const DateTime jan2025 = MakeDateTime(2025, 1, 20, 13, 0);  // the 1st is a Wednesday
  EXPECT_EQ(PickupDay(2, 2, jan2025), 13);
  EXPECT_EQ(PickupDay(1, 4, jan2025), 1);
  EXPECT_EQ(PickupDay(1, 7, jan2025), 4);
  EXPECT_EQ(PickupDay(5, 4, jan2025), 29);
  // February 2026 has four Mondays: the fifth lies beyond the month.
  EXPECT_EQ(PickupDay(5, 2, MakeDateTime(2026, 2, 1)), 30);
  EXPECT_EQ(PickupDay(5, 1, MakeDateTime(2026, 2, 28)), 29);
  // Week 0 gives a day before the 1st; absurd week numbers do not overflow.
  EXPECT_LE(PickupDay(0, 4, jan2025), 0);
  EXPECT_GT(PickupDay(INT_MAX, 1, jan2025), 0);
}

TEST(CalendarWeekdayNames, ComparedExactly) {
  EXPECT_EQ(WeekdayFromName("Sunday"), 1);
  EXPECT_EQ(WeekdayFromName("Saturday"), 7);
  EXPECT_EQ(WeekdayFromName("sunday"), 0);
  EXPECT_EQ(WeekdayFromName("Sunday "), 0);
  EXPECT_EQ(WeekdayFromName(""), 0);
}

TEST(CalendarHolidayLists, AllFortyEntriesAndEmptyEntries) {
  Settings s;
  s.Holidays[39] = 1103;
  s.NonHolidays[0] = 801;
  EXPECT_TRUE(IsListedHoliday(s, MakeDateTime(2030, 11, 3, 18, 0)));
  EXPECT_FALSE(IsListedHoliday(s, MakeDateTime(2030, 11, 4)));
  EXPECT_TRUE(IsListedNonHoliday(s, MakeDateTime(2026, 8, 1)));
  EXPECT_FALSE(IsListedNonHoliday(s, MakeDateTime(2030, 11, 3)));
}

TEST(CalendarMonth, AnchorFromThePosition) {
  CalendarMonthState m = CalendarFromPosition(MakeDateTime(2030, 1, 31, 10, 30), 1);
  EXPECT_EQ(m.anchor, MakeDateTime(2030, 2, 14, 10, 30));
  EXPECT_EQ(m.month, 2);
  m = CalendarFromPosition(MakeDateTime(2030, 1, 31, 10, 30), 11);
  EXPECT_EQ(m.month, 12);
  EXPECT_EQ(ToCivil(m.anchor).year, 2030);
  m = CalendarFromPosition(MakeDateTime(2030, 1, 1), -2);
  EXPECT_EQ(m.anchor, MakeDateTime(2029, 11, 16));
  EXPECT_EQ(m.month, 11);
}

TEST(CalendarGrid, WhichDatesTheCellsShow) {
  // February 2026: a common year, the 1st a Sunday.
  auto g = Grid(Plain(), MakeDateTime(2026, 2, 10, 12, 0));
  EXPECT_EQ(g[0].caption, "1");
  EXPECT_EQ(g[0].date, MakeDateTime(2026, 2, 1));
  EXPECT_EQ(g[27].caption, "28");
  for (int k = 28; k < 42; ++k) EXPECT_EQ(g[k].caption, "") << k;
  EXPECT_EQ(g[41].date, MakeDateTime(2026, 3, 14));

  // August 2026: 31 days from a Saturday: 6 blanks, 31 days, 5 blanks.
  g = Grid(Plain(), MakeDateTime(2026, 8, 31, 23, 59));
  for (int k = 0; k < 6; ++k) EXPECT_EQ(g[k].caption, "") << k;
  EXPECT_EQ(g[0].date, MakeDateTime(2026, 7, 26));
  EXPECT_EQ(g[6].caption, "1");
  EXPECT_EQ(g[36].caption, "31");
  for (int k = 37; k < 42; ++k) EXPECT_EQ(g[k].caption, "") << k;
  for (int k = 0; k < 42; ++k) EXPECT_EQ(g[k].background, k == 36 ? kLime : 123) << k;
}

TEST(CalendarColours, WeekdaysHolidaysAndSubstituteMonday) {
  Settings s = Plain();
  s.Holidays[0] = 1103;  // 3 November 2030 is a Sunday
  const DateTime nov = MakeDateTime(2030, 11, 20);
  auto g = Grid(s, nov);
  EXPECT_EQ(Day(g, 3).fontColor, kBlack);  // a listed Sunday is red only as a Sunday
  EXPECT_EQ(Day(g, 4).fontColor, kRed);    // the Monday after it
  EXPECT_EQ(Day(g, 5).fontColor, kBlack);

  s.Sunday = 1;
  g = Grid(s, nov);
  EXPECT_EQ(Day(g, 3).fontColor, kRed);
  EXPECT_EQ(Day(g, 10).fontColor, kRed);

  s.Holiday = 0;  // the lists and the substitute Monday are off
  s.Sunday = 0;
  s.Holidays[1] = 1105;
  g = Grid(s, nov);
  EXPECT_EQ(Day(g, 4).fontColor, kBlack);
  EXPECT_EQ(Day(g, 5).fontColor, kBlack);
  s.Holiday = 1;
  g = Grid(s, nov);
  EXPECT_EQ(Day(g, 5).fontColor, kRed);  // a listed weekday

  // A Saturday listed as a non-holiday is black despite the Saturday flag.
  s = Plain();
  s.Saturday = 1;
  s.NonHolidays[7] = 801;
  g = Grid(s, MakeDateTime(2026, 8, 5));
  EXPECT_EQ(Day(g, 1).fontColor, kBlack);
  EXPECT_EQ(Day(g, 8).fontColor, kRed);
}

TEST(CalendarColours, NationalHolidaysWhenSwitchedOn) {
  Settings s = Plain();
  const DateTime may = MakeDateTime(2031, 5, 20);  // 3-6 May 2031: Sat, Sun, Mon, Tue
  auto g = Grid(s, may);
  for (int d : {3, 4, 5, 6}) {
    EXPECT_EQ(Day(g, d).fontColor, kBlack) << d;
    EXPECT_EQ(Day(g, d).holidayName, "") << d;
  }

  s.NationalHolidays = 1;
  s.Holidays[0] = 520;     // the user's list still adds its days
  s.NonHolidays[0] = 505;  // and still turns a day back
  g = Grid(s, may);
  EXPECT_EQ(Day(g, 3).fontColor, kRed);
  EXPECT_EQ(Day(g, 4).fontColor, kRed);  // red on a Sunday too, unlike a listed day
  EXPECT_EQ(Day(g, 4).holidayName, "みどりの日");
  EXPECT_EQ(Day(g, 5).fontColor, kBlack);
  EXPECT_EQ(Day(g, 5).holidayName, "こどもの日");  // still named
  EXPECT_EQ(Day(g, 6).fontColor, kRed);
  EXPECT_EQ(Day(g, 6).holidayName, "振替休日");
  EXPECT_EQ(Day(g, 7).fontColor, kBlack);
  EXPECT_EQ(Day(g, 20).fontColor, kRed);
  // April's 29th shows in the leading cells, blank and without a name.
  EXPECT_EQ(g[2].date, MakeDateTime(2031, 4, 29));
  EXPECT_EQ(g[2].holidayName, "");

  s.Holiday = 0;  // the holiday switch governs the colour; the name stays
  g = Grid(s, may);
  EXPECT_EQ(Day(g, 6).fontColor, kBlack);
  EXPECT_EQ(Day(g, 6).holidayName, "振替休日");

  // The shared steps leave the colour to the caller: Plain is the grid's
  // ordinary colour (black here, white in the calendar window).
  s.Holiday = 1;
  EXPECT_EQ(HolidaySteps(s, MakeDateTime(2031, 5, 5)).shade, HolidayShade::Plain);
  EXPECT_EQ(HolidaySteps(s, MakeDateTime(2031, 5, 6)).shade, HolidayShade::Red);
  EXPECT_EQ(HolidaySteps(s, MakeDateTime(2031, 5, 7)).shade, HolidayShade::Unchanged);
}

TEST(CalendarColours, SecondMondayOfJanuaryAndOctoberFrom2000) {
  Settings s = Plain();
  s.Holiday = 0;  // the rule does not depend on the holiday switch
  auto g = Grid(s, MakeDateTime(2001, 1, 20));
  EXPECT_EQ(Day(g, 8).fontColor, kRed);
  EXPECT_EQ(Day(g, 15).fontColor, kBlack);
  g = Grid(s, MakeDateTime(2000, 10, 2));
  EXPECT_EQ(Day(g, 9).fontColor, kRed);
  g = Grid(s, MakeDateTime(1999, 1, 10));
  for (const DayCell& c : g) EXPECT_EQ(c.fontColor, kBlack) << c.caption;
  g = Grid(s, MakeDateTime(2001, 2, 12));  // not January or October
  EXPECT_EQ(Day(g, 12).fontColor, kBlack);

  // A non-holiday entry cannot undo the rule.
  s.Holiday = 1;
  s.NonHolidays[0] = 108;
  g = Grid(s, MakeDateTime(2001, 1, 20));
  EXPECT_EQ(Day(g, 8).fontColor, kRed);
}

TEST(CalendarColours, TodayAndLabelDays) {
  Settings s = Plain();
  s.Sunday = 1;
  PostTable t(30);
  t.Slot(0).DateTimeText = "1900/12/01 00:00";  // ToDo: colours no day
  t.Slot(1).DateTimeText = "2030/06/09 10:00";  // a Sunday
  t.Slot(3).DateTimeText = "2030/06/15 08:00";  // today
  t.Slot(4).DateTimeText = "2130/06/20 08:00";  // a century later: marks no June 2030 day
  const DateTime now = MakeDateTime(2030, 6, 15, 8, 54);
  auto g = Grid(s, now, 0, t);
  EXPECT_EQ(Day(g, 9).fontColor, kBlue);
  EXPECT_EQ(Day(g, 15).fontColor, kBlue);
  EXPECT_EQ(Day(g, 15).background, kLime);
  EXPECT_EQ(Day(g, 16).fontColor, kRed);
  EXPECT_EQ(Day(g, 16).background, 123);
  EXPECT_EQ(Day(g, 1).fontColor, kBlack);  // the 1st of December 1900 is no June day
  for (const DayCell& c : g) {
    if (c.caption != "9" && c.caption != "15") {
      EXPECT_NE(c.fontColor, kBlue) << c.caption;
    }
  }

  // Today outside the displayed month is not marked: January's grid shows
  // 1 to 7 February blank and plain.
  g = Grid(s, MakeDateTime(2026, 2, 3), -1);
  EXPECT_EQ(g[37].date, MakeDateTime(2026, 2, 3));
  EXPECT_EQ(g[37].caption, "");
  EXPECT_EQ(g[37].background, 123);
}

}  // namespace
}  // namespace morna
