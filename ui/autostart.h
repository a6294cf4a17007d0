// Starting the program when the user logs in: the menu item that shows and
// switches it, and the entry behind it. On freedesktop desktops that is a
// desktop entry in the user's autostart folder ($XDG_CONFIG_HOME/autostart,
// else ~/.config/autostart); on Windows a value under the user's Run key.
// Either starts the executable that is running now.
#pragma once

#include <QString>

class QAction;
class QMenu;

namespace morna::ui {

#if !defined(Q_OS_WIN)
// The autostart entry's file.
QString AutostartEntryPath();
#endif

bool AutostartEnabled();
// Writes the entry for the running executable, or removes it. Throws Error
// when that fails.
void SetAutostart(bool on);

// Makes `item` a check item that switches the entry; its mark shows whether
// the entry exists, read again each time `menu` is about to show.
void AttachAutostart(QAction* item, QMenu* menu);

}  // namespace morna::ui
