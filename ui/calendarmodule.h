// The calendar functions (ical/functions.h) come from the calendar module,
// which holds libical: loaded at the first import, export or calendar-server
// round, so that a start loads neither.
#pragma once

#include <QStringList>
#include <string>

#include "ical/functions.h"

namespace morna::ui {

struct CalendarModule {
  const ical::Functions* functions = nullptr;
  // When there are none: why, in the loader's words (file names, the
  // system's text), one line.
  std::string reason;
};

// The module of the first of `folders` that holds a usable one.
CalendarModule LoadCalendarModule(const QStringList& folders);

// The module of the program's folder or of the installed module folder,
// loaded at the first call and kept (a failure too); or the one given to
// UseCalendarModule.
const CalendarModule& Calendar();

// For programs that link the calendar library themselves (the tests): its
// functions (ical::kFunctions) instead of a module's.
void UseCalendarModule(CalendarModule module);

}  // namespace morna::ui
