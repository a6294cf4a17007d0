#include "ui/instance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QUuid>

#ifndef Q_OS_WIN
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#endif

namespace morna::ui {
namespace {

QString UniqueKey() { return QStringLiteral("/test/") + QUuid::createUuid().toString(); }

TEST(SingleInstanceTest, ALaterStartThroughAnyKeyAsksTheFirstToShowItself) {
  const QString settings = UniqueKey(), data = UniqueKey();
  int shown = 0;
  SingleInstance first({settings, data});
  ASSERT_FALSE(first.AnotherIsRunning([&] { ++shown; }));

  SingleInstance sameSettings({settings, UniqueKey()});
  EXPECT_TRUE(sameSettings.AnotherIsRunning([] {}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown == 1; }, 5000));

  // A copy with settings of its own that names the same data file.
  SingleInstance sameData({UniqueKey(), data});
  EXPECT_TRUE(sameData.AnotherIsRunning([] {}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown == 2; }, 5000));

  SingleInstance other({UniqueKey(), UniqueKey()});
  EXPECT_FALSE(other.AnotherIsRunning([] {}));
}

#ifndef Q_OS_WIN
// A program that crashed leaves its socket file behind, with nobody
// listening: the next start takes its place. Only this user may connect, and
// the file goes when the program ends.
TEST(SingleInstanceTest, TakesOverASocketLeftByACrashAndRemovesItsOwnAtTheEnd) {
  const QString key = UniqueKey();
  const QByteArray path = QFile::encodeName(SingleInstance::ServerPath(key));
  {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
  }
  ASSERT_TRUE(QFileInfo::exists(QString::fromLocal8Bit(path)));
  {
    SingleInstance first({key});
    ASSERT_FALSE(first.AnotherIsRunning([] {}));
    EXPECT_EQ(QFile::permissions(QString::fromLocal8Bit(path)) & 0x0077, 0) << "group or others";
    SingleInstance second({key});
    EXPECT_TRUE(second.AnotherIsRunning([] {}));
  }
  EXPECT_FALSE(QFileInfo::exists(QString::fromLocal8Bit(path)));
}
#endif

}  // namespace
}  // namespace morna::ui
