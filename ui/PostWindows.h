// The label windows on the desktop (PostWindowList): built from what core
// computed, recoloured by the schedule timer, destroyed before each rebuild.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <string>
#include <vector>

#include "core/labelwindows.h"
#include "core/settings.h"
#include "ui/appstate.h"

namespace morna::ui {

class TPstPost;

class PostWindows : public QObject {
  Q_OBJECT
 public:
  explicit PostWindows(AppState& state);
  ~PostWindows() override;

  void DisplayData();        // builds and shows every window
  void DeleteDisplayData();  // destroys every window of the last build once
  // Takes the windows of the last build off the list, as DeleteDisplayData
  // does, but leaves them standing for the next DisplayData, which moves and
  // re-fills them instead of making new windows (a window standing at the
  // place of a label is taken for it). Windows that build does not need are
  // destroyed -- by the next turn of the event loop when no build follows.
  void TakeDown();

  int Count() const;                        // windows in the list
  TPstPost* At(int k) const;                // nullptr when closed or out of range
  std::vector<std::string> Captions() const;  // date-time captions, Shift-JIS
  void Recolor(int k, WinColor color, WinColor captionColor);
  // Screen readers: window k tells its new state (true when that raised an
  // alert); window k announces the alarm that sounds for it.
  bool TellState(int k, LabelState state);
  void Announce(int k);
  // The keyboard: gives the focus to the next (or previous) window after
  // `from` in the order of the list (alarms, then labels by date); from
  // none, to the first (or last). Past the end, leaveRequested.
  void FocusStep(const TPstPost* from, bool forward);

 signals:
  // The frame or date-time of a label's window was clicked (the popup opens
  // on the label); an alarm window has no label and reports nothing.
  void modifyRequested(const PopupLabel& label);
  // A window's message was clicked.
  void mesgClicked(const QStringList& lines);
  // Escape in a window, or a step past the last one: back to the
  // registration window.
  void leaveRequested();

 private:
  TPstPost* NewWindow();
  // A window taken down that stands where `plan` puts one, else (unless
  // `samePlaceOnly`) any one; nullptr when there is none.
  TPstPost* TakeSpare(const PostWindowPlan& plan, bool samePlaceOnly);
  void DestroySpares();

  AppState& state_;
  std::vector<QPointer<TPstPost>> list_;
  std::vector<QPointer<TPstPost>> spares_;  // taken down, waiting to be re-filled
  QObject cleanup_;                         // context of the spares' clean-up
};

}  // namespace morna::ui
