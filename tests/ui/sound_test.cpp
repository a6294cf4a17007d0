#include "sound/sound.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QDir>
#include <QFile>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <vector>

#include "sound/sound_abi.h"
#include "ui/errors.h"

namespace morna::ui {
namespace {

// Records what the player hands to the device.
class FakeOutput : public AudioOutput {
 public:
  struct Log {
    int starts = 0;
    int stops = 0;
    QByteArray pcm;
    QAudioFormat format;
    bool playing = false;
  };
  explicit FakeOutput(Log& log, QAudioFormat format = {}) : log_(log), format_(format) {}
  QAudioFormat FormatFor(int rate, int channels) override {
    if (format_.isValid()) return format_;
    QAudioFormat f;
    f.setSampleRate(rate);
    f.setChannelCount(channels);
    f.setSampleFormat(QAudioFormat::Int16);
    return f;
  }
  void Start(const QByteArray& pcm, const QAudioFormat& format) override {
    ++log_.starts;
    log_.pcm = pcm;
    log_.format = format;
    log_.playing = true;
  }
  void Stop() override {
    ++log_.stops;
    log_.playing = false;
  }
  bool IsPlaying() const override { return log_.playing; }

 private:
  Log& log_;
  QAudioFormat format_;
};

class SoundTest : public ::testing::Test {
 protected:
  // A tone of 880 Hz at amplitude 0.6.
  QString Write(const QString& name, int format, double seconds = 0.25, int channels = 1,
                int rate = 44100) {
    const QString path = dir.filePath(name);
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    EXPECT_NE(f, nullptr) << sf_strerror(nullptr);
    if (!f) return path;
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<float> data(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < frames; ++i)
      for (int c = 0; c < channels; ++c)
        data[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] =
            static_cast<float>(0.6 * std::sin(2 * M_PI * 880 * static_cast<double>(i) / rate));
    sf_writef_float(f, data.data(), static_cast<sf_count_t>(frames));
    sf_close(f);
    return path;
  }

  QString PlayError(const QString& path) {
    try {
      player->Play(path);
    } catch (const Error& e) {
      return e.text();
    }
    return {};
  }

