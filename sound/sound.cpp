#include "sound/sound.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "sound/sound_abi.h"
#include "ui/errors.h"

namespace morna::ui {

namespace {

QString NoFileText() {
  return QCoreApplication::translate(
      "AlarmSound",
      "アラーム音のファイルが設定されていません。\n"
      "設定画面（アイコンのメニューの「設定画面の表示」）の「Data」タブで WAV ファイルを選ぶか、"
      "「Beep On」を外してください。");
}

[[noreturn]] void Fail(const QString& what, const QString& path, const QString& detail = {}) {
  QString text = what + QLatin1Char('\n') + path;
  if (!detail.isEmpty()) text += QLatin1Char('\n') + detail;
  throw SoundError(SoundError::Cause::File, text);
}

[[noreturn]] void FailUnreadable(const QString& path, int err) {
  Fail(QCoreApplication::translate("AlarmSound", "アラーム音のファイルを読み込めません。"), path,
       QString::fromLocal8Bit(std::strerror(err)));
}

[[noreturn]] void FailNotWav(const QString& path, const QString& detail) {
  Fail(QCoreApplication::translate("AlarmSound", "アラーム音のファイルは再生できる WAV ファイルではありません。"), path, detail);
}

[[noreturn]] void FailNoDevice() {
  throw SoundError(SoundError::Cause::Output,
                   QCoreApplication::translate("AlarmSound", "音声の出力装置が見つからないため、アラーム音を鳴らせません。"));
}

// Closes a descriptor when it goes out of scope.
struct Fd {
  int fd = -1;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

struct SndFile {
  SNDFILE* file = nullptr;
  ~SndFile() {
    if (file) sf_close(file);
  }
};

bool IsWavContainer(int format) {
  const int major = format & SF_FORMAT_TYPEMASK;
  return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64;
}

// Reads every frame of an open sound, up to kMaxAlarmSeconds; `path` names
// it in the errors.
WavSound Decode(SNDFILE* file, const SF_INFO& info, const QString& path) {
  if (!IsWavContainer(info.format))
    FailNotWav(path, QStringLiteral("not a WAV container"));
  if (info.channels <= 0 || info.samplerate <= 0)
    FailNotWav(path, QStringLiteral("no channels or no sample rate"));

  WavSound sound;
  sound.sampleRate = info.samplerate;
  sound.channels = info.channels;
  const qint64 maxFrames = static_cast<qint64>(info.samplerate) * kMaxAlarmSeconds;
  constexpr sf_count_t kChunk = 4096;
  std::vector<float> chunk(static_cast<std::size_t>(kChunk) * static_cast<std::size_t>(info.channels));
  qint64 frames = 0;
  while (frames < maxFrames) {
    const sf_count_t want = std::min<sf_count_t>(kChunk, maxFrames - frames);
    const sf_count_t got = sf_readf_float(file, chunk.data(), want);
    if (got <= 0) break;
    sound.samples.insert(sound.samples.end(), chunk.begin(),
                         chunk.begin() + static_cast<std::ptrdiff_t>(got * info.channels));
    frames += got;
  }
  if (sf_error(file) != SF_ERR_NO_ERROR)
    FailNotWav(path, QString::fromLocal8Bit(sf_strerror(file)));
  if (frames == 0) FailNotWav(path, QStringLiteral("the file holds no sound"));
  return sound;
}

// Bytes in memory as libsndfile's virtual file.
struct MemoryFile {
  const QByteArray& bytes;
  sf_count_t pos = 0;

