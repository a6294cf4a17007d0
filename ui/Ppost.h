// One label window: a borderless window with the label's date-time, its
// message and a framed rectangle, not kept on top, with no taskbar button.
// A window closed by the window system deletes itself; the window list holds
// it through a QPointer and so never touches it again.
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <optional>

#include "core/labelwindows.h"
#include "core/language.h"
#include "ui/controls.h"
#include "ui/memoview.h"

class QFocusFrame;
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

  // --- screen readers and the keyboard. The window is an accessible window
  // named by its date-time and message, with its state as its description.
  // A change of state from the timer is told (the description changes; a
  // label whose time came raises an alert); Alert() announces an alarm
  // that sounds for the window.
  LabelState State() const { return state_; }
  // Whether it raised an alert.
  bool TellState(LabelState state);
  void Alert();
  // Takes the keyboard focus (the window comes to the front and shows its
  // focus ring).
  void Focus();
  // As a click on the frame: the popup opens on the label (Enter, Space,
  // and a screen reader's press action).
  void Open() { emit modifyRequested(); }

  QLabel* PostDataTime = nullptr;
  TMemoView* PostMesg = nullptr;
  TShape* Shape1 = nullptr;

 signals:
  void modifyRequested();  // frame or date-time clicked (DataModify)
  void mesgClicked();      // message clicked (PostMesgClick)
  // Tab, F6 (on) or Shift+Tab, Shift+F6 (back): to the next label window.
  void focusStepRequested(bool forward);
  // Escape: back to the registration window.
  void leaveRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  bool closed_ = false;
  bool alarm_ = false;
  bool filled_ = false;      // shown a plan once
  bool hasMessage_ = true;
  PopupLabel label_;
  std::string fontName_;  // the message font last applied (Shift-JIS) and its size
  int fontSize_ = 0;
  LabelState state_ = LabelState::Plain;
  QFocusFrame* focusRing_ = nullptr;  // made at the first focus
  // What the description last said, in which language.
  struct Described {
    LabelState state;
    bool alarm;
    UiLanguage language;
    bool operator==(const Described&) const = default;
  };
  std::optional<Described> described_;
  void SetState(LabelState state);
  void SetSpokenName();
  void PlaceFocusRing();
};

}  // namespace morna::ui
