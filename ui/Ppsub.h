// The modify/delete popup: shows one label (caption and message lines) with
// the buttons Modify, Delete and Cancel. Created once, only hidden and shown.
// The buttons' handlers live in the registration window, which connects to
// the buttons (objectNames BtnMod, BtnDel, BtnCan).
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "core/posttable.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace morna::ui {

class TPstPsub : public QWidget {
  Q_OBJECT
 public:
  explicit TPstPsub(QWidget* parent = nullptr);

  // Fills the popup with a label (its bytes as the table holds them),
  // centres it on the screen and shows it (not modal). The popup keeps the
  // bytes: not every Shift-JIS text survives the trip to the screen and
  // back, and Modify and Delete must find the very label it was opened on.
  void ShowLabel(const PopupLabel& label);
  // The same for a label given as text.
  void ShowLabel(const QString& caption, const QStringList& lines);
  // The label now shown, as the table compares it: the bytes it was opened
  // with; once the user has edited the message, the edited text.
  PopupLabel Label() const;
  QString Caption() const;
  QStringList Lines() const;
  // Where the keyboard focus goes when the popup closes: `window`, or
  // `fallback` when that is gone by then (a label window deleted).
  void ReturnFocusTo(QWidget* window, QWidget* fallback);

  QLabel* PostDataTime = nullptr;
  QPlainTextEdit* PostMesg = nullptr;
  QPushButton* BtnMod = nullptr;
  QPushButton* BtnDel = nullptr;
  QPushButton* BtnCan = nullptr;
  QWidget* Shape1 = nullptr;  // framed rectangles around the label and the
  QWidget* Shape2 = nullptr;  // question
  QLabel* Image1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;  // hides instead of closing
  // Escape is Cancel; Enter presses the button with the focus.
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  PopupLabel label_;
  QPointer<QWidget> returnTo_, returnFallback_;
};

}  // namespace morna::ui