  static sf_count_t Length(void* self) { return static_cast<MemoryFile*>(self)->bytes.size(); }
  static sf_count_t Seek(sf_count_t offset, int whence, void* self) {
    auto* m = static_cast<MemoryFile*>(self);
    const sf_count_t base = whence == SEEK_CUR ? m->pos : whence == SEEK_END ? m->bytes.size() : 0;
    m->pos = std::clamp<sf_count_t>(base + offset, 0, m->bytes.size());
    return m->pos;
  }
  static sf_count_t Read(void* dst, sf_count_t count, void* self) {
    auto* m = static_cast<MemoryFile*>(self);
    const sf_count_t n = std::clamp<sf_count_t>(m->bytes.size() - m->pos, 0, count);
    std::memcpy(dst, m->bytes.constData() + m->pos, static_cast<std::size_t>(n));
    m->pos += n;
    return n;
  }
  static sf_count_t Write(const void*, sf_count_t, void*) { return 0; }
  static sf_count_t Tell(void* self) { return static_cast<MemoryFile*>(self)->pos; }
};

void PutLe(QByteArray& out, quint32 value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

WavSound DecodeWav(const QByteArray& bytes) {
  MemoryFile memory{bytes};
  SF_VIRTUAL_IO io{&MemoryFile::Length, &MemoryFile::Seek, &MemoryFile::Read, &MemoryFile::Write,
                   &MemoryFile::Tell};
  SF_INFO info{};
  SndFile snd{sf_open_virtual(&io, SFM_READ, &info, &memory)};
  const QString name = QStringLiteral("(memory)");
  if (!snd.file) FailNotWav(name, QString::fromLocal8Bit(sf_strerror(nullptr)));
  return Decode(snd.file, info, name);
}

QByteArray BuiltInChimeWav() {
  // Two bell-like notes, E6 then C6, each a sine with a little of its
  // octave, with a slow decay, and 5 ms rise and 20 ms fall against clicks.
  constexpr int kRate = 44100;
  constexpr double kNoteSeconds = 0.7;
  constexpr double kNotes[2] = {1318.51, 1046.50};
  const int noteFrames = static_cast<int>(kNoteSeconds * kRate);
  QByteArray pcm;
  pcm.reserve(2 * noteFrames * 2);
  for (double hz : kNotes) {
    for (int i = 0; i < noteFrames; ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double edges = std::min({1.0, t / 0.005, (kNoteSeconds - t) / 0.02});
      const double v = 0.5 * edges * std::exp(-2.5 * t) *
                       (std::sin(2 * M_PI * hz * t) + 0.3 * std::sin(4 * M_PI * hz * t)) / 1.3;
      PutLe(pcm, static_cast<quint16>(static_cast<qint16>(std::lround(v * 32767.0))), 2);
    }
  }
  // A plain RIFF/WAVE file: 16-bit PCM, one channel.
  QByteArray wav("RIFF");
  PutLe(wav, static_cast<quint32>(36 + pcm.size()), 4);
  wav += "WAVEfmt ";
  PutLe(wav, 16, 4);
  PutLe(wav, 1, 2);           // PCM
  PutLe(wav, 1, 2);           // channels
  PutLe(wav, kRate, 4);       // frames per second
  PutLe(wav, kRate * 2, 4);   // bytes per second
  PutLe(wav, 2, 2);           // bytes per frame
  PutLe(wav, 16, 2);          // bits per sample
  wav += "data";
  PutLe(wav, static_cast<quint32>(pcm.size()), 4);
  return wav + pcm;
}

WavSound ReadWav(const QString& path) {
  if (path.isEmpty()) throw SoundError(SoundError::Cause::File, NoFileText());
#ifdef Q_OS_WIN
  // The C library's file functions take the ANSI code page there, and the
  // descriptor must not translate line ends.
  const QByteArray native = path.toLocal8Bit();
  constexpr int kOpenFlags = O_RDONLY | O_BINARY;
#else
  const QByteArray native = QFile::encodeName(path);
  constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC;
#endif

  struct stat st {};
  if (::stat(native.constData(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR)
      Fail(QCoreApplication::translate("AlarmSound", "アラーム音のファイルが見つかりません。"), path);
    FailUnreadable(path, errno);
  }
  if (S_ISDIR(st.st_mode)) FailUnreadable(path, EISDIR);
  // A pipe or a device could block the program or never end.
  if (!S_ISREG(st.st_mode)) FailNotWav(path, QStringLiteral("not a regular file"));

  Fd fd{::open(native.constData(), kOpenFlags)};
  if (fd.fd < 0) FailUnreadable(path, errno);

  SF_INFO info{};
  SndFile snd{sf_open_fd(fd.fd, SFM_READ, &info, SF_FALSE)};
  if (!snd.file) FailNotWav(path, QString::fromLocal8Bit(sf_strerror(nullptr)));
  return Decode(snd.file, info, path);
}

QByteArray ToPcm(const WavSound& sound, const QAudioFormat& format) {
  const qint64 inFrames = sound.Frames();
  const int inCh = sound.channels;
  const int outCh = format.channelCount();
  const int outRate = format.sampleRate();
  const int bytes = format.bytesPerSample();
  if (inFrames <= 0 || outCh <= 0 || outRate <= 0 || bytes <= 0) return {};

  const qint64 outFrames =
      outRate == sound.sampleRate
          ? inFrames
          : std::max<qint64>(1, inFrames * outRate / sound.sampleRate);
  QByteArray out(static_cast<qsizetype>(outFrames * outCh * bytes), Qt::Uninitialized);
  char* dst = out.data();

  // Sample of input channel `c` at (fractional) input frame `pos`.
  auto at = [&](double pos, int c) {
    const qint64 i0 = std::min<qint64>(static_cast<qint64>(pos), inFrames - 1);
    const qint64 i1 = std::min<qint64>(i0 + 1, inFrames - 1);
    const double frac = pos - static_cast<double>(i0);
    const float a = sound.samples[static_cast<std::size_t>(i0 * inCh + c)];
    const float b = sound.samples[static_cast<std::size_t>(i1 * inCh + c)];
    return a + (b - a) * frac;
  };

  const double step = static_cast<double>(sound.sampleRate) / outRate;
  for (qint64 i = 0; i < outFrames; ++i) {
    const double pos = static_cast<double>(i) * step;
    for (int c = 0; c < outCh; ++c) {
      double v = 0;
      if (outCh == 1 && inCh > 1) {
        for (int k = 0; k < inCh; ++k) v += at(pos, k);
        v /= inCh;
      } else {
        v = at(pos, std::min(c, inCh - 1));
      }
      v = std::clamp(v, -1.0, 1.0);
      switch (format.sampleFormat()) {
        case QAudioFormat::UInt8: {
          const auto s = static_cast<quint8>(std::lround(v * 127.0 + 128.0));
          std::memcpy(dst, &s, sizeof s);
          break;
        }
        case QAudioFormat::Int16: {
          const auto s = static_cast<qint16>(std::lround(v * 32767.0));
          std::memcpy(dst, &s, sizeof s);
          break;
        }
        case QAudioFormat::Int32: {
          const auto s = static_cast<qint32>(std::llround(v * 2147483647.0));
          std::memcpy(dst, &s, sizeof s);
          break;
        }
        case QAudioFormat::Float: {
          const auto s = static_cast<float>(v);
          std::memcpy(dst, &s, sizeof s);
          break;
        }
        default:
          std::memset(dst, 0, static_cast<std::size_t>(bytes));
          break;
      }
      dst += bytes;
    }
  }
  return out;
}

namespace {

class DeviceOutput : public AudioOutput {
 public:
  ~DeviceOutput() override {
    if (!sink_) return;
    sink_->disconnect();
    sink_->stop();
    delete sink_;
  }

  QAudioFormat FormatFor(int sampleRate, int channels) override {
    const QAudioDevice device = Device();
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(channels);
    for (auto sample : {QAudioFormat::Int16, QAudioFormat::Float}) {
      format.setSampleFormat(sample);
      if (device.isFormatSupported(format)) return format;
    }
    // The device's own rate and channels; the sound is converted to them.
    const QAudioFormat preferred = device.preferredFormat();
    for (auto sample : {QAudioFormat::Int16, QAudioFormat::Float}) {
      format = preferred;
      format.setSampleFormat(sample);
      if (device.isFormatSupported(format)) return format;
    }
    return preferred;
  }

  // The sink is kept from one sound to the next and only stopped between
  // them: tearing a sink down can run the event loop (the sound system's
  // backend does so in its destructor), and Start is called from the
  // schedule timer's handler, where a loop would let a report box or
  // anything else queued run inside the tick. A sink that cannot be kept
  // (another device or format) is deleted later, from the event loop.
  void Start(const QByteArray& pcm, const QAudioFormat& format) override {
    Stop();
    const QAudioDevice device = Device();
    if (sink_ && (sink_->format() != format || device_ != device)) Drop();
    if (!sink_) {
      sink_ = new QAudioSink(device, format);
      device_ = device;
      QAudioSink* sink = sink_;
      QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
        // The whole buffer has been played: let the device go.
        if (state == QAudio::IdleState) sink->stop();
      });
    }
    // The buffer belongs to the sink, so that a sink deleted later takes
    // its last buffer with it.
    delete buffer_;
    buffer_ = new QBuffer(sink_);
    buffer_->setData(pcm);
    buffer_->open(QIODevice::ReadOnly);
    sink_->start(buffer_);
    if (sink_->error() == QAudio::OpenError || sink_->state() == QAudio::StoppedState) {
      const QString name = device.description();
      Drop();
      throw SoundError(SoundError::Cause::Output,
                       QCoreApplication::translate("AlarmSound", "音声の出力装置を開けないため、アラーム音を鳴らせません。\n") + name);
    }
  }

  void Stop() override {
    if (sink_) sink_->stop();
  }

  bool IsPlaying() const override { return sink_ && sink_->state() == QAudio::ActiveState; }

 private:
  static QAudioDevice Device() {
    if (QMediaDevices::audioOutputs().isEmpty()) FailNoDevice();
    QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) FailNoDevice();
    return device;
  }

  // Lets the sink go without tearing it down here.
  void Drop() {
    if (!sink_) return;
    sink_->disconnect();
    sink_->stop();
    sink_->deleteLater();
    sink_ = nullptr;
    buffer_ = nullptr;
  }

  QAudioDevice device_;
  QAudioSink* sink_ = nullptr;  // with its buffer as its child
  QBuffer* buffer_ = nullptr;
};

class SndFilePlayer : public AlarmPlayer {
 public:
  explicit SndFilePlayer(std::unique_ptr<AudioOutput> output) : output_(std::move(output)) {}

