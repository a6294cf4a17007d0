#include "ui/look.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

#include "ui/codec.h"
#include "ui/fonts.h"

namespace morna::ui {

QFont LookFont(const QString& family, int pixelSize, bool bold, bool italic) {
  QFont f(family);
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setItalic(italic);
  FitFont(f);
  return f;
}

// The windows are laid out in pixels for Arial, Times New Roman and the
// Japanese system fonts. Where the named family is not installed the
// stand-in is usually wider; a condensed face keeps the texts in their boxes.
void FitFont(QFont& f) {
  f.setStretch(FamilyInstalled(f.family()) ? QFont::Unstretched : QFont::Condensed);
}

namespace {

class FontOnShow : public QObject {
 public:
  FontOnShow(QWidget* w, const QFont& f) : QObject(w), font_(f) { w->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* w = static_cast<QWidget*>(watched);
      w->removeEventFilter(this);
      w->setFont(font_);
      deleteLater();
    }
    return false;
  }

 private:
  QFont font_;
};

}  // namespace

void SetFontWhenShown(QWidget* w, const QFont& f) { new FontOnShow(w, f); }

void SetTextColor(QWidget* w, const QColor& c) {
  QPalette p = w->palette();
  // Setting the colours a widget has of its own already would only repaint it.
  if (w->testAttribute(Qt::WA_SetPalette) && p.color(QPalette::WindowText) == c &&
      p.color(QPalette::Text) == c && p.color(QPalette::ButtonText) == c)
    return;
  // Only the enabled states: a disabled control, and every control inside
  // this one, keeps the platform's disabled look.
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(group, QPalette::WindowText, c);
    p.setColor(group, QPalette::Text, c);
    p.setColor(group, QPalette::ButtonText, c);
  }
  w->setPalette(p);
}

void SetBackColor(QWidget* w, const QColor& c) {
  w->setAutoFillBackground(true);
  QPalette p = w->palette();
  if (w->testAttribute(Qt::WA_SetPalette) && p.color(QPalette::Window) == c) return;
  p.setColor(QPalette::Window, c);
  w->setPalette(p);
}

QPixmap AppIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, size > 16);
  p.scale(size / 32.0, size / 32.0);
  PaintAppIcon(p);
  return pixmap;
}

// A light-yellow note with a navy frame and a turned-down corner, two ruled
// lines and a small red bell.
void PaintAppIcon(QPainter& p) {
  const QColor paper = ToQColor(kLightYellow);  // the labels' face
  const QColor navy = ToQColor(kNavy);
  QPainterPath note;
  note.moveTo(2.5, 3.5);
  note.lineTo(29.5, 3.5);
  note.lineTo(29.5, 22.5);
  note.lineTo(22.5, 29.5);
  note.lineTo(2.5, 29.5);
  note.closeSubpath();
  p.setPen(QPen(navy, 2.0));
  p.setBrush(paper);
  p.drawPath(note);
  p.setBrush(QColor(0xE8, 0xE0, 0xA0));
  p.drawPolygon(QPolygonF({QPointF(29.5, 22.5), QPointF(22.5, 22.5), QPointF(22.5, 29.5)}));

  p.setPen(QPen(navy, 1.5));
  p.drawLine(QPointF(6, 9), QPointF(18, 9));
  p.drawLine(QPointF(6, 14), QPointF(15, 14));

  // The bell.
  const QColor red(0xD0, 0x10, 0x10);
  QPainterPath bell;
  bell.moveTo(14, 25);
  bell.cubicTo(16, 24, 16, 15, 21, 14);
  bell.cubicTo(26, 15, 26, 24, 28, 25);
  bell.closeSubpath();
  p.setPen(QPen(red.darker(140), 1.0));
  p.setBrush(red);
  p.drawPath(bell);
  p.drawEllipse(QPointF(21, 26.5), 2.0, 2.0);
  p.drawEllipse(QPointF(21, 12.5), 1.2, 1.2);
}

QIcon AppIcon() {
  // Painted once: the registration window and the notification area show it
  // at start-up and the other windows when they open, and painting the five
  // sizes anew each time was a measurable part of start-up. Never destroyed
  // on purpose: the pictures must not outlive the application object.
  static const QIcon* const icon = [] {
    auto* painted = new QIcon;
    for (int size : {16, 24, 32, 48, 64}) painted->addPixmap(AppIconPixmap(size));
    return painted;
  }();
  return *icon;
}

}  // namespace morna::ui
