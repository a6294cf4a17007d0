#include "core/schedtimer.h"

#include "core/access.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morna {
namespace {

using Kind = TickStep::Kind;
using Steps = std::vector<TickStep>;

constexpr WinColor kT = 16777152;  // Tcolor by default

TickStep Pink(int w) { return {Kind::Recolor, w, kT, kPink, false, LabelState::Warning}; }
TickStep Red(int w) { return {Kind::Recolor, w, kT, kRed, false, LabelState::Due}; }
TickStep Alarm(int w) { return {Kind::AlarmOut, w}; }
const TickStep kNewDate{Kind::FollowNewDate};

DateTime At(int h, int m, int s = 5, int ms = 0) { return MakeDateTime(2030, 6, 15, h, m, s, ms); }

PostTable Table(const std::vector<std::string>& texts) {
  PostTable t(30);
  for (std::size_t i = 0; i < texts.size(); ++i) t.Slot(static_cast<int>(i)).DateTimeText = texts[i];
  return t;
}

// One handled minute: the previous tick was in the minute before, same day.
Steps TickAt(const Settings& s, const PostTable& t, const std::vector<std::string>& captions,
             DateTime now, int alarmWindows = 0) {
  TickState st{AddMillis(now, -kMillisPerMinute), now};
  return SchTimerTimer(st, s, t, captions, alarmWindows, now);
}

TEST(TimerLabels, WarningThenDueWithSoundsOnlyAtTheTwoMoments) {
  Settings s;  // Minute 5, Beep 1
  const PostTable t = Table({"2030/06/15 09:00"});
  const std::vector<std::string> captions{"2030/06/15 09:00"};
  TickState st{At(8, 54, 10), At(8, 54, 10)};
  std::vector<Steps> seen;
  for (int minute = 54; minute <= 61; ++minute) {
    for (int sec = 20; sec < 60; sec += 10) {  // ticks every 10 s
      const DateTime now = At(8 + minute / 60, minute % 60, sec);
      Steps steps = SchTimerTimer(st, s, t, captions, 0, now);
      if (sec == 20) {
        seen.push_back(std::move(steps));
      } else {
        EXPECT_TRUE(steps.empty()) << "minute handled twice";
      }
    }
  }
  ASSERT_EQ(seen.size(), 8u);
  EXPECT_EQ(seen[0], Steps{});                   // 08:54, the start-up minute
  EXPECT_EQ(seen[1], (Steps{Pink(0), Alarm(0)}));  // 08:55
  for (int i = 2; i <= 5; ++i) EXPECT_EQ(seen[i], Steps{Pink(0)}) << i;  // 08:56-08:59
  EXPECT_EQ(seen[6], (Steps{Pink(0), Red(0), Alarm(0)}));                  // 09:00
  EXPECT_EQ(seen[7], (Steps{Pink(0), Red(0)}));                          // 09:01
}

TEST(TimerLabels, SkippedMinutesAndTheStartUpMinuteNeverSound) {
  Settings s;
  const PostTable t = Table({"2030/06/15 09:00"});
  const std::vector<std::string> captions{"2030/06/15 09:00"};
  TickState st{At(8, 59), At(8, 59)};
  EXPECT_EQ(SchTimerTimer(st, s, t, captions, 0, At(9, 1)), (Steps{Pink(0), Red(0)}));

  // Started in the label's own minute.
  st = TickState{At(9, 0, 2), At(9, 0, 2)};
  EXPECT_EQ(SchTimerTimer(st, s, t, captions, 0, At(9, 0, 12)), Steps{});
  EXPECT_EQ(st.LastTickTime, At(9, 0, 12));
  EXPECT_EQ(SchTimerTimer(st, s, t, captions, 0, At(9, 1, 2)), (Steps{Pink(0), Red(0)}));
}

TEST(TimerLabels, MinuteZeroBeepZeroToDoAndAlarmWindowOffset) {
  Settings s;
  s.Minute = 0;
  const PostTable t = Table({"1900/12/01 00:00", "2030/06/15 09:00"});
  const std::vector<std::string> captions{"    Alarm", "    ToDo", "2030/06/15 09:00"};
  EXPECT_EQ(TickAt(s, t, captions, At(9, 0), 1), (Steps{Pink(2), Red(2), Alarm(2), Alarm(2)}));
  s.Beep = 0;
  EXPECT_EQ(TickAt(s, t, captions, At(9, 0), 1), (Steps{Pink(2), Red(2)}));
  // A window closed by the user leaves an empty caption and is passed over.
  EXPECT_EQ(TickAt(s, t, {"    Alarm", "    ToDo", ""}, At(9, 0), 1), Steps{});
}

TEST(TimerLabels, NotifyAtTheWarningAndTheDueMomentOnly) {
  Settings s;  // Minute 5
  s.Notify = 1;
  const PostTable t = Table({"1900/12/01 00:00", "2030/06/15 09:00"});
  const std::vector<std::string> captions{"    ToDo", "2030/06/15 09:00"};
  const TickStep warned{Kind::Notify, 1, 0, 0, false};
  const TickStep due{Kind::Notify, 1, 0, 0, true};
  EXPECT_EQ(TickAt(s, t, captions, At(8, 55)), (Steps{Pink(1), warned, Alarm(1)}));
  EXPECT_EQ(TickAt(s, t, captions, At(8, 56)), Steps{Pink(1)});
  EXPECT_EQ(TickAt(s, t, captions, At(9, 0)), (Steps{Pink(1), Red(1), due, Alarm(1)}));
  // Without sound the notifications still come; with Minute 0 only one.
  s.Beep = 0;
  EXPECT_EQ(TickAt(s, t, captions, At(9, 0)), (Steps{Pink(1), Red(1), due}));
  s.Minute = 0;
  EXPECT_EQ(TickAt(s, t, captions, At(9, 0)), (Steps{Pink(1), Red(1), due}));
  // Off by default.
  EXPECT_EQ(TickAt(Settings{}, t, captions, At(9, 0)), (Steps{Pink(1), Red(1), Alarm(1)}));
}

TEST(TimerLabels, ReadableTextDarkensTheCaptionsOfTheTimerColour) {
  Settings s;
  s.ReadableText = 1;
  const PostTable t = Table({"2030/06/15 09:00"});
  const Steps steps = TickAt(s, t, {"2030/06/15 09:00"}, At(9, 0));
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].state, LabelState::Warning);
  EXPECT_EQ(steps[1].state, LabelState::Due);
  EXPECT_EQ(steps[0].captionColor, DarkenToContrast(kPink, kT));
  EXPECT_EQ(steps[1].captionColor, DarkenToContrast(kRed, kT));
  EXPECT_EQ(steps[1].color, kT);  // the background as chosen
}

