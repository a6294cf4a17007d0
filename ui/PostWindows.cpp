#include "ui/PostWindows.h"

#include <QLabel>
#include <utility>

#include "core/labelwindows.h"
#include "ui/Ppost.h"
#include "ui/Ppsub.h"
#include "ui/codec.h"
#include "ui/errors.h"

namespace morna::ui {

PostWindows::PostWindows(AppState& state, TPstPsub& popup,
                         std::function<void(const QStringList&)> onMesgClick)
    : state_(state), popup_(popup), onMesgClick_(std::move(onMesgClick)) {}

PostWindows::~PostWindows() { DeleteDisplayData(); }

void PostWindows::DisplayData() {
  // Windows of an earlier build that nobody removed would otherwise stay on
  // the desktop with nothing left to reach them.
  if (!list_.empty()) DeleteDisplayData();

  state_.WorkArea = ChooseWorkArea(state_.Settings, state_.ScreenWorkArea());
  int alarmCount = 0;
  const std::vector<PostWindowPlan> plans =
      morna::DisplayData(state_.Settings, state_.PostTable, state_.Timer.DisplayBaseTime,
                         state_.Now(), state_.WorkArea, alarmCount);
  state_.AlarmWindowCount = alarmCount;

  list_.reserve(plans.size());
  for (const PostWindowPlan& plan : plans) {
    auto* w = new TPstPost();
    QObject::connect(w, &TPstPost::modifyRequested, w, [this, w] {
      Guard([&] {
        // DataModify: an alarm window has no label to modify.
        if (!w->IsAlarm()) popup_.ShowLabel(w->Label());
      });
    });
    QObject::connect(w, &TPstPost::mesgClicked, w, [this, w] {
      Guard([&] {
        if (onMesgClick_) onMesgClick_(w->Lines());
      });
    });
    list_.emplace_back(w);
    w->ShowPostWindow(plan);
  }
}

void PostWindows::DeleteDisplayData() {
  // Move the list out first: whatever a destructor triggers sees an empty list.
  std::vector<QPointer<TPstPost>> old;
  old.swap(list_);
  for (const QPointer<TPstPost>& w : old) {
    // A window the user closed may still wait for its own deletion; deleting
    // it now cancels that, so it is destroyed exactly once either way.
    if (w) delete w.data();
  }
}

int PostWindows::Count() const { return static_cast<int>(list_.size()); }

TPstPost* PostWindows::At(int k) const {
  if (k < 0 || k >= Count()) return nullptr;
  TPstPost* w = list_[static_cast<std::size_t>(k)].data();
  return (w && !w->IsClosed()) ? w : nullptr;
}

std::vector<std::string> PostWindows::Captions() const {
  std::vector<std::string> captions;
  captions.reserve(list_.size());
  for (int k = 0; k < Count(); ++k) {
    const TPstPost* w = At(k);
    captions.push_back(w ? w->Label().Caption : std::string());
  }
  return captions;
}

void PostWindows::Recolor(int k, WinColor color, WinColor captionColor) {
  if (TPstPost* w = At(k)) w->SetColors(color, captionColor);
}

}  // namespace morna::ui
