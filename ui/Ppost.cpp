#include "ui/Ppost.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "core/access.h"
#include "ui/access.h"
#include "ui/codec.h"
#include "ui/language.h"

namespace morna::ui {

namespace {

// A click is a left press and release that ends inside the control.
bool IsLeftClickEnd(QEvent* event, const QWidget* w) {
  if (event->type() != QEvent::MouseButtonRelease) return false;
  const auto* me = static_cast<QMouseEvent*>(event);
  return me->button() == Qt::LeftButton && w->rect().contains(me->position().toPoint());
}

// A window needs at least one pixel each way; the parts may shrink to none.
QRect PlanGeometry(const PostWindowPlan& plan) {
  return QRect(plan.left, plan.top, std::max(1, plan.width), std::max(1, plan.height));
}

// The ring a label window shows while it has the keyboard focus: a thick
// line along its edge and a dotted one inside, in black or white, whichever
// stands out on the window's colour. A focus frame, so that screen readers
// do not take it for a control.
class FocusRing : public QFocusFrame {
 public:
  explicit FocusRing(QWidget* window) : QFocusFrame(window) {}
  void SetColor(const QColor& c) {
    if (c == color_) return;
    color_ = c;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QPen pen(color_, 3);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    pen.setWidth(1);
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.drawRect(QRectF(rect()).adjusted(4.5, 4.5, -4.5, -4.5));
  }

 private:
  QColor color_ = Qt::black;
};

// The label window as screen readers see it: a window, not a plain panel,
// whose press action opens the popup as Enter does (an alarm window has no
// label to open).
class PostAccessible : public QAccessibleWidget {
 public:
  explicit PostAccessible(TPstPost* w) : QAccessibleWidget(w, QAccessible::Window) {}
  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (!Post()->IsAlarm()) names << pressAction();
    return names;
  }
  void doAction(const QString& name) override {
    if (name == pressAction() && !Post()->IsAlarm())
      Post()->Open();
    else
      QAccessibleWidget::doAction(name);
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    if (name == pressAction()) return {QStringLiteral("Return")};
    return QAccessibleWidget::keyBindingsForAction(name);
  }

 private:
  TPstPost* Post() const { return static_cast<TPstPost*>(widget()); }
};

QAccessibleInterface* PostWindowAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String(TPstPost::staticMetaObject.className())) {
    if (auto* w = qobject_cast<TPstPost*>(object)) return new PostAccessible(w);
  }
  return nullptr;
}

}  // namespace

QString TPstPost::AlarmLine(const AlarmWords& words) {
  // 1 = Sunday; English takes the short names.
  static const char* const kWeekdays[7] = {
      QT_TR_NOOP("日曜日"), QT_TR_NOOP("月曜日"), QT_TR_NOOP("火曜日"), QT_TR_NOOP("水曜日"),
      QT_TR_NOOP("木曜日"), QT_TR_NOOP("金曜日"), QT_TR_NOOP("土曜日")};
  const QString time = FromSjis(words.time);
  const QString weekday =
      words.weekday >= 1 && words.weekday <= 7 ? tr(kWeekdays[words.weekday - 1]) : QString();
  switch (words.kind) {
    case AlarmWords::Kind::None: break;
    case AlarmWords::Kind::Daily: return tr("毎日 %1").arg(time);
    case AlarmWords::Kind::Weekly: return tr("毎週 %1 %2").arg(weekday, time);
    case AlarmWords::Kind::MonthlyDay:
      return tr("毎月 %1日 %2").arg(QString::number(words.number), time);
    case AlarmWords::Kind::MonthlyWeekday:
      return tr("毎月 第%1%2 %3").arg(QString::number(words.number), weekday, time);
  }
  return {};
}

