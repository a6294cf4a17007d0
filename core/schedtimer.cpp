#include "core/schedtimer.h"

#include <cstdint>

#include "core/access.h"
#include "core/calendar.h"
#include "core/labelwindows.h"
#include "core/palette.h"

namespace morna {

namespace {

// The alarm sounds for window `window` (-1: none stands for it), which a
// screen reader then announces.
TickStep Alarm(int window) { return TickStep{TickStep::Kind::AlarmOut, window}; }

constexpr Millis kHalfHour = 30 * kMillisPerMinute;
constexpr Millis kLongestShift = 4 * kHalfHour;
// How long a sounded moment is remembered: past the longest shift back.
constexpr Millis kRemembered = kLongestShift + 60 * kMillisPerMinute;

Millis MinuteIndex(DateTime t) {
  return t.ms >= 0 ? t.ms / kMillisPerMinute : (t.ms - kMillisPerMinute + 1) / kMillisPerMinute;
}

// The moments whose minutes this tick takes, oldest first: `now`, preceded,
// when the clock jumped ahead by whole half hours and less than a minute
// passed otherwise (a daylight-saving shift, not a pause of the program),
// by each minute the clock skipped, at the seconds of `now`.
std::vector<DateTime> MomentsOfTick(DateTime last, DateTime now) {
  const Millis jump = now.ms - last.ms;
  const Millis shift = jump / kHalfHour * kHalfHour;
  std::vector<DateTime> moments;
  if (shift >= kHalfHour && shift <= kLongestShift && jump - shift < kMillisPerMinute) {
    for (Millis k = MinuteIndex(now) - MinuteIndex(last) - 1; k >= 1; --k)
      moments.push_back(AddMillis(now, -k * kMillisPerMinute));
  }
  moments.push_back(now);
  return moments;
}

// What sounds this tick, with the memory of what sounded before: while the
// clock repeats time, a moment that sounded the first time stays silent.
class Sounder {
 public:
  Sounder(TickState& state, DateTime now) : state_(state), now_(now) {
    std::erase_if(state_.Sounded,
                  [&](const SoundedMoment& m) { return m.at.ms < now.ms - kRemembered; });
  }
  // Whether the moment `key` sounds now; it is remembered either way.
  bool Take(const std::string& key) {
    const bool repeating = state_.RepeatUntil.has_value();
    for (const SoundedMoment& m : state_.Sounded) {
      if (m.key == key) return !repeating;
    }
    state_.Sounded.push_back({key, now_});
    return true;
  }

