#include "ui/instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTimer>
#include <string>

#include "core/instance.h"

#ifdef Q_OS_WIN
#include <QLocalServer>
#include <QLocalSocket>
#else
#include <QFile>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <poll.h>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "core/platform.h"
#endif

namespace morna::ui {

namespace {
// How long a peer may take to send its line before it is let go.
constexpr int kPeerWaitMs = 2000;
}  // namespace

SingleInstance::SingleInstance(const QStringList& keys, QObject* parent)
    : SingleInstance(keys, qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(), parent) {}

SingleInstance::SingleInstance(const QStringList& keys, const QString& runtimeDir,
                               const QString& tempDir, QObject* parent)
    : QObject(parent), runtimeDir_(runtimeDir), tempDir_(tempDir) {
  for (const QString& key : keys) {
    if (!names_.contains(ServerName(key))) names_ << ServerName(key);
  }
}

QString SingleInstance::ServerName(const QString& key) {
#ifdef Q_OS_WIN
  // Pipe names are one namespace for the whole computer: the user's name
  // makes them per-user, so that two users of one shared copy do not meet.
  const QByteArray named = (qEnvironmentVariable("USERNAME") + QLatin1Char('|') + key).toUtf8();
#else
  const QByteArray named = key.toUtf8();
#endif
  const QByteArray hash = QCryptographicHash::hash(named, QCryptographicHash::Sha1);
  return QStringLiteral("Moranote-") + QString::fromLatin1(hash.toHex().left(16));
}

bool SingleInstance::PlaceHeldByAnother() const { return heldByAnother_; }

QString SingleInstance::PlaceFolder() const { return place_; }

std::string SingleInstance::Heard(const std::string& line) {
  const InstanceRequest request = ParseRequest(line);
  switch (request.kind) {
    case InstanceRequest::Kind::Show:
      if (onShow_) onShow_();
      break;
    case InstanceRequest::Kind::Command:
      if (const std::optional<std::string> payload = FromHex(request.argument);
          payload && onCommand_)
        return onCommand_(*payload);
      break;
    case InstanceRequest::Kind::Unknown:
      break;  // a request of a later version, or noise
  }
  return {};
}

bool SingleInstance::AskThenListen(std::function<void()> onShowRequest) {
  for (const QString& name : names_) {
    if (Ask(name, true)) return true;
  }
  onShow_ = std::move(onShowRequest);
  for (const QString& name : names_) {
    if (Listen(name) == Listened::AnotherRuns) return true;
  }
  return false;
}

void SingleInstance::SetCommandHandler(
    std::function<std::string(const std::string& payload)> onCommand) {
  onCommand_ = std::move(onCommand);
}

#ifdef Q_OS_WIN

namespace {
constexpr int kConnectWaitMs = 1000;
}  // namespace

struct SingleInstance::Listener {
  QString name;
  std::unique_ptr<QLocalServer> server;
};

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerPath(const QString& key) const { return ServerName(key); }
QString SingleInstance::OldServerPath(const QString& key) const { return ServerName(key); }

std::optional<std::string> SingleInstance::SendCommand(const std::string&, int) {
  return std::nullopt;
}

bool SingleInstance::AnotherIsRunning(std::function<void()> onShowRequest) {
  return AskThenListen(std::move(onShowRequest));
}

bool SingleInstance::Ask(const QString& name, bool show) {
  QLocalSocket probe;
  probe.connectToServer(name);
  if (!probe.waitForConnected(kConnectWaitMs)) return false;
  if (show) {
    probe.write(QByteArray::fromStdString(ShowRequestLine()));
    probe.waitForBytesWritten(kConnectWaitMs);
  }
  probe.disconnectFromServer();
  return true;
}

SingleInstance::Listened SingleInstance::Listen(const QString& name) {
  auto server = std::make_unique<QLocalServer>();
  // The pipe admits this user only: another user's program can neither
  // connect to it nor open another instance of its name.
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(name)) {
    // Left behind by a program that crashed: nobody answered, so it can go.
    QLocalServer::removeServer(name);
    if (!server->listen(name)) return Listened::No;
  }
  QLocalServer* s = server.get();
  connect(s, &QLocalServer::newConnection, this, [this, s] {
    while (QLocalSocket* peer = s->nextPendingConnection()) {
      auto reader = std::make_shared<RequestReader>();
      connect(peer, &QLocalSocket::readyRead, peer, [this, peer, reader] {
        const QByteArray bytes = peer->readAll();
        const auto state = reader->Take(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (state == RequestReader::State::NeedMore) return;
        peer->abort();
        peer->deleteLater();
        if (state == RequestReader::State::Done) Heard(reader->Line());
      });
      connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
      QTimer::singleShot(kPeerWaitMs, peer, [peer] {
        peer->abort();
        peer->deleteLater();
      });
    }
  });
  listeners_.push_back(std::make_unique<Listener>(Listener{name, std::move(server)}));
  return Listened::Yes;
}

#else

// Plain system calls: the toolkit's network module would be loaded at every
// start for this alone, and it cannot tell who is at the other end.

namespace {

bool FillAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  if (path.size() >= sizeof address.sun_path) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.data(), path.size());
  return true;
}

