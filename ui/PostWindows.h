// The label windows on the desktop (PostWindowList): built from what core
// computed, recoloured by the schedule timer, destroyed before each rebuild.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "core/labelwindows.h"
#include "core/settings.h"
#include "ui/appstate.h"

namespace morna::ui {

class TPstPost;
class TPstPsub;

class PostWindows {
 public:
  // `onModify` receives the label of a window whose frame or date-time was
  // clicked (the popup opens on it); `onMesgClick` the message lines of a
  // clicked message.
  PostWindows(AppState& state, std::function<void(const PopupLabel&)> onModify,
              std::function<void(const QStringList&)> onMesgClick);
  // The same with `popup` opening on a click.
  PostWindows(AppState& state, TPstPsub& popup,
              std::function<void(const QStringList&)> onMesgClick);
  ~PostWindows();

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

 private:
  TPstPost* NewWindow();
  // A window taken down that stands where `plan` puts one, else (unless
  // `samePlaceOnly`) any one; nullptr when there is none.
  TPstPost* TakeSpare(const PostWindowPlan& plan, bool samePlaceOnly);
  void DestroySpares();

  AppState& state_;
  std::function<void(const PopupLabel&)> onModify_;
  std::function<void(const QStringList&)> onMesgClick_;
  std::vector<QPointer<TPstPost>> list_;
  std::vector<QPointer<TPstPost>> spares_;  // taken down, waiting to be re-filled
  QObject cleanup_;                         // context of the spares' clean-up
};

}  // namespace morna::ui
