#include "ui/instance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include "core/instance.h"

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>
#include <thread>
#include <cstring>
#include <string>
#endif

namespace morna::ui {
namespace {

QString UniqueKey() { return QStringLiteral("/test/") + QUuid::createUuid().toString(); }

// A runtime folder and a temporary folder of the test's own.
struct Folders {
  QTemporaryDir runtime, temp;
  Folders() { QFile::setPermissions(temp.path(), QFileDevice::Permissions(0x7777)); }
  SingleInstance Make(const QStringList& keys) const {
    return SingleInstance(keys, runtime.path(), temp.path());
  }
};

TEST(SingleInstanceTest, ALaterStartThroughAnyKeyAsksTheFirstToShowItself) {
  Folders folders;
  const QString settings = UniqueKey(), data = UniqueKey();
  int shown = 0;
  SingleInstance first(QStringList{settings, data}, folders.runtime.path(), folders.temp.path());
  ASSERT_FALSE(first.AnotherIsRunning([&] { ++shown; }));
  EXPECT_EQ(first.PlaceFolder(), folders.runtime.path());
  EXPECT_TRUE(QFileInfo::exists(first.ServerPath(data)));

  SingleInstance sameSettings(QStringList{settings, UniqueKey()}, folders.runtime.path(),
                              folders.temp.path());
  EXPECT_TRUE(sameSettings.AnotherIsRunning([] {}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown == 1; }, 5000));

  // A copy with settings of its own that names the same data file.
  SingleInstance sameData(QStringList{UniqueKey(), data}, folders.runtime.path(),
                          folders.temp.path());
  EXPECT_TRUE(sameData.AnotherIsRunning([] {}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown == 2; }, 5000));

  SingleInstance other(QStringList{UniqueKey(), UniqueKey()}, folders.runtime.path(),
                       folders.temp.path());
  EXPECT_FALSE(other.AnotherIsRunning([] {}));
}

// After a switch of the label file the program is found through the new
// file, and the old one is free for a program of its own.
TEST(SingleInstanceTest, FollowsASwitchOfTheLabelFile) {
  Folders folders;
  const QString settings = UniqueKey(), oldData = UniqueKey(), newData = UniqueKey();
  int shown = 0;
  SingleInstance first(QStringList{settings, oldData}, folders.runtime.path(), folders.temp.path());
  ASSERT_FALSE(first.AnotherIsRunning([&] { ++shown; }));
  EXPECT_EQ(first.FollowKey(oldData, newData), SingleInstance::Followed::Yes);
  EXPECT_FALSE(QFileInfo::exists(first.ServerPath(oldData)));

  SingleInstance byNewFile(QStringList{UniqueKey(), newData}, folders.runtime.path(),
                           folders.temp.path());
  EXPECT_TRUE(byNewFile.AnotherIsRunning([] {}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown == 1; }, 5000));

  // The old file is taken by another program; switching back to it finds
  // that program and leaves it alone.
  int otherShown = 0;
  SingleInstance byOldFile(QStringList{UniqueKey(), oldData}, folders.runtime.path(),
                           folders.temp.path());
  ASSERT_FALSE(byOldFile.AnotherIsRunning([&] { ++otherShown; }));
  EXPECT_EQ(first.FollowKey(newData, oldData), SingleInstance::Followed::AnotherRuns);
  QTest::qWait(100);
  EXPECT_EQ(otherShown, 0);
}

#ifndef Q_OS_WIN

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

sockaddr_un Address(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.data(), path.size());
  return address;
}

