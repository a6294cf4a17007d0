// The process-wide values the windows share: one plain struct, owned by the
// application and handed by reference to each window, so a test can make a
// fresh one.
#pragma once

#include <functional>
#include <string>

#include "core/datetime.h"
#include "core/labelwindows.h"
#include "core/posttable.h"
#include "core/settings.h"

namespace morna::ui {

struct AppState {
  Settings settings;
  WindowPos mainPos;               // [MAIN] Top/Left as loaded
  PostTable table{30};
  int EditMode = 0;
  DateTime LastTickTime;
  DateTime DisplayBaseTime;
  DateTime CalendarAnchor;
  int CalendarMonth = 0;
  int AlarmWindowCount = 0;
  std::string iniPath;             // the settings file, native path
  std::string dataDir;             // the folder of a relative data file name; empty: current
  bool dataFileLoadFailed = false; // the data file existed but could not be read

  // The clock. Core never reads the system clock; tests set any moment.
  std::function<DateTime()> clock;
  DateTime Now() const;

  // The screen's work area (primary screen, right/bottom first pixel outside).
  std::function<Rect()> screenWorkArea;
  Rect ScreenWorkArea() const;
};

// The system's local time as a DateTime.
DateTime SystemNow();
// The primary screen's available geometry.
Rect PrimaryWorkArea();

}  // namespace morna::ui
