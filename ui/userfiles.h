// Finds where this program's settings and data files live (the choice itself
// is core/userfiles.h) and makes the user's folders when the files go there.
#pragma once

#include <string>
#include <string_view>

#include "core/userfiles.h"

namespace morna::ui {

// Looks beside the running executable and at the desktop's per-user config
// and data folders (~/.config/Moranote, ~/.local/share/Moranote, or under
// XDG_CONFIG_HOME / XDG_DATA_HOME when these are absolute; the system's
// folders on Windows).
FilePlaces FindFilePlaces();

#ifndef Q_OS_WIN
// The desktop's per-user base folder named by `variable` (XDG_CONFIG_HOME,
// XDG_DATA_HOME), or `fallback` (".config", ".local/share") in the home
// folder when the variable is unset, empty or relative; a native path.
std::string DesktopFolder(const char* variable, std::string_view fallback);
#endif

// Makes the settings file's folder and the data folder when missing. One
// that cannot be made is reported like a settings file that cannot be
// written ("%s に書き込めません"), through the general error handler, and the
// program runs on.
void MakeUserFolders(const FilePlaces& places);

}  // namespace morna::ui
