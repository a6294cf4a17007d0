// The alarm as the schedule timer sounds it: the chosen WAV file or the
// built-in chime, and the reports of sounds that failed.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <string>

#include "core/alarmreport.h"

namespace morna::ui {

class AlarmPlayer;

class AlarmSound : public QObject {
 public:
  explicit AlarmSound(AlarmPlayer& player) : player_(player) {}

  // Plays `waveFile` (Shift-JIS, as the settings hold it), or the built-in
  // chime when it is empty or cannot be played. Never throws and never
  // waits for the user: what failed is told in one box once the running
  // handler has returned, as AlarmReports decides, and that box does not
  // run a loop of its own, so the schedule timer goes on ticking while it
  // stands.
  void Sound(const std::string& waveFile);

 private:
  // Adds a failure to the box shown after the running handler.
  void Report(AlarmTell tell, const QString& text);

  AlarmPlayer& player_;
  AlarmReports reports_;
  // Failures of the running handler, told in one box after it.
  AlarmTell pendingTell_;
  QStringList pendingTexts_;
};

}  // namespace morna::ui
