// One label window: a borderless window with the label's date-time, its
// message and a framed rectangle, not kept on top, with no taskbar button.
// A window closed by the window system deletes itself; the window list holds
// it through a QPointer and so never touches it again.
#pragma once

#include <QWidget>

#include "core/labelwindows.h"

class QLabel;
class QPlainTextEdit;

namespace morna::ui {

class TPstPost : public QWidget {
  Q_OBJECT
 public:
  explicit TPstPost(QWidget* parent = nullptr);

  // Applies what core computed (texts, colours, size, font, place) and shows
  // the window.
  void ShowPostWindow(const PostWindowSpec& spec);
  void SetColors(WinColor color, WinColor captionColor);

  QString Caption() const;
  QStringList Lines() const;
  QColor Color() const;
  QColor CaptionColor() const;

  QLabel* PostDataTime = nullptr;
  QPlainTextEdit* PostMesg = nullptr;
  QWidget* Shape1 = nullptr;

 signals:
  void modifyRequested();  // frame or date-time clicked (DataModify)
  void mesgClicked();      // message clicked (PostMesgClick)
};

}  // namespace morna::ui
