// The calendar module: the calendar library with libical, loaded by the
// program when labels first go to or come from a calendar.
#include "ical/functions.h"

extern "C" __attribute__((visibility("default"))) const morna::ical::Functions*
morna_ical_functions(void) {
  return &morna::ical::kFunctions;
}
