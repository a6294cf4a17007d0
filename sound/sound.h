// The alarm sound, the sound module: WAV files decoded with libsndfile and
// played through Qt Multimedia. The program itself does not link it; it
// loads it when the first alarm sounds (ui/alarm.h).
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "ui/alarm.h"

namespace morna::ui {

// Where decoded sound goes: by default the system's default audio output.
class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // The format in which a sound of `sampleRate` Hz and `channels` channels
  // is to be handed over (the same where the device takes it). Throws
  // ui::Error when there is no output device.
  virtual QAudioFormat FormatFor(int sampleRate, int channels) = 0;
  // Starts playing `pcm` (in `format`) from its start; a sound still playing
  // stops first. Throws ui::Error when the device cannot be opened.
  virtual void Start(const QByteArray& pcm, const QAudioFormat& format) = 0;
  virtual void Stop() = 0;
  virtual bool IsPlaying() const = 0;
};

// A WAV file decoded to interleaved float samples in -1 .. 1.
struct WavSound {
  int sampleRate = 0;
  int channels = 0;
  std::vector<float> samples;
  qint64 Frames() const { return channels ? static_cast<qint64>(samples.size()) / channels : 0; }
};

// The longest stretch of a file that is played; the rest is left out, so
// that a huge file cannot exhaust the memory.
inline constexpr int kMaxAlarmSeconds = 300;

// Reads the whole WAV file (any encoding libsndfile reads inside a WAV,
// WAVE_FORMAT_EXTENSIBLE or RF64 container). Throws SoundError (File) for
// an empty path, a missing or unreadable file, and a file that is not a
// playable WAV.
WavSound ReadWav(const QString& path);

// The same for the bytes of a WAV file held in memory.
WavSound DecodeWav(const QByteArray& bytes);

// The program's own alarm sound, a short two-note chime, as the bytes of a
// 16-bit mono WAV file. Played when no sound file is chosen, and instead of
// a chosen file that cannot be played.
QByteArray BuiltInChimeWav();

// `sound` as PCM bytes in `format`: channels are mapped, the rate converted
// (linear interpolation) and samples clipped to the format's range.
QByteArray ToPcm(const WavSound& sound, const QAudioFormat& format);

// The system's default audio output (QAudioSink).
std::unique_ptr<AudioOutput> MakeDeviceOutput();

// libsndfile decodes, `output` plays.
std::unique_ptr<AlarmPlayer> MakeAlarmPlayer(std::unique_ptr<AudioOutput> output);
// The same on the system's default audio output.
std::unique_ptr<AlarmPlayer> MakeAlarmPlayer();

}  // namespace morna::ui

// The module's entry points, which the program finds by name when it
// loads the module, are the C functions of sound/sound_abi.h.
