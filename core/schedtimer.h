// One tick of the schedule timer as a list of steps, and the start-up
// count-down check. The ui carries the steps out in order.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/labelwindows.h"
#include "core/posttable.h"
#include "core/settings.h"

namespace morna {

struct TickStep {
  enum class Kind {
    FollowNewDate,  // the date changed: reset the registration window
    AlarmOut,       // sound the alarm (for window `window`)
    Recolor,        // window `window` takes `color` with caption colour `captionColor`
                    // and tells `state`
    Notify,         // a desktop notification for the label of window `window`
  };
  Kind kind;
  int window = -1;
  WinColor color = 0;
  WinColor captionColor = 0;
  bool due = false;  // Notify: the label's own time (else its warning)
  LabelState state = LabelState::Plain;  // Recolor: what the new colours tell
  friend bool operator==(const TickStep&, const TickStep&) = default;
};

// A moment that sounded (or would have, without Beep): a label's warning or
// due moment, or a fixed alarm, by a key that names it; and when.
struct SoundedMoment {
  std::string key;
  DateTime at;
  friend bool operator==(const SoundedMoment&, const SoundedMoment&) = default;
};

// The timer's clock values: the previous tick, and the moment from which the
// label windows' display limit counts (moved on at each change of date).
// The clock is local time, so on a daylight-saving day it skips an hour
// forward (spring) or repeats one (autumn). The moments that sounded in the
// last hours and, after the clock went back, the last tick before it, let a
// repeated moment sound only the first time.
struct TickState {
  TickState() = default;
  TickState(DateTime lastTick, DateTime displayBase)
      : LastTickTime(lastTick), DisplayBaseTime(displayBase) {}

  DateTime LastTickTime;
  DateTime DisplayBaseTime;
  std::vector<SoundedMoment> Sounded;
  // Set while the clock runs through time it has already shown.
  std::optional<DateTime> RepeatUntil;
};

// Evaluates one tick at `now`: updates `state` (LastTickTime always,
// DisplayBaseTime at a change of date) and returns what this tick must do.
// When the clock jumped ahead by whole half hours (up to two hours) since the
// last tick, as on the spring daylight-saving day, the warning and due
// moments and fixed alarms of the minutes it skipped are taken at this tick.
// When it went back (up to two hours), a moment that already sounded does
// not sound again until the clock has passed where it was.
// `captions` are the date-time captions of the windows of the last build
// (empty for a window the user closed); `alarmWindowCount` of them are alarm
// windows. The labels are walked with DisplayModeInForce and
// DisplayModeDayInForce, the values the windows were built with, and never
// beyond the last window.
std::vector<TickStep> SchTimerTimer(TickState& state, const Settings& s, const PostTable& table,
                                    const std::vector<std::string>& captions,
                                    int alarmWindowCount, DateTime now);

// Whether the start-up count-down check sounds the alarm: Beep and CountDown
// are 1 and a dated label lies from this minute up to CountDownN days ahead.
// Past labels and ToDo labels do not count.
bool CountDownDue(const Settings& s, const PostTable& table, DateTime now);

}  // namespace morna