  void Play(const QString& path) override {
    // The earlier sound stops first, also when this one cannot be opened.
    output_->Stop();
    const WavSound sound = ReadWav(path);
    const QAudioFormat format = output_->FormatFor(sound.sampleRate, sound.channels);
    output_->Start(ToPcm(sound, format), format);
  }
  void PlayBuiltIn() override {
    output_->Stop();
    static const WavSound chime = DecodeWav(BuiltInChimeWav());
    const QAudioFormat format = output_->FormatFor(chime.sampleRate, chime.channels);
    output_->Start(ToPcm(chime, format), format);
  }
  void Stop() override { output_->Stop(); }
  bool IsPlaying() const override { return output_->IsPlaying(); }

 private:
  std::unique_ptr<AudioOutput> output_;
};

}  // namespace

std::unique_ptr<AudioOutput> MakeDeviceOutput() { return std::make_unique<DeviceOutput>(); }

std::unique_ptr<AlarmPlayer> MakeAlarmPlayer(std::unique_ptr<AudioOutput> output) {
  return std::make_unique<SndFilePlayer>(std::move(output));
}

std::unique_ptr<AlarmPlayer> MakeAlarmPlayer() { return MakeAlarmPlayer(MakeDeviceOutput()); }

}  // namespace morna::ui

// ---------------------------------------------------------------- the C boundary

// A player as the program holds it across the boundary, with the text of
// its last failure.
struct MornaSoundPlayer {
  std::unique_ptr<morna::ui::AlarmPlayer> player;
  std::string error;
};

namespace {

// Runs `play` and turns what it throws into a status and a text: nothing
// thrown here may reach the program, which may not share this module's C++
// runtime. `otherwise` is the status of an error that names no cause.
int Status(MornaSoundPlayer* p, MornaSoundStatus otherwise, const std::function<void()>& play) {
  using morna::ui::SoundError;
  if (!p) return MORNA_SOUND_OUTPUT_FAILED;
  try {
    p->error.clear();
    play();
    return MORNA_SOUND_OK;
  } catch (const SoundError& e) {
    p->error = e.text().toStdString();
    return e.cause() == SoundError::Cause::File ? MORNA_SOUND_FILE_FAILED : MORNA_SOUND_OUTPUT_FAILED;
  } catch (const std::exception& e) {
    p->error = e.what();
  } catch (...) {
    p->error = "unknown error in the sound module";
  }
  return otherwise;
}

}  // namespace

extern "C" {

Q_DECL_EXPORT int morna_sound_abi_version(void) { return MORNA_SOUND_ABI_VERSION; }

Q_DECL_EXPORT MornaSoundPlayer* morna_sound_new(void) {
  try {
    return new MornaSoundPlayer{morna::ui::MakeAlarmPlayer(), {}};
  } catch (...) {
    return nullptr;
  }
}

Q_DECL_EXPORT void morna_sound_free(MornaSoundPlayer* player) {
  try {
    delete player;
  } catch (...) {
  }
}

Q_DECL_EXPORT int morna_sound_play_file(MornaSoundPlayer* player, const char* pathUtf8) {
  return Status(player, MORNA_SOUND_FILE_FAILED,
                [&] { player->player->Play(QString::fromUtf8(pathUtf8 ? pathUtf8 : "")); });
}

Q_DECL_EXPORT int morna_sound_play_chime(MornaSoundPlayer* player) {
  return Status(player, MORNA_SOUND_OUTPUT_FAILED, [&] { player->player->PlayBuiltIn(); });
}

Q_DECL_EXPORT void morna_sound_stop(MornaSoundPlayer* player) {
  Status(player, MORNA_SOUND_OUTPUT_FAILED, [&] { player->player->Stop(); });
}

Q_DECL_EXPORT int morna_sound_is_playing(const MornaSoundPlayer* player) {
  try {
    return player && player->player->IsPlaying() ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

Q_DECL_EXPORT const char* morna_sound_error(const MornaSoundPlayer* player) {
  return player ? player->error.c_str() : "";
}

}  // extern "C"
