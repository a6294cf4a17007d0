#include "ui/look.h"

#include <QEvent>
#include <QPainter>
#include <QImage>
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

QIcon AppIcon() {
  // Made once, never destroyed on purpose: the pictures must not outlive the
  // application object.
  static const QIcon* const icon = [] {
    auto* built = new QIcon;
    for (int i = 0; i < kAppIconCount; ++i) {
      const int size = kAppIconSizes[i];
      const QImage image(reinterpret_cast<const uchar*>(kAppIconBuilt[i]), size, size,
                         QImage::Format_ARGB32_Premultiplied);
      built->addPixmap(QPixmap::fromImage(image));
    }
    return built;
  }();
  return *icon;
}

}  // namespace morna::ui
