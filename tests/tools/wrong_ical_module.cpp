// A calendar module of another version than the program's: its table says
// so, and the program must refuse it before calling anything in it.
#include "ical/functions.h"

namespace {
const morna::ical::Functions kOther = {MORNA_ICAL_ABI_VERSION + 1, nullptr, nullptr, nullptr, nullptr};
}

extern "C" __attribute__((visibility("default"))) const morna::ical::Functions*
morna_ical_functions(void) {
  return &kOther;
}
