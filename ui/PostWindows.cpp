#include "ui/PostWindows.h"

#include <QLabel>
#include <algorithm>
#include <utility>

#include "core/labelwindows.h"
#include "ui/Ppost.h"
#include "ui/codec.h"
#include "ui/stacking.h"

namespace morna::ui {

PostWindows::PostWindows(AppState& state) : state_(state) {}

PostWindows::~PostWindows() { DeleteDisplayData(); }

void PostWindows::DisplayData() {
  // Windows of an earlier build that nobody removed would otherwise stay on
  // the desktop with nothing left to reach them.
  if (!list_.empty()) DeleteDisplayData();

  state_.WorkArea = ChooseWorkArea(state_.Settings, state_.ScreenWorkArea());
  int alarmCount = 0;
  const std::vector<PostWindowPlan> plans =
      morna::DisplayData(state_.Settings, state_.Labels.Table(), state_.Timer.DisplayBaseTime,
                         state_.Now(), state_.WorkArea, alarmCount);
  state_.AlarmWindowCount = alarmCount;

  // Windows taken down before are re-filled: first each one for the place
  // where it stands, then the rest. After a post or a delete most labels
  // have moved by one place, and writing a label into the window standing
  // at its place costs less than moving every window along: a window that
  // keeps its label and place is left as it is.
  std::erase_if(spares_, [](const QPointer<TPstPost>& w) { return !w || w->IsClosed(); });
  std::vector<TPstPost*> windows(plans.size(), nullptr);
  for (std::size_t i = 0; i < plans.size(); ++i) windows[i] = TakeSpare(plans[i], true);
  list_.reserve(plans.size());
  std::vector<QWidget*> standing;
  for (std::size_t i = 0; i < plans.size(); ++i) {
    TPstPost* w = windows[i] ? windows[i] : TakeSpare(plans[i], false);
    if (!w) w = NewWindow();
    list_.emplace_back(w);
    if (w->isVisible()) standing.push_back(w);
    w->ShowPostWindow(plans[i]);
  }
  DestroySpares();
  // The labels come to the front as at every build: a window shown now
  // stands on top already, and of those that stood before only the ones
  // another window covers need raising.
  const std::vector<bool> covered = CoveredWindows(standing);
  for (std::size_t i = 0; i < standing.size(); ++i)
    if (covered[i]) standing[i]->raise();
}

TPstPost* PostWindows::NewWindow() {
  auto* w = new TPstPost();
  QObject::connect(w, &TPstPost::modifyRequested, this, [this, w] {
    if (!w->IsAlarm()) emit modifyRequested(w->Label());
  });
  QObject::connect(w, &TPstPost::mesgClicked, this, [this, w] { emit mesgClicked(w->Lines()); });
  QObject::connect(w, &TPstPost::focusStepRequested, this,
                   [this, w](bool forward) { FocusStep(w, forward); });
  QObject::connect(w, &TPstPost::leaveRequested, this, &PostWindows::leaveRequested);
  return w;
}

TPstPost* PostWindows::TakeSpare(const PostWindowPlan& plan, bool samePlaceOnly) {
  auto it = std::find_if(spares_.begin(), spares_.end(), [&](const QPointer<TPstPost>& w) {
    return w->StandsAt(plan);
  });
  if (it == spares_.end() && !samePlaceOnly && !spares_.empty()) it = spares_.begin();
  if (it == spares_.end()) return nullptr;
  TPstPost* w = it->data();
  spares_.erase(it);
  return w;
}

void PostWindows::TakeDown() {
  for (const QPointer<TPstPost>& w : list_) {
    if (w) spares_.push_back(w);
  }
  list_.clear();
  QMetaObject::invokeMethod(&cleanup_, [this] { DestroySpares(); }, Qt::QueuedConnection);
}

void PostWindows::DestroySpares() {
  std::vector<QPointer<TPstPost>> old;
  old.swap(spares_);
  for (const QPointer<TPstPost>& w : old) {
    if (w) delete w.data();
  }
}

void PostWindows::DeleteDisplayData() {
  DestroySpares();
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

bool PostWindows::TellState(int k, LabelState state) {
  TPstPost* w = At(k);
  return w && w->TellState(state);
}

void PostWindows::Announce(int k) {
  if (TPstPost* w = At(k)) w->Alert();
}

void PostWindows::FocusStep(const TPstPost* from, bool forward) {
  int k = -1;
  for (int i = 0; from && i < Count(); ++i) {
    if (list_[static_cast<std::size_t>(i)].data() == from) k = i;
  }
  if (!forward && k < 0) k = Count();
  // Windows the user closed are passed over.
  for (k += forward ? 1 : -1; k >= 0 && k < Count(); k += forward ? 1 : -1) {
    if (TPstPost* w = At(k); w && w->isVisible()) {
      w->Focus();
      return;
    }
  }
  emit leaveRequested();
}

}  // namespace morna::ui
