#include "ui/memoview.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTextLayout>
#include <QWheelEvent>
#include <QtMath>
#include <algorithm>
#include <climits>

#include "ui/controls.h"

namespace morna::ui {

struct TMemoView::Block {
  QString text;
  std::unique_ptr<QTextLayout> layout;  // made when first needed
  qreal height = 0;
};

namespace {

// Screen readers read the message as the box's text.
class MemoViewAccessible : public QAccessibleWidget {
 public:
  explicit MemoViewAccessible(TMemoView* view) : QAccessibleWidget(view, QAccessible::StaticText) {}
  QString text(QAccessible::Text t) const override {
    const auto* view = static_cast<const TMemoView*>(widget());
    if ((t == QAccessible::Name && view->accessibleName().isEmpty()) || t == QAccessible::Value)
      return view->Text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* MemoViewFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(TMemoView::staticMetaObject.className()))
    if (auto* view = qobject_cast<TMemoView*>(object)) return new MemoViewAccessible(view);
  return nullptr;
}

// Where a text box starts a new paragraph: at a line feed, a carriage
// return (a CR LF pair counting once), a paragraph separator and the two
// frame marks of its document.
bool EndsParagraph(QChar c) {
  return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar(0xFDD0) ||
         c == QChar(0xFDD1);
}

}  // namespace

TMemoView::TMemoView(QWidget* parent) : QWidget(parent) {
  static const bool factory = [] {
    QAccessible::installFactory(MemoViewFactory);
    return true;
  }();
  (void)factory;
  // The box's base colour under the text, as a text box's viewport has it.
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  // Clicked or tabbed to, it scrolls with the keys.
  setFocusPolicy(Qt::StrongFocus);
}

TMemoView::~TMemoView() = default;

void TMemoView::SetLines(const QStringList& lines) {
  if (lines == lines_ && split_) return;
  lines_ = lines;
  blocks_.clear();
  split_ = false;
  top_ = 0;
  wheelRest_ = 0;
  update();
  if (QAccessible::isActive()) {
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
  }
}

QString TMemoView::Text() const {
  QString text = lines_.join(QLatin1Char('\n'));
  if (!lines_.isEmpty() && lines_.last().isEmpty()) text += QLatin1Char('\n');
  return text;
}

void TMemoView::Invalidate() {
  for (Block& b : blocks_) b.layout.reset();
  update();
}

void TMemoView::SplitBlocks() const {
  if (split_) return;
  const QString text = Text();
  // One way of breaking lines for the whole text, as a text box has it.
  wrap_ = MemoWrapMode(text);
  blocks_.clear();
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!EndsParagraph(text[i])) continue;
    blocks_.push_back(Block{text.mid(start, i - start), nullptr, 0});
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  blocks_.push_back(Block{text.mid(start), nullptr, 0});
  split_ = true;
}

// Each paragraph is broken as a plain text box breaks it: the box's width
// (no limit for a box of no width), leading included, a negative leading
// taken off the next line's place.
QTextLayout& TMemoView::LaidOut(std::size_t block) const {
  SplitBlocks();
  Block& b = blocks_[block];
  if (b.layout) return *b.layout;
  b.layout = std::make_unique<QTextLayout>(b.text, font(), this);
  QTextOption option;
  option.setWrapMode(wrap_);
  b.layout->setTextOption(option);
  const qreal width = this->width() > 0 ? this->width() : qreal(INT_MAX);
  qreal y = 0;
  b.layout->beginLayout();
  for (QTextLine line = b.layout->createLine(); line.isValid(); line = b.layout->createLine()) {
    line.setLeadingIncluded(true);
    line.setLineWidth(width);
    line.setPosition(QPointF(0, y));
    y += line.height();
    if (line.leading() < 0) y += qCeil(line.leading());
  }
  b.layout->endLayout();
  b.height = b.layout->boundingRect().bottom();
  return *b.layout;
}

qreal TMemoView::BlockHeight(std::size_t block) const {
  LaidOut(block);
  return blocks_[block].height;
}

std::pair<std::size_t, int> TMemoView::Locate(int line) const {
  SplitBlocks();
  std::size_t b = 0;
  for (; b + 1 < blocks_.size(); ++b) {
    const int count = LaidOut(b).lineCount();
    if (line < count) break;
    line -= count;
  }
  return {b, std::min(line, std::max(0, LaidOut(b).lineCount() - 1))};
}

