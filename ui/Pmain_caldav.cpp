// The registration window's part in keeping the labels in step with a
// calendar server: starting and stopping the sync as the settings say, and
// telling how it went.
#include <QLocale>

#include "ui/Pmain.h"
#include "ui/TaskTray.h"
#include "ui/caldav.h"
#include "ui/codec.h"
#include "ui/notice.h"

namespace morna::ui {

void TPstMain::StartCalDav() {
  calDav_.reset();
  calDavProblem_.clear();
  const Settings& s = state_.Settings;
  if (s.CalDavSync != 1 || s.CalDavCollection.empty()) {
    ShowCalDavTip();
    return;
  }
  if (!calDavNet_) {
    CalDavModule module = LoadCalDavModule();
    if (!module.net) {
      calDavProblem_ = module.error;
      ShowNotice(this, module.error);
      ShowCalDavTip();
      return;
    }
    calDavNet_ = std::move(module.net);
  }
  // The settings file's texts are Shift-JIS bytes like every other text.
  const QString collection = FromSjis(s.CalDavCollection);
  const QString user = FromSjis(s.CalDavUser);
  calDavNet_->ReadSecret(CalDavSecretKey(user, collection), [this, collection, user](
                                                                const caldav::SecretResult& secret) {
    if (secret.status != caldav::SecretStatus::Ok) {
      calDavProblem_ =
          secret.status == caldav::SecretStatus::NoStore
              ? tr("パスワードを保存する場所 (システムのキーリング) がないため、カレンダーサーバーとの同期はオフのままです。")
          : secret.status == caldav::SecretStatus::NotFound
              ? tr("カレンダーサーバーのパスワードがキーリングにありません。設定画面の「カレンダー」タブで入力してください。")
              : tr("キーリングからパスワードを読めません: %1").arg(secret.error);
      ShowNotice(this, calDavProblem_);
      ShowCalDavTip();
      return;
    }
    CalDavSync::Host host;
    host.labelPath = [this] { return state_.Labels.Path(); };
    host.labels = [this] { return LabelsOf(state_.Labels.Table()); };
    host.apply = [this](const LabelChange& change) {
      ChangeLabels(change, Entry::Keep);
      return LabelsOf(state_.Labels.Table());
    };
    host.settings = [this] { return CommandSettingsFrom(state_.Settings, state_.Now()); };
    calDav_ = std::make_unique<CalDavSync>(*calDavNet_, CalDavAccount{QUrl(collection), user, secret.value},
                                           std::move(host));
    connect(calDav_.get(), &CalDavSync::RoundDone, this, [this] { Guard([this] { ShowCalDavTip(); }); });
    connect(calDav_.get(), &CalDavSync::Outage, this, [this](const QString& error) {
      Guard([this, error] {
        ShowNotice(this, tr("カレンダーサーバーと同期できません: %1\n"
                            "ラベルはこれまでどおり使えます。変更はサーバーに届くようになったときに送ります。")
                             .arg(error));
      });
    });
    calDav_->Start();
  });
}

QString TPstMain::CalDavStatusText() const {
  if (!calDavProblem_.isEmpty()) return calDavProblem_;
  if (!calDav_) return tr("同期はオフです。");
  QString text;
  const QDateTime last = calDav_->LastSuccess();
  text = last.isValid() ? tr("最後に同期した時刻: %1").arg(last.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")))
                        : tr("まだ同期していません。");
  if (!calDav_->LastError().isEmpty())
    text += QLatin1Char('\n') + tr("最後のエラー: %1").arg(calDav_->LastError());
  return text;
}

// The icon's tip: the program's name, and the sync's state while it is on.
void TPstMain::ShowCalDavTip() {
  if (!TaskTray) return;
  QString tip = kAppTitle;
  if (!calDavProblem_.isEmpty() || (calDav_ && calDav_->Failing())) {
    tip += QLatin1Char(' ') + tr("同期エラー");
  } else if (calDav_ && calDav_->LastSuccess().isValid()) {
    tip += QLatin1Char(' ') + tr("同期 %1").arg(calDav_->LastSuccess().toString(QStringLiteral("HH:mm")));
  }
  TaskTray->SetTipString(tip);
}

}  // namespace morna::ui