  QTemporaryDir dir;
  FakeOutput::Log log;
  std::unique_ptr<AlarmPlayer> player = MakeAlarmPlayer(std::make_unique<FakeOutput>(log));
};

TEST_F(SoundTest, NoFileNamedTellsTheUserWhatToDo) {
  const QString text = PlayError("");
  EXPECT_TRUE(text.contains("設定されていません")) << text.toStdString();
  EXPECT_TRUE(text.contains("WAV")) << text.toStdString();
  EXPECT_EQ(log.starts, 0);
}

TEST_F(SoundTest, FileErrorsNameTheFile) {
  const QString missing = dir.filePath("nothing.wav");
  QString text = PlayError(missing);
  EXPECT_TRUE(text.contains("見つかりません")) << text.toStdString();
  EXPECT_TRUE(text.contains(missing));

  // Tests run as root, so a file without read permission would still be
  // read; a directory cannot be.
  const QString folder = dir.filePath("folder.wav");
  ASSERT_TRUE(QDir().mkdir(folder));
  text = PlayError(folder);
  EXPECT_TRUE(text.contains("読み込めません")) << text.toStdString();
  EXPECT_TRUE(text.contains(folder));
  EXPECT_EQ(log.starts, 0);
}

TEST_F(SoundTest, OnlyWavFilesWithSoundArePlayed) {
  const QString textFile = dir.filePath("note.wav");
  {
    QFile f(textFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("This is not a sound at all.\n");
  }
  QString text = PlayError(textFile);
  EXPECT_TRUE(text.contains("WAV ファイルではありません")) << text.toStdString();
  EXPECT_TRUE(text.contains(textFile));
  EXPECT_GE(text.split('\n').size(), 3) << "the decoder's own text is shown";

  // libsndfile reads these, but they are no WAV files.
  for (const auto& [name, format] :
       {std::pair{"tone.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
        std::pair{"tone.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16}}) {
    text = PlayError(Write(name, format));
    EXPECT_TRUE(text.contains("WAV ファイルではありません")) << name;
  }
  text = PlayError(Write("empty.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.0));
  EXPECT_TRUE(text.contains("WAV ファイルではありません")) << text.toStdString();
  EXPECT_EQ(log.starts, 0);
}

TEST_F(SoundTest, EveryWavEncodingDecodes) {
  const std::pair<const char*, int> kinds[] = {
      {"u8", SF_FORMAT_WAV | SF_FORMAT_PCM_U8},    {"pcm16", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
      {"pcm24", SF_FORMAT_WAV | SF_FORMAT_PCM_24}, {"pcm32", SF_FORMAT_WAV | SF_FORMAT_PCM_32},
      {"float", SF_FORMAT_WAV | SF_FORMAT_FLOAT},  {"ima", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM},
      {"msadpcm", SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM}, {"ulaw", SF_FORMAT_WAV | SF_FORMAT_ULAW},
      {"alaw", SF_FORMAT_WAV | SF_FORMAT_ALAW},    {"wavex", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16},
  };
  for (const auto& [name, format] : kinds) {
    const WavSound sound = ReadWav(Write(QString(name) + ".wav", format));
    EXPECT_EQ(sound.sampleRate, 44100) << name;
    EXPECT_EQ(sound.channels, 1) << name;
    EXPECT_GE(sound.Frames(), 11025) << name;
    double sum = 0;
    for (float s : sound.samples) sum += double(s) * s;
    const double rms = std::sqrt(sum / static_cast<double>(sound.samples.size()));
    EXPECT_NEAR(rms, 0.6 / std::sqrt(2.0), 0.05) << name;
  }
}

TEST_F(SoundTest, PcmFollowsTheDeviceFormat) {
  // A 44.1 kHz mono file on a 48 kHz stereo 16-bit device.
  QAudioFormat device;
  device.setSampleRate(48000);
  device.setChannelCount(2);
  device.setSampleFormat(QAudioFormat::Int16);
  player = MakeAlarmPlayer(std::make_unique<FakeOutput>(log, device));
  player->Play(Write("tone.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0.5));
  ASSERT_EQ(log.starts, 1);
  EXPECT_EQ(log.format, device);
  ASSERT_EQ(log.pcm.size(), 24000 * 2 * 2);
  std::vector<qint16> s(static_cast<std::size_t>(log.pcm.size() / 2));
  std::memcpy(s.data(), log.pcm.constData(), static_cast<std::size_t>(log.pcm.size()));
  int peak = 0;
  for (std::size_t i = 0; i < s.size(); i += 2) {
    ASSERT_EQ(s[i], s[i + 1]) << "both channels carry the mono sound";
    peak = std::max(peak, std::abs(int(s[i])));
  }
  EXPECT_NEAR(peak, 0.6 * 32767, 400);

  // Stereo to mono averages; samples beyond full scale are clipped.
  WavSound loud{8000, 2, {2.0f, 0.0f, -3.0f, -1.0f}};
  QAudioFormat mono;
  mono.setSampleRate(8000);
  mono.setChannelCount(1);
  mono.setSampleFormat(QAudioFormat::Float);
  const QByteArray pcm = ToPcm(loud, mono);
  ASSERT_EQ(pcm.size(), 2 * 4);
  float f[2];
  std::memcpy(f, pcm.constData(), sizeof f);
  EXPECT_FLOAT_EQ(f[0], 1.0f);
  EXPECT_FLOAT_EQ(f[1], -1.0f);
}

TEST_F(SoundTest, ANewAlarmStopsTheSoundStillPlaying) {
  const QString a = Write("a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.25);
  const QString b = Write("b.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.5);
  player->Play(a);
  EXPECT_TRUE(player->IsPlaying());
  const int stopsBefore = log.stops;
  player->Play(b);
  EXPECT_GT(log.stops, stopsBefore);
  EXPECT_EQ(log.starts, 2);
  EXPECT_EQ(log.pcm.size(), 22050 * 2);  // b, from its start
  EXPECT_TRUE(player->IsPlaying());

  // A failed open leaves no old sound playing.
  EXPECT_FALSE(PlayError(dir.filePath("gone.wav")).isEmpty());
  EXPECT_FALSE(player->IsPlaying());
  EXPECT_EQ(log.starts, 2);
}

TEST_F(SoundTest, AMissingSoundModuleIsReportedAtTheFirstAlarm) {
  // The tests run from a folder without the module.
  auto player = LoadAlarmPlayer();
  EXPECT_FALSE(player->IsPlaying());
  QString text;
  try {
    player->Play(Write("tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16));
  } catch (const Error& e) {
    text = e.text();
  }
  EXPECT_TRUE(text.startsWith("アラーム音を鳴らす部品 (morna_sound) を読み込めません。")) << text.toStdString();
  // The chime has no file to blame either: the whole output is missing.
  try {
    player->PlayBuiltIn();
    ADD_FAILURE() << "the chime played without the module";
  } catch (const SoundError& e) {
    EXPECT_EQ(e.cause(), SoundError::Cause::Output);
  }
  player->Stop();
}

TEST_F(SoundTest, AModuleOfAnotherVersionIsRefused) {
  auto refused = LoadAlarmPlayer({MORNA_TEST_WRONG_SOUND_DIR});
  for (const bool chime : {false, true}) {
    try {
      if (chime) refused->PlayBuiltIn();
      else refused->Play(Write("tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16));
      ADD_FAILURE() << "a module of another version played";
    } catch (const SoundError& e) {
      // Nothing of it can sound, the chime included: the output is missing.
      EXPECT_EQ(e.cause(), SoundError::Cause::Output);
      const QString text = e.text();
      EXPECT_TRUE(text.startsWith("アラーム音を鳴らす部品 (morna_sound) の版がこのプログラムと合わないため"))
          << text.toStdString();
      EXPECT_TRUE(text.contains(QStringLiteral("部品の版: %1、このプログラムの版: %2")
                                    .arg(MORNA_SOUND_ABI_VERSION + 1)
                                    .arg(MORNA_SOUND_ABI_VERSION)))
          << text.toStdString();
    }
  }
  EXPECT_FALSE(refused->IsPlaying());

  // The module of the program's version, found after the refused one, is
  // used; its failures cross the C boundary as a status and a text.
  auto player = LoadAlarmPlayer({MORNA_TEST_WRONG_SOUND_DIR, MORNA_TEST_SOUND_DIR});
  const QString missing = dir.filePath("gone.wav");
  try {
    player->Play(missing);
    ADD_FAILURE() << "a missing file played";
  } catch (const SoundError& e) {
    EXPECT_EQ(e.cause(), SoundError::Cause::File);
    EXPECT_EQ(e.text(), "アラーム音のファイルが見つかりません。\n" + missing);
  }
  EXPECT_FALSE(player->IsPlaying());
}

TEST_F(SoundTest, TheBuiltInChimeIsAWavThatDecodesAndPlaysWithoutAFile) {
  const QByteArray wav = BuiltInChimeWav();
  const WavSound chime = DecodeWav(wav);
  EXPECT_EQ(chime.sampleRate, 44100);
  EXPECT_EQ(chime.channels, 1);
  const double seconds = static_cast<double>(chime.Frames()) / chime.sampleRate;
  EXPECT_GT(seconds, 0.8);
  EXPECT_LT(seconds, 2.0);
  // Clearly heard at first, within range, and fading out.
  auto rms = [&](double from, double to) {
    double sum = 0;
    const auto a = static_cast<std::size_t>(from * chime.sampleRate);
    const auto b = static_cast<std::size_t>(to * chime.sampleRate);
    for (std::size_t i = a; i < b; ++i) sum += chime.samples[i] * chime.samples[i];
    return std::sqrt(sum / static_cast<double>(b - a));
  };
  EXPECT_GT(rms(0, 0.25), 0.15);
  EXPECT_LT(rms(seconds - 0.1, seconds), rms(seconds - 0.7, seconds - 0.6) / 3);
  for (float v : chime.samples) ASSERT_LE(std::fabs(v), 1.0f);

  // Written out, it is a WAV file like any other the user might choose.
  QFile out(dir.filePath("chime.wav"));
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(wav);
  out.close();
  EXPECT_EQ(ReadWav(out.fileName()).samples, chime.samples);

  player->PlayBuiltIn();
  EXPECT_EQ(log.starts, 1);
  EXPECT_EQ(log.pcm.size(), chime.Frames() * 2);
  EXPECT_TRUE(player->IsPlaying());

  // Bytes that are no WAV are the file's fault.
  try {
    DecodeWav(QByteArray("RIFF not really"));
    ADD_FAILURE() << "garbage decoded";
  } catch (const SoundError& e) {
    EXPECT_EQ(e.cause(), SoundError::Cause::File);
  }
}

TEST_F(SoundTest, NoOutputDeviceIsReported) {
  if (!QMediaDevices::audioOutputs().isEmpty()) GTEST_SKIP() << "this machine has a sound device";
  auto real = MakeAlarmPlayer();
  QString text;
  try {
    real->Play(Write("tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16));
  } catch (const Error& e) {
    text = e.text();
  }
  EXPECT_TRUE(text.contains("出力装置")) << text.toStdString();
  EXPECT_FALSE(real->IsPlaying());
  try {
    real->PlayBuiltIn();
    ADD_FAILURE() << "the chime played without a device";
  } catch (const SoundError& e) {
    EXPECT_EQ(e.cause(), SoundError::Cause::Output);
  }
}

}  // namespace
}  // namespace morna::ui