TEST(TimerLabels, LeadShortOfWholeMinutesEarlyInAMinute) {
  Settings s;  // 5 x 0.0006944 days is 0.0192 s short of 5 minutes
  const PostTable t = Table({"2030/06/15 08:59", "2030/06/15 09:00"});
  const std::vector<std::string> captions{"2030/06/15 08:59", "2030/06/15 09:00"};
  EXPECT_EQ(TickAt(s, t, captions, At(8, 55, 0, 10)), (Steps{Pink(0), Alarm(0)}));
  EXPECT_EQ(TickAt(s, t, captions, At(8, 55, 0, 100)), (Steps{Pink(0), Pink(1), Alarm(1)}));
}

TEST(TimerLabels, WalkFollowsTheWindowsOfTheBuild) {
  Settings s;
  s.DisplayMode = 1;  // edited, but the windows on screen were built with 0 / 30
  s.DisplayModeInForce = 0;
  s.DisplayModeDayInForce = 30;
  // Built 2030/06/14 23:50: limit 2030/07/14 23:50, so only the first two labels.
  const PostTable t = Table({"2030/06/14 12:00", "2030/07/14 23:50", "2030/07/14 23:55",
                             "2030/08/01 00:00"});
  const std::vector<std::string> captions{"2030/06/14 12:00", "2030/07/14 23:50"};
  TickState st{MakeDateTime(2030, 6, 14, 23, 50), MakeDateTime(2030, 6, 14, 23, 50)};
  const DateTime midnight = MakeDateTime(2030, 6, 15, 0, 0, 5);
  // The base moves to the new date, so the walk now reaches the third label,
  // which has no window: the walk ends with the windows.
  EXPECT_EQ(SchTimerTimer(st, s, t, captions, 0, midnight), (Steps{kNewDate, Pink(0), Red(0)}));
  EXPECT_EQ(st.DisplayBaseTime, midnight);
  EXPECT_EQ(st.LastTickTime, midnight);

  // With a zero-day limit only labels up to the base are walked, even when
  // more windows stand.
  s.DisplayModeDayInForce = 0;
  const PostTable t2 = Table({"2030/06/15 07:00", "2030/06/15 09:00"});
  TickState st2{At(8, 59), At(8, 0)};
  EXPECT_EQ(SchTimerTimer(st2, s, t2, {"2030/06/15 07:00", "2030/06/15 09:00"}, 0, At(9, 0)),
            (Steps{Pink(0), Red(0)}));
}

