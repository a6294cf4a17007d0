// The process-wide values the windows share: one plain struct, owned by the
// application and handed by reference to each window, so a test can make a
// fresh one. The fields carry the names the program speaks of.
#pragma once

#include <functional>
#include <string>

#include "core/datetime.h"
#include "core/geometry.h"
#include "core/labelbook.h"
#include "core/schedtimer.h"
#include "core/settings.h"

namespace morna::ui {

struct AppState {
  morna::Settings Settings;
  WindowPos MainPos;                 // [MAIN] Top/Left as loaded
  morna::LabelBook Labels{30};        // the table, its data file and the pending edit
  TickState Timer;                   // LastTickTime and DisplayBaseTime
  DateTime CalendarAnchor;
  int CalendarMonth = 0;
  int AlarmWindowCount = 0;
  Rect WorkArea;                     // where the label windows were last arranged
  std::string SettingsFile;          // the settings file, native path
  std::string DataDir;               // the folder of a relative data file name; empty: current

  // The clock. Core never reads the system clock; tests set any moment.
  std::function<DateTime()> Clock;
  DateTime Now() const;

  // The screen's work area (primary screen, right/bottom first pixel outside).
  std::function<Rect()> ScreenArea;
  Rect ScreenWorkArea() const;
};

// The system's local time as a DateTime.
DateTime SystemNow();
// The primary screen's available geometry.
Rect PrimaryWorkArea();

}  // namespace morna::ui
