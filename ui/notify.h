// Desktop notifications: a short message in the desktop's own notification
// popup (freedesktop Notifications over the session bus), for a reminder
// that must reach a user whose label windows are covered. Sending never
// waits and never fails: without a session bus or a notification service
// nothing is shown.
#pragma once

#include <QString>

namespace morna::ui {

class NotificationSink {
 public:
  virtual ~NotificationSink() = default;
  virtual void Show(const QString& summary, const QString& body) = 0;
};

// The sink in use; by default the session bus's notification service.
NotificationSink& Notifications();
// Replaces the sink (tests); nullptr restores the desktop's.
void SetNotificationSink(NotificationSink* sink);

}  // namespace morna::ui
