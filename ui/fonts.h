// The fonts the windows are designed with are Windows fonts. Where one is not
// installed, Qt is told which installed font comes closest in width and
// script, so captions fit their boxes and Japanese text shows.
#pragma once

namespace morna::ui {

void InstallFontSubstitutes();

}  // namespace morna::ui
