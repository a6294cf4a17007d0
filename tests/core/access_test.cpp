#include "core/access.h"

#include <gtest/gtest.h>

#include "core/calwindow.h"
#include "core/labelwindows.h"

namespace morna {
namespace {

WinColor Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
int Red(WinColor c) { return c & 0xff; }
int Green(WinColor c) { return (c >> 8) & 0xff; }
int Blue(WinColor c) { return (c >> 16) & 0xff; }

TEST(Contrast, RatiosOfKnownPairs) {
  EXPECT_NEAR(ContrastRatio(kBlack, kWhite), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(kWhite, kBlack), 21.0, 1e-9);  // either order
  EXPECT_NEAR(ContrastRatio(kRed, kRed), 1.0, 1e-9);
  // Worked values of the WCAG formula: #777777 on white is just below 4.5.
  EXPECT_NEAR(ContrastRatio(Rgb(0x77, 0x77, 0x77), kWhite), 4.48, 0.01);
  EXPECT_NEAR(ContrastRatio(kRed, kWhite), 4.0, 0.01);
  // The low channel values are on the straight part of the curve.
  EXPECT_NEAR(RelativeLuminance(Rgb(10, 10, 10)), 10 / 255.0 / 12.92, 1e-9);
}

// The figures of each label state under the default settings: the caption
// and the message (black) on the window's colour.
TEST(Contrast, LabelStatesUnderTheDefaultSettings) {
  const Settings s;
  EXPECT_NEAR(ContrastRatio(kBlack, s.Dcolor), 20.63, 0.01);  // later day: caption and message
  EXPECT_NEAR(ContrastRatio(kBlack, s.Acolor), 20.63, 0.01);  // today
  EXPECT_NEAR(ContrastRatio(kRed, s.Dcolor), 3.93, 0.01);     // ToDo caption
  EXPECT_NEAR(ContrastRatio(kPink, s.Tcolor), 2.56, 0.01);    // warning caption
  EXPECT_NEAR(ContrastRatio(kRed, s.Tcolor), 3.62, 0.01);     // due and alarm captions
  EXPECT_NEAR(ContrastRatio(kBlack, s.Tcolor), 18.99, 0.01);  // message on the timer colour
}

TEST(Contrast, DarkerShadeKeepsTheHueAndJustReaches) {
  const Settings s;
  for (WinColor text : {kRed, kPink, Rgb(0x77, 0x77, 0x77), Rgb(255, 160, 0)}) {
    for (WinColor back : {s.Dcolor, s.Tcolor, kWhite, kLime}) {
      const WinColor d = DarkenToContrast(text, back);
      EXPECT_GE(ContrastRatio(d, back), kReadableContrast) << text << " on " << back;
      // Every channel scaled by the same factor: the same hue.
      EXPECT_LE(Red(d), Red(text));
      EXPECT_NEAR(Red(d) * Green(text), Green(d) * Red(text), 255 + Red(text) + Green(text));
      EXPECT_NEAR(Red(d) * Blue(text), Blue(d) * Red(text), 255 + Red(text) + Blue(text));
      // The lightest such shade, not one much darker.
      if (d != text) {
        EXPECT_LT(ContrastRatio(d, back), kReadableContrast + 0.2);
      }
    }
  }
  // Already readable, or lighter than its ground: left as it is.
  EXPECT_EQ(DarkenToContrast(kBlack, kLightYellow), kBlack);
  EXPECT_EQ(DarkenToContrast(kWhite, kNavy), kWhite);
  EXPECT_EQ(DarkenToContrast(kLightYellow, kNavy), kLightYellow);
  // A ground too dark for any shade to reach it: black, the most there is.
  EXPECT_EQ(DarkenToContrast(kRed, Rgb(100, 100, 100)), kRed);  // red is lighter: kept
  EXPECT_EQ(DarkenToContrast(Rgb(120, 0, 0), Rgb(110, 110, 110)), kBlack);
}

TEST(Contrast, ReadableTextOnlyWhenTurnedOn) {
  Settings s;
  EXPECT_EQ(s.ReadableText, 0);  // off by default
  EXPECT_EQ(ReadableTextColor(s, kPink, s.Tcolor), kPink);
  s.ReadableText = 1;
  EXPECT_EQ(ReadableTextColor(s, kPink, s.Tcolor), DarkenToContrast(kPink, s.Tcolor));
  EXPECT_EQ(ReadableTextColor(s, kBlack, s.Tcolor), kBlack);
}

TEST(Contrast, FocusRingStandsOutOnAnyFill) {
  for (WinColor fill : {kLightYellow, kLightCyan, kLightGrey, kNavy, kBlack, kWhite, kRed, kLime}) {
    EXPECT_GE(ContrastRatio(FocusRingColor(fill), fill), 4.5) << fill;
  }
  EXPECT_EQ(FocusRingColor(kLightYellow), kBlack);
  EXPECT_EQ(FocusRingColor(kNavy), kWhite);
}

std::string NameOf(const Settings& s, DateTime date, int labels, bool today) {
  return DayCellName(SpeechOfDay(s, date, labels, today));
}

TEST(DayCellNames, DateWeekdayHolidayTodayAndLabels) {
  Settings s;
  const DateTime christmasEve = MakeDateTime(2026, 12, 24);
  EXPECT_EQ(NameOf(s, christmasEve, 0, false), "12月24日 (木)");
  EXPECT_EQ(NameOf(s, christmasEve, 2, false), "12月24日 (木) 2件のラベル");
  EXPECT_EQ(NameOf(s, christmasEve, 1, true), "12月24日 (木) 今日, 1件のラベル");
  // A national holiday by its name (with the setting on), a listed one without.
  s.NationalHolidays = 1;
  EXPECT_EQ(NameOf(s, MakeDateTime(2026, 5, 5), 2, false),
            "5月5日 (火) 祝日: こどもの日, 2件のラベル");
  s.Holidays[0] = 1224;
  EXPECT_EQ(NameOf(s, christmasEve, 0, false), "12月24日 (木) 休日");
  // A listed non-holiday is no holiday; a Sunday says so by its weekday only.
  s.NonHolidays[0] = 1224;
  EXPECT_EQ(NameOf(s, christmasEve, 0, false), "12月24日 (木)");
  EXPECT_EQ(NameOf(s, MakeDateTime(2026, 12, 27), 0, false), "12月27日 (日)");
}

TEST(DayCellNames, TranslatedWords) {
  DayNameTexts en;
  en.date = "%2/%1";
  en.weekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  en.labels = "%1 labels";
  en.today = "today";
  EXPECT_EQ(DayCellName(SpeechOfDay(Settings{}, MakeDateTime(2026, 12, 24), 3, true), en),
            "24/12 (Thu) today, 3 labels");
}

// Both grids count a day's dated labels for its name; ToDo labels and the
// days of other months say nothing.
TEST(DayCellNames, TheGridsCountTheLabelsOfEachDay) {
  Settings s;
  PostTable t(30);
  t.Slot(0).DateTimeText = "2026/12/24 09:00";
  t.Slot(1).DateTimeText = "2026/12/24 18:00";
  t.Slot(2).DateTimeText = "1900/12/01 00:00";  // ToDo
  const CalendarMonthState dec{MakeDateTime(2026, 12, 15), 12};
  const auto grid = CalDay(s, t, dec, "2026/12", MakeDateTime(2026, 12, 24, 10, 0));
  const auto page = FillCalendar(s, t, dec);
  // 2026/12/01 is a Tuesday: the 24th is cell 2 + 23.
  EXPECT_EQ(DayCellName(grid[25].speech), "12月24日 (木) 今日, 2件のラベル");
  EXPECT_EQ(DayCellName(page.cells[25].speech), "12月24日 (木) 2件のラベル");
  EXPECT_EQ(grid[26].speech.labels, 0);
  EXPECT_EQ(grid[0].speech.labels, 0);  // November
}

}  // namespace
}  // namespace morna