TPstPost::TPstPost(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("TPstPost"));
  setAttribute(Qt::WA_DeleteOnClose);
  setGeometry(kPostDesignLeft, kPostDesignTop, kPostDesignWidth, kPostDesignHeight);

  // The frame first, so that the texts stand on it.
  Shape1 = new TShape(this, kLightYellow, kDarkNavy, 2);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setGeometry(0, 0, kPostDesignShapeWidth, kPostDesignShapeHeight);

  // Every build fills the message box (font and lines) before the window is
  // shown; see ShowPostWindow.
  const LabelFace face = BuildLabelFace(this, 12, false);
  PostDataTime = face.time;
  PostDataTime->installEventFilter(this);
  PostMesg = face.view;
  PostMesg->setAccessibleName(tr("メッセージ"));
  Shape1->setAccessibleName(tr("ラベルの枠"));
  PostMesg->installEventFilter(this);

  connect(Shape1, &TShape::mouseDown, this, [this] { emit modifyRequested(); });

  static const bool accessible = [] {
    QAccessible::installFactory(PostWindowAccessible);
    return true;
  }();
  (void)accessible;
  // The window itself holds the keyboard focus; its parts only show.
  for (QWidget* part : findChildren<QWidget*>()) part->setFocusPolicy(Qt::NoFocus);
  setFocusPolicy(Qt::StrongFocus);
  // The focus ring is made when the window first takes the focus: most
  // label windows never do, and fifty rings made at start-up cost time.
  SetColors(kLightYellow, 0);
}

void TPstPost::ShowPostWindow(const PostWindowPlan& plan) {
  // A window of an earlier build may be re-filled: texts and the font are set
  // only where they differ, as laying out a message is the costly part.
  alarm_ = plan.alarm;
  // The caption's bytes are those of the label shown before: nothing to
  // convert or compare.
  if (!filled_ || label_.Caption != plan.caption) {
    const QString caption = FromSjis(plan.caption);
    if (PostDataTime->text() != caption) {
      PostDataTime->setText(caption);
      // Never seen on the window itself; task switchers and screen readers
      // name the window by it.
      setWindowTitle(caption.trimmed());
    }
  }
  const bool linesChanged = !filled_ || label_.Lines != plan.lines || hasMessage_ != plan.hasMessage;
  const bool labelChanged = !filled_ || linesChanged || label_.Caption != plan.caption;
  label_ = PopupLabel{plan.caption, plan.lines};
  hasMessage_ = plan.hasMessage;
  SetState(plan.state);

  SetColors(plan.color, plan.captionColor);

  setGeometry(PlanGeometry(plan));
  PlaceFocusRing();
  Shape1->resize(std::max(0, plan.shapeWidth), std::max(0, plan.shapeHeight));
  PostMesg->resize(std::max(0, plan.memoWidth), std::max(0, plan.memoHeight));

  // The message font only when the settings' font is another than shown.
  if (!filled_ || plan.fontName != fontName_ || plan.fontSize != fontSize_) {
    fontName_ = plan.fontName;
    fontSize_ = plan.fontSize;
    QFont memoFont = LabelFaceMemoFont();
    if (!plan.fontName.empty()) memoFont.setFamilies({FromSjis(plan.fontName)});
    // A positive size is in points; a negative one is a height in pixels, as
    // a font height is given on Windows; zero keeps the design size.
    if (plan.fontSize > 0) {
      memoFont.setPointSize(plan.fontSize);
    } else if (plan.fontSize < 0) {
      memoFont.setPixelSize(-plan.fontSize);
    }
    if (PostMesg->font() != memoFont) PostMesg->setFont(memoFont);
  }
  // Without a message (an alarm that names no weekday) the design lines stay.
  if (linesChanged) {
    // An alarm's words in the user's language.
    const QStringList lines = !plan.hasMessage ? LabelFaceDesignLines()
                              : plan.alarmWords.kind != AlarmWords::Kind::None
                                  ? QStringList{AlarmLine(plan.alarmWords)}
                                  : FromSjisLines(plan.lines);
    PostMesg->SetLines(lines);
  }
  if (labelChanged) SetSpokenName();
  filled_ = true;

  show();
}

bool TPstPost::StandsAt(const PostWindowPlan& plan) const {
  return filled_ && geometry() == PlanGeometry(plan);
}

