// One running program per settings file and per label data file. A second
// start of the same executable, or of a copy whose settings name the data
// file a running program uses, must not run beside the first one, where both
// would write the same label data file; it asks the running program to bring
// its registration window forward and ends.
//
// On POSIX systems the program listens on Unix-domain sockets in the user's
// runtime folder, or else in a folder of the user's own in the temporary
// folder (see core/instance.h for which folders are trusted). Only peers of
// the same user are heard, and only one short line each. On Windows the
// toolkit's local server (a named pipe open to this user only) does it.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morna::ui {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  // `keys` identify the files a program owns: the settings file and the
  // data file (their absolute paths). The sockets go to $XDG_RUNTIME_DIR or
  // the temporary folder.
  explicit SingleInstance(const QStringList& keys, QObject* parent = nullptr);
  // The same with the two folders given (tests).
  SingleInstance(const QStringList& keys, const QString& runtimeDir, const QString& tempDir,
                 QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when another program with any of the keys runs; it has then been
  // asked to show itself. False when this program is the first: from now on
  // it answers later starts (through any key) by calling `onShowRequest`.
  // False as well when there is no safe place to listen at; the program
  // then runs unguarded (see PlaceHeldByAnother).
  bool AnotherIsRunning(std::function<void()> onShowRequest);

  // Whether another account owns the folder meant for this user's sockets:
  // the check cannot run, and the user should be told so once.
  bool PlaceHeldByAnother() const;
  // That folder (POSIX systems), for the message.
  QString PlaceFolder() const;

  // The label file changed from the one of `oldKey` to the one of `newKey`:
  // stops listening under the old key and listens under the new one.
  // AnotherRuns: another program already listens under `newKey` (it is not
  // asked to show itself); No: there is no place to listen at.
  enum class Followed { Yes, AnotherRuns, No };
  Followed FollowKey(const QString& oldKey, const QString& newKey);

  // A script's command (core/cmdline EncodeRequest) is handed to the running
  // program, which answers with the command's outcome. The running program:
  // `onCommand` carries the command out and gives its reply line
  // (CommandReplyLine). A script: SendCommand hands it to the program that
  // runs for any of the keys; none when no program of this user's runs
  // (POSIX systems; on Windows the script always works on the file itself).
  void SetCommandHandler(std::function<std::string(const std::string& payload)> onCommand);
  std::optional<std::string> SendCommand(const std::string& payload, int waitMs = 15000);

  static QString ServerName(const QString& key);
  // Where the server of `key` listens (a socket file on POSIX systems, a
  // pipe name on Windows).
  QString ServerPath(const QString& key) const;
  // Where versions before this one listened: the socket file in the shared
  // temporary folder. A program there is asked to show itself only when the
  // socket and the program are this user's; the name is never listened at.
  QString OldServerPath(const QString& key) const;

 private:
  struct Listener;
  enum class Listened { Yes, No, AnotherRuns };
  // Asks the program listening under `name` (at the place, or at the old
  // place) to show itself, or only whether one listens when `show` is
  // false; true when one of this user's answered.
  bool Ask(const QString& name, bool show);
  Listened Listen(const QString& name);
  // Asks the program of any key to show itself; else listens under every
  // key (true when another program took one meanwhile).
  bool AskThenListen(std::function<void()> onShowRequest);
  // What a peer asked; returns the reply line, if any.
  std::string Heard(const std::string& line);

  QString runtimeDir_, tempDir_;
  QString place_;          // POSIX: the folder of the sockets; "" when there is none
  bool heldByAnother_ = false;
  QStringList names_;      // one server each
  std::vector<std::unique_ptr<Listener>> listeners_;
  std::function<void()> onShow_;
  std::function<std::string(const std::string&)> onCommand_;
};

}  // namespace morna::ui
