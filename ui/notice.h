// Messages that do not stop the program: a box of its own, not modal, that
// the user closes when it has been read.
#pragma once

#include <QString>

#include "core/settings.h"

class QWidget;

namespace morna::ui {

// Shows `text` (caption "Moranote") once the event loop runs, so that it never
// comes before the program's own windows and never holds start-up up. The
// box goes when `owner` does; its objectName is "Notice".
void ShowNotice(QWidget* owner, const QString& text);

// What the user is told when the icon cannot go into a notification area.
QString NoTrayNoticeText(const QString& error);
// What the user is told when the program runs on Wayland without X.
QString WaylandNoticeText();
// What the user is told about the values of the settings file at
// `settingsFile` that were too long to be used (Settings::Refused); empty
// when there are none.
QString RefusedSettingsNoticeText(const Settings& s, const QString& settingsFile);
// What the user is told when another account owns the folder where this
// user's program would watch for a second start of itself.
QString PlaceHeldNoticeText(const QString& folder);
// What the user is told when another running program already uses the label
// file just switched to.
QString DataFileInUseNoticeText(const QString& path);

}  // namespace morna::ui
