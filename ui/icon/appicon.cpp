#include "ui/icon/appicon.h"

#include <QPainter>
#include <QPainterPath>

namespace morna::ui {

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
  const QColor paper(0xFF, 0xFF, 0xE0);  // the labels' face (light yellow)
  const QColor navy(0x00, 0x00, 0x80);
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

}  // namespace morna::ui