void TPstPost::SetColors(WinColor color, WinColor captionColor) {
  const QColor c = ToQColor(color);
  // A window re-filled with its own colours keeps its pixels: a change of
  // palette would repaint it.
  if (Color() == c && Shape1->Fill() == c && CaptionColor() == ToQColor(captionColor)) return;
  // One palette: the caption and the message box take theirs from it.
  QPalette pal = palette();
  pal.setColor(QPalette::Window, c);
  pal.setColor(QPalette::Base, c);
  pal.setColor(QPalette::WindowText, ToQColor(captionColor));
  setPalette(pal);

  Shape1->SetFill(color);
  if (focusRing_) static_cast<FocusRing*>(focusRing_)->SetColor(ToQColor(FocusRingColor(color)));
}

QString TPstPost::Caption() const { return PostDataTime->text(); }

QStringList TPstPost::Lines() const { return PostMesg->Lines(); }

QColor TPstPost::Color() const { return palette().color(QPalette::Window); }

QColor TPstPost::CaptionColor() const {
  return PostDataTime->palette().color(QPalette::WindowText);
}

bool TPstPost::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PostDataTime && IsLeftClickEnd(event, PostDataTime)) {
    emit modifyRequested();
  } else if (watched == PostMesg && IsLeftClickEnd(event, PostMesg)) {
    emit mesgClicked();
  }
  return QWidget::eventFilter(watched, event);
}

void TPstPost::SetSpokenName() {
  // The date-time (or ToDo, Alarm) and the message in one line.
  QString name = FromSjis(label_.Caption).trimmed();
  if (hasMessage_) {
    // The words shown, so that an alarm's are in the user's language.
    const QString message = PostMesg->Lines().join(QLatin1Char(' ')).simplified();
    if (!message.isEmpty()) name += QLatin1Char(' ') + message;
  }
  Rename(this, name);
}

void TPstPost::SetState(LabelState state) {
  state_ = state;
  // Worded again only when what it says changed: a re-fill that keeps the
  // label's state (most windows at a post) leaves the description alone.
  const Described described{state, alarm_, CurrentLanguage()};
  if (described_ == described) return;
  described_ = described;
  QString description = LabelStateText(state);
  if (!alarm_) description += tr("。Enterキーで修正・削除");
  Redescribe(this, description);
}

bool TPstPost::TellState(LabelState state) {
  if (state == state_) return false;
  SetState(state);
  if (state != LabelState::Due) return false;
  Alert();
  return true;
}

void TPstPost::Alert() { RaiseAlert(this); }

void TPstPost::Focus() {
  raise();
  activateWindow();
  setFocus(Qt::OtherFocusReason);
}

void TPstPost::PlaceFocusRing() {
  if (!focusRing_) return;
  focusRing_->setGeometry(rect());
  focusRing_->raise();
}

void TPstPost::keyPressEvent(QKeyEvent* event) {
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      Open();
      return;
    case Qt::Key_F6:
      emit focusStepRequested(!shift);
      return;
    case Qt::Key_Escape:
      emit leaveRequested();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

bool TPstPost::focusNextPrevChild(bool next) {
  // Nothing inside takes the focus: Tab goes on to the next label window.
  emit focusStepRequested(next);
  return true;
}

void TPstPost::focusInEvent(QFocusEvent* event) {
  if (!focusRing_) {
    auto* ring = new FocusRing(this);
    ring->setObjectName(QStringLiteral("FocusRing"));
    ring->SetColor(ToQColor(FocusRingColor(FromQColor(Color()))));
    focusRing_ = ring;
  }
  PlaceFocusRing();
  focusRing_->show();
  QWidget::focusInEvent(event);
}

void TPstPost::focusOutEvent(QFocusEvent* event) {
  if (focusRing_) focusRing_->hide();
  QWidget::focusOutEvent(event);
}

void TPstPost::closeEvent(QCloseEvent* event) {
  closed_ = true;
  event->accept();  // WA_DeleteOnClose then deletes the window
}

}  // namespace morna::ui
