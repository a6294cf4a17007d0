// One tick of the schedule timer as a list of steps, and the start-up
// count-down check. The ui carries the steps out in order.
#pragma once

#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/posttable.h"
#include "core/settings.h"

namespace morna {

struct TickStep {
  enum class Kind {
    FollowNewDate,  // the date changed: reset the registration window
    AlarmOut,       // sound the alarm
    Recolor,        // window `window` takes `color` with caption colour `captionColor`
    Notify,         // a desktop notification for the label of window `window`
  };
  Kind kind;
  int window = -1;
  WinColor color = 0;
  WinColor captionColor = 0;
  bool due = false;  // Notify: the label's own time (else its warning)
  friend bool operator==(const TickStep&, const TickStep&) = default;
};

// The timer's clock values: the previous tick, and the moment from which the
// label windows' display limit counts (moved on at each change of date).
struct TickState {
  DateTime LastTickTime;
  DateTime DisplayBaseTime;
};

// Evaluates one tick at `now`: updates `state` (LastTickTime always,
// DisplayBaseTime at a change of date) and returns what this tick must do.
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