TEST(TimerFixedAlarms, DailyWeeklyMonthlyInOrder) {
  Settings s;
  s.DailyAlarm = s.WeeklyAlarm = s.MonthlyAlarm1 = s.MonthlyAlarm2 = 1;
  s.DATime = s.WeeklyAlarmT = s.MonthlyAlarmT1 = s.MonthlyAlarmT2 = "18:00";
  s.WeeklyAlarmW = 7;      // 2030/06/15 is a Saturday
  s.MonthlyAlarmDay = 15;
  s.MonthlyAlarmWeek = 3;  // the third Saturday of June 2030 is the 15th
  s.MonthlyAlarmW = 7;
  const PostTable t = Table({"2030/06/15 18:00"});
  const std::vector<std::string> captions{"    Alarm", "    Alarm", "    Alarm", "    Alarm",
                                          "2030/06/15 18:00"};
  EXPECT_EQ(TickAt(s, t, captions, At(18, 0), 4),
            (Steps{Alarm(0), Alarm(1), Alarm(2), Alarm(3), Pink(4), Red(4), Alarm(4)}));
  EXPECT_EQ(TickAt(s, t, captions, At(18, 1), 4), (Steps{Pink(4), Red(4)}));
  s.DATime = "18:00:00";  // not the exact "hh:mm" form: never matches
  s.WeeklyAlarmW = 1;
  s.MonthlyAlarmDay = 14;
  s.MonthlyAlarmWeek = 2;
  EXPECT_EQ(TickAt(s, Table({}), {}, At(18, 0)), Steps{});
  s.Beep = 0;
  s.DATime = "18:00";
  EXPECT_EQ(TickAt(s, Table({}), {}, At(18, 0)), Steps{});
}

// Each fixed alarm sounds for its own window, which a screen reader
// announces; one turned on since the windows were built has none.
TEST(TimerFixedAlarms, EachSoundsForItsOwnWindow) {
  Settings s;
  s.WeeklyAlarm = s.MonthlyAlarm1 = 1;  // the daily alarm off: the weekly one stands first
  s.WeeklyAlarmT = s.MonthlyAlarmT1 = "18:00";
  s.WeeklyAlarmW = 7;
  s.MonthlyAlarmDay = 15;
  EXPECT_EQ(TickAt(s, Table({}), {"    Alarm", "    Alarm"}, At(18, 0), 2),
            (Steps{Alarm(0), Alarm(1)}));
  EXPECT_EQ(TickAt(s, Table({}), {"    Alarm"}, At(18, 0), 1), (Steps{Alarm(0), Alarm(-1)}));
}

TEST(TimerFixedAlarms, NthWeekdayOnlyWhenItExists) {
  Settings s;
  s.MonthlyAlarm2 = 1;
  s.MonthlyAlarmT2 = "07:00";
  s.MonthlyAlarmW = 4;  // Wednesday
  const auto soundsOn = [&](int year, int month) {
    std::vector<int> days;
    for (int d = 1; d <= DaysInMonth(year, month); ++d) {
      const DateTime now = MakeDateTime(year, month, d, 7, 0, 5);
      if (!TickAt(s, Table({}), {}, now).empty()) days.push_back(d);
    }
    return days;
  };
  s.MonthlyAlarmWeek = 5;
  EXPECT_EQ(soundsOn(2030, 6), std::vector<int>{});    // four Wednesdays
  EXPECT_EQ(soundsOn(2030, 7), std::vector<int>{31});  // five
  s.MonthlyAlarmWeek = 1;
  EXPECT_EQ(soundsOn(2030, 7), std::vector<int>{3});   // a one-digit day
  s.MonthlyAlarmWeek = 0;
  EXPECT_EQ(soundsOn(2030, 7), std::vector<int>{});
  EXPECT_EQ(soundsOn(2030, 6), std::vector<int>{});
}

TEST(TimerDateChange, FirstHandledMinuteOfANewDate) {
  Settings s;
  TickState st{MakeDateTime(2030, 6, 14, 23, 59, 55), MakeDateTime(2030, 6, 14, 8, 0)};
  const DateTime now = MakeDateTime(2030, 6, 15, 0, 0, 5);
  EXPECT_EQ(SchTimerTimer(st, s, Table({}), {}, 0, now), Steps{kNewDate});
  EXPECT_EQ(st.DisplayBaseTime, now);
  EXPECT_EQ(SchTimerTimer(st, s, Table({}), {}, 0, MakeDateTime(2030, 6, 15, 0, 1)), Steps{});
}

// Daylight-saving days as the local clock shows them, ticking every 10 s:
// spring skips 02:00-02:59, autumn shows 02:00-02:59 twice.
struct Heard {
  std::vector<std::string> alarms;  // "hh:mm" of each AlarmOut
  std::vector<std::string> notes;   // "hh:mm due|warn" of each Notify
};

