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
#include <memory>
#include <vector>

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
  // Where the server of `key` listens (a socket file on POSIX systems, a
  // pipe name on Windows).
  static QString ServerPath(const QString& key);

 private:
  struct Listener;
  enum class Listened { Yes, No, AnotherRuns };
  // Asks the program listening under `name` to show itself; true when one
  // answered.
  bool AskToShow(const QString& name);
  Listened Listen(const QString& name);
  void ShowRequested();

  QStringList names_;  // one server each
  std::vector<std::unique_ptr<Listener>> listeners_;
  std::function<void()> onShow_;
};

}  // namespace morna::ui
