// What the settings dialog's two source files share.
#pragma once

#include <QFont>
#include <QString>
#include <iterator>

#include "ui/Pinit.h"

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
// Item k of the input-method combo box in the user's language; core holds
// the items (kImeItems) in Japanese, and stores only the number they start
// with.
inline QString ImeItem(std::size_t k) {
  static const char* const kItems[] = {
      QT_TRANSLATE_NOOP("morna::ui::TPstInit", "0 - なし"),
      QT_TRANSLATE_NOOP("morna::ui::TPstInit", "1 - ｵﾝ"),
      QT_TRANSLATE_NOOP("morna::ui::TPstInit", "2 - ｵﾌ"),
      QT_TRANSLATE_NOOP("morna::ui::TPstInit", "3 - ｵﾌ固定"),
      QT_TRANSLATE_NOOP("morna::ui::TPstInit", "4 - 全角ひらがな"),
      QT_TRANSLATE_NOOP("morna::ui::TPstInit", "5 - 全角ｶﾀｶﾅ"),
      QT_TRANSLATE_NOOP("morna::ui::TPstInit", "6 - 半角ｶﾀｶﾅ"),
      QT_TRANSLATE_NOOP("morna::ui::TPstInit", "7 - 全角英数"),
      QT_TRANSLATE_NOOP("morna::ui::TPstInit", "8 - 半角英数")};
  return k < std::size(kItems) ? TPstInit::tr(kItems[k]) : QString();
}

inline QString BuiltInSoundText() { return TPstInit::tr("内蔵のチャイム（既定の音）"); }

}  // namespace morna::ui::pinit
