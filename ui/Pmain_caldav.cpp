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

caldav::Net* TPstMain::CalDavNet(QString& why) {
  if (!calDavNet_) {
    CalDavModule module = LoadCalDavModule();
    if (!module.net) {
      why = module.error;
      return nullptr;
    }
    calDavNet_ = std::move(module.net);
  }
  return calDavNet_.get();
}

void TPstMain::StartCalDav(const QString& typedPassword) {
  calDav_.reset();
  calDavProblem_.clear();
  const Settings& s = state_.Settings;
  if (s.CalDavSync != 1 || s.CalDavCollection.empty()) {
    ShowCalDavTip();
    return;
  }
  QString why;
  caldav::Net* net = CalDavNet(why);
  if (!net) {
    calDavProblem_ = why;
    ShowNotice(this, why);
    ShowCalDavTip();
    return;
  }
  // The settings file's texts are Shift-JIS bytes like every other text.
  const QString collection = FromSjis(s.CalDavCollection);
  const QString user = FromSjis(s.CalDavUser);
  const QString key = CalDavSecretKey(user, collection);
  const auto run = [this, collection, user](const QString& password) {
    CalDavSync::Host host;
    host.labelPath = [this] { return state_.Labels.Path(); };
    host.labels = [this] { return LabelsOf(state_.Labels.Table()); };
    host.apply = [this](const LabelChange& change) {
      ChangeLabels(change, Entry::Keep);
      return LabelsOf(state_.Labels.Table());
    };
    host.settings = [this] { return CommandSettingsFrom(state_.Settings, state_.Now()); };
    host.busy = [this] { return onRoad_; };
    calDav_ = std::make_unique<CalDavSync>(*calDavNet_, CalDavAccount{QUrl(collection), user, password},
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
  };
  // Without a secret store there is no sync: the password is kept nowhere
  // else. The setting stays as it is, for a keyring that is only locked now.
  const auto refuse = [this](const caldav::SecretResult& secret) {
    calDavProblem_ =
        secret.status == caldav::SecretStatus::NotFound
            ? tr("カレンダーサーバーのパスワードがキーリングにありません。設定画面の「CalDAV」タブで入力してください。")
            : tr("パスワードを保存する場所 (システムのキーリング) を使えないため、カレンダーサーバーとは同期しません: %1")
                  .arg(secret.error);
    ShowNotice(this, calDavProblem_);
    ShowCalDavTip();
  };
  if (!typedPassword.isEmpty()) {
    net->WriteSecret(key, typedPassword, [run, refuse, typedPassword](const caldav::SecretResult& written) {
      if (written.status != caldav::SecretStatus::Ok) return refuse(written);
      run(typedPassword);
    });
    return;
  }
  net->ReadSecret(key, [run, refuse](const caldav::SecretResult& secret) {
    if (secret.status != caldav::SecretStatus::Ok) return refuse(secret);
    run(secret.value);
  });
}

QString TPstMain::CalDavStatusText() const {
  if (!calDavProblem_.isEmpty()) return calDavProblem_;
  if (!calDav_) return tr("同期はオフです。");
  QString text;
  const QDateTime last = calDav_->LastSuccess();
  text = last.isValid() ? tr("最後に同期した時刻: %1").arg(last.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")))
                        : tr("まだ同期していません。");
  if (calDav_->ChangedChars() > 0)
    text += QLatin1Char('\n') +
            tr("サーバーの予定のうち Shift-JIS で表せない文字 %1 個を、似た文字か「?」に置き換えました。")
                .arg(calDav_->ChangedChars());
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
