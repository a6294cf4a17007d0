#include "ui/pickers.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <algorithm>

namespace morna::ui {

namespace {

class QtPickers : public Pickers {
 public:
  std::optional<QString> OpenFile(QWidget* parent, const QString& filter) override {
    const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    if (path.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(path);
  }

  std::optional<QString> SaveFile(QWidget* parent, const QString& filter,
                                  const QString& suggested) override {
    const QString path = QFileDialog::getSaveFileName(parent, QString(), suggested, filter);
    if (path.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(path);
  }

  std::optional<FontChoice> ChooseFont(QWidget* parent, const FontChoice& initial) override {
    QFont font(initial.family);
    // The dialog cannot show a size of nothing or less; it then opens on 9.
    font.setPointSize(initial.points > 0 ? std::min(initial.points, 500) : 9);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent);
    if (!ok) return std::nullopt;
    return FontChoice{chosen.family(), chosen.pointSize()};
  }

  std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override {
    const QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid()) return std::nullopt;
    return c;
  }
};

QtPickers g_qtPickers;
Pickers* g_pickers = nullptr;

}  // namespace

Pickers& CurrentPickers() { return g_pickers ? *g_pickers : g_qtPickers; }
void SetPickers(Pickers* pickers) { g_pickers = pickers; }

}  // namespace morna::ui
