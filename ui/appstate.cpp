#include "ui/appstate.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QScreen>

namespace morna::ui {

DateTime AppState::Now() const { return Clock ? Clock() : SystemNow(); }

Rect AppState::ScreenWorkArea() const {
  return ScreenArea ? ScreenArea() : PrimaryWorkArea();
}

DateTime SystemNow() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  return MakeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}

Rect PrimaryWorkArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return Rect{};
  const QRect r = screen->availableGeometry();
  return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace morna::ui
