#include "ui/fonts.h"

#include <QFontDatabase>
#include <QSet>
#include <QString>
#include <QStringList>
#include <qpa/qplatformfontdatabase.h>

namespace morna::ui {

bool FamilyInstalled(const QString& family) {
  // The list of installed families costs nothing once the font database is
  // read (which the first window does anyway); loading a font, or resolving
  // the family's aliases, would cost more than building a window.
  static const QSet<QString> installed = [] {
    QSet<QString> names;
    for (const QString& name : QFontDatabase::families()) names.insert(name.toCaseFolded());
    return names;
  }();
  return installed.contains(family.toCaseFolded());
}

void InstallFontStandIns() {
  struct StandIns {
    const char* family;
    QStringList candidates;
  };
  const StandIns table[] = {
      {"MS Sans Serif", {"DejaVu Sans Condensed", "Liberation Sans Narrow", "DejaVu Sans"}},
      {"Arial", {"Liberation Sans", "DejaVu Sans"}},
      {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
      {"ＭＳ Ｐゴシック", {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"}},
      {"ＭＳ ゴシック", {"IPAGothic", "Noto Sans Mono CJK JP"}},
      {"ＭＳ 明朝", {"IPAMincho", "IPAGothic", "Noto Serif CJK JP"}},
      {"ＭＳ明朝", {"IPAMincho", "IPAGothic", "Noto Serif CJK JP"}},
      {"ＭＳ Ｐ明朝", {"IPAPMincho", "IPAPGothic", "Noto Serif CJK JP"}},
  };
  // The first installed candidate answers to the missing family's name as
  // one of its own. A substitution would do the same, but the toolkit then
  // first fails to find the named family and asks the font configuration
  // for a sorted list of every font that could stand in for it -- for each
  // family, style and script, a millisecond or two each, a tenth of the
  // start-up in all.
  for (const auto& s : table) {
    const QString family = QString::fromUtf8(s.family);
    if (FamilyInstalled(family)) continue;
    for (const QString& candidate : s.candidates) {
      if (FamilyInstalled(candidate)) {
        QPlatformFontDatabase::registerAliasToFontFamily(candidate, family);
        break;
      }
    }
  }
}

}  // namespace morna::ui
