#include "core/jpholidays.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <utility>
#include <vector>

namespace morna {

void PrintTo(const NationalHoliday& h, std::ostream* os) {
  *os << h.month << '/' << h.day << ' ' << h.name;
}

namespace {

using List = std::vector<NationalHoliday>;

// Whole years as the published calendars show them, chosen for the rules
// they exercise.
TEST(JpHolidaysYear, WholeListsOfYearsThatExerciseTheRules) {
  const std::vector<std::pair<int, List>> years = {
      // The first substitute Mondays (4/30, 9/24); 2/11 fell on a Sunday
      // before the rule began.
      {1973, {{1, 1, "元日"}, {1, 15, "成人の日"}, {2, 11, "建国記念の日"}, {3, 21, "春分の日"},
              {4, 29, "天皇誕生日"}, {4, 30, "振替休日"}, {5, 3, "憲法記念日"},
              {5, 5, "こどもの日"}, {9, 15, "敬老の日"}, {9, 23, "秋分の日"},
              {9, 24, "振替休日"}, {10, 10, "体育の日"}, {11, 3, "文化の日"},
              {11, 23, "勤労感謝の日"}}},
      // 5/4 between two holidays.
      {1988, {{1, 1, "元日"}, {1, 15, "成人の日"}, {2, 11, "建国記念の日"}, {3, 20, "春分の日"},
              {3, 21, "振替休日"}, {4, 29, "天皇誕生日"}, {5, 3, "憲法記念日"},
              {5, 4, "国民の休日"}, {5, 5, "こどもの日"}, {9, 15, "敬老の日"},
              {9, 23, "秋分の日"}, {10, 10, "体育の日"}, {11, 3, "文化の日"},
              {11, 23, "勤労感謝の日"}}},
      // The last fixed Coming of Age and Sports Day; Marine Day on 7/20.
      {1999, {{1, 1, "元日"}, {1, 15, "成人の日"}, {2, 11, "建国記念の日"}, {3, 21, "春分の日"},
              {3, 22, "振替休日"}, {4, 29, "みどりの日"}, {5, 3, "憲法記念日"},
              {5, 4, "国民の休日"}, {5, 5, "こどもの日"}, {7, 20, "海の日"},
              {9, 15, "敬老の日"}, {9, 23, "秋分の日"}, {10, 10, "体育の日"},
              {10, 11, "振替休日"}, {11, 3, "文化の日"}, {11, 23, "勤労感謝の日"},
              {12, 23, "天皇誕生日"}}},
      // Showa Day and Greenery Day on 5/4 begin; four Sunday holidays.
      {2007, {{1, 1, "元日"}, {1, 8, "成人の日"}, {2, 11, "建国記念の日"}, {2, 12, "振替休日"},
              {3, 21, "春分の日"}, {4, 29, "昭和の日"}, {4, 30, "振替休日"},
              {5, 3, "憲法記念日"}, {5, 4, "みどりの日"}, {5, 5, "こどもの日"},
              {7, 16, "海の日"}, {9, 17, "敬老の日"}, {9, 23, "秋分の日"},
              {9, 24, "振替休日"}, {10, 8, "体育の日"}, {11, 3, "文化の日"},
              {11, 23, "勤労感謝の日"}, {12, 23, "天皇誕生日"}, {12, 24, "振替休日"}}},
      // A substitute after a run of holidays; a weekday between two holidays.
      {2015, {{1, 1, "元日"}, {1, 12, "成人の日"}, {2, 11, "建国記念の日"}, {3, 21, "春分の日"},
              {4, 29, "昭和の日"}, {5, 3, "憲法記念日"}, {5, 4, "みどりの日"},
              {5, 5, "こどもの日"}, {5, 6, "振替休日"}, {7, 20, "海の日"},
              {9, 21, "敬老の日"}, {9, 22, "国民の休日"}, {9, 23, "秋分の日"},
              {10, 12, "体育の日"}, {11, 3, "文化の日"}, {11, 23, "勤労感謝の日"},
              {12, 23, "天皇誕生日"}}},
      // The enthronement: no Emperor's Birthday; 4/30 and 5/2 between holidays.
      {2019, {{1, 1, "元日"}, {1, 14, "成人の日"}, {2, 11, "建国記念の日"}, {3, 21, "春分の日"},
              {4, 29, "昭和の日"}, {4, 30, "国民の休日"}, {5, 1, "天皇の即位の日"},
              {5, 2, "国民の休日"}, {5, 3, "憲法記念日"}, {5, 4, "みどりの日"},
              {5, 5, "こどもの日"}, {5, 6, "振替休日"}, {7, 15, "海の日"}, {8, 11, "山の日"},
              {8, 12, "振替休日"}, {9, 16, "敬老の日"}, {9, 23, "秋分の日"},
              {10, 14, "体育の日"}, {10, 22, "即位礼正殿の儀"}, {11, 3, "文化の日"},
              {11, 4, "振替休日"}, {11, 23, "勤労感謝の日"}}},
      // The Olympic moves; the Emperor's Birthday on 2/23.
      {2020, {{1, 1, "元日"}, {1, 13, "成人の日"}, {2, 11, "建国記念の日"}, {2, 23, "天皇誕生日"},
              {2, 24, "振替休日"}, {3, 20, "春分の日"}, {4, 29, "昭和の日"},
              {5, 3, "憲法記念日"}, {5, 4, "みどりの日"}, {5, 5, "こどもの日"},
              {5, 6, "振替休日"}, {7, 23, "海の日"}, {7, 24, "スポーツの日"}, {8, 10, "山の日"},
              {9, 21, "敬老の日"}, {9, 22, "秋分の日"}, {11, 3, "文化の日"},
              {11, 23, "勤労感謝の日"}}},
      {2021, {{1, 1, "元日"}, {1, 11, "成人の日"}, {2, 11, "建国記念の日"}, {2, 23, "天皇誕生日"},
              {3, 20, "春分の日"}, {4, 29, "昭和の日"}, {5, 3, "憲法記念日"},
              {5, 4, "みどりの日"}, {5, 5, "こどもの日"}, {7, 22, "海の日"},
              {7, 23, "スポーツの日"}, {8, 8, "山の日"}, {8, 9, "振替休日"}, {9, 20, "敬老の日"},
              {9, 23, "秋分の日"}, {11, 3, "文化の日"}, {11, 23, "勤労感謝の日"}}},
      {2024, {{1, 1, "元日"}, {1, 8, "成人の日"}, {2, 11, "建国記念の日"}, {2, 12, "振替休日"},
              {2, 23, "天皇誕生日"}, {3, 20, "春分の日"}, {4, 29, "昭和の日"},
              {5, 3, "憲法記念日"}, {5, 4, "みどりの日"}, {5, 5, "こどもの日"},
              {5, 6, "振替休日"}, {7, 15, "海の日"}, {8, 11, "山の日"}, {8, 12, "振替休日"},
              {9, 16, "敬老の日"}, {9, 22, "秋分の日"}, {9, 23, "振替休日"},
              {10, 14, "スポーツの日"}, {11, 3, "文化の日"}, {11, 4, "振替休日"},
              {11, 23, "勤労感謝の日"}}},
      // Greenery Day on a Sunday: its substitute passes Children's Day.
      {2031, {{1, 1, "元日"}, {1, 13, "成人の日"}, {2, 11, "建国記念の日"}, {2, 23, "天皇誕生日"},
              {2, 24, "振替休日"}, {3, 21, "春分の日"}, {4, 29, "昭和の日"},
              {5, 3, "憲法記念日"}, {5, 4, "みどりの日"}, {5, 5, "こどもの日"},
              {5, 6, "振替休日"}, {7, 21, "海の日"}, {8, 11, "山の日"}, {9, 15, "敬老の日"},
              {9, 23, "秋分の日"}, {10, 13, "スポーツの日"}, {11, 3, "文化の日"},
              {11, 23, "勤労感謝の日"}, {11, 24, "振替休日"}}},
  };
  for (const auto& [year, list] : years) EXPECT_EQ(NationalHolidaysOf(year), list) << year;
}

TEST(JpHolidaysYear, TheLawsFirstYearAndNoneBefore) {
  EXPECT_EQ(NationalHolidaysOf(1948),
            (List{{9, 23, "秋分の日"}, {11, 3, "文化の日"}, {11, 23, "勤労感謝の日"}}));
  EXPECT_TRUE(NationalHolidaysOf(1947).empty());
  EXPECT_EQ(NationalHolidayName(1948, 5, 5), "");
  EXPECT_EQ(NationalHolidayName(1949, 5, 5), "こどもの日");
}

TEST(JpHolidaysDay, RulesAtTheirBoundaries) {
  const struct {
    int y, m, d;
    const char* name;
  } cases[] = {
      {2009, 5, 6, "振替休日"},    // after Sunday 5/3, Monday 5/4 and Tuesday 5/5
      {1987, 5, 4, "振替休日"},    // not counted as the day between two holidays
      {1986, 5, 4, ""},            // a Sunday between two holidays, before 2007
      {2006, 5, 4, "国民の休日"},  // the last one before Greenery Day moved
      {2032, 9, 21, "国民の休日"},
      {2009, 9, 22, "国民の休日"},
      {2004, 12, 23, "天皇誕生日"},
      {2019, 12, 23, ""},
      {2019, 2, 23, ""},
      {2000, 1, 10, "成人の日"},  // the first second Monday
      {2000, 1, 15, ""},
      {2002, 7, 20, "海の日"},
      {2003, 7, 21, "海の日"},    // third Monday from 2003
      {2002, 9, 15, "敬老の日"},  // a Sunday: its substitute follows
      {2002, 9, 16, "振替休日"},
      {2003, 9, 15, "敬老の日"},
      {2015, 8, 11, ""},          // Mountain Day from 2016
      {2016, 8, 11, "山の日"},
      {2020, 7, 20, ""},          // the third Monday, not a holiday that year
      {2020, 8, 11, ""},
      {2020, 10, 12, ""},
      {2021, 10, 11, ""},
      {1966, 9, 15, "敬老の日"},
      {1965, 9, 15, ""},
      {1966, 2, 11, ""},
      {1967, 2, 11, "建国記念の日"},
      {1959, 4, 10, "皇太子明仁親王の結婚の儀"},
      {1989, 2, 24, "昭和天皇の大喪の礼"},
      {1989, 4, 29, "みどりの日"},
      {1990, 11, 12, "即位礼正殿の儀"},
      {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
      {2019, 10, 22, "即位礼正殿の儀"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NationalHolidayName(c.y, c.m, c.d), c.name) << c.y << '/' << c.m << '/' << c.d;
  }
  EXPECT_EQ(NationalHolidayName(MakeDateTime(2031, 9, 15, 23, 59)), "敬老の日");
}

TEST(JpHolidaysEquinox, PublishedDaysOf2000To2099) {
  // Vernal: the 21st two and three years after a leap year until 2023;
  // autumnal: the 22nd in leap years from 2012.
  for (int y = 2000; y <= 2025; ++y) {
    EXPECT_EQ(VernalEquinoxDay(y), y % 4 == 3 || (y % 4 == 2 && y < 2025) ? 21 : 20) << y;
    EXPECT_EQ(AutumnalEquinoxDay(y), y >= 2012 && y % 4 == 0 ? 22 : 23) << y;
  }
  const struct {
    int y, vernal, autumnal;
  } days[] = {{2026, 20, 23}, {2027, 21, 23}, {2032, 20, 22}, {2044, 20, 22},
              {2048, 20, 22}, {2056, 20, 22}, {2060, 20, 22}, {2076, 20, 22},
              {2088, 20, 22}, {2092, 19, 22}, {2096, 19, 22}, {2099, 20, 23}};
  for (const auto& d : days) {
    EXPECT_EQ(VernalEquinoxDay(d.y), d.vernal) << d.y;
    EXPECT_EQ(AutumnalEquinoxDay(d.y), d.autumnal) << d.y;
  }
  // Before 1980 the inner quotient is negative and truncated, not floored.
  EXPECT_EQ(VernalEquinoxDay(1960), 20);
  EXPECT_EQ(AutumnalEquinoxDay(1948), 23);
  EXPECT_EQ(VernalEquinoxDay(1899), 0);
  EXPECT_EQ(VernalEquinoxDay(2151), 0);
}

TEST(JpHolidaysRange, AnyYearOrDateGivesAnAnswer) {
  for (int y = 1; y <= 9999; y += 7) (void)NationalHolidaysOf(y);
  EXPECT_EQ(NationalHolidaysOf(9999).size(), 14u);  // no equinox days so late
  EXPECT_TRUE(NationalHolidaysOf(0).empty());
  EXPECT_TRUE(NationalHolidaysOf(10000).empty());
  EXPECT_EQ(NationalHolidayName(9999, 12, 31), "");
  EXPECT_EQ(NationalHolidayName(2023, 2, 29), "");
  EXPECT_EQ(NationalHolidayName(2023, 13, 1), "");
  EXPECT_EQ(NationalHolidayName(INT_MIN, INT_MIN, INT_MAX), "");
  EXPECT_EQ(NationalHolidayName(MakeDateTime(1, 1, 1)), "");
}

}  // namespace
}  // namespace morna
