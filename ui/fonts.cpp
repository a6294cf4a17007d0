#include "ui/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QSet>
#include <QString>
#include <QStringList>
#include <qpa/qplatformfontdatabase.h>

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
  QSet<QString> installed;
  for (const QString& family : QFontDatabase::families()) installed.insert(family.toCaseFolded());
  // The first installed candidate answers to the missing family's name as
  // one of its own. A substitution would do the same, but the toolkit then
  // first fails to find the named family and asks the font configuration
  // for a sorted list of every font that could stand in for it -- for each
  // family, style and script, a few milliseconds each, a tenth of the
  // start-up in all.
  for (const auto& s : table) {
    const QString family = QString::fromUtf8(s.family);
    if (installed.contains(family.toCaseFolded())) continue;
    for (const QString& candidate : s.candidates) {
      if (installed.contains(candidate.toCaseFolded())) {
        QPlatformFontDatabase::registerAliasToFontFamily(candidate, family);
        break;
      }
    }
  }
}

}  // namespace morna::ui
