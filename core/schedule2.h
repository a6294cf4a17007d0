// Schedule-2: a recurring entry (every week on a weekday, every month on a
// day, every month on the n-th weekday) expanded at posting time into a
// number of ordinary dated labels.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morna {

enum class ScheduleKind { Weekly, Monthly1, Monthly2 };

// The recurring group's boxes as the user left them, as Shift-JIS texts.
// Only the boxes of the chosen kind are read.
struct ScheduleEntry {
  ScheduleKind Kind = ScheduleKind::Weekly;
  std::string CbShWeeklyWeek = "Sunday";    // a weekday name
  std::string CbShWeeklyTime = "00:00";     // "hh:mm"
  std::string CbShMonthlyDay = "1";         // day of the month
  std::string CbShMonthlyTime1 = "00:00";
  std::string CbShMonthlyWeekNo = "1";      // n of "the n-th weekday"
  std::string CbShMonthlyWeek = "Sunday";
  std::string CbShMonthlyTime2 = "00:00";
};

// What ended a run before it was through.
enum class ScheduleError {
  None,
  NotInteger,        // a part of the date, a time, the day or the week number is no integer
  NoSuchDate,        // a date or time that does not exist (31 April, hour 24, a year past 9999)
  UnknownWeekday,    // Weekly: the weekday text is none of the seven names
  WeekNoOutOfRange,  // Monthly-2: the week number is not 1 to 5
};

struct ScheduleRun {
  // One "yyyy/mm/dd hh:mm" per label, in the order they are stored.
  std::vector<std::string> labels;
  // The error that ended the run; the labels before it are still stored.
  ScheduleError error = ScheduleError::None;
  // The table took fewer labels than scheCnt asked for, with no error first.
  bool outOfRoom = false;
};

// Expands `entry` from the date in `pstTime` ("yyyy/mm/dd hh:mm": Weekly
// starts from its day, the monthly kinds from its month, even before that
// day; its time is never used, each kind has its own time box).
//
// The run makes scheCnt passes (none when it is 0 or less); each pass takes
// the occurrence in hand as a label and then computes the next one, so an
// impossible occurrence right after the last label still ends the run with
// an error. A weekday name that is none of the seven (Weekly) and a week
// number outside 1..5 (Monthly-2) are refused before any label; Monthly-2
// takes Sunday for an unknown weekday name. A 5th weekday that a month
// lacks falls on the first one of the next month, which still gets its own.
//
// `room` is how many labels the table can still take. The run stops after
// the pass that fills the last of them: what follows could not be stored,
// and is not computed. Up to there the labels and the error are exactly
// those of an unbounded table.
ScheduleRun SchedDataSet(const ScheduleEntry& entry, std::string_view pstTime, int scheCnt,
                         int room);

}  // namespace morna
