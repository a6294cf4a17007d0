#include "core/schedule2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morna {
namespace {

ScheduleEntry Weekly(const char* week, const char* time) {
  ScheduleEntry e;
  e.Kind = ScheduleKind::Weekly;
  e.CbShWeeklyWeek = week;
  e.CbShWeeklyTime = time;
  return e;
}

ScheduleEntry Monthly1(const char* day, const char* time) {
  ScheduleEntry e;
  e.Kind = ScheduleKind::Monthly1;
  e.CbShMonthlyDay = day;
  e.CbShMonthlyTime1 = time;
  return e;
}

ScheduleEntry Monthly2(const char* weekNo, const char* week, const char* time) {
  ScheduleEntry e;
  e.Kind = ScheduleKind::Monthly2;
  e.CbShMonthlyWeekNo = weekNo;
  e.CbShMonthlyWeek = week;
  e.CbShMonthlyTime2 = time;
  return e;
}

using E = ScheduleError;
using Texts = std::vector<std::string>;

struct Case {
  const char* name;
  ScheduleEntry entry;
  const char* pstTime;
  int scheCnt;
  int room;
  Texts labels;
  E error;
  bool outOfRoom;
};

void Check(const Case& c) {
  SCOPED_TRACE(c.name);
  const ScheduleRun run = SchedDataSet(c.entry, c.pstTime, c.scheCnt, c.room);
  EXPECT_EQ(run.labels, c.labels);
  EXPECT_EQ(run.error, c.error);
  EXPECT_EQ(run.outOfRoom, c.outOfRoom);
}

TEST(SchedDataSet, WeeklyStartsOnTheBaseDayOrTheNextOneWithTheWeekday) {
  const Case cases[] = {
      {"the base day has the weekday, its time already past", Weekly("Wednesday", "08:00"),
       "2000/05/10 15:20", 6, 50,
       {"2000/05/10 08:00", "2000/05/17 08:00", "2000/05/24 08:00", "2000/05/31 08:00",
        "2000/06/07 08:00", "2000/06/14 08:00"},
       E::None, false},
      {"a later weekday", Weekly("Monday", "23:30"), "2000/05/10 15:20", 2, 50,
       {"2000/05/15 23:30", "2000/05/22 23:30"}, E::None, false},
      {"an earlier weekday, across the year end", Weekly("Sunday", "00:00"), "2000/12/29 09:00",
       2, 50, {"2000/12/31 00:00", "2001/01/07 00:00"}, E::None, false},
      {"no weekday name: refused before any label", Weekly("Wed", "08:00"), "2000/05/10 15:20",
       6, 50, {}, E::UnknownWeekday, false},
      {"the calendar ends after 9999", Weekly("Friday", "08:00"), "9999/12/24 00:00", 3, 50,
       {"9999/12/24 08:00", "9999/12/31 08:00"}, E::NoSuchDate, false},
  };
  for (const Case& c : cases) Check(c);
}

TEST(SchedDataSet, Monthly1StartsInThePstTimeMonthAndNeverMovesAMissingDay) {
  const Case cases[] = {
      {"before the PstTime day, across a year end", Monthly1("15", "12:00"), "2000/11/20 09:00",
       3, 50, {"2000/11/15 12:00", "2000/12/15 12:00", "2001/01/15 12:00"}, E::None, false},
      {"31 from January: one label, then 31 February", Monthly1("31", "08:00"),
       "2001/01/05 09:00", 6, 50, {"2001/01/31 08:00"}, E::NoSuchDate, false},
      {"30 in February: before any label", Monthly1("30", "08:00"), "2001/02/01 09:00", 6, 50,
       {}, E::NoSuchDate, false},
      {"the date after the last label is computed too", Monthly1("31", "08:00"),
       "2000/12/01 09:00", 2, 50, {"2000/12/31 08:00", "2001/01/31 08:00"}, E::NoSuchDate,
       false},
      {"day 0", Monthly1("0", "08:00"), "2001/02/01 09:00", 1, 50, {}, E::NoSuchDate, false},
      {"a day that is no number", Monthly1("1st", "08:00"), "2001/02/01 09:00", 1, 50, {},
       E::NotInteger, false},
  };
  for (const Case& c : cases) Check(c);
}

TEST(SchedDataSet, Monthly2TakesTheNthWeekdayAndSpillsAFifthIntoTheNextMonth) {
  const Case cases[] = {
      {"5th Friday: January and February lack one", Monthly2("5", "Friday", "10:00"),
       "2000/01/20 09:00", 3, 50,
       {"2000/02/04 10:00", "2000/03/03 10:00", "2000/03/31 10:00"}, E::None, false},
      {"2nd Tuesday across a year end", Monthly2("2", "Tuesday", "18:30"), "2000/12/20 09:00",
       2, 50, {"2000/12/12 18:30", "2001/01/09 18:30"}, E::None, false},
      {"no weekday name is Sunday", Monthly2("1", "Fri", "00:00"), "2000/10/20 09:00", 1, 50,
       {"2000/10/01 00:00"}, E::None, false},
      {"week 6 refused", Monthly2("6", "Friday", "10:00"), "2000/01/20 09:00", 3, 50, {},
       E::WeekNoOutOfRange, false},
      {"week 0 refused", Monthly2("0", "Friday", "10:00"), "2000/01/20 09:00", 3, 50, {},
       E::WeekNoOutOfRange, false},
  };
  for (const Case& c : cases) Check(c);
}

TEST(SchedDataSet, UnreadableOrImpossibleEntriesEndTheRunBeforeAnyLabel) {
  const Case cases[] = {
      {"9:00", Weekly("Monday", "9:00"), "2000/05/10 15:20", 6, 50, {}, E::NotInteger, false},
      {"hour 24", Monthly1("1", "24:00"), "2000/05/10 15:20", 6, 50, {}, E::NoSuchDate, false},
      {"no year in PstTime", Monthly2("1", "Monday", "08:00"), "    ToDo", 6, 50, {},
       E::NotInteger, false},
      {"month 13 in PstTime", Monthly1("1", "08:00"), "2000/13/01 00:00", 6, 50, {},
       E::NoSuchDate, false},
      {"PstTime's own time is not read", Weekly("Monday", "08:00"), "2000/05/10 99:99", 1, 50,
       {"2000/05/15 08:00"}, E::None, false},
      // The first occurrence is computed even when no label is asked for.
      {"ScheCnt 0", Weekly("Monday", "08:00"), "2000/05/10 15:20", 0, 50, {}, E::None, false},
      {"ScheCnt 0 with a bad time", Weekly("Monday", "8"), "2000/05/10 15:20", 0, 50, {},
       E::NotInteger, false},
      {"ScheCnt below 0", Weekly("Monday", "08:00"), "2000/05/10 15:20", -5, 50, {}, E::None,
       false},
  };
  for (const Case& c : cases) Check(c);
}

TEST(SchedDataSet, StopsWhereTheTableIsFull) {
  const Case cases[] = {
      {"two of six fit", Weekly("Monday", "08:00"), "2000/05/10 15:20", 6, 2,
       {"2000/05/15 08:00", "2000/05/22 08:00"}, E::None, true},
      {"nothing fits", Weekly("Monday", "08:00"), "2000/05/10 15:20", 6, 0, {}, E::None, true},
      {"nothing fits and the entry is wrong", Weekly("Monday", "8:00"), "2000/05/10 15:20", 6,
       0, {}, E::NotInteger, false},
      // The date after the last label that fits is still computed, as when
      // all ScheCnt labels fit: a table without limit would stop there too.
      {"an impossible date right after the last label that fits", Monthly1("31", "08:00"),
       "2000/07/01 00:00", 6, 2, {"2000/07/31 08:00", "2000/08/31 08:00"}, E::NoSuchDate,
       false},
      // Dates beyond that could not have been stored and are not computed.
      {"an impossible date later on", Monthly1("30", "08:00"), "2000/10/01 00:00", 6, 2,
       {"2000/10/30 08:00", "2000/11/30 08:00"}, E::None, true},
      {"exactly as many as fit", Weekly("Monday", "08:00"), "2000/05/10 15:20", 2, 2,
       {"2000/05/15 08:00", "2000/05/22 08:00"}, E::None, false},
  };
  for (const Case& c : cases) Check(c);

  // A count kept as written in the settings file: only what fits is computed.
  const ScheduleRun run = SchedDataSet(Weekly("Monday", "08:00"), "2000/05/10 15:20",
                                       2'000'000'000, 50);
  EXPECT_EQ(run.labels.size(), 50u);
  EXPECT_EQ(run.labels.back(), "2001/04/23 08:00");
  EXPECT_EQ(run.error, E::None);
  EXPECT_TRUE(run.outOfRoom);
}

}  // namespace
}  // namespace morna
