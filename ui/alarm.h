// The alarm player: plays a WAV file from its start and returns at once.
#pragma once

#include <QString>
#include <memory>

namespace morna::ui {

class AlarmPlayer {
 public:
  virtual ~AlarmPlayer() = default;
  // Opens `path` synchronously and starts playing it; a sound still playing
  // stops first. Throws ui::Error with a clear text when there is no file
  // name, the file is missing, unreadable or not a playable WAV, or there is
  // no audio output device.
  virtual void Play(const QString& path) = 0;
  virtual void Stop() = 0;
  virtual bool IsPlaying() const = 0;
};

// The program's player. The sound module (libsndfile, Qt Multimedia and
// the sound system's libraries) is loaded at the first Play, not at
// start-up: most minutes of a run sound nothing, and those libraries cost
// start-up time and memory. It is looked for beside the executable, then in
// the folder it is installed to; when it cannot be loaded, Play says so
// (ui::Error) like any other failure to sound.
std::unique_ptr<AlarmPlayer> LoadAlarmPlayer();

}  // namespace morna::ui
