#include "core/alarmreport.h"

namespace morna {

AlarmTell AlarmReports::After(const std::string& waveFile, AlarmOutcome outcome) {
  // Another file chosen (or the built-in sound again): its failure is news.
  if (waveFile != setting_) {
    setting_ = waveFile;
    fileTold_ = false;
  }
  AlarmTell tell;
  if (outcome.fileFailed) {
    tell.file = !fileTold_ && !fileOpen_;
    fileTold_ = true;
  } else if (!outcome.outputFailed) {
    // The file played: should it go missing later, that is news again.
    fileTold_ = false;
  }
  if (outcome.outputFailed) {
    tell.output = !outputTold_ && !outputOpen_;
    outputTold_ = true;
  } else {
    outputTold_ = false;
  }
  fileOpen_ = fileOpen_ || tell.file;
  outputOpen_ = outputOpen_ || tell.output;
  return tell;
}

void AlarmReports::Closed(AlarmTell told) {
  if (told.file) fileOpen_ = false;
  if (told.output) outputOpen_ = false;
}

}  // namespace morna
