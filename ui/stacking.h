// Which windows of this program another window covers, as the display
// server stacks them: a re-filled label window is raised only when it needs
// to be, which spares the server restacking (and the windows repainting)
// dozens of windows that stand in plain view at every post.
#pragma once

#include <vector>

class QWidget;

namespace morna::ui {

// For each of `windows` (shown top-level windows), whether a window above it
// in the stacking order covers part of it. Where the stacking is not known
// (no X server, a window not found) the answer is true, so that the caller
// raises the window as it always did.
std::vector<bool> CoveredWindows(const std::vector<QWidget*>& windows);

}  // namespace morna::ui
