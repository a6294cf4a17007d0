#include "ui/controls.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBoundaryFinder>
#include <QToolButton>
#include <algorithm>

#include "core/calendar.h"
#include "ui/codec.h"
#include "ui/memoview.h"
#include "ui/notice.h"

namespace morna::ui {

// ---------------------------------------------------------------- TClickLabel

void TClickLabel::mousePressEvent(QMouseEvent* event) {
  event->accept();
  emit mouseDown(event->button());
}

void TClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
}

// ---------------------------------------------------------------- TUpDown

TUpDown::TUpDown(int min, int max, QWidget* parent)
    : QWidget(parent), min_(min), max_(std::max(min, max)) {
  position_ = std::clamp(0, min_, max_);
  Up = new QToolButton(this);
  Up->setObjectName("Up");
  Up->setArrowType(Qt::UpArrow);
  Down = new QToolButton(this);
  Down->setObjectName("Down");
  Down->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {Up, Down}) {
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::TabFocus);
  }
  QObject::connect(Up, &QToolButton::clicked, this, [this] { StepUp(); });
  QObject::connect(Down, &QToolButton::clicked, this, [this] { StepDown(); });
}

void TUpDown::SetPosition(int position) { position_ = std::clamp(position, min_, max_); }

void TUpDown::StepUp() {
  if (position_ >= max_) return;  // no wrap: nothing moves, nothing reported
  ++position_;
  emit clicked();
}

void TUpDown::StepDown() {
  if (position_ <= min_) return;
  --position_;
  emit clicked();
}

void TUpDown::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  Up->setGeometry(0, 0, width(), half);
  Down->setGeometry(0, half, width(), height() - half);
}

// ---------------------------------------------------------------- TShape

TShape::TShape(QWidget* parent, WinColor fill, WinColor pen, int penWidth)
    : QWidget(parent), fill_(ToQColor(fill)), pen_(ToQColor(pen)), penWidth_(penWidth) {}

void TShape::SetFill(WinColor fill) {
  fill_ = ToQColor(fill);
  update();
}

void TShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // The outline lies inside the bounds and the colours are opaque, so the
  // shape is a band of the pen's colour around a filled rectangle: drawn as
  // five filled rectangles, the same pixels as the stroked rectangle below,
  // without the cost of stroking a wide pen (each label window has one).
  const QRect r = rect();
  const int w = penWidth_;
  if (w <= 0) {  // no outline
    p.fillRect(r, fill_);
    return;
  }
  if (r.width() > 2 * w && r.height() > 2 * w) {
    const int inner = r.height() - 2 * w;
    p.fillRect(r.adjusted(w, w, -w, -w), fill_);
    p.fillRect(QRect(r.left(), r.top(), r.width(), w), pen_);
    p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), pen_);
    p.fillRect(QRect(r.left(), r.top() + w, w, inner), pen_);
    p.fillRect(QRect(r.right() - w + 1, r.top() + w, w, inner), pen_);
    return;
  }
  // A shape no wider than its outline.
  const qreal half = w / 2.0;
  p.setBrush(fill_);
  QPen pen(pen_);
  pen.setWidth(w);
  pen.setJoinStyle(Qt::MiterJoin);
  p.setPen(pen);
  p.drawRect(QRectF(r).adjusted(half, half, -half, -half));
}

void TShape::mousePressEvent(QMouseEvent* event) {
  event->accept();
  emit mouseDown(event->button());
}

// ---------------------------------------------------------------- memo lines

void SetMemoLines(QPlainTextEdit* memo, const QStringList& lines) {
  QString text = lines.join(QLatin1Char('\n'));
  // An empty last line needs its own line break, or reading back loses it.
  if (!lines.isEmpty() && lines.last().isEmpty()) text += QLatin1Char('\n');
  FitMemoWrap(memo, text);
  // A read-only box has no cursor to move back or typing to undo: its
  // document takes the text directly, which spares the edit box's own
  // bookkeeping (a rebuild re-fills dozens of label windows).
  if (memo->isReadOnly())
    memo->document()->setPlainText(text);
  else
    memo->setPlainText(text);
}

