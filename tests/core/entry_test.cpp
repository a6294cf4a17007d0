#include "core/entry.h"

#include <gtest/gtest.h>

namespace morna {
namespace {

TEST(EntryFormSet, NearestQuarterHour) {
  struct Case { int h, m; const char* time; int sbar; };
  const Case cases[] = {
      {10, 7, "10:00", 40}, {10, 8, "10:15", 41}, {10, 52, "10:45", 43},
      {10, 55, "11:00", 44}, {0, 0, "00:00", 0},  {23, 52, "23:45", 95},
  };
  for (const Case& c : cases) {
    const FormSetValues v = PstMainFormSet(MakeDateTime(2000, 12, 16, c.h, c.m, 59));
    EXPECT_EQ(v.yymm, "2000/12");
    EXPECT_EQ(v.pstTime, std::string("2000/12/16 ") + c.time) << c.h << ":" << c.m;
    EXPECT_EQ(v.sbar, c.sbar) << c.h << ":" << c.m;
  }
}

TEST(EntryFormSet, LastMinutesOfTheDayStayOnTheDayAtTheEndOfTheBar) {
  // The nearest quarter would be midnight of the next day (even of the next
  // month and year here), which the bar and the month title cannot show.
  for (int m = 53; m <= 59; ++m) {
    const FormSetValues v = PstMainFormSet(MakeDateTime(2000, 12, 31, 23, m));
    EXPECT_EQ(v.yymm, "2000/12");
    EXPECT_EQ(v.pstTime, "2000/12/31 23:45");
    EXPECT_EQ(v.sbar, 95);
    // The bar's change handler writes the same text again.
    EXPECT_EQ(SBarChange(v.yymm, v.pstTime, v.sbar).text, v.pstTime);
  }
}

TEST(EntrySBar, PositionToTimeOnTheShownMonth) {
  EXPECT_EQ(SBarChange("2000/12", "2000/12/16 11:00", 0).text, "2000/12/16 00:00");
  EXPECT_EQ(SBarChange("2000/12", "2000/12/16 11:00", 40).text, "2000/12/16 10:00");
  EXPECT_EQ(SBarChange("2000/12", "2000/12/16 11:00", 95).text, "2000/12/16 23:45");
  // Year and month come from the title, the day from the field.
  const SBarResult r = SBarChange("2001/01", "2000/12/16 11:00", 1);
  EXPECT_EQ(r.error, SBarResult::Error::None);
  EXPECT_EQ(r.text, "2001/01/16 00:15");
}

TEST(EntrySBar, ErrorsLeaveTheFieldToTheCaller) {
  // The 31st while a 30-day month is shown.
  SBarResult r = SBarChange("2000/11", "2000/10/31 09:00", 36);
  EXPECT_EQ(r.error, SBarResult::Error::InvalidDate);
  r = SBarChange("2001/02", "2000/01/29 09:00", 36);
  EXPECT_EQ(r.error, SBarResult::Error::InvalidDate);
  EXPECT_EQ(SBarChange("2000/02", "2000/01/29 09:00", 36).text, "2000/02/29 09:00");
  // The day typed by the user is not a number: the error names it.
  r = SBarChange("2000/12", "2000/12/1x 09:00", 36);
  EXPECT_EQ(r.error, SBarResult::Error::NotInteger);
  EXPECT_EQ(r.text, "1x");
  r = SBarChange("2000/12", "2000/12/", 36);
  EXPECT_EQ(r.error, SBarResult::Error::NotInteger);
  EXPECT_EQ(r.text, "");
  r = SBarChange("2000/12", "2000/12/00 09:00", 36);
  EXPECT_EQ(r.error, SBarResult::Error::InvalidDate);
}

TEST(EntryPostCheck, RealDatesAndTimesInTheExactForm) {
  EXPECT_TRUE(IsValidPostDateTime("2000/02/29 10:00"));
  EXPECT_FALSE(IsValidPostDateTime("2001/02/29 10:00"));
  EXPECT_FALSE(IsValidPostDateTime("1900/02/29 10:00"));
  EXPECT_TRUE(IsValidPostDateTime("0001/01/01 00:00"));
  EXPECT_TRUE(IsValidPostDateTime("9999/12/31 23:59"));
  EXPECT_FALSE(IsValidPostDateTime("0000/01/01 00:00"));
  EXPECT_FALSE(IsValidPostDateTime("2000/12/16 24:00"));
  EXPECT_FALSE(IsValidPostDateTime("2000/12/16 23:60"));
  EXPECT_FALSE(IsValidPostDateTime("2000/13/16 10:00"));
  EXPECT_FALSE(IsValidPostDateTime("    ToDo"));
  EXPECT_FALSE(IsValidPostDateTime(""));
  EXPECT_FALSE(IsValidPostDateTime("2000/12/16 9:00"));
}

TEST(EntryPostCheck, TextsThatWouldBeStoredWronglyAreRefused) {
  // Each has five readable fields of a real date and time, but would be
  // lost from the data file (not 16 bytes) or sort among the wrong dates.
  EXPECT_FALSE(IsValidPostDateTime("2000/12/16 09:00 "));
  EXPECT_FALSE(IsValidPostDateTime("2000/12/16 09:0"));
  EXPECT_FALSE(IsValidPostDateTime("2000/12/16 +9:00"));
  EXPECT_FALSE(IsValidPostDateTime("2000-12-16 09:00"));
  EXPECT_FALSE(IsValidPostDateTime("2000/12/16x09:00"));
}

TEST(EntryCaption, ScrollPositionOfATakenBackLabel) {
  EXPECT_EQ(SBarForCaption("2000/12/16 09:37"), 38);
  EXPECT_EQ(SBarForCaption("2000/12/16 09:38"), 39);
  EXPECT_EQ(SBarForCaption("2000/12/16 23:53"), 95);
  EXPECT_EQ(SBarForCaption("2000/12/16 00:00"), 0);
  EXPECT_EQ(SBarForCaption("    ToDo"), std::nullopt);
  EXPECT_EQ(SBarForCaption("2000/12/16 ab:00"), std::nullopt);
}

TEST(EntryDayCell, ClickedDayAtNine) {
  EXPECT_EQ(DayCellDate("2000/12", "16"), MakeDateTime(2000, 12, 16, 9, 0));
  EXPECT_EQ(DayCellDate("2000/02", "29"), MakeDateTime(2000, 2, 29, 9, 0));
  EXPECT_EQ(DayCellDate("2001/02", "29"), std::nullopt);
  EXPECT_EQ(DayCellDate("2000/12", ""), std::nullopt);
}

}  // namespace
}  // namespace morna
