#include "core/datetime.h"

#include <gtest/gtest.h>

namespace morna {
namespace {

TEST(DateTime, CalendarRules) {
  EXPECT_TRUE(IsValidDate(2000, 2, 29));
  EXPECT_FALSE(IsValidDate(2001, 2, 29));
  EXPECT_FALSE(IsValidDate(1900, 2, 29));
  EXPECT_FALSE(IsValidDate(0, 1, 1));
  EXPECT_FALSE(IsValidDate(10000, 1, 1));
  EXPECT_FALSE(IsValidDate(2000, 13, 1));
  EXPECT_FALSE(IsValidTime(24, 0));
  EXPECT_FALSE(IsValidTime(0, 60));
}

TEST(DateTime, TextFormsAndWeekdays) {
  const DateTime t = MakeDateTime(2000, 12, 16, 9, 5, 40);
  EXPECT_EQ(FormatDateTimeText(t), "2000/12/16 09:05");
  EXPECT_EQ(FormatYYMMDD(t), "00/12/16");
  EXPECT_EQ(FormatMMDD(t), "1216");
  EXPECT_EQ(FormatD(MakeDateTime(2000, 12, 1)), "1");
  EXPECT_EQ(WeekdayNumber(t), 7);  // a Saturday
  EXPECT_EQ(WeekdayNumber(MakeDateTime(1, 1, 1)), 2);  // a Monday (proleptic Gregorian)
  EXPECT_EQ(FormatDateTimeText(MakeDateTime(1900, 12, 1)), std::string("1900/12/01 00:00"));
  EXPECT_EQ(FormatDateTimeText(AddDays(MakeDateTime(2000, 2, 28, 23, 59), 1)),
            "2000/02/29 23:59");
  // Numbers outside the width are printed whole, as printf pads them.
  EXPECT_EQ(TwoDigits(0) + TwoDigits(7) + TwoDigits(99), "000799");
  EXPECT_EQ(TwoDigits(100) + "|" + TwoDigits(-3), "100|-3");
  EXPECT_EQ(FourDigits(0) + FourDigits(987) + FourDigits(9999), "000009879999");
  EXPECT_EQ(FourDigits(10000) + "|" + FourDigits(-1), "10000|-001");
}

TEST(DateTime, WarningLeadFallsShortOfWholeMinutes) {
  EXPECT_EQ(WarningLead(5), 299'981);
  // A tick 10 ms into 08:55 forms the warning time 08:59, not 09:00.
  const DateTime tick = MakeDateTime(2030, 6, 15, 8, 55, 0, 10);
  EXPECT_EQ(FormatHM(AddMillis(tick, WarningLead(5))), "08:59");
}

TEST(DateTime, ParseIntReadsWholeDecimalTexts) {
  EXPECT_EQ(ParseInt("09"), 9);
  EXPECT_EQ(ParseInt("-12"), -12);
  EXPECT_FALSE(ParseInt(""));
  // Leading blanks are skipped, as the classic conversion of labels and
  // boxes does; trailing ones are not.
  EXPECT_EQ(ParseInt(" 9"), 9);
  EXPECT_EQ(ParseInt(" \t-7"), -7);
  EXPECT_FALSE(ParseInt("9 "));
  EXPECT_FALSE(ParseInt("  "));
  EXPECT_FALSE(ParseInt("- 7"));
  EXPECT_FALSE(ParseDecimal(" 9"));
  EXPECT_FALSE(ParseInt("9:"));
  EXPECT_FALSE(ParseInt("99999999999"));
  EXPECT_EQ(Chars("2000/12/16 09:37", 12, 13), "09");
  EXPECT_EQ(Chars("2000/1", 6, 7), "1");
  EXPECT_EQ(Chars("abc", 5, 6), "");
}

}  // namespace
}  // namespace morna
