// One label window: a borderless window with the label's date-time, its
// message and a framed rectangle, not kept on top, with no taskbar button.
// A window closed by the window system deletes itself; the window list holds
// it through a QPointer and so never touches it again.
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

#include "core/labelwindows.h"

class QLabel;
class QPlainTextEdit;

namespace morna::ui {

// A framed, filled rectangle (the windows' frame shapes). It reports every
// mouse press, whatever the button.
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

class TPstPost : public QWidget {
  Q_OBJECT
 public:
  explicit TPstPost(QWidget* parent = nullptr);

  // Applies what core computed (texts, colours, size, font, place) and shows
  // the window.
  void ShowPostWindow(const PostWindowPlan& plan);
  void SetColors(WinColor color, WinColor captionColor);

  QString Caption() const;
  QStringList Lines() const;
  QColor Color() const;
  QColor CaptionColor() const;
  // True once the window system closed the window (it is about to delete
  // itself and must not be touched any more).
  bool IsClosed() const { return closed_; }

  QLabel* PostDataTime = nullptr;
  QPlainTextEdit* PostMesg = nullptr;
  TShape* Shape1 = nullptr;

 signals:
  void modifyRequested();  // frame or date-time clicked (DataModify)
  void mesgClicked();      // message clicked (PostMesgClick)

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool closed_ = false;
};

}  // namespace morna::ui
