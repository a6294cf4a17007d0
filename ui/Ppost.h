// One label window: a borderless window with the label's date-time, its
// message and a framed rectangle, not kept on top, with no taskbar button.
// A window closed by the window system deletes itself; the window list holds
// it through a QPointer and so never touches it again.
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

#include "core/labelwindows.h"
#include "ui/controls.h"
#include "ui/memoview.h"

class QLabel;

namespace morna::ui {

class TPstPost : public QWidget {
  Q_OBJECT
 public:
  explicit TPstPost(QWidget* parent = nullptr);

  // Applies what core computed (texts, colours, size, font, place) and shows
  // the window.
  void ShowPostWindow(const PostWindowPlan& plan);
  void SetColors(WinColor color, WinColor captionColor);

  // An alarm window's message in the user's language ("毎週 月曜日 09:00",
  // "Weekly Mon 09:00").
  static QString AlarmLine(const AlarmWords& words);

  QString Caption() const;
  QStringList Lines() const;
  // An alarm window: it stands for no label, so there is nothing to modify.
  bool IsAlarm() const { return alarm_; }
  // Whether the window stands at the place and size `plan` gives.
  bool StandsAt(const PostWindowPlan& plan) const;
  // The window's caption and message as the table holds them (Shift-JIS).
  const PopupLabel& Label() const { return label_; }
  QColor Color() const;
  QColor CaptionColor() const;
  // True once the window system closed the window (it is about to delete
  // itself and must not be touched any more).
  bool IsClosed() const { return closed_; }

  QLabel* PostDataTime = nullptr;
  TMemoView* PostMesg = nullptr;
  TShape* Shape1 = nullptr;

 signals:
  void modifyRequested();  // frame or date-time clicked (DataModify)
  void mesgClicked();      // message clicked (PostMesgClick)

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool closed_ = false;
  bool alarm_ = false;
  bool filled_ = false;      // shown a plan once
  bool hasMessage_ = true;
  PopupLabel label_;
};

}  // namespace morna::ui