int TMemoView::LinesAtBottom() const {
  SplitBlocks();
  const qreal visible = height() - 1;
  qreal y = 0;
  int lines = 0;
  for (std::size_t b = blocks_.size(); b-- > 0;) {
    const QTextLayout& layout = LaidOut(b);
    y += blocks_[b].height;
    const int count = layout.lineCount();
    if (y > visible) {
      // The lines of this paragraph that still fit under the top.
      int first = 0;
      while (first < count && layout.lineAt(first).naturalTextRect().top() < y - visible) ++first;
      return lines + (count - first);
    }
    lines += count;
  }
  return lines;
}

int TMemoView::MaxTopLine() const {
  SplitBlocks();
  int total = 0;
  for (std::size_t b = 0; b < blocks_.size(); ++b) total += LaidOut(b).lineCount();
  return std::max(0, total - LinesAtBottom());
}

void TMemoView::ScrollToLine(int line) {
  const int top = std::clamp(line, 0, MaxTopLine());
  if (top == top_) return;
  top_ = top;
  update();
}

void TMemoView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  painter.setClipRect(area);
  painter.setPen(palette().color(QPalette::Active, QPalette::Text));
  // The first line shown stands at the top; a paragraph's lines above it are
  // left out by drawing the paragraph that much higher.
  const auto [first, line] = Locate(top_);
  QPointF offset(0, line > 0 ? -LaidOut(first).lineAt(line - 1).naturalTextRect().bottom() : 0);
  for (std::size_t b = first; b < blocks_.size(); ++b) {
    QTextLayout& layout = LaidOut(b);
    const qreal h = blocks_[b].height;
    if (offset.y() + h >= area.top() && offset.y() <= area.bottom())
      layout.draw(&painter, offset, {}, area);
    offset.ry() += h;
    if (offset.y() > height()) break;
  }
}

void TMemoView::resizeEvent(QResizeEvent* event) {
  if (event->oldSize().width() != event->size().width()) Invalidate();
  if (top_ > 0) top_ = std::min(top_, MaxTopLine());
}

void TMemoView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    Invalidate();
    if (top_ > 0) top_ = std::min(top_, MaxTopLine());
  }
  QWidget::changeEvent(event);
}

void TMemoView::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  event->ignore();
  if (delta == 0) return;
  // As a scroll bar steps: the system's lines per notch, a page with Ctrl or
  // Shift, never more than a page at once; a part of a line turned is kept
  // for the next turn the same way.
  const int page = std::max(1, LinesAtBottom());
  const qreal notches = -qreal(delta) / 120;
  int steps = 0;
  if (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) {
    steps = std::clamp(int(notches * page), -page, page);
    wheelRest_ = 0;
  } else {
    const qreal lines = notches * QApplication::wheelScrollLines();
    if (wheelRest_ != 0 && lines / wheelRest_ < 0) wheelRest_ = 0;
    wheelRest_ += lines;
    steps = std::clamp(int(wheelRest_), -page, page);
    wheelRest_ -= int(wheelRest_);
  }
  const int before = top_;
  if (steps != 0) ScrollToLine(top_ + steps);
  if (top_ != before) event->accept();
  else if (steps != 0) wheelRest_ = 0;
}

void TMemoView::keyPressEvent(QKeyEvent* event) {
  const int page = std::max(1, LinesAtBottom());
  if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    switch (event->key()) {
      case Qt::Key_Up: ScrollToLine(top_ - 1); return;
      case Qt::Key_Down: ScrollToLine(top_ + 1); return;
      case Qt::Key_PageUp: ScrollToLine(top_ - page); return;
      case Qt::Key_PageDown:
      case Qt::Key_Space: ScrollToLine(top_ + page); return;
      case Qt::Key_Home: ScrollToLine(0); return;
      case Qt::Key_End: ScrollToLine(MaxTopLine()); return;
      default: break;
    }
  }
  QWidget::keyPressEvent(event);
}

void TMemoView::mousePressEvent(QMouseEvent* event) {
  // Taken, so that the release (a click) comes here too.
  event->accept();
}

}  // namespace morna::ui
