#include "ui/CalDavPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

#include "caldav/caldav_abi.h"
#include "ui/caldav.h"
#include "ui/codec.h"
#include "ui/controls.h"
#include "ui/errors.h"

namespace morna::ui {

TCalDavPage::TCalDavPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("CalDav"));
  CbCalDavSync = Place(new QCheckBox(tr("カレンダーサーバーと同期する (CalDAV)"), this), "CbCalDavSync",
                       8, 6, 390, 18);
  auto caption = [this](const QString& text, const char* name, int top) {
    Place(new QLabel(text, this), QString::fromLatin1(name), 8, top + 2, 100, 17);
  };
  caption(tr("アドレス:"), "LblCalDavAddress", 28);
  EdCalDavAddress = Place(new QLineEdit(this), "EdCalDavAddress", 110, 28, 295, 20);
  EdCalDavAddress->setPlaceholderText(QStringLiteral("https://example.org/remote.php/dav"));
  caption(tr("ユーザー名:"), "LblCalDavUser", 52);
  EdCalDavUser = Place(new QLineEdit(this), "EdCalDavUser", 110, 52, 180, 20);
  caption(tr("パスワード:"), "LblCalDavPassword", 76);
  EdCalDavPassword = Place(new QLineEdit(this), "EdCalDavPassword", 110, 76, 180, 20);
  EdCalDavPassword->setEchoMode(QLineEdit::Password);
  EdCalDavPassword->setPlaceholderText(tr("キーリングに保存したもの"));
  BtnCalDavTry = Place(new QPushButton(tr("接続を試す"), this), "BtnCalDavTry", 300, 76, 105, 20);
  caption(tr("カレンダー:"), "LblCalDavCollection", 100);
  CmbCalDavCollection = Place(new QComboBox(this), "CmbCalDavCollection", 110, 100, 295, 20);
  CmbCalDavCollection->setEditable(true);
  LblCalDavResult = Place(new QLabel(this), "LblCalDavResult", 8, 124, 397, 34);
  LblCalDavResult->setWordWrap(true);
  LblCalDavStatus = Place(new QLabel(this), "LblCalDavStatus", 8, 160, 397, 50);
  LblCalDavStatus->setWordWrap(true);
  ConnectGuarded(BtnCalDavTry, &QPushButton::clicked, this, &TCalDavPage::BtnCalDavTryClick);
}

void TCalDavPage::Fill(const Settings& s) {
  CbCalDavSync->setChecked(s.CalDavSync == 1);
  EdCalDavAddress->setText(FromSjis(s.CalDavAddress));
  EdCalDavUser->setText(FromSjis(s.CalDavUser));
  EdCalDavPassword->clear();
  CmbCalDavCollection->clear();
  if (!s.CalDavCollection.empty()) CmbCalDavCollection->addItem(FromSjis(s.CalDavCollection));
  LblCalDavResult->clear();
}

void TCalDavPage::Store(Settings& s) const {
  s.CalDavSync = CbCalDavSync->isChecked() ? 1 : 0;
  s.CalDavAddress = ToSjis(EdCalDavAddress->text().trimmed());
  s.CalDavUser = ToSjis(EdCalDavUser->text().trimmed());
  // A calendar chosen from the list stands for its URL; one typed is a URL.
  const int at = CmbCalDavCollection->currentIndex();
  const QString url = at >= 0 && CmbCalDavCollection->itemText(at) == CmbCalDavCollection->currentText() &&
                              CmbCalDavCollection->itemData(at).isValid()
                          ? CmbCalDavCollection->itemData(at).toString()
                          : CmbCalDavCollection->currentText().trimmed();
  s.CalDavCollection = ToSjis(url);
}

QString TCalDavPage::TypedPassword() const { return EdCalDavPassword->text(); }

void TCalDavPage::BtnCalDavTryClick() {
  QString why;
  caldav::Net* net = Net ? Net(why) : nullptr;
  if (!net) {
    LblCalDavResult->setText(why);
    return;
  }
  const QUrl address = QUrl::fromUserInput(EdCalDavAddress->text().trimmed());
  if (!address.isValid() || address.host().isEmpty()) {
    LblCalDavResult->setText(tr("サーバーのアドレスを入力してください。"));
    return;
  }
  const QString user = EdCalDavUser->text().trimmed();
  LblCalDavResult->setText(tr("接続しています..."));
  BtnCalDavTry->setEnabled(false);
  QPointer<TCalDavPage> self(this);
  const auto look = [self, net, address, user](const QString& password) {
    FindCalendars(*net, address, user, password, [self](const CalDavFound& found) {
      if (!self) return;
      self->BtnCalDavTry->setEnabled(true);
      if (!found.error.isEmpty()) {
        self->LblCalDavResult->setText(found.error);
        return;
      }
      const QString before = self->CmbCalDavCollection->currentText();
      self->CmbCalDavCollection->clear();
      for (const auto& [url, name] : found.calendars)
        self->CmbCalDavCollection->addItem(name + QStringLiteral(" - ") + url, url);
      for (int i = 0; i < self->CmbCalDavCollection->count(); ++i) {
        if (self->CmbCalDavCollection->itemData(i).toString() == before)
          self->CmbCalDavCollection->setCurrentIndex(i);
      }
      self->LblCalDavResult->setText(
          tr("接続できました。カレンダーが %1 個見つかりました。").arg(found.calendars.size()));
    });
  };
  // The password typed, else the one in the secret store for the calendar
  // set now.
  if (!TypedPassword().isEmpty()) return look(TypedPassword());
  net->ReadSecret(CalDavSecretKey(user, CmbCalDavCollection->currentData().isValid()
                                            ? CmbCalDavCollection->currentData().toString()
                                            : CmbCalDavCollection->currentText()),
                  [self, look](const caldav::SecretResult& secret) {
                    if (!self) return;
                    if (secret.status != caldav::SecretStatus::Ok &&
                        secret.status != caldav::SecretStatus::NotFound) {
                      self->BtnCalDavTry->setEnabled(true);
                      self->LblCalDavResult->setText(
                          tr("パスワードを保存する場所 (システムのキーリング) を使えません。同期はオンにできません: %1")
                              .arg(secret.error));
                      return;
                    }
                    look(secret.value);
                  });
}

}  // namespace morna::ui
