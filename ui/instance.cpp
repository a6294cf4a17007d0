#include "ui/instance.h"

#include <QCryptographicHash>

#ifdef Q_OS_WIN
#include <QLocalServer>
#include <QLocalSocket>
#else
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace morna::ui {

namespace {
constexpr char kShowRequest[] = "show\n";
}  // namespace

SingleInstance::SingleInstance(const QStringList& keys, QObject* parent) : QObject(parent) {
  for (const QString& key : keys) {
    if (!names_.contains(ServerName(key))) names_ << ServerName(key);
  }
}

QString SingleInstance::ServerName(const QString& key) {
  const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1);
  return QStringLiteral("Moranote-") + QString::fromLatin1(hash.toHex().left(16));
}

void SingleInstance::ShowRequested() {
  if (onShow_) onShow_();
}

bool SingleInstance::AnotherIsRunning(std::function<void()> onShowRequest) {
  for (const QString& name : names_) {
    if (AskToShow(name)) return true;
  }
  onShow_ = std::move(onShowRequest);
  for (const QString& name : names_) {
    if (Listen(name) == Listened::AnotherRuns) return true;
  }
  return false;
}

#ifdef Q_OS_WIN

namespace {
constexpr int kConnectWaitMs = 1000;
}  // namespace

struct SingleInstance::Listener {
  std::unique_ptr<QLocalServer> server;
};

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerPath(const QString& key) { return ServerName(key); }

bool SingleInstance::AskToShow(const QString& name) {
  QLocalSocket probe;
  probe.connectToServer(name);
  if (!probe.waitForConnected(kConnectWaitMs)) return false;
  probe.write(kShowRequest);
  probe.waitForBytesWritten(kConnectWaitMs);
  probe.disconnectFromServer();
  return true;
}

SingleInstance::Listened SingleInstance::Listen(const QString& name) {
  auto server = std::make_unique<QLocalServer>();
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(name)) {
    // Left behind by a program that crashed: nobody answered, so it can go.
    QLocalServer::removeServer(name);
    if (!server->listen(name)) return Listened::No;
  }
  QLocalServer* s = server.get();
  connect(s, &QLocalServer::newConnection, this, [this, s] {
    while (QLocalSocket* peer = s->nextPendingConnection()) {
      connect(peer, &QLocalSocket::readyRead, peer, [this, peer] {
        if (peer->readAll().contains("show")) ShowRequested();
        peer->deleteLater();
      });
      connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    }
  });
  listeners_.push_back(std::make_unique<Listener>(Listener{std::move(server)}));
  return Listened::Yes;
}

#else

// A Unix-domain socket in the temporary folder, at the place and under the
// name earlier versions used (through the toolkit's local server), so that a
// program of either kind finds the other. Kept to plain system calls: the
// toolkit's network module would be loaded at every start for this alone.

namespace {

bool FillAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  if (path.size() >= sizeof address.sun_path) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.data(), path.size());
  return true;
}

sockaddr* AsSockaddr(sockaddr_un& address) { return reinterpret_cast<sockaddr*>(&address); }

QString SocketPath(const QString& name) { return QDir::tempPath() + QLatin1Char('/') + name; }

}  // namespace

struct SingleInstance::Listener {
  std::string path;
  int fd = -1;
  ino_t inode = 0;  // of the socket file bound, which is the one to remove
  std::unique_ptr<QSocketNotifier> notifier;

  ~Listener() {
    notifier.reset();
    ::close(fd);
    // Only our own socket file: a program that found it dead may have
    // replaced it with its own.
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && st.st_ino == inode) ::unlink(path.c_str());
  }
};

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerPath(const QString& key) { return SocketPath(ServerName(key)); }

bool SingleInstance::AskToShow(const QString& name) {
  sockaddr_un address;
  if (!FillAddress(QFile::encodeName(SocketPath(name)).toStdString(), address))
    return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  bool answered = false;
  if (::connect(fd, AsSockaddr(address), sizeof address) == 0) {
    // The running program's socket takes these few bytes at once.
    ::send(fd, kShowRequest, sizeof kShowRequest - 1, MSG_NOSIGNAL);
    answered = true;
  } else {
    // A full queue of waiting connections still means a program listens.
    answered = errno == EAGAIN;
  }
  ::close(fd);
  return answered;
}

SingleInstance::Listened SingleInstance::Listen(const QString& name) {
  auto listener = std::make_unique<Listener>();
  listener->path = QFile::encodeName(SocketPath(name)).toStdString();
  sockaddr_un address;
  if (!FillAddress(listener->path, address)) return Listened::No;
  listener->fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listener->fd < 0) return Listened::No;
  if (::bind(listener->fd, AsSockaddr(address), sizeof address) != 0) {
    if (errno != EADDRINUSE) return Listened::No;
    // Nobody answered there a moment ago, so the socket was left behind by a
    // program that crashed -- unless a program started at the same moment
    // has just bound it.
    if (AskToShow(name)) return Listened::AnotherRuns;
    ::unlink(listener->path.c_str());
    if (::bind(listener->fd, AsSockaddr(address), sizeof address) != 0) return Listened::No;
  }
  struct stat st {};
  ::lstat(listener->path.c_str(), &st);
  listener->inode = st.st_ino;
  // Only this user may connect (connecting needs the right to write).
  ::chmod(listener->path.c_str(), S_IRUSR | S_IWUSR);
  if (::listen(listener->fd, 8) != 0) return Listened::No;

  const int fd = listener->fd;
  listener->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  connect(listener->notifier.get(), &QSocketNotifier::activated, this, [this, fd] {
    int peer;
    while ((peer = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
      auto* reader = new QSocketNotifier(peer, QSocketNotifier::Read, this);
      connect(reader, &QObject::destroyed, [peer] { ::close(peer); });
      connect(reader, &QSocketNotifier::activated, this, [this, reader, peer] {
        char buffer[64];
        const ssize_t n = ::read(peer, buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
        reader->setEnabled(false);
        reader->deleteLater();
        if (n > 0 && std::string_view(buffer, static_cast<std::size_t>(n)).find("show") !=
                         std::string_view::npos)
          ShowRequested();
      });
    }
  });
  listeners_.push_back(std::move(listener));
  return Listened::Yes;
}

#endif

}  // namespace morna::ui
