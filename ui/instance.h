// One running program per settings file. A second start of the same
// executable must not run beside the first one, where both would write the
// same label data file; it asks the running program to bring its
// registration window forward and ends.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace morna::ui {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  // `key` identifies the settings file (its absolute path).
  explicit SingleInstance(const QString& key, QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when another program with the same key runs; it has then been asked
  // to show itself. False when this program is the first: from now on it
  // answers later starts by calling `onShowRequest`.
  bool AnotherIsRunning(std::function<void()> onShowRequest);

  static QString ServerName(const QString& key);

 private:
  QString name_;
  QLocalServer* server_ = nullptr;
  std::function<void()> onShow_;
};

}  // namespace morna::ui
