#include "ui/Ppsub.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "ui/access.h"
#include "ui/codec.h"
#include "ui/controls.h"

namespace morna::ui {

namespace {

// The question icon: a white speech balloon with a blue question mark on a
// transparent ground, drawn at `size` pixels square.
QPixmap QuestionIcon(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size / 32.0;

  QPainterPath balloon;
  balloon.addEllipse(QRectF(1.5 * s, 1.5 * s, 29 * s, 23 * s));
  QPainterPath tail;
  tail.moveTo(7 * s, 19 * s);
  tail.lineTo(4 * s, 30 * s);
  tail.lineTo(15 * s, 23 * s);
  tail.closeSubpath();
  balloon = balloon.united(tail);
  p.setPen(QPen(QColor(64, 64, 64), qMax(1.0, s)));
  p.setBrush(Qt::white);
  p.drawPath(balloon);

  QFont f(QStringLiteral("Arial"));
  f.setBold(true);
  f.setPixelSize(qRound(20 * s));
  p.setFont(f);
  p.setPen(QColor(0, 0, 255));
  p.drawText(QRectF(1.5 * s, 1.5 * s, 29 * s, 23 * s), Qt::AlignCenter, QStringLiteral("?"));
  return pm;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                  int h, const QFont& font) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(x, y, w, h);
  label->setFont(font);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(pal);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int x) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(x, 95, 40, 17);
  return button;
}

}  // namespace

TPstPsub::TPstPsub(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("TPstPsub"));
  setFixedSize(175, 120);

  // The second rectangle overlaps the first by two pixels and is drawn over it.
  auto* shape1 = new TShape(this, kLightYellow, kDarkNavy, 2);
  shape1->setObjectName(QStringLiteral("Shape1"));
  shape1->setGeometry(0, 0, 175, 47);
  Shape1 = shape1;
  auto* shape2 = new TShape(this, kLightYellow, kDarkNavy, 2);
  shape2->setObjectName(QStringLiteral("Shape2"));
  shape2->setGeometry(0, 45, 175, 75);
  Shape2 = shape2;

  const LabelFace face = BuildLabelFace(this, 11);
  PostDataTime = face.time;
  PostMesg = face.memo;
  // Tab moves on to the buttons: a tab character in the message would no
  // longer match the label that Modify and Delete look for.
  PostMesg->setTabChangesFocus(true);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(4, 50, 35, 35);
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image1->setPixmap(QuestionIcon(32));

  QFont questionFont(QStringLiteral("ＭＳ Ｐ明朝"));
  questionFont.setPixelSize(12);
  questionFont.setBold(true);
  Label2 = MakeLabel(this, "Label2", tr("データの修正、削除を"), 40, 52, 121, 12,
                     questionFont);
  Label3 = MakeLabel(this, "Label3", tr("行いますか?"), 40, 65, 69, 12, questionFont);

  BtnMod = MakeButton(this, "BtnMod", tr("修正"), 10);
  BtnDel = MakeButton(this, "BtnDel", tr("削除"), 65);
  BtnCan = MakeButton(this, "BtnCan", tr("ｷｬﾝｾﾙ"), 120);

  setTabOrder(BtnMod, BtnDel);
  setTabOrder(BtnDel, BtnCan);
  setTabOrder(BtnCan, PostMesg);
  SpeakPopup(*this);
}

void TPstPsub::ShowLabel(const PopupLabel& label) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize s = screen->size();
    // Integer division rounds toward zero, also for a screen smaller than us.
    move((s.width() - width()) / 2, (s.height() - height()) / 2);
  }
  label_ = label;
  PostDataTime->setText(FromSjis(label.Caption));
  PostMesg->clear();
  SetMemoLines(PostMesg, FromSjisLines(label.Lines));
  show();
  raise();
  activateWindow();
  BtnMod->setFocus(Qt::OtherFocusReason);
}

void TPstPsub::ShowLabel(const QString& caption, const QStringList& lines) {
  PopupLabel label{ToSjis(caption), {}};
  for (const QString& line : lines) label.Lines.push_back(ToSjis(line));
  ShowLabel(label);
}

PopupLabel TPstPsub::Label() const {
  const QStringList shown = Lines();
  if (shown == FromSjisLines(label_.Lines)) return label_;
  PopupLabel edited{label_.Caption, {}};
  for (const QString& line : shown) edited.Lines.push_back(ToSjis(line));
  return edited;
}

QString TPstPsub::Caption() const { return PostDataTime->text(); }

QStringList TPstPsub::Lines() const { return MemoLines(PostMesg); }

void TPstPsub::ReturnFocusTo(QWidget* window, QWidget* fallback) {
  returnTo_ = window;
  returnFallback_ = fallback;
}

void TPstPsub::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    BtnCan->click();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
      button->click();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void TPstPsub::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  // After the change the button made: a delete rebuilds the label windows.
  QTimer::singleShot(0, this, [this] {
    if (isVisible()) return;
    QWidget* back = returnTo_ && returnTo_->isVisible() ? returnTo_.data() : returnFallback_.data();
    returnTo_ = nullptr;
    if (!back || !back->isVisible()) return;
    back->raise();
    back->activateWindow();
    // A label window holds the focus itself; a window of controls gets back
    // the one it had.
    if (back->focusPolicy() != Qt::NoFocus) back->setFocus(Qt::OtherFocusReason);
  });
}

void TPstPsub::closeEvent(QCloseEvent* event) {
  // The popup lives for the whole run and is referred to throughout, so a
  // close request only hides it.
  event->ignore();
  hide();
}

}  // namespace morna::ui
