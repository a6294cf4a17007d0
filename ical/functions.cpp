#include "ical/functions.h"

namespace morna::ical {

const Functions kFunctions = {MORNA_ICAL_ABI_VERSION, ExportCalendar, ImportCalendar, ReadResource,
                              SystemZoneName};

}  // namespace morna::ical
