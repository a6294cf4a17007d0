// The alarm player: plays a WAV file, or the program's own chime, from its
// start and returns at once.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "ui/errors.h"

namespace morna::ui {

// A sound that could not be made, and whether the chosen file (File) or the
// means of playing any sound (Output: no device, no sound server, no sound
// module) is to blame. The text says what went wrong.
class SoundError : public Error {
 public:
  enum class Cause { File, Output };
  SoundError(Cause cause, const QString& text) : Error(text), cause_(cause) {}
  Cause cause() const { return cause_; }

 private:
  Cause cause_;
};

class AlarmPlayer {
 public:
  virtual ~AlarmPlayer() = default;
  // Opens `path` synchronously and starts playing it; a sound still playing
  // stops first. Throws SoundError with a clear text when there is no file
  // name, the file is missing, unreadable or not a playable WAV (File), or
  // there is no audio output device (Output).
  virtual void Play(const QString& path) = 0;
  // The same with the program's own chime, which needs no file: it fails
  // only for want of an output (SoundError, Output).
  virtual void PlayBuiltIn() = 0;
  virtual void Stop() = 0;
  virtual bool IsPlaying() const = 0;
};

// The program's player. The sound module (libsndfile, Qt Multimedia and
// the sound system's libraries) is loaded at the first Play, not at
// start-up: most minutes of a run sound nothing, and those libraries cost
// start-up time and memory. It is looked for beside the executable, then in
// the folder it is installed to, and met through its C functions
// (sound/sound_abi.h) only when its version is the program's. When no
// module can be used (none found, or one of another version), the system's
// bell rings instead and Play and PlayBuiltIn say why (SoundError, Output)
// like any other failure to sound.
std::unique_ptr<AlarmPlayer> LoadAlarmPlayer();

// The player the program's alarms and the settings dialog's 試聴 use: the
// one set (the program sets the one it loaded; tests set theirs), else one
// loaded when first asked for.
AlarmPlayer& Player();
void SetAlarmPlayer(AlarmPlayer* player);
// The same, looking for the module in `folders` only.
std::unique_ptr<AlarmPlayer> LoadAlarmPlayer(const QStringList& folders);

}  // namespace morna::ui