sockaddr* AsSockaddr(sockaddr_un& address) { return reinterpret_cast<sockaddr*>(&address); }

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The user at the other end of a connected socket; -1 when the system does
// not say.
std::int64_t PeerUser(int fd) {
#if defined(SO_PEERCRED)
  ucred credentials{};
  socklen_t size = sizeof credentials;
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return -1;
  return credentials.uid;
#else
  uid_t uid;
  gid_t gid;
  if (::getpeereid(fd, &uid, &gid) != 0) return -1;
  return uid;
#endif
}

bool IsSameUser(int fd) { return PeerUser(fd) == platform::CurrentUserId(); }

// Asks the program at the socket file `path` to show itself (or only
// whether one listens there). Never connects to a file that is not this
// user's socket, and never counts a program of another user.
bool AskAt(const std::string& path, bool show) {
  if (CheckSocketFile(platform::Inspect(path, false), platform::CurrentUserId()) !=
      PlaceCheck::Ours)
    return false;
  sockaddr_un address;
  if (!FillAddress(path, address)) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  bool answered = false;
  if (::connect(fd, AsSockaddr(address), sizeof address) == 0) {
    answered = IsSameUser(fd);
    if (answered && show) {
      // The running program's socket takes these few bytes at once.
      const std::string line = ShowRequestLine();
      ::send(fd, line.data(), line.size(), MSG_NOSIGNAL);
    }
  } else {
    // A full queue of waiting connections still means a program listens
    // (at a socket file of this user's).
    answered = errno == EAGAIN;
  }
  ::close(fd);
  return answered;
}

// Writes all of `bytes` to the non-blocking socket `fd`, waiting at most
// `waitMs` in all for room; false when it could not.
bool SendAll(int fd, std::string_view bytes, int waitMs) {
  QElapsedTimer clock;
  clock.start();
  while (!bytes.empty()) {
    const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      const int left = waitMs - static_cast<int>(clock.elapsed());
      pollfd p{fd, POLLOUT, 0};
      if (left > 0 && ::poll(&p, 1, left) > 0) continue;
    }
    return false;
  }
  return true;
}

// The one line a program answers on `fd`, or none when it hangs up (a
// version that knows no commands) or keeps silent for `waitMs`.
std::optional<std::string> ReadReplyLine(int fd, int waitMs) {
  QElapsedTimer clock;
  clock.start();
  std::string got;
  for (;;) {
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      got.append(buffer, static_cast<std::size_t>(n));
      const std::size_t end = got.find('\n');
      if (end != std::string::npos) return got.substr(0, end + 1);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      const int left = waitMs - static_cast<int>(clock.elapsed());
      pollfd p{fd, POLLIN, 0};
      if (left > 0 && ::poll(&p, 1, left) > 0) continue;
    }
    return std::nullopt;
  }
}

// One connected peer of the same user: its line is read as it comes, and a
// peer that keeps silent is let go after a while. What it asked is answered
// with one line, when the request has an answer. Deletes itself.
class Peer : public QObject {
 public:
  Peer(int fd, std::function<std::string(const std::string&)> heard, QObject* parent)
      : QObject(parent), fd_(fd), heard_(std::move(heard)), notifier_(fd, QSocketNotifier::Read) {
    connect(&notifier_, &QSocketNotifier::activated, this, [this] { Read(); });
    QTimer::singleShot(kPeerWaitMs, this, [this] { Done(); });
  }
  ~Peer() override {
    notifier_.setEnabled(false);
    ::close(fd_);
  }

 private:
  void Read() {
    char buffer[256];
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;  // more later
      if (n <= 0) return Done();  // gone before its line was whole
      switch (reader_.Take(std::string_view(buffer, static_cast<std::size_t>(n)))) {
        case RequestReader::State::NeedMore:
          continue;
        case RequestReader::State::Refused:
          return Done();
        case RequestReader::State::Done: {
          Done();
          const std::string reply = heard_(reader_.Line());
          if (!reply.empty()) SendAll(fd_, reply, kPeerWaitMs);
          return;
        }
      }
    }
  }
  void Done() {
    notifier_.setEnabled(false);
    deleteLater();
  }

  int fd_;
  std::function<std::string(const std::string&)> heard_;
  QSocketNotifier notifier_;
  RequestReader reader_;
};

}  // namespace

struct SingleInstance::Listener {
  QString name;
  std::string path;
  int fd = -1;
  ino_t inode = 0;  // of the socket file bound, which is the one to remove
  std::unique_ptr<QSocketNotifier> notifier;

  ~Listener() {
    notifier.reset();
    if (fd >= 0) ::close(fd);
    // Only our own socket file: a program that found it dead may have
    // replaced it with its own.
    struct stat st {};
    if (inode != 0 && ::lstat(path.c_str(), &st) == 0 && st.st_ino == inode)
      ::unlink(path.c_str());
  }
};

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerPath(const QString& key) const {
  return place_ + QLatin1Char('/') + ServerName(key);
}

