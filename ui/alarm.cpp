#include "ui/alarm.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>
#include <optional>
#include <type_traits>

#include "sound/sound_abi.h"
#include "ui/errors.h"

namespace morna::ui {

namespace {

// The functions of a module that passed the version check.
struct SoundModule {
  MornaSoundNewFn create = nullptr;
  MornaSoundFreeFn free = nullptr;
  MornaSoundPlayFileFn playFile = nullptr;
  MornaSoundPlayChimeFn playChime = nullptr;
  MornaSoundStopFn stop = nullptr;
  MornaSoundIsPlayingFn isPlaying = nullptr;
  MornaSoundErrorFn error = nullptr;
};

// The module's functions, or why the module is not used: nothing but the
// version is asked of a module of another version, whose functions may
// take other arguments than these.
std::optional<SoundModule> Resolve(QLibrary& library, QString& why, bool& refused) {
  const auto version =
      reinterpret_cast<MornaSoundAbiVersionFn>(library.resolve(MORNA_SOUND_ABI_VERSION_SYMBOL));
  const int found = version ? version() : -1;
  if (found != MORNA_SOUND_ABI_VERSION) {
    refused = true;
    why = QCoreApplication::translate("AlarmSound", "%1（部品の版: %2、このプログラムの版: %3）")
              .arg(library.fileName(),
                   found < 0 ? QCoreApplication::translate("AlarmSound", "不明") : QString::number(found))
              .arg(MORNA_SOUND_ABI_VERSION);
    return std::nullopt;
  }
  SoundModule m;
  auto get = [&](auto& fn, const char* name) {
    fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(library.resolve(name));
    if (!fn && why.isEmpty()) why = library.fileName() + QStringLiteral(": ") + QLatin1String(name);
  };
  get(m.create, "morna_sound_new");
  get(m.free, "morna_sound_free");
  get(m.playFile, "morna_sound_play_file");
  get(m.playChime, "morna_sound_play_chime");
  get(m.stop, "morna_sound_stop");
  get(m.isPlaying, "morna_sound_is_playing");
  get(m.error, "morna_sound_error");
  if (!why.isEmpty()) return std::nullopt;
  return m;
}

class ModulePlayer : public AlarmPlayer {
 public:
  explicit ModulePlayer(QStringList folders) : folders_(std::move(folders)) {}
  ~ModulePlayer() override {
    if (player_) module_.free(player_);
  }

  void Play(const QString& path) override {
    MornaSoundPlayer* p = Player();
    Check(module_.playFile(p, path.toUtf8().constData()), p);
  }
  void PlayBuiltIn() override {
    MornaSoundPlayer* p = Player();
    Check(module_.playChime(p), p);
  }
  void Stop() override {
    if (player_) module_.stop(player_);
  }
  bool IsPlaying() const override { return player_ && module_.isPlaying(player_) != 0; }

 private:
  void Check(int status, MornaSoundPlayer* p) const {
    if (status == MORNA_SOUND_OK) return;
    const QString text = QString::fromUtf8(module_.error(p));
    throw SoundError(status == MORNA_SOUND_FILE_FAILED ? SoundError::Cause::File
                                                       : SoundError::Cause::Output,
                     text);
  }

  // The module's player, loaded at the first call. Without a usable module
  // the system's bell stands in for the chime (the chime itself is made by
  // the module), and the failure is reported like a missing output.
  MornaSoundPlayer* Player() {
    if (player_) return player_;
    QString reasons;
    QStringList refusals;
    for (const QString& folder : folders_) {
      // A library once loaded stays loaded for the rest of the run (the
      // QLibrary object going does not unload it).
      QLibrary library(folder + QStringLiteral("/morna_sound"));
      if (!library.load()) {
        reasons += QLatin1Char('\n') + library.errorString();
        continue;
      }
      QString why;
      bool refused = false;
      if (const std::optional<SoundModule> m = Resolve(library, why, refused)) {
        if (MornaSoundPlayer* p = m->create()) {
          module_ = *m;
          player_ = p;
          return p;
        }
        why = library.fileName() + QStringLiteral(": morna_sound_new");
      }
      if (refused) refusals << why;
      else reasons += QLatin1Char('\n') + why;
    }
    QApplication::beep();
    if (!refusals.isEmpty())
      throw SoundError(SoundError::Cause::Output,
                       QCoreApplication::translate("AlarmSound", 
                                                  "アラーム音を鳴らす部品 (morna_sound) の版がこのプログラムと合わないため、"
                                                  "使いません。代わりにシステムのベルを鳴らします。\n") +
                           refusals.join(QLatin1Char('\n')) + reasons);
    throw SoundError(SoundError::Cause::Output,
                     QCoreApplication::translate("AlarmSound", "アラーム音を鳴らす部品 (morna_sound) を読み込めません。") + reasons);
  }

  QStringList folders_;
  SoundModule module_;
  MornaSoundPlayer* player_ = nullptr;
};

}  // namespace

std::unique_ptr<AlarmPlayer> LoadAlarmPlayer(const QStringList& folders) {
  return std::make_unique<ModulePlayer>(folders);
}

std::unique_ptr<AlarmPlayer> LoadAlarmPlayer() {
  const QString programDir = QCoreApplication::applicationDirPath();
  return LoadAlarmPlayer({programDir, programDir + QStringLiteral("/" MORNA_SOUND_FROM_BIN)});
}

namespace {
AlarmPlayer* g_player = nullptr;
}  // namespace

AlarmPlayer& Player() {
  if (g_player) return *g_player;
  static const std::unique_ptr<AlarmPlayer> loaded = LoadAlarmPlayer();
  return *loaded;
}

void SetAlarmPlayer(AlarmPlayer* player) { g_player = player; }

}  // namespace morna::ui
