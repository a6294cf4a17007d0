// Reading and saving whole files so that a crash, a second writer or an odd
// file never costs the user a file: saves go to a fresh temporary file that
// is synced and renamed into place, and a file that must make way is kept
// under a new name.
#pragma once

#include <string>
#include <string_view>

#include "core/datetime.h"
#include "core/platform.h"
#include "core/result.h"

namespace morna {

// The system's message for a code, without trailing blanks, control
// characters and periods.
std::string SystemMessage(platform::ErrorCode err);

// Writes `data` as the whole file at `path`. A path that is a symbolic link
// is saved at the file the link names. The data goes to a temporary file
// with a name of its own beside that file, which takes the old file's
// permission bits (and owner and group, as far as allowed), is synced and
// renamed into place; the folder is synced after. While saving, an advisory
// lock on the old file keeps a second writer waiting. Where the folder
// refuses this user a new file, an existing file is written in place.
// Anything that is not a regular file is refused and left alone. A failure
// carries the system's text; the old file is then whole (unless a write in
// place failed part-way).
FileResult SaveWholeFile(const std::string& path, std::string_view data);

// Moves the file at `path` (through links, the file they name) aside before
// it is overwritten: to "<name>.bak", else the first free of ".bak2" to
// ".bak99", else "<name>.bak-yyyymmdd-hhmmss" of `now`. An existing file of
// those names is never replaced. Nothing at `path` needs no keeping;
// anything but a regular file is refused and stays where it is. `keptAs`
// receives the file's new name (empty when there was no file).
FileResult KeepAside(const std::string& path, DateTime now, std::string* keptAs = nullptr);

}  // namespace morna