QString SingleInstance::OldServerPath(const QString& key) const {
  return tempDir_ + QLatin1Char('/') + ServerName(key);
}

bool SingleInstance::AnotherIsRunning(std::function<void()> onShowRequest) {
  const ListenPlace place = FindListenPlace(Native(runtimeDir_), Native(tempDir_));
  place_ = QFile::decodeName(place.folder.c_str());
  heldByAnother_ = place.status == ListenPlace::Status::HeldByAnother;
  if (place.status != ListenPlace::Status::Ready) {
    // No place of our own: an older version of this user's may still be
    // asked, but nothing is listened at.
    for (const QString& name : names_) {
      if (AskAt(Native(tempDir_ + QLatin1Char('/') + name), true)) return true;
    }
    place_ = heldByAnother_ ? place_ : QString();
    return false;
  }
  return AskThenListen(std::move(onShowRequest));
}

std::optional<std::string> SingleInstance::SendCommand(const std::string& payload, int waitMs) {
  const ListenPlace place = FindListenPlace(Native(runtimeDir_), Native(tempDir_));
  if (place.status != ListenPlace::Status::Ready) return std::nullopt;
  const std::string line = CommandRequestLine(payload);
  for (const QString& name : names_) {
    const std::string path = place.folder + "/" + Native(name);
    if (CheckSocketFile(platform::Inspect(path, false), platform::CurrentUserId()) !=
        PlaceCheck::Ours)
      continue;
    sockaddr_un address;
    if (!FillAddress(path, address)) continue;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) continue;
    std::optional<std::string> reply;
    if (::connect(fd, AsSockaddr(address), sizeof address) == 0 && IsSameUser(fd) &&
        SendAll(fd, line, waitMs))
      reply = ReadReplyLine(fd, waitMs);
    ::close(fd);
    if (reply) return reply;
  }
  return std::nullopt;
}

bool SingleInstance::Ask(const QString& name, bool show) {
  if (!place_.isEmpty() && !heldByAnother_ &&
      AskAt(Native(place_ + QLatin1Char('/') + name), show))
    return true;
  return AskAt(Native(tempDir_ + QLatin1Char('/') + name), show);
}

SingleInstance::Listened SingleInstance::Listen(const QString& name) {
  if (place_.isEmpty() || heldByAnother_) return Listened::No;
  auto listener = std::make_unique<Listener>();
  listener->name = name;
  listener->path = Native(place_ + QLatin1Char('/') + name);
  sockaddr_un address;
  if (!FillAddress(listener->path, address)) return Listened::No;
  listener->fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listener->fd < 0) return Listened::No;
  if (::bind(listener->fd, AsSockaddr(address), sizeof address) != 0) {
    if (errno != EADDRINUSE) return Listened::No;
    // Nobody answered there a moment ago, so the socket was left behind by a
    // program that was killed -- unless a program started at the same moment
    // has just bound it. Only a socket file of our own is taken away.
    if (Ask(name, true)) return Listened::AnotherRuns;
    if (CheckSocketFile(platform::Inspect(listener->path, false), platform::CurrentUserId()) !=
        PlaceCheck::Ours)
      return Listened::No;
    ::unlink(listener->path.c_str());
    if (::bind(listener->fd, AsSockaddr(address), sizeof address) != 0) return Listened::No;
  }
  struct stat st {};
  ::lstat(listener->path.c_str(), &st);
  listener->inode = st.st_ino;
  // The folder is closed to others already; the socket is too.
  ::chmod(listener->path.c_str(), S_IRUSR | S_IWUSR);
  if (::listen(listener->fd, 8) != 0) return Listened::No;

  const int fd = listener->fd;
  listener->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  connect(listener->notifier.get(), &QSocketNotifier::activated, this, [this, fd] {
    int peer;
    while ((peer = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
      // Only the same user is heard.
      if (!IsSameUser(peer)) {
        ::close(peer);
        continue;
      }
      new Peer(peer, [this](const std::string& line) { return Heard(line); }, this);
    }
  });
  listeners_.push_back(std::move(listener));
  return Listened::Yes;
}

#endif

SingleInstance::Followed SingleInstance::FollowKey(const QString& oldKey, const QString& newKey) {
  const QString oldName = ServerName(oldKey), newName = ServerName(newKey);
  if (oldName == newName) return Followed::Yes;
  names_.removeAll(oldName);
  std::erase_if(listeners_, [&](const std::unique_ptr<Listener>& l) { return l->name == oldName; });
  if (names_.contains(newName)) return Followed::Yes;
  if (Ask(newName, false)) return Followed::AnotherRuns;
  switch (Listen(newName)) {
    case Listened::Yes:
      names_ << newName;
      return Followed::Yes;
    case Listened::AnotherRuns:
      return Followed::AnotherRuns;
    case Listened::No:
      break;
  }
  return Followed::No;
}

}  // namespace morna::ui
