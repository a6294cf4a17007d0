// The look shared by the windows: fonts fitted to their boxes, text and
// background colours, and the program's icon.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>

#include "core/palette.h"
#include "ui/icon/appicon.h"

class QPainter;
class QWidget;

namespace morna::ui {

QFont LookFont(const QString& family, int pixelSize, bool bold, bool italic = false);
// A condensed face when the family is not installed and a wider stand-in
// would be drawn.
void FitFont(QFont& f);
// Gives `w` the font `f` when it is first shown. A text box lays its text out
// as soon as its font changes, which loads the font; a control the user may
// never see (the recurring-entry group of the short window) should not load
// one at start-up.
void SetFontWhenShown(QWidget* w, const QFont& f);
// Text colour of a label, button, box or radio button, while it is enabled;
// disabled, it shows the platform's disabled text colour.
void SetTextColor(QWidget* w, const QColor& c);
// Background colour; the widget paints its background from then on.
void SetBackColor(QWidget* w, const QColor& c);

// The program's icon picture (a note with a bell), 16 to 64 pixels, from
// the pixels painted at build time (ui/icon/appicon.h).
QIcon AppIcon();

}  // namespace morna::ui
