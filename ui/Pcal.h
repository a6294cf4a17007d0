// The calendar window: a resizable month in which every day's box lists the
// times and messages of its labels. Created hidden at start-up and owned by
// the registration window; shown from the month title and the menu, hidden
// by its close box or Escape, stepped a month on or back by clicks on its
// title panel or by keys (Page Up / Left back, Page Down / Right on, Home to
// today's month).
//
// Window size: as with the registration window, the outer size is the client
// area plus a frame of 8 x 27 pixels (thin border and title bar). The design
// window of 706 x 355 has a client area of 698 x 328, and the smallest outer
// size the user can drag it to, 496 x 355, is a client area of 488 x 328.
// The sizes from the settings (CalWidth, CalHeight) are client sizes.
#pragma once

#include <QLabel>
#include <QWidget>
#include <array>

#include "core/calendar.h"
#include "ui/appstate.h"
#include "ui/controls.h"

class QPlainTextEdit;

namespace morna::ui {

class TPstCal : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kFrameWidth = 8;
  static constexpr int kFrameHeight = 27;
  static constexpr int kDesignClientWidth = 698;
  static constexpr int kDesignClientHeight = 328;
  static constexpr int kMinClientWidth = 496 - kFrameWidth;
  static constexpr int kMinClientHeight = 355 - kFrameHeight;

  explicit TPstCal(AppState& state, QWidget* parent = nullptr);

  // Shows the month of CalendarAnchor: a hidden window is sized, centred and
  // filled first (FormShow); a visible one is only brought to the front.
  void ShowCalendar();
  void FormShow();
  // Fills every cell for CalendarAnchor / CalendarMonth and remembers that
  // month as the one shown.
  void FillCalendar();
  // Fills a visible window again for the month it shows (after a change of
  // the labels); a hidden one is filled when it is shown.
  void Refill();
  // Lays the headings and cells out for the present client size.
  void ArrangeCalendar();
  // Left button: the next month; right or middle: the previous one.
  void PanelMouseDown(Qt::MouseButton button);
  // The month after (`forward`) or before the one shown.
  void StepMonth(bool forward);
  // The month of today.
  void ShowTodaysMonth();
  // A key pressed in the window; false when it means nothing here.
  bool KeyPress(int key);

  // --- controls (objectName = the member's name; CalDay[0] is CalDay1)
  TClickLabel* Panel = nullptr;
  std::array<QLabel*, 7> Week{};
  std::array<QLabel*, 42> CalDay{};
  std::array<QPlainTextEdit*, 42> CalMemo{};

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill(const CalendarMonthState& month);

  AppState& state_;
  CalendarMonthState shown_;  // the month the cells were last filled for
};

}  // namespace morna::ui
