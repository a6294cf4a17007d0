#include "ui/alarm.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

#include "ui/errors.h"

namespace morna::ui {

namespace {

class ModulePlayer : public AlarmPlayer {
 public:
  void Play(const QString& path) override { Player().Play(path); }
  void PlayBuiltIn() override { Player().PlayBuiltIn(); }
  void Stop() override {
    if (player_) player_->Stop();
  }
  bool IsPlaying() const override { return player_ && player_->IsPlaying(); }

 private:
  AlarmPlayer& Player() {
    if (!player_) player_.reset(Load());
    return *player_;
  }

  static AlarmPlayer* Load() {
    using NewPlayer = AlarmPlayer* (*)();
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList folders = {programDir,
                                 programDir + QStringLiteral("/" MORNA_SOUND_FROM_BIN)};
    QString reasons;
    for (const QString& folder : folders) {
      // The library stays loaded for the rest of the run.
      auto* library = new QLibrary(folder + QStringLiteral("/morna_sound"));
      if (library->load()) {
        if (auto make = reinterpret_cast<NewPlayer>(library->resolve("MornaNewAlarmPlayer")))
          return make();
      }
      reasons += QLatin1Char('\n') + library->errorString();
      delete library;
    }
    throw SoundError(SoundError::Cause::Output,
                     QStringLiteral("アラーム音を鳴らす部品 (morna_sound) を読み込めません。") + reasons);
  }

  std::unique_ptr<AlarmPlayer> player_;
};

}  // namespace

std::unique_ptr<AlarmPlayer> LoadAlarmPlayer() { return std::make_unique<ModulePlayer>(); }

}  // namespace morna::ui
