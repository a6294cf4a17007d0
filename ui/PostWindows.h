// The label windows on the desktop (PostWindowList): built from what core
// computed, recoloured by the schedule timer, destroyed before each rebuild.
#pragma once

#include <QPointer>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "ui/appstate.h"

namespace morna::ui {

class TPstPost;
class TPstPsub;

class PostWindows {
 public:
  // `popup` opens on a click on a window's frame or date-time; `onMesgClick`
  // receives the message lines of a clicked message.
  PostWindows(AppState& state, TPstPsub& popup,
              std::function<void(const QStringList&)> onMesgClick);
  ~PostWindows();

  void DisplayData();        // builds and shows every window
  void DeleteDisplayData();  // destroys every window of the last build once

  int Count() const;                        // windows in the list
  TPstPost* At(int k) const;                // nullptr when closed or out of range
  std::vector<std::string> Captions() const;  // date-time captions, Shift-JIS
  void Recolor(int k, WinColor color, WinColor captionColor);

 private:
  AppState& state_;
  TPstPsub& popup_;
  std::function<void(const QStringList&)> onMesgClick_;
  std::vector<QPointer<TPstPost>> list_;
};

}  // namespace morna::ui
