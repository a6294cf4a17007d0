#include "core/calwindow.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace morna {
namespace {

int Width(const Rect& r) { return r.right - r.left; }
int Height(const Rect& r) { return r.bottom - r.top; }

CalendarPage Page(const Settings& s, DateTime anchor, const PostTable& table = PostTable(30)) {
  return FillCalendar(s, table, CalendarMonthState{anchor, MonthOf(anchor)});
}

// The cell showing day `day` of the displayed month.
const CalendarCell& Day(const CalendarPage& p, int day) {
  for (const CalendarCell& c : p.cells) {
    if (c.caption == std::to_string(day)) return c;
  }
  ADD_FAILURE() << "no cell for day " << day;
  return p.cells[0];
}

TEST(CalendarWindowLayout, DesignWidthAndAWiderWindow) {
  // The design client area, 698 x 328: columns 98 wide, 100 apart; memos 32 high.
  CalendarLayout l = ArrangeCalendar(698, 328);
  EXPECT_EQ(l.panel, (Rect{0, 0, 698, 23}));
  for (int c = 0; c < 7; ++c) EXPECT_EQ(l.week[c], (Rect{c * 100, 25, c * 100 + 98, 40})) << c;
  EXPECT_EQ(l.day[0], (Rect{0, 40, 98, 54}));
  EXPECT_EQ(l.memo[0], (Rect{0, 54, 98, 86}));
  EXPECT_EQ(l.day[8], (Rect{100, 88, 198, 102}));  // row 1, column 1
  EXPECT_EQ(l.memo[8], (Rect{100, 102, 198, 134}));
  EXPECT_EQ(l.memo[41], (Rect{600, 294, 698, 326}));

  l = ArrangeCalendar(978, 400);
  EXPECT_EQ(Width(l.week[6]), 138);
  EXPECT_EQ(l.week[6].left, 6 * 140);
  EXPECT_EQ(l.day[13].left, 6 * 140);
  EXPECT_EQ(Height(l.memo[13]), 44);  // (400 - 136) / 6
}

TEST(CalendarWindowLayout, ExtremeSizesGiveNoNegativeOrOverflowingBoxes) {
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{
           {0, 0}, {-500, -500}, {11, 100}, {100000, 100000}, {INT_MAX, INT_MAX}, {INT_MIN, 5}}) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    const CalendarLayout l = ArrangeCalendar(w, h);
    EXPECT_GE(Width(l.panel), 0);
    for (const Rect& r : l.week) EXPECT_GE(Width(r), 0);
    for (int k = 0; k < 42; ++k) {
      EXPECT_GE(Width(l.day[k]), 0);
      EXPECT_EQ(Height(l.day[k]), 14);
      EXPECT_GE(Height(l.memo[k]), 0);
      EXPECT_GE(l.memo[k].left, 0);
      EXPECT_GE(l.memo[k].top, l.day[k].bottom);
    }
  }
}

TEST(CalendarWindowFill, MonthStartingOnASunday) {
  // June 2025 begins on a Sunday; by default Sundays and Saturdays are red.
  const CalendarPage p = Page(Settings{}, MakeDateTime(2025, 6, 15, 10, 30));
  EXPECT_EQ(p.title, "2025/06");
  EXPECT_EQ(p.cells[0].caption, "1");
  EXPECT_TRUE(p.cells[0].shown);
  EXPECT_EQ(p.cells[0].fontColor, kRed);
  EXPECT_EQ(p.cells[1].fontColor, kWhite);
  EXPECT_EQ(p.cells[6].fontColor, kRed);
  EXPECT_EQ(p.cells[29].caption, "30");
  for (int k = 30; k < 42; ++k) {
    EXPECT_FALSE(p.cells[k].shown) << k;
    EXPECT_EQ(p.cells[k].caption, "") << k;
  }
}

