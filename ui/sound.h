// The alarm sound: plays a WAV file from its start and returns at once.
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

// libsndfile decodes, QAudioSink plays.
std::unique_ptr<AlarmPlayer> MakeAlarmPlayer();

}  // namespace morna::ui