 private:
  TickState& state_;
  DateTime now_;
};

// The fixed daily, weekly and monthly alarms whose time is the minute of `at`.
// Their windows stand first, in this order, one for each alarm that is on.
void CheckFixedAlarms(const Settings& s, DateTime at, int alarmWindowCount, Sounder& sounder,
                      std::vector<TickStep>& steps) {
  const std::string t = FormatDateTimeText(at);
  const std::string_view hm = Chars(t, 12, 16);
  const std::string_view dayText = Chars(t, 9, 10);
  const auto sound = [&](const char* which, int window) {
    if (sounder.Take(which + t)) steps.push_back(Alarm(window < alarmWindowCount ? window : -1));
  };
  const int daily = 0;
  const int weekly = daily + (s.DailyAlarm == 1 ? 1 : 0);
  const int monthly1 = weekly + (s.WeeklyAlarm == 1 ? 1 : 0);
  const int monthly2 = monthly1 + (s.MonthlyAlarm1 == 1 ? 1 : 0);

  if (s.DailyAlarm == 1 && s.DATime == hm) sound("daily ", daily);
  if (s.WeeklyAlarm == 1 && WeekdayNumber(at) == s.WeeklyAlarmW && s.WeeklyAlarmT == hm) {
    sound("weekly ", weekly);
  }
  if (s.MonthlyAlarm1 == 1 && ParseInt(dayText) == s.MonthlyAlarmDay &&
      s.MonthlyAlarmT1 == hm) {
    sound("monthly1 ", monthly1);
  }
  if (s.MonthlyAlarm2 == 1) {
    // The n-th weekday as a two-digit day: characters 2-3 of D + 100. A day
    // beyond the month (a fifth weekday that does not exist) or a week
    // number of 0 or less gives a text that no day of the month has.
    const std::int64_t d = PickupDay(s.MonthlyAlarmWeek, s.MonthlyAlarmW, at);
    const std::string dText = std::to_string(d + 100);
    if (dayText == Chars(dText, 2, 3) && s.MonthlyAlarmT2 == hm) sound("monthly2 ", monthly2);
  }
}

// The colours and sounds of one label window with caption `t`. An empty
// caption stands for a window that is gone (the user closed it): no label
// has an empty date-time, so it neither changes colour nor sounds.
void PostDataCheck(const Settings& s, const std::string& t, int window, DateTime now,
                   const std::vector<DateTime>& moments, Sounder& sounder,
                   std::vector<TickStep>& steps) {
  if (t.empty() || t == kToDoCaption) return;
  // Before or equal to the warning moment: this minute's label is warned
  // (and sounded) here, where the placement of the windows left it alone.
  if (CompareDateTimeText(t, FormatDateTimeText(WarningMoment(now, s.Minute))) <= 0) {
    steps.push_back({TickStep::Kind::Recolor, window, s.Tcolor,
                     ReadableTextColor(s, kPink, s.Tcolor), false, LabelState::Warning});
  }
  if (CompareDateTimeText(t, FormatDateTimeText(now)) <= 0) {
    steps.push_back({TickStep::Kind::Recolor, window, s.Tcolor,
                     ReadableTextColor(s, kRed, s.Tcolor), false, LabelState::Due});
  }
  bool warned = false, due = false;
  for (DateTime m : moments) {
    warned = warned || t == FormatDateTimeText(WarningMoment(m, s.Minute));
    due = due || t == FormatDateTimeText(m);
  }
  warned = warned && sounder.Take("warn " + t);
  due = due && sounder.Take("due " + t);
  // One notification for the moment, also when the warning and the due
  // moment are the same minute (Minute 0); it does not depend on Beep.
  if (s.Notify == 1 && (warned || due))
    steps.push_back({TickStep::Kind::Notify, window, 0, 0, due});
  if (s.Beep == 1 && warned) steps.push_back(Alarm(window));
  if (s.Beep == 1 && due) steps.push_back(Alarm(window));
}

}  // namespace

std::vector<TickStep> SchTimerTimer(TickState& state, const Settings& s, const PostTable& table,
                                    const std::vector<std::string>& captions,
                                    int alarmWindowCount, DateTime now) {
  std::vector<TickStep> steps;

  // Once per clock minute: a minute that was handled, or the start-up minute,
  // does nothing more.
  const DateTime last = state.LastTickTime;
  state.LastTickTime = now;
  if (FormatHM(last) == FormatHM(now)) return steps;

  // The clock set back: until it passes the last minute it showed, it
  // repeats time.
  if (now < last && last.ms - now.ms <= kLongestShift + kMillisPerMinute &&
      (!state.RepeatUntil || *state.RepeatUntil < last))
    state.RepeatUntil = last;
  if (state.RepeatUntil && MinuteIndex(now) > MinuteIndex(*state.RepeatUntil))
    state.RepeatUntil.reset();
  const std::vector<DateTime> moments = MomentsOfTick(last, now);
  Sounder sounder(state, now);

  if (FormatMD(state.DisplayBaseTime) != FormatMD(now)) {
    state.DisplayBaseTime = now;
    steps.push_back(TickStep{TickStep::Kind::FollowNewDate});
  }

  if (s.Beep == 1) {
    for (DateTime m : moments) CheckFixedAlarms(s, m, alarmWindowCount, sounder, steps);
  }

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
    PostDataCheck(s, captions[k], static_cast<int>(k), now, moments, sounder, steps);
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
