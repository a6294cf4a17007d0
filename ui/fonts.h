// The fonts the windows are designed with are Windows fonts. Where one is not
// installed, Qt is told which installed font comes closest in width and
// script, so captions fit their boxes and Japanese text shows.
#pragma once

#include <QString>

namespace morna::ui {

// Makes each missing design font an alias of its first installed stand-in.
// Call once, before any window asks for a font.
void InstallFontStandIns();
// Whether `family` is installed under that name (aliases do not count).
bool FamilyInstalled(const QString& family);

}  // namespace morna::ui
