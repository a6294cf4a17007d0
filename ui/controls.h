// Small controls shared by the windows: a label that reports its clicks, an
// up-down control, a framed rectangle, memo lines as the table holds them,
// and the light-yellow label face of the label windows and the popup.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextOption>
#include <QWidget>

#include "core/palette.h"

class QToolButton;

namespace morna::ui {

class TMemoView;

// Names a control (its objectName) and puts it at its place in its parent.
template <class W>
W* Place(W* w, const QString& name, int left, int top, int width, int height) {
  w->setObjectName(name);
  w->setGeometry(left, top, width, height);
  return w;
}

// A label whose mouse presses and clicks are reported (day cells, the month
// title, the product name).
class TClickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void mouseDown(Qt::MouseButton button);  // any button goes down
  void clicked();                          // left button released inside

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// An up-down control: two small arrow buttons stepping a position within
// Min..Max without wrapping. A click reports after the position moved; a
// position set from code reports nothing.
class TUpDown : public QWidget {
  Q_OBJECT
 public:
  TUpDown(int min, int max, QWidget* parent = nullptr);
  int Position() const { return position_; }
  void SetPosition(int position);  // brought into Min..Max
  int Min() const { return min_; }
  int Max() const { return max_; }
  void StepUp();    // as a click on the upper arrow
  void StepDown();  // as a click on the lower arrow

  QToolButton* Up = nullptr;
  QToolButton* Down = nullptr;

 signals:
  void clicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  int min_, max_, position_ = 0;
};

// A framed, filled rectangle. It reports every mouse press, whatever the
// button.
class TShape : public QWidget {
  Q_OBJECT
 public:
  TShape(QWidget* parent, WinColor fill, WinColor pen, int penWidth);

  void SetFill(WinColor fill);
  QColor Fill() const { return fill_; }
  QColor Pen() const { return pen_; }
  int PenWidth() const { return penWidth_; }

 signals:
  void mouseDown(Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QColor fill_;
  QColor pen_;
  int penWidth_;
};

// A memo box's lines, read and written the way the table holds a message:
// one entry per line; a final line break adds no empty last line, and the
// empty text has no lines.
void SetMemoLines(QPlainTextEdit* memo, const QStringList& lines);
QStringList MemoLines(const QPlainTextEdit* memo);

// How a memo box holding `text` breaks its lines: at word boundaries (a word
// wider than the line anywhere), as usual; anywhere when the text holds a
// word of kLongWordChars or more, which no line of any box takes whole
// anyway. The toolkit lays such a word out again for each line it fills, so
// at word boundaries its cost grows with the square of its length (a
// megabyte without a break would take minutes).
inline constexpr int kLongWordChars = 256;
QTextOption::WrapMode MemoWrapMode(const QString& text);
// Gives `memo` the wrap mode for `text` (before it takes the text, so that
// it is laid out once, the quick way).
void FitMemoWrap(QPlainTextEdit* memo, const QString& text);

// The most the registration window's message box takes: far more than any
// label shows, and little enough to lay out at once.
inline constexpr int kMessageLimit = 65536;

// A memo box that takes at most `limit` characters (UTF-16 units, a line
// break counting one) from the user: a paste or a drop that would go over is
// cut to what still fits, and a notice says so; typing stops at the limit.
// Text set from code is taken whole. Its wrap mode follows its text.
class TLimitedMemo : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TLimitedMemo(int limit, QWidget* parent = nullptr);
  int Limit() const { return limit_; }
  // What the notice says when a paste of `pasted` characters was cut to `taken`.
  static QString CutNoticeText(qsizetype pasted, qsizetype taken, int limit);

 protected:
  void insertFromMimeData(const QMimeData* source) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  // How many more characters the box takes in place of the selection.
  qsizetype Room() const;
  int limit_;
};

// Items of the combo boxes: the weekday names "Sunday" .. "Saturday", the 48
// half-hour times "00:00" .. "23:30", and the numbers from..to in `step`s.
QStringList WeekdayItems();
QStringList HalfHourItems();
QStringList NumberItems(int from, int to, int step = 1);

// The light-yellow face of a label window and of the popup, built on
// `window` after its frame shapes (so that the texts stand on them): the
// window's colour and font, the date-time caption "0000/00/00 00:00" in bold
// "MS Sans Serif" of `timePixelSize` at 2,2 (105 x 13), and the borderless
// message box at 3,15 (170 x 26) with its design font and lines. With
// `memoDesign` false the message box is a read-only TMemoView (`view`)
// left without them, for a window that fills it before it is first shown
// (laying the design lines out would load their font for nothing).
struct LabelFace {
  QLabel* time = nullptr;
  QPlainTextEdit* memo = nullptr;  // with `memoDesign`
  TMemoView* view = nullptr;       // without
};
LabelFace BuildLabelFace(QWidget* window, int timePixelSize, bool memoDesign = true);
// The message box's design font ("ＭＳ Ｐゴシック" 13 px) and lines.
QFont LabelFaceMemoFont();
QStringList LabelFaceDesignLines();

}  // namespace morna::ui
