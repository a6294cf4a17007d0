// Where the user's Shift-JIS bytes meet Qt's Unicode strings, and Windows
// colour values meet QColor. Nothing else converts either.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"

namespace morna::ui {

QString FromSjis(std::string_view bytes);
std::string ToSjis(const QString& text);
// Whether every character of `text` has a Shift-JIS form, so that ToSjis
// keeps it (no "?" in its place).
bool FitsSjis(const QString& text);
QStringList FromSjisLines(const std::vector<std::string>& lines);

// $00BBGGRR -> QColor, and back (a colour chosen in a dialog).
QColor ToQColor(WinColor c);
WinColor FromQColor(const QColor& c);

// A Shift-JIS file name from the settings as a path for this system's calls.
std::string NativePath(std::string_view sjisName);

}  // namespace morna::ui
