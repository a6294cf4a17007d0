// What the settings dialog's two source files share.
#pragma once

#include <QFont>
#include <QString>

namespace morna::ui::pinit {

// The dialog's own font. Its stand-in is drawn to the same widths, so it is
// not condensed: the captions' blanks leave their gaps under the combo boxes
// that stand over them.
inline QFont PGothic(int pixelSize, bool bold) {
  QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  return f;
}

// What the sound file's box shows when no file is chosen.
inline QString BuiltInSoundText() { return QStringLiteral("内蔵のチャイム（既定の音）"); }

}  // namespace morna::ui::pinit
