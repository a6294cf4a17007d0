// The calendar module's boundary: the functions of icalendar.h that the
// program uses, as one table. The program asks the module for the table by
// MORNA_ICAL_FUNCTIONS_SYMBOL and uses nothing of a table whose abiVersion
// differs from MORNA_ICAL_ABI_VERSION. The module is built with the program,
// by the same compiler, so the table passes the library's own types.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ical/icalendar.h"

// Raised whenever anything below or in the types it passes changes.
#define MORNA_ICAL_ABI_VERSION 1
#define MORNA_ICAL_FUNCTIONS_SYMBOL "morna_ical_functions"

namespace morna::ical {

struct Functions {
  int abiVersion;
  ExportResult (*exportCalendar)(const std::vector<PostSlot>& labels, const ExportOptions& options);
  ImportResult (*importCalendar)(std::string_view text, const std::vector<PostSlot>& existing,
                                 const ImportOptions& options);
  ResourceLabel (*readResource)(std::string_view text, const ImportOptions& options);
  std::string (*systemZoneName)();
};

// The table of this library, for the module and for programs that link the
// library themselves.
extern const Functions kFunctions;

}  // namespace morna::ical

extern "C" {
typedef const morna::ical::Functions* (*MornaIcalFunctionsFn)(void);
}