TEST(CalendarWindowFill, HolidayStepsOnWhite) {
  Settings s;
  s.Sunday = s.Saturday = 0;
  s.Holiday = 0;  // the second Monday does not depend on the holiday switch
  CalendarPage p = Page(s, MakeDateTime(2001, 10, 15));
  EXPECT_EQ(p.title, "2001/10");
  EXPECT_FALSE(p.cells[0].shown);  // 30 September
  EXPECT_EQ(Day(p, 8).fontColor, kRed);
  EXPECT_EQ(Day(p, 1).fontColor, kWhite);
  EXPECT_EQ(Day(p, 15).fontColor, kWhite);

  // 3 November 2030 is a Sunday: the Monday after it is red, as is a listed
  // weekday; a listed non-holiday Saturday goes back to white.
  s.Holiday = 1;
  s.Saturday = 1;
  s.Holidays[0] = 1103;
  s.Holidays[1] = 1106;
  s.NonHolidays[5] = 1109;
  p = Page(s, MakeDateTime(2030, 11, 15));
  EXPECT_EQ(Day(p, 3).fontColor, kWhite);
  EXPECT_EQ(Day(p, 4).fontColor, kRed);
  EXPECT_EQ(Day(p, 5).fontColor, kWhite);
  EXPECT_EQ(Day(p, 6).fontColor, kRed);
  EXPECT_EQ(Day(p, 9).fontColor, kWhite);
  EXPECT_EQ(Day(p, 16).fontColor, kRed);
}

TEST(CalendarWindowFill, EachDayListsItsLabelsInTableOrder) {
  PostTable t(30);
  auto put = [&](int n, const char* time, std::vector<std::string> lines) {
    t.Slot(n).DateTimeText = time;
    t.Slot(n).Lines = std::move(lines);
  };
  put(0, "1900/12/01 00:00", {"todo"});
  put(1, "2001/10/08 09:00", {"dentist", "bring card"});
  put(2, "2001/10/08 13:30", {"call"});
  put(3, "2101/10/08 09:00", {"a century later"});
  put(5, "2001/10/31 18:00", {});
  const CalendarPage p = Page(Settings{}, MakeDateTime(2001, 10, 15), t);
  EXPECT_EQ(Day(p, 8).memo,
            (std::vector<std::string>{"09:00", "dentist", "bring card", "13:30", "call"}));
  EXPECT_EQ(Day(p, 31).memo, (std::vector<std::string>{"18:00"}));
  int listed = 0;
  for (const CalendarCell& c : p.cells) listed += static_cast<int>(c.memo.size());
  EXPECT_EQ(listed, 6);  // nothing of the ToDo label or the one a century later
}

TEST(CalendarWindowStep, NeighbouringMonthsWithinTheYearsOneTo9999) {
  EXPECT_EQ(StepCalendarMonth("2001/10", true), MakeDateTime(2001, 11, 14));
  EXPECT_EQ(StepCalendarMonth("2001/10", false), MakeDateTime(2001, 9, 15));
  std::string title = "2000/01";
  for (int i = 0; i < 12; ++i) title = FormatYM(*StepCalendarMonth(title, true));
  EXPECT_EQ(title, "2001/01");

  EXPECT_EQ(StepCalendarMonth("9999/11", true), MakeDateTime(9999, 12, 15));
  EXPECT_EQ(StepCalendarMonth("9999/12", true), std::nullopt);
  EXPECT_EQ(StepCalendarMonth("0001/01", false), std::nullopt);
  EXPECT_EQ(StepCalendarMonth("0001/01", true), MakeDateTime(1, 2, 14));
  EXPECT_EQ(StepCalendarMonth("1999/0x", true), std::nullopt);
  // The last month's page reaches into the year 10000 without harm.
  const CalendarPage p = Page(Settings{}, MakeDateTime(9999, 12, 15));
  EXPECT_EQ(p.title, "9999/12");
  EXPECT_EQ(Day(p, 31).caption, "31");
}

}  // namespace
}  // namespace morna