// A client connected to `path`, or -1.
int ConnectTo(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address = Address(path);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Whether the listener closed `fd` within `ms`, the event loop running.
bool ClosedWithin(int fd, int ms) {
  return QTest::qWaitFor(
      [fd] {
        pollfd p{fd, POLLIN, 0};
        char c;
        return ::poll(&p, 1, 0) == 1 && ::recv(fd, &c, 1, MSG_DONTWAIT) <= 0;
      },
      ms);
}

// A program that was killed leaves its socket file behind, with nobody
// listening: the next start takes its place. Only this user may connect, and
// the file goes when the program ends.
TEST(SingleInstanceTest, TakesOverASocketLeftByAKilledProgramAndRemovesItsOwnAtTheEnd) {
  Folders folders;
  const QString key = UniqueKey();
  const std::string path = Native(folders.runtime.path() + "/" + SingleInstance::ServerName(key));
  {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = Address(path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
  }
  {
    SingleInstance first = folders.Make({key});
    ASSERT_FALSE(first.AnotherIsRunning([] {}));
    EXPECT_EQ(QFile::permissions(first.ServerPath(key)) & 0x0077, 0) << "group or others";
    SingleInstance second = folders.Make({key});
    EXPECT_TRUE(second.AnotherIsRunning([] {}));
  }
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
}

// Without a runtime folder the sockets go to a private folder in the
// temporary one, never to the shared temporary folder itself.
TEST(SingleInstanceTest, WithoutARuntimeFolderListensInAPrivateFolderOfTheTemporaryOne) {
  Folders folders;
  const QString key = UniqueKey();
  SingleInstance first(QStringList{key}, QString(), folders.temp.path());
  ASSERT_FALSE(first.AnotherIsRunning([] {}));
  const QString own = folders.temp.path() + "/" +
                      QString::fromStdString(PrivateTempFolderName(platform::CurrentUserId()));
  EXPECT_EQ(first.PlaceFolder(), own);
  EXPECT_TRUE(QFileInfo::exists(own + "/" + SingleInstance::ServerName(key)));
  EXPECT_FALSE(QFileInfo::exists(first.OldServerPath(key)));
  SingleInstance second(QStringList{key}, QString(), folders.temp.path());
  EXPECT_TRUE(second.AnotherIsRunning([] {}));
}

// Silence, noise, a line over the limit and an unknown request are each
// ignored, and the program still hears the next real request.
TEST(SingleInstanceTest, OnlyAWholeKnownLineIsHeardAndASilentPeerIsLetGo) {
  Folders folders;
  const QString key = UniqueKey();
  int shown = 0;
  SingleInstance first = folders.Make({key});
  ASSERT_FALSE(first.AnotherIsRunning([&] { ++shown; }));
  const std::string path = Native(first.ServerPath(key));

  const int silent = ConnectTo(path);
  ASSERT_GE(silent, 0);
  for (const std::string& noise :
       {std::string("hello\n"), std::string("show me\n"), std::string(kMaxRequestBytes + 10, 's'),
        std::string("show")}) {
    const int fd = ConnectTo(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::send(fd, noise.data(), noise.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(noise.size()));
    ::shutdown(fd, SHUT_WR);
    EXPECT_TRUE(ClosedWithin(fd, 5000)) << noise.substr(0, 20);
    ::close(fd);
  }
  EXPECT_EQ(shown, 0);
  const int asking = ConnectTo(path);
  ASSERT_EQ(::send(asking, "sh", 2, MSG_NOSIGNAL), 2);
  QTest::qWait(50);
  ASSERT_EQ(::send(asking, "ow\n", 3, MSG_NOSIGNAL), 3);
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown == 1; }, 5000));
  ::close(asking);
  EXPECT_TRUE(ClosedWithin(silent, 6000)) << "a silent peer is let go";
  ::close(silent);
}

// A later start hands a script's command to the running program and gets
// its answer; without a running program there is no answer.
TEST(SingleInstanceTest, ACommandIsCarriedOutByTheRunningProgramAndAnswered) {
  Folders folders;
  const QString key = UniqueKey();
  SingleInstance script = folders.Make({key});
  EXPECT_FALSE(script.SendCommand("payload", 500));

  SingleInstance first = folders.Make({key});
  ASSERT_FALSE(first.AnotherIsRunning([] {}));
  std::string given;
  first.SetCommandHandler([&](const std::string& payload) {
    given = payload;
    return CommandReplyLine(CommandReply{3, "out\n", std::string(100000, 'e')});
  });
  std::optional<std::string> line;
  std::atomic<bool> done = false;
  std::thread asking([&] {
    line = script.SendCommand(std::string("bytes\0\n\xff", 8), 5000);
    done = true;
  });
  EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 8000));
  asking.join();
  EXPECT_EQ(given, std::string("bytes\0\n\xff", 8));
  ASSERT_TRUE(line);
  const std::optional<CommandReply> reply = ParseCommandReply(*line);
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->exitCode, 3);
  EXPECT_EQ(reply->out, "out\n");
  EXPECT_EQ(reply->err.size(), 100000u);
}

