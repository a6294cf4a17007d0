// Fonts and colours of the registration window's controls, shared by its
// source files.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "core/settings.h"

class QWidget;

namespace morna::ui {

inline const QColor kLookNavy(0, 0, 128);
inline constexpr WinColor kLookRed = 255;

QFont LookFont(const QString& family, int pixelSize, bool bold, bool italic = false);
// A condensed face when the family is not installed and a wider stand-in
// would be drawn.
void FitFont(QFont& f);
// Text colour of a label, button, box or radio button.
void SetTextColor(QWidget* w, const QColor& c);
// Background colour; the widget paints its background from then on.
void SetBackColor(QWidget* w, const QColor& c);

}  // namespace morna::ui
