// A small command-line helper for the sound tests.
//
//   alarm_tool make <file> <pcm16|float|ima|ulaw|alaw|pcm24|aiff> [seconds] [hz]
//       writes a sine tone of `hz` Hz (default 880) lasting `seconds` (1).
//   alarm_tool play <file> [restart-ms]
//       plays the file through the program's alarm player and waits until it
//       has finished; with restart-ms the sound is started again after that
//       many milliseconds, as a second alarm in the same minute would.
//   alarm_tool tick <file>
//       two alarms in one tick of the schedule timer, as two labels due in
//       the same minute sound them: the file, and the chime when the file
//       fails, twice; prints whether the event loop ran inside the player
//       (it must not: the tick would then run whatever was queued).
// Exit status 0 on success, 2 when the player reports an error (its text on
// stderr), 1 on a usage or write error.
#include <sndfile.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/errors.h"
#include "sound/sound.h"

namespace {

int Make(const char* path, const char* kind, double seconds, double hz) {
  struct Kind {
    const char* name;
    int format;
  };
  const Kind kinds[] = {
      {"pcm16", SF_FORMAT_WAV | SF_FORMAT_PCM_16}, {"pcm24", SF_FORMAT_WAV | SF_FORMAT_PCM_24},
      {"float", SF_FORMAT_WAV | SF_FORMAT_FLOAT},  {"ima", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM},
      {"ulaw", SF_FORMAT_WAV | SF_FORMAT_ULAW},    {"alaw", SF_FORMAT_WAV | SF_FORMAT_ALAW},
      {"aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
  };
  int format = 0;
  for (const auto& k : kinds)
    if (std::strcmp(k.name, kind) == 0) format = k.format;
  if (!format) {
    std::fprintf(stderr, "unknown kind %s\n", kind);
    return 1;
  }
  SF_INFO info{};
  info.samplerate = 44100;
  info.channels = 1;
  info.format = format;
  SNDFILE* f = sf_open(path, SFM_WRITE, &info);
  if (!f) {
    std::fprintf(stderr, "%s\n", sf_strerror(nullptr));
    return 1;
  }
  std::vector<float> tone(static_cast<std::size_t>(seconds * info.samplerate));
  for (std::size_t i = 0; i < tone.size(); ++i)
    tone[i] = static_cast<float>(0.6 * std::sin(2 * M_PI * hz * static_cast<double>(i) / info.samplerate));
  sf_writef_float(f, tone.data(), static_cast<sf_count_t>(tone.size()));
  sf_close(f);
  return 0;
}

// Runs the event loop until the player has finished (at most `limitMs`).
void WaitWhilePlaying(const morna::ui::AlarmPlayer& player, int limitMs) {
  QElapsedTimer clock;
  clock.start();
  while (player.IsPlaying() && clock.elapsed() < limitMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
}

int Play(const QString& path, int restartMs) {
  auto player = morna::ui::MakeAlarmPlayer();
  try {
    player->Play(path);
    if (restartMs > 0) {
      WaitWhilePlaying(*player, restartMs);
      player->Play(path);
    }
  } catch (const morna::ui::Error& e) {
    std::fprintf(stderr, "%s\n", e.text().toLocal8Bit().constData());
    return 2;
  }
  std::printf("playing: %s\n", player->IsPlaying() ? "yes" : "no");
  WaitWhilePlaying(*player, 30000);
  std::printf("finished: %s\n", player->IsPlaying() ? "no" : "yes");
  return 0;
}

int Tick(const QString& path) {
  auto player = morna::ui::MakeAlarmPlayer();
  bool loopRan = false;
  for (int alarm = 0; alarm < 2; ++alarm) {
    QTimer::singleShot(0, [&] { loopRan = true; });
    try {
      player->Play(path);
    } catch (const morna::ui::SoundError& e) {
      if (e.cause() != morna::ui::SoundError::Cause::File) {
        std::fprintf(stderr, "%s\n", e.text().toLocal8Bit().constData());
        return 2;
      }
      player->PlayBuiltIn();
    }
    std::printf("alarm %d: event loop inside the player: %s\n", alarm + 1, loopRan ? "yes" : "no");
    QCoreApplication::processEvents();  // the queued call, now that the alarm is over
    loopRan = false;
  }
  WaitWhilePlaying(*player, 30000);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "make") == 0)
    return Make(argv[2], argv[3], argc > 4 ? std::atof(argv[4]) : 1.0,
                argc > 5 ? std::atof(argv[5]) : 880.0);
  const bool tick = argc >= 3 && std::strcmp(argv[1], "tick") == 0;
  if (tick || (argc >= 3 && std::strcmp(argv[1], "play") == 0)) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each line reaches the log at once
    QApplication app(argc, argv);
    const int rc = tick ? Tick(QFile::decodeName(argv[2]))
                        : Play(QFile::decodeName(argv[2]), argc > 3 ? std::atoi(argv[3]) : 0);
    // The sound system's client library can trip an assertion of its own
    // while Qt Multimedia tears it down at exit (seldom, under load); what
    // was to be measured has been played by then, so the tool leaves
    // without that teardown.
    std::fflush(nullptr);
    std::_Exit(rc);
  }
  std::fprintf(stderr, "usage: alarm_tool make <file> <kind> [seconds] [hz] | play <file> [restart-ms] | tick <file>\n");
  return 1;
}