Heard RunClock(const Settings& s, const std::vector<std::string>& labels,
               const std::vector<std::pair<DateTime, DateTime>>& spans) {
  const PostTable t = Table(labels);
  TickState st{spans.front().first, spans.front().first};
  Heard heard;
  for (const auto& [from, to] : spans) {
    for (DateTime now = from; now <= to; now = AddMillis(now, 10'000)) {
      for (const TickStep& step : SchTimerTimer(st, s, t, labels, 0, now)) {
        if (step.kind == Kind::AlarmOut) heard.alarms.push_back(FormatHM(now));
        if (step.kind == Kind::Notify)
          heard.notes.push_back(FormatHM(now) + (step.due ? " due" : " warn"));
      }
    }
  }
  return heard;
}

TEST(TimerClockShifts, MomentsTheSpringShiftSkipsAreTakenAtTheFirstTickAfterIt) {
  Settings s;  // Minute 5
  s.Notify = 1;
  s.DailyAlarm = 1;
  s.DATime = "02:15";
  const auto at = [](int h, int m, int sec) { return MakeDateTime(2030, 3, 31, h, m, sec); };
  const Heard heard = RunClock(s, {"2030/03/31 02:30", "2030/03/31 03:02"},
                               {{at(1, 50, 5), at(1, 59, 55)}, {at(3, 0, 5), at(3, 10, 5)}});
  // 03:00: the daily alarm, the first label's warning and due moment, the
  // second label's warning (02:57); 03:02: the second label is due.
  EXPECT_EQ(heard.alarms, (std::vector<std::string>{"03:00", "03:00", "03:00", "03:00", "03:02"}));
  EXPECT_EQ(heard.notes, (std::vector<std::string>{"03:00 due", "03:00 warn", "03:02 due"}));

  // A pause of the program that is no whole shift takes nothing back.
  const Heard paused = RunClock(s, {"2030/03/31 02:30"},
                                {{at(1, 50, 5), at(1, 59, 55)}, {at(3, 2, 5), at(3, 10, 5)}});
  EXPECT_EQ(paused.alarms, std::vector<std::string>{});
}

TEST(TimerClockShifts, MomentsTheAutumnShiftRepeatsSoundOnlyTheFirstTime) {
  Settings s;  // Minute 5
  s.Notify = 1;
  s.DailyAlarm = 1;
  s.DATime = "02:40";
  const auto at = [](int h, int m, int sec) { return MakeDateTime(2030, 10, 27, h, m, sec); };
  const std::vector<std::pair<DateTime, DateTime>> day = {{at(2, 20, 5), at(2, 59, 55)},
                                                          {at(2, 0, 5), at(3, 10, 5)}};
  const Heard heard = RunClock(s, {"2030/10/27 02:30", "2030/10/27 03:05"}, day);
  EXPECT_EQ(heard.alarms, (std::vector<std::string>{"02:25", "02:30", "02:40", "03:00", "03:05"}));
  EXPECT_EQ(heard.notes, (std::vector<std::string>{"02:25 warn", "02:30 due", "03:00 warn",
                                                    "03:05 due"}));

  // A label whose moment did not sound the first time (posted in the
  // repeated hour) sounds the second time.
  Settings quiet;
  const PostTable t = Table({"2030/10/27 02:45"});
  TickState st{at(2, 50, 5), at(2, 50, 5)};
  std::vector<std::string> alarms;
  for (DateTime now = at(2, 50, 15); now <= at(2, 59, 55); now = AddMillis(now, 10'000))
    SchTimerTimer(st, quiet, t, {}, 0, now);  // no window for it yet
  for (DateTime now = at(2, 0, 5); now <= at(2, 50, 5); now = AddMillis(now, 10'000)) {
    for (const TickStep& step : SchTimerTimer(st, quiet, t, {"2030/10/27 02:45"}, 0, now))
      if (step.kind == Kind::AlarmOut) alarms.push_back(FormatHM(now));
  }
  EXPECT_EQ(alarms, (std::vector<std::string>{"02:40", "02:45"}));
}

TEST(CountDown, SoundsForADatedLabelWithinTheNextDays) {
  Settings s;
  s.CountDown = 1;
  s.CountDownN = 10;
  const DateTime now = At(9, 0, 30);
  EXPECT_FALSE(CountDownDue(s, Table({"1900/12/01 00:00", "2030/06/15 08:59"}), now));
  EXPECT_TRUE(CountDownDue(s, Table({"2030/06/15 08:59", "2030/06/15 09:00"}), now));
  EXPECT_TRUE(CountDownDue(s, Table({"2030/06/25 09:00"}), now));
  EXPECT_FALSE(CountDownDue(s, Table({"2030/06/25 09:01"}), now));
  s.CountDownN = 11;
  EXPECT_TRUE(CountDownDue(s, Table({"2030/06/25 09:01"}), now));
  s.CountDown = 0;
  EXPECT_FALSE(CountDownDue(s, Table({"2030/06/15 09:00"}), now));
  s.CountDown = 1;
  s.Beep = 0;
  EXPECT_FALSE(CountDownDue(s, Table({"2030/06/15 09:00"}), now));
}

}  // namespace
}  // namespace morna
