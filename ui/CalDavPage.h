// The settings dialog's page of the calendar server: address, user,
// password, the calendar chosen from those the server lists, a button that
// tries the connection and says what it found, and how the last sync went.
// The password goes to the system's secret store, never to the settings.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "core/settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace morna::caldav {
class Net;
}

namespace morna::ui {

class TCalDavPage : public QWidget {
  Q_OBJECT

 public:
  explicit TCalDavPage(QWidget* parent = nullptr);

  // The module, loaded when first needed (nullptr and the reason when it
  // cannot be); set by the dialog's owner.
  std::function<caldav::Net*(QString& why)> Net;

  void Fill(const Settings& s);
  // Into `s`; the password typed (empty: the stored one stays) is kept for
  // the owner to put in the secret store.
  void Store(Settings& s) const;
  QString TypedPassword() const;

  // Asks the server for the account's calendars and shows what it found.
  void BtnCalDavTryClick();

  QCheckBox* CbCalDavSync = nullptr;
  QLineEdit* EdCalDavAddress = nullptr;
  QLineEdit* EdCalDavUser = nullptr;
  QLineEdit* EdCalDavPassword = nullptr;
  QPushButton* BtnCalDavTry = nullptr;
  QComboBox* CmbCalDavCollection = nullptr;
  QLabel* LblCalDavResult = nullptr;
  QLabel* LblCalDavStatus = nullptr;  // how the last sync went, set by the owner
};

}  // namespace morna::ui
