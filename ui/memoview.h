// A label window's message: a read-only box that draws its lines itself.
//
// It looks exactly like the borderless read-only plain text box it stands in
// for -- the same line breaks (at word boundaries, anywhere for a word longer
// than any line), the same line spacing, the box's font on its base colour --
// but holds no document, cursor, scroll bars or undo history: a label window
// is built and re-filled by the dozen, and only shows its text. A block of
// text is laid out when it is first painted. A message longer than the box
// scrolls by whole lines with the wheel and, with focus, with the arrow and
// page keys. There is no selection and no context menu.
#pragma once

#include <QStringList>
#include <QTextOption>
#include <QWidget>
#include <memory>
#include <vector>

class QTextLayout;

namespace morna::ui {

class TMemoView : public QWidget {
  Q_OBJECT
 public:
  explicit TMemoView(QWidget* parent = nullptr);
  ~TMemoView() override;

  // The message as the table holds it: one entry per line. Lines that differ
  // from those shown start the box again at its first line.
  void SetLines(const QStringList& lines);
  const QStringList& Lines() const { return lines_; }
  // The lines as one text, each ended by a line break but the last (an empty
  // last line keeps its own).
  QString Text() const;

  // The first line shown, counted over the lines as broken to the box's
  // width, and the most it can be (the last line then stands at the bottom).
  int TopLine() const { return top_; }
  int MaxTopLine() const;
  void ScrollToLine(int line);  // brought into 0..MaxTopLine()

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  struct Block;
  // Drops every layout: the text, the font or the width changed.
  void Invalidate();
  // The blocks of the text, split where a text box starts a new paragraph.
  void SplitBlocks() const;
  QTextLayout& LaidOut(std::size_t block) const;
  qreal BlockHeight(std::size_t block) const;
  // Which block holds broken line `line`, and the line's number within it.
  std::pair<std::size_t, int> Locate(int line) const;
  // The number of lines the bottom of the text shows when scrolled to its end.
  int LinesAtBottom() const;

  QStringList lines_;
  mutable std::vector<Block> blocks_;
  mutable bool split_ = false;
  mutable QTextOption::WrapMode wrap_ = QTextOption::WrapAtWordBoundaryOrAnywhere;
  int top_ = 0;
  qreal wheelRest_ = 0;  // part of a line the wheel has turned, not yet scrolled
};

}  // namespace morna::ui
