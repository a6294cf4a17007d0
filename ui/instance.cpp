#include "ui/instance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace morna::ui {

namespace {
constexpr int kConnectWaitMs = 1000;
constexpr char kShowRequest[] = "show\n";
}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), name_(ServerName(key)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName(const QString& key) {
  const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1);
  return QStringLiteral("Moranote-") + QString::fromLatin1(hash.toHex().left(16));
}

bool SingleInstance::AnotherIsRunning(std::function<void()> onShowRequest) {
  {
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(kConnectWaitMs)) {
      probe.write(kShowRequest);
      probe.waitForBytesWritten(kConnectWaitMs);
      probe.disconnectFromServer();
      return true;
    }
  }
  onShow_ = std::move(onShowRequest);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name_)) {
    // A server socket left behind by a program that crashed: nobody answered
    // the probe above, so it is stale and can go.
    QLocalServer::removeServer(name_);
    server_->listen(name_);
  }
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
      connect(peer, &QLocalSocket::readyRead, peer, [this, peer] {
        if (peer->readAll().contains("show") && onShow_) onShow_();
        peer->deleteLater();
      });
      connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    }
  });
  return false;
}

}  // namespace morna::ui
