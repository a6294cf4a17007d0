// The common open-file, save-file, font and colour dialogs behind one small interface,
// so that tests can answer them without a modal loop. Replaceable like the
// message boxes.
#pragma once

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace morna::ui {

struct FontChoice {
  QString family;
  int points = 0;
};

class Pickers {
 public:
  virtual ~Pickers() = default;
  // `filter` in Qt's form, "Description (*.ext *.EXT)". The chosen file's
  // full path, or nothing when the user cancelled.
  virtual std::optional<QString> OpenFile(QWidget* parent, const QString& filter) = 0;
  // The file to write, proposed as `suggested` (a name or a path); the
  // dialog asks before an existing file is replaced. Pickers that offer no
  // save dialog cancel.
  virtual std::optional<QString> SaveFile(QWidget* parent, const QString& filter,
                                          const QString& suggested) {
    (void)parent;
    (void)filter;
    (void)suggested;
    return std::nullopt;
  }
  // Opens on `initial`; the chosen family and size in points.
  virtual std::optional<FontChoice> ChooseFont(QWidget* parent, const FontChoice& initial) = 0;
  virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) = 0;
};

// The pickers in use; by default Qt's dialogs.
Pickers& CurrentPickers();
// Replaces them (tests); nullptr restores Qt's dialogs.
void SetPickers(Pickers* pickers);

}  // namespace morna::ui
