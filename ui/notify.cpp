#include "ui/notify.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace morna::ui {

namespace {

class BusNotifications : public NotificationSink {
 public:
  void Show(const QString& summary, const QString& body) override {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints,
    // expire_timeout (-1: the server's default).
    call << QStringLiteral("Moranote") << quint32{0} << QStringLiteral(MORNA_APP_ID) << summary
         << body << QStringList() << QVariantMap() << qint32{-1};
    // Sent without waiting for the answer: a missing service only makes
    // the bus answer with an error, which nobody reads.
    bus.send(call);
  }
};

NotificationSink* g_sink = nullptr;

}  // namespace

NotificationSink& Notifications() {
  static BusNotifications bus;
  return g_sink ? *g_sink : bus;
}

void SetNotificationSink(NotificationSink* sink) { g_sink = sink; }

}  // namespace morna::ui
