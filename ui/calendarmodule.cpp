#include "ui/calendarmodule.h"

#include <QCoreApplication>
#include <QLibrary>

namespace morna::ui {

namespace {

struct Held {
  bool tried = false;
  CalendarModule module;
};

Held& Kept() {
  static Held held;
  return held;
}

}  // namespace

CalendarModule LoadCalendarModule(const QStringList& folders) {
  CalendarModule out;
  QStringList reasons;
  for (const QString& folder : folders) {
    // Stays loaded for the rest of the run (the QLibrary object going does
    // not unload it).
    QLibrary library(folder + QStringLiteral("/morna_icalendar"));
    if (!library.load()) {
      reasons << library.errorString();
      continue;
    }
    const auto table = reinterpret_cast<MornaIcalFunctionsFn>(library.resolve(MORNA_ICAL_FUNCTIONS_SYMBOL));
    const ical::Functions* functions = table ? table() : nullptr;
    if (!functions || functions->abiVersion != MORNA_ICAL_ABI_VERSION) {
      reasons << library.fileName() + QStringLiteral(": not the version of this program");
      continue;
    }
    out.functions = functions;
    return out;
  }
  if (reasons.isEmpty()) reasons << QStringLiteral("no folder to look in for morna_icalendar");
  out.reason = reasons.join(QStringLiteral("; ")).toStdString();
  return out;
}

const CalendarModule& Calendar() {
  Held& held = Kept();
  if (!held.tried) {
    held.tried = true;
    const QString programDir = QCoreApplication::applicationDirPath();
    held.module = LoadCalendarModule({programDir, programDir + QStringLiteral("/" MORNA_SOUND_FROM_BIN)});
  }
  return held.module;
}

void UseCalendarModule(CalendarModule module) { Kept() = Held{true, std::move(module)}; }

}  // namespace morna::ui
