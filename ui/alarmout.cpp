#include "ui/alarmout.h"

#include <QCoreApplication>
#include <QTimer>

#include "ui/alarm.h"
#include "ui/codec.h"
#include "ui/errors.h"

namespace morna::ui {

void AlarmSound::Sound(const std::string& waveFile) {
  AlarmOutcome outcome;
  QString fileText, outputText;
  auto playBuiltIn = [&] {
    try {
      player_.PlayBuiltIn();
    } catch (const Error& e) {
      outcome.outputFailed = true;
      outputText = e.text();
    }
  };
  if (waveFile.empty()) {
    playBuiltIn();
  } else {
    try {
      player_.Play(FromSjis(waveFile));
    } catch (const SoundError& e) {
      if (e.cause() == SoundError::Cause::Output) {
        outcome.outputFailed = true;
        outputText = e.text();
      } else {
        outcome.fileFailed = true;
        fileText = e.text();
      }
    } catch (const Error& e) {
      outcome.fileFailed = true;
      fileText = e.text();
    }
    // The alarm is still heard: the chime stands in for the file.
    if (outcome.fileFailed) playBuiltIn();
  }

  const AlarmTell tell = reports_.After(waveFile, outcome);
  if (tell.file) {
    Report(AlarmTell{true, false},
           outcome.outputFailed
               ? fileText
               : fileText + QCoreApplication::translate("AlarmSound",
                                                       "\n\n代わりに内蔵のアラーム音を鳴らしました。"
                                                       "設定画面の「Data」タブで音を選び直せます。"));
  }
  if (tell.output) {
    Report(AlarmTell{false, true},
           outputText + QCoreApplication::translate("AlarmSound",
                                                   "\n\nラベルの色は変わり続けます。"
                                                   "この知らせは音が鳴るようになるまで再び出ません。"));
  }
}

void AlarmSound::Report(AlarmTell tell, const QString& text) {
  const bool scheduled = pendingTell_.Any();
  pendingTell_.file = pendingTell_.file || tell.file;
  pendingTell_.output = pendingTell_.output || tell.output;
  pendingTexts_ << text;
  if (scheduled) return;
  // The box comes after the handler, so that one box tells every failure of
  // the tick, and it does not wait for the user: the schedule timer is
  // never held by it.
  QTimer::singleShot(0, this, [this] {
    const AlarmTell told = pendingTell_;
    const QString text = pendingTexts_.join(QStringLiteral("\n\n"));
    pendingTell_ = {};
    pendingTexts_.clear();
    TellError(text, this, [this, told] { reports_.Closed(told); });
  });
}

}  // namespace morna::ui
