#include "ui/fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace morna::ui {

void InstallFontSubstitutes() {
  struct Substitute {
    const char* family;
    QStringList candidates;
  };
  const Substitute table[] = {
      {"MS Sans Serif", {"DejaVu Sans Condensed", "Liberation Sans Narrow", "DejaVu Sans"}},
      {"Arial", {"Liberation Sans", "DejaVu Sans"}},
      {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
      {"ＭＳ Ｐゴシック", {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"}},
      {"ＭＳ ゴシック", {"IPAGothic", "Noto Sans Mono CJK JP"}},
      {"ＭＳ 明朝", {"IPAMincho", "IPAGothic", "Noto Serif CJK JP"}},
      {"ＭＳ明朝", {"IPAMincho", "IPAGothic", "Noto Serif CJK JP"}},
      {"ＭＳ Ｐ明朝", {"IPAPMincho", "IPAPGothic", "Noto Serif CJK JP"}},
  };
  for (const auto& s : table) QFont::insertSubstitutions(QString::fromUtf8(s.family), s.candidates);
}

}  // namespace morna::ui
