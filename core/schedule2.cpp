#include "core/schedule2.h"

#include <algorithm>
#include <optional>

#include "core/calendar.h"
#include "core/datetime.h"

namespace morna {

namespace {

// Ends a run; caught once in SchedDataSet.
struct Stop {
  ScheduleError error;
};

int Int(std::string_view text) {
  const std::optional<int> v = ParseInt(text);
  if (!v) throw Stop{ScheduleError::NotInteger};
  return *v;
}

struct HourMinute {
  int hour = 0;
  int minute = 0;
};

// "hh:mm": the hour from characters 1-2, the minute from 4-5.
HourMinute Time(std::string_view text) { return {Int(Chars(text, 1, 2)), Int(Chars(text, 4, 5))}; }

DateTime At(int year, int month, int day, HourMinute t) {
  const std::optional<DateTime> v = TryMakeDateTime(year, month, day, t.hour, t.minute);
  if (!v) throw Stop{ScheduleError::NoSuchDate};
  return *v;
}

// A date moved on past 9999/12/31 has no text form.
DateTime Checked(DateTime t) {
  if (ToCivil(t).year > 9999) throw Stop{ScheduleError::NoSuchDate};
  return t;
}

void NextMonth(int& year, int& month) {
  if (++month > 12) {
    month = 1;
    ++year;
  }
}

// The passes: each takes the occurrence in hand as a label, then computes
// the next one.
template <class Next>
void Run(ScheduleRun& run, DateTime first, int passes, Next next) {
  DateTime occurrence = first;
  for (int i = 0; i < passes; ++i) {
    run.labels.push_back(FormatDateTimeText(occurrence));
    occurrence = next(occurrence);
  }
}

void Weekly(const ScheduleEntry& e, std::string_view pstTime, int passes, ScheduleRun& run) {
  const int year = Int(Chars(pstTime, 1, 4));
  const int month = Int(Chars(pstTime, 6, 7));
  const int day = Int(Chars(pstTime, 9, 10));
  const DateTime base = At(year, month, day, Time(e.CbShWeeklyTime));
  const int w = WeekdayFromName(e.CbShWeeklyWeek);
  if (w == 0) throw Stop{ScheduleError::UnknownWeekday};
  const int b = WeekdayNumber(base);
  const DateTime first = Checked(AddDays(base, w >= b ? w - b : w - b + 7));
  Run(run, first, passes, [](DateTime o) { return Checked(AddDays(o, 7)); });
}

void Monthly1(const ScheduleEntry& e, std::string_view pstTime, int passes, ScheduleRun& run) {
  int year = Int(Chars(pstTime, 1, 4));
  int month = Int(Chars(pstTime, 6, 7));
  const int day = Int(e.CbShMonthlyDay);
  const HourMinute t = Time(e.CbShMonthlyTime1);
  // A day the month lacks is an error; it is never moved to the month's end.
  Run(run, At(year, month, day, t), passes, [&](DateTime) {
    NextMonth(year, month);
    return At(year, month, day, t);
  });
}

void Monthly2(const ScheduleEntry& e, std::string_view pstTime, int passes, ScheduleRun& run) {
  int year = Int(Chars(pstTime, 1, 4));
  int month = Int(Chars(pstTime, 6, 7));
  const int n = Int(e.CbShMonthlyWeekNo);
  const int w = std::max(WeekdayFromName(e.CbShMonthlyWeek), 1);  // Sunday for another text
  const HourMinute t = Time(e.CbShMonthlyTime2);
  if (n < 1 || n > 5) throw Stop{ScheduleError::WeekNoOutOfRange};
  // For n = 5 the day may lie past the month's end: the occurrence is then
  // the first weekday w of the next month.
  auto occurrence = [&] {
    const DateTime start = At(year, month, 1, t);
    return Checked(AddDays(start, PickupDay(n, w, start) - 1));
  };
  Run(run, occurrence(), passes, [&](DateTime) {
    NextMonth(year, month);
    return occurrence();
  });
}

}  // namespace

ScheduleRun SchedDataSet(const ScheduleEntry& entry, std::string_view pstTime, int scheCnt,
                         int room) {
  ScheduleRun run;
  const int passes = std::max(0, std::min(scheCnt, room));
  try {
    switch (entry.Kind) {
      case ScheduleKind::Weekly: Weekly(entry, pstTime, passes, run); break;
      case ScheduleKind::Monthly1: Monthly1(entry, pstTime, passes, run); break;
      case ScheduleKind::Monthly2: Monthly2(entry, pstTime, passes, run); break;
    }
  } catch (const Stop& stop) {
    run.error = stop.error;
    return run;
  }
  run.outOfRoom = scheCnt > passes;
  return run;
}

}  // namespace morna
