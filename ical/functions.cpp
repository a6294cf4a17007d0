#include "ical/functions.h"

namespace morna::ical {

namespace {

ExportResult ExportLabels(const std::vector<PostSlot>& labels, const ExportOptions& options) {
  return ExportCalendar(labels, options);
}

}  // namespace

const Functions kFunctions = {MORNA_ICAL_ABI_VERSION, ExportLabels, ImportCalendar, ReadResource,
                              SystemZoneName};

}  // namespace morna::ical
