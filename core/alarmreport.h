// Which failures of the alarm sound the user is told about, and when. A
// sound that fails must not nag every minute: a chosen file that cannot be
// played is told once for each value of the setting, a missing sound output
// (no device, no sound server, no sound module) once until a sound plays
// again, and neither again while its report is still open.
#pragma once

#include <string>

namespace morna {

// How one alarm went.
struct AlarmOutcome {
  bool fileFailed = false;    // the chosen WAV file could not be played
  bool outputFailed = false;  // no sound could be made at all
  friend bool operator==(const AlarmOutcome&, const AlarmOutcome&) = default;
};

// Which causes to tell the user about now.
struct AlarmTell {
  bool file = false;
  bool output = false;
  bool Any() const { return file || output; }
  friend bool operator==(const AlarmTell&, const AlarmTell&) = default;
};

class AlarmReports {
 public:
  // One alarm, sounded while WaveFileName was `waveFile`, went as `outcome`.
  // Returns the causes to report now; they count as open until Closed.
  AlarmTell After(const std::string& waveFile, AlarmOutcome outcome);
  // The report of `told` was closed by the user.
  void Closed(AlarmTell told);

 private:
  std::string setting_;       // WaveFileName at the last alarm
  bool fileTold_ = false;     // the failure of `setting_` was told
  bool outputTold_ = false;   // the failure of the output was told
  bool fileOpen_ = false;
  bool outputOpen_ = false;
};

}  // namespace morna