// Runs `child` in a process of the user "nobody" while the event loop runs
// here; returns its exit code (-1 when it had to be killed).
template <typename F>
int AsNobody(F child) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
    ::_exit(child());
  }
  int status = 0;
  if (!QTest::qWaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, 10000)) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SingleInstanceTest, APeerOfAnotherUserIsNotHeard) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run a peer as another user";
  Folders folders;
  QFile::setPermissions(folders.runtime.path(), QFileDevice::Permissions(0x7755));
  const QString key = UniqueKey();
  int shown = 0;
  SingleInstance first = folders.Make({key});
  ASSERT_FALSE(first.AnotherIsRunning([&] { ++shown; }));
  const std::string path = Native(first.ServerPath(key));
  // Even where the socket file is opened to everybody.
  ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
  const int code = AsNobody([&path] {
    const int fd = ConnectTo(path);
    if (fd < 0) return 2;
    const std::string line = ShowRequestLine();
    if (::send(fd, line.data(), line.size(), MSG_NOSIGNAL) < 0) return 0;  // closed at once
    timeval wait{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    char c;
    const ssize_t n = ::recv(fd, &c, 1, 0);
    return n == 0 || (n < 0 && errno == ECONNRESET) ? 0 : 3;  // the listener hangs up
  });
  EXPECT_EQ(code, 0);
  QTest::qWait(200);
  EXPECT_EQ(shown, 0);
}

// Another account listening at the place earlier versions used (the shared
// temporary folder) is neither asked nor believed, nor is its socket removed.
TEST(SingleInstanceTest, AnotherAccountAtTheOldPlaceIsNeverConnectedTo) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run a listener as another user";
  Folders folders;
  const QString key = UniqueKey();
  const std::string oldPath = Native(folders.temp.path() + "/" + SingleInstance::ServerName(key));
  int ready[2], go[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(go), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = Address(oldPath);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) ::_exit(98);
    ::chmod(oldPath.c_str(), 0777);
    ::listen(fd, 8);
    char c = 1;
    (void)!::write(ready[1], &c, 1);
    (void)!::read(go[0], &c, 1);
    // Anybody who connected waits in the queue.
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
    ::_exit(::accept(fd, nullptr, nullptr) >= 0 ? 1 : 0);
  }
  ::close(ready[1]);
  ::close(go[0]);
  char c = 0;
  const bool listening = ::read(ready[0], &c, 1) == 1;
  if (listening) {
    SingleInstance first = folders.Make({key});
    EXPECT_FALSE(first.AnotherIsRunning([] {}));
    SingleInstance second = folders.Make({key});
    EXPECT_TRUE(second.AnotherIsRunning([] {})) << "the user's own program is still found";
  }
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(oldPath)));
  (void)!::write(go[1], &c, 1);
  ::close(go[1]);
  ::close(ready[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(listening) << "the other account's listener did not start";
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "connected to";
}

// A private folder that another account made first: the program runs
// unguarded and says so; the folder is left as it is.
TEST(SingleInstanceTest, APrivateFolderOfAnotherAccountIsHeldByAnotherAndLeftAlone) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give a folder to another account";
  Folders folders;
  const QString own = folders.temp.path() + "/" +
                      QString::fromStdString(PrivateTempFolderName(platform::CurrentUserId()));
  ASSERT_EQ(::mkdir(Native(own).c_str(), 0777), 0);
  ASSERT_EQ(::chmod(Native(own).c_str(), 0777), 0);
  ASSERT_EQ(::chown(Native(own).c_str(), 65534, 65534), 0);
  const QString key = UniqueKey();
  SingleInstance first(QStringList{key}, QString(), folders.temp.path());
  EXPECT_FALSE(first.AnotherIsRunning([] {}));
  EXPECT_TRUE(first.PlaceHeldByAnother());
  EXPECT_EQ(first.PlaceFolder(), own);
  EXPECT_TRUE(QDir(own).isEmpty());
  EXPECT_EQ(first.FollowKey(key, UniqueKey()), SingleInstance::Followed::No);
}
#endif

}  // namespace
}  // namespace morna::ui
