// The desktop entry that starts the program at login (the freedesktop
// autostart folder holds one such file per program).
#pragma once

#include <string>
#include <string_view>

namespace morna {

// One argument of a desktop entry's Exec line, as the file stores it:
// quoted when it holds a space or another reserved character, with '%'
// doubled and the string escapes (\\, \n, \t, \r) applied. UTF-8.
std::string DesktopExecArg(std::string_view arg);

// The autostart entry for the program at `exePath` (absolute, UTF-8) whose
// icon is named `iconName`.
std::string AutostartEntryText(std::string_view exePath, std::string_view iconName);

// Whether an existing autostart entry starts the program: an entry marked
// Hidden=true (how some desktops switch one off) does not.
bool AutostartEntryActive(std::string_view text);

}  // namespace morna
