#include "ui/instance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace morna::ui {

namespace {
constexpr int kConnectWaitMs = 1000;
constexpr char kShowRequest[] = "show\n";
}  // namespace

SingleInstance::SingleInstance(const QStringList& keys, QObject* parent) : QObject(parent) {
  for (const QString& key : keys) {
    if (!names_.contains(ServerName(key))) names_ << ServerName(key);
  }
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName(const QString& key) {
  const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1);
  return QStringLiteral("Moranote-") + QString::fromLatin1(hash.toHex().left(16));
}

bool SingleInstance::AnotherIsRunning(std::function<void()> onShowRequest) {
  for (const QString& name : names_) {
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(kConnectWaitMs)) {
      probe.write(kShowRequest);
      probe.waitForBytesWritten(kConnectWaitMs);
      probe.disconnectFromServer();
      return true;
    }
  }
  onShow_ = std::move(onShowRequest);
  for (const QString& name : names_) {
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) {
      // A server socket left behind by a program that crashed: nobody
      // answered the probe above, so it is stale and can go.
      QLocalServer::removeServer(name);
      server->listen(name);
    }
    connect(server, &QLocalServer::newConnection, this, [this, server] {
      while (QLocalSocket* peer = server->nextPendingConnection()) {
        connect(peer, &QLocalSocket::readyRead, peer, [this, peer] {
          if (peer->readAll().contains("show") && onShow_) onShow_();
          peer->deleteLater();
        });
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
      }
    });
  }
  return false;
}

}  // namespace morna::ui