QStringList MemoLines(const QPlainTextEdit* memo) {
  const QString text = memo->toPlainText();
  if (text.isEmpty()) return {};
  QStringList lines = text.split(QLatin1Char('\n'));
  if (lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// ---------------------------------------------------------------- long texts

QTextOption::WrapMode MemoWrapMode(const QString& text) {
  if (text.size() >= kLongWordChars) {
    // The places where a line may break, as the toolkit's layout finds them.
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype last = 0;
    for (qsizetype at = breaks.toNextBoundary(); at >= 0; at = breaks.toNextBoundary()) {
      if (at - last >= kLongWordChars) return QTextOption::WrapAnywhere;
      last = at;
    }
  }
  return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

void FitMemoWrap(QPlainTextEdit* memo, const QString& text) {
  const QTextOption::WrapMode mode = MemoWrapMode(text);
  if (memo->wordWrapMode() != mode) memo->setWordWrapMode(mode);
}

TLimitedMemo::TLimitedMemo(int limit, QWidget* parent) : QPlainTextEdit(parent), limit_(limit) {
  // A long word gone (or come by typing) changes how the lines break.
  connect(this, &QPlainTextEdit::textChanged, this, [this] { FitMemoWrap(this, toPlainText()); });
}

qsizetype TLimitedMemo::Room() const {
  const QTextCursor cursor = textCursor();
  const qsizetype length = document()->characterCount() - 1;  // without the final separator
  return std::max<qsizetype>(limit_ - length + cursor.selectionEnd() - cursor.selectionStart(), 0);
}

QString TLimitedMemo::CutNoticeText(qsizetype pasted, qsizetype taken, int limit) {
  return QCoreApplication::translate(
             "Controls",
             "貼り付けた文章（%1 文字）はメッセージに入りきらないため、先頭の %2 文字だけを"
             "入れました。\n\nメッセージに入るのは %3 文字までです。")
      .arg(pasted)
      .arg(taken)
      .arg(limit);
}

void TLimitedMemo::insertFromMimeData(const QMimeData* source) {
  if (!source || !source->hasText()) return;
  // Counted as the box holds it: a CR LF pair becomes one line break.
  QString text = source->text();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  qsizetype taken = std::min(text.size(), Room());
  // Never half a surrogate pair.
  if (taken > 0 && taken < text.size() && text.at(taken - 1).isHighSurrogate()) --taken;
  const QString part = text.left(taken);
  // Laid out the quick way from the start when it holds a long word.
  if (MemoWrapMode(part) == QTextOption::WrapAnywhere) setWordWrapMode(QTextOption::WrapAnywhere);
  if (taken == text.size()) {
    QPlainTextEdit::insertFromMimeData(source);
    return;
  }
  if (!part.isEmpty()) insertPlainText(part);
  ShowNotice(window(), CutNoticeText(text.size(), taken, limit_));
}

void TLimitedMemo::keyPressEvent(QKeyEvent* event) {
  // A typed character or line break that does not fit is dropped; keys that
  // move, delete or copy go on as usual.
  const QString typed = event->text();
  const bool adds = !typed.isEmpty() && (typed.at(0).isPrint() || typed == QLatin1String("\r"));
  if (adds && !(event->modifiers() & Qt::ControlModifier) && Room() < typed.size()) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TLimitedMemo::inputMethodEvent(QInputMethodEvent* event) {
  const qsizetype room = Room();
  if (event->commitString().size() <= room) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent cut(event->preeditString(), event->attributes());
  cut.setCommitString(event->commitString().left(room), event->replacementStart(),
                      event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&cut);
}

// ---------------------------------------------------------------- combo box items

QStringList WeekdayItems() {
  QStringList names;
  for (std::string_view name : kWeekdayNames)
    names << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
  return names;
}

QStringList HalfHourItems() {
  // Built once: five lists are filled at start-up (the copies share it).
  static const QStringList times = [] {
    QStringList list;
    for (int i = 0; i < 48; ++i) {
      const char text[6] = {char('0' + i / 20), char('0' + i / 2 % 10), ':', i % 2 ? '3' : '0', '0', 0};
      list << QLatin1String(text);
    }
    return list;
  }();
  return times;
}

QStringList NumberItems(int from, int to, int step) {
  QStringList out;
  for (int i = from; i <= to; i += step) out << QString::number(i);
  return out;
}

// ---------------------------------------------------------------- the label face

QFont LabelFaceMemoFont() {
  QFont memoFont(QStringLiteral("ＭＳ Ｐゴシック"));
  memoFont.setPixelSize(13);
  return memoFont;
}

QStringList LabelFaceDesignLines() {
  return {QCoreApplication::translate("Controls", "この領域は、メモの情報を記"),
          QCoreApplication::translate("Controls", "録しておく領域です。")};
}

LabelFace BuildLabelFace(QWidget* window, int timePixelSize, bool memoDesign) {
  window->setAutoFillBackground(true);
  QPalette pal = window->palette();
  pal.setColor(QPalette::Window, ToQColor(kLightYellow));
  if (!memoDesign) {
    // A label window's parts take their colours from the window's one
    // palette: the caption its text colour, the message box its face. One
    // palette per window instead of three (fifty windows at start-up).
    pal.setColor(QPalette::Base, ToQColor(kLightYellow));
    pal.setColor(QPalette::WindowText, ToQColor(kBlack));
  }
  window->setPalette(pal);
  // In a label window (no design lines) the window's own font would reach
  // only the message box, which gets its own font before it is shown: the
  // box would be laid out once in a font it never shows, and that font
  // looked up and loaded for it. The popup keeps it for its other controls.
  if (memoDesign) {
    QFont formFont(QStringLiteral("ＭＳ Ｐゴシック"));
    formFont.setPixelSize(12);
    window->setFont(formFont);
  }

  LabelFace face;
  face.time = new QLabel(QStringLiteral("0000/00/00 00:00"), window);
  face.time->setObjectName(QStringLiteral("PostDataTime"));
  face.time->setGeometry(2, 2, 105, 13);
  QFont timeFont(QStringLiteral("MS Sans Serif"));
  timeFont.setPixelSize(timePixelSize);
  timeFont.setBold(true);
  face.time->setFont(timeFont);

  QWidget* box = nullptr;
  if (memoDesign) {
    QPalette timePal = face.time->palette();
    timePal.setColor(QPalette::WindowText, ToQColor(kBlack));
    face.time->setPalette(timePal);
    face.memo = new QPlainTextEdit(window);
    face.memo->setFrameShape(QFrame::NoFrame);
    face.memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    face.memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    face.memo->document()->setDocumentMargin(0);
    QPalette memoPal = face.memo->palette();
    memoPal.setColor(QPalette::Base, ToQColor(kLightYellow));
    memoPal.setColor(QPalette::Window, ToQColor(kLightYellow));
    face.memo->setPalette(memoPal);
    box = face.memo;
  } else {
    face.view = new TMemoView(window);
    box = face.view;
  }
  box->setObjectName(QStringLiteral("PostMesg"));
  box->setGeometry(3, 15, 170, 26);
  if (memoDesign) {
    face.memo->setFont(LabelFaceMemoFont());
    SetMemoLines(face.memo, LabelFaceDesignLines());
  }
  return face;
}

}  // namespace morna::ui
