// One running program per settings file and per label data file. A second
// start of the same executable, or of a copy whose settings name the data
// file a running program uses, must not run beside the first one, where both
// would write the same label data file; it asks the running program to bring
// its registration window forward and ends.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace morna::ui {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  // `keys` identify the files a program owns: the settings file and the
  // data file (their absolute paths).
  explicit SingleInstance(const QStringList& keys, QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when another program with any of the keys runs; it has then been
  // asked to show itself. False when this program is the first: from now on
  // it answers later starts (through any key) by calling `onShowRequest`.
  bool AnotherIsRunning(std::function<void()> onShowRequest);

  static QString ServerName(const QString& key);

 private:
  QStringList names_;  // one local server each, owned by this object
  std::function<void()> onShow_;
};

}  // namespace morna::ui
