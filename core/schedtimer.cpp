#include "core/schedtimer.h"

#include <cstdint>

#include "core/calendar.h"
#include "core/labelwindows.h"
#include "core/palette.h"

namespace morna {

namespace {

TickStep Alarm() { return TickStep{TickStep::Kind::AlarmOut}; }

// The fixed daily, weekly and monthly alarms whose time is this minute.
void CheckFixedAlarms(const Settings& s, DateTime now, std::vector<TickStep>& steps) {
  const std::string t = FormatDateTimeText(now);
  const std::string_view hm = Chars(t, 12, 16);
  const std::string_view dayText = Chars(t, 9, 10);

  if (s.DailyAlarm == 1 && s.DATime == hm) steps.push_back(Alarm());
  if (s.WeeklyAlarm == 1 && WeekdayNumber(now) == s.WeeklyAlarmW && s.WeeklyAlarmT == hm) {
    steps.push_back(Alarm());
  }
  if (s.MonthlyAlarm1 == 1 && ParseInt(dayText) == s.MonthlyAlarmDay &&
      s.MonthlyAlarmT1 == hm) {
    steps.push_back(Alarm());
  }
  if (s.MonthlyAlarm2 == 1) {
    // The n-th weekday as a two-digit day: characters 2-3 of D + 100. A day
    // beyond the month (a fifth weekday that does not exist) or a week
    // number of 0 or less gives a text that no day of the month has.
    const std::int64_t d = PickupDay(s.MonthlyAlarmWeek, s.MonthlyAlarmW, now);
    const std::string dText = std::to_string(d + 100);
    if (dayText == Chars(dText, 2, 3) && s.MonthlyAlarmT2 == hm) steps.push_back(Alarm());
  }
}

// The colours and sounds of one label window with caption `t`. An empty
// caption stands for a window that is gone (the user closed it): no label
// has an empty date-time, so it neither changes colour nor sounds.
void PostDataCheck(const Settings& s, const std::string& t, int window, DateTime now,
                   std::vector<TickStep>& steps) {
  if (t.empty() || t == kToDoCaption) return;
  // Before or equal to the warning moment: this minute's label is warned
  // (and sounded) here, where the placement of the windows left it alone.
  const std::string warn = FormatDateTimeText(WarningMoment(now, s.Minute));
  const std::string due = FormatDateTimeText(now);
  if (CompareDateTimeText(t, warn) <= 0) {
    steps.push_back({TickStep::Kind::Recolor, window, s.Tcolor, kPink});
  }
  if (CompareDateTimeText(t, due) <= 0) {
    steps.push_back({TickStep::Kind::Recolor, window, s.Tcolor, kRed});
  }
  // One notification for the moment, also when the warning and the due
  // moment are the same minute (Minute 0); it does not depend on Beep.
  if (s.Notify == 1 && (t == warn || t == due))
    steps.push_back({TickStep::Kind::Notify, window, 0, 0, t == due});
  if (s.Beep == 1 && t == warn) steps.push_back(Alarm());
  if (s.Beep == 1 && t == due) steps.push_back(Alarm());
}

}  // namespace

std::vector<TickStep> SchTimerTimer(TickState& state, const Settings& s, const PostTable& table,
                                    const std::vector<std::string>& captions,
                                    int alarmWindowCount, DateTime now) {
  std::vector<TickStep> steps;

  // Once per clock minute: a minute that was handled, or the start-up minute,
  // does nothing more.
  const std::string lastMinute = FormatHM(state.LastTickTime);
  state.LastTickTime = now;
  if (lastMinute == FormatHM(now)) return steps;

  if (FormatMD(state.DisplayBaseTime) != FormatMD(now)) {
    state.DisplayBaseTime = now;
    steps.push_back(TickStep{TickStep::Kind::FollowNewDate});
  }

  if (s.Beep == 1) CheckFixedAlarms(s, now, steps);

  // Walk the slots the way the windows were built: with the display mode
  // values in force at the build. The base may have moved on at a change of
  // date; it only moves later, so the built windows are still the first ones
  // of this walk, and the walk never goes past the last built window.
  const std::size_t slotCount =
      DisplayedSlots(table, s.DisplayModeInForce, s.DisplayModeDayInForce,
                     state.DisplayBaseTime)
          .size();
  const std::size_t first = alarmWindowCount < 0 ? 0 : static_cast<std::size_t>(alarmWindowCount);
  for (std::size_t k = first; k - first < slotCount && k < captions.size(); ++k) {
    PostDataCheck(s, captions[k], static_cast<int>(k), now, steps);
  }
  return steps;
}

bool CountDownDue(const Settings& s, const PostTable& table, DateTime now) {
  if (s.Beep != 1 || s.CountDown != 1) return false;
  // A dated label from this minute up to CountDownN days ahead: what the
  // check box "Alarm before N Days" promises. Past labels and ToDo labels
  // do not count.
  const std::string from = FormatDateTimeText(now);
  const std::string to =
      FormatDateTimeText(AddMillisClamped(now, std::int64_t{s.CountDownN} * kMillisPerDay));
  for (int n = 0; n < table.DataCnt(); ++n) {
    const PostSlot& slot = table.Slot(n);
    if (slot.IsFree() || slot.IsToDo()) continue;
    if (CompareDateTimeText(slot.DateTimeText, from) >= 0 &&
        CompareDateTimeText(slot.DateTimeText, to) <= 0) {
      return true;
    }
  }
  return false;
}

}  // namespace morna
