// Finds where this program's settings and data files live (the choice itself
// is core/userfiles.h) and makes the user's folders when the files go there.
#pragma once

#include "core/userfiles.h"

namespace morna::ui {

// Looks beside the running executable and at the desktop's per-user config
// and data folders (QStandardPaths: ~/.config/Moranote, ~/.local/share/Moranote).
FilePlaces FindFilePlaces();

// Makes the settings file's folder and the data folder when missing. One
// that cannot be made is reported like a settings file that cannot be
// written ("%s に書き込めません"), through the general error handler, and the
// program runs on.
void MakeUserFolders(const FilePlaces& places);

}  // namespace morna::ui
