// Finds where this program's settings and data files live (the choice itself
// is core/userfiles.h) and makes the user's folders when the files go there.
#pragma once

#include <string>
#include <string_view>

#include "core/settings.h"
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

// The label data file the settings name, as a native path: FileName, a
// relative one taken in `dataDir` (the per-user data folder, or empty for
// the current folder). Start-up, the one-program check and the settings
// dialog all ask here.
std::string DataFilePath(const Settings& settings, const std::string& dataDir);

}  // namespace morna::ui
