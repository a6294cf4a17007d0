// Labels as iCalendar text and back.
//
// Every label becomes one component of a calendar: a dated label a VEVENT at
// its local time in a named zone, a ToDo label a VTODO without a due date.
// Reading a calendar gives the labels it names, checked against the labels
// already held, without touching the table: the labels' owner applies the
// result. iCalendar text is UTF-8; the labels' Shift-JIS bytes meet it only
// here. libical does all the reading and writing of the format.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/datetime.h"
#include "core/posttable.h"

namespace morna::ical {

// ---- the system's time zone ----

// Where the system names its zone: the TZ variable (hasTz: it is set), the
// target of the /etc/localtime link, and the text of /etc/timezone (empty
// when there is none).
struct ZoneSources {
  bool hasTz = false;
  std::string tz;
  std::string localtimeLink;
  std::string timezoneFile;
};

// The first zone name the sources give that `known` accepts, in the order
// TZ, /etc/localtime, /etc/timezone; "UTC" when none does. TZ may be
// ":Area/City", "Area/City" or a path into a zoneinfo folder; a link target
// is taken from after its "zoneinfo/" (with "posix/" or "right/" dropped).
std::string FindZoneName(const ZoneSources& sources,
                         const std::function<bool(const std::string&)>& known);

// The zone name of this system, e.g. "Asia/Tokyo", read from the sources
// above; "UTC" when none names a zone the calendar library knows.
std::string SystemZoneName();

// Whether the calendar library has a definition of the zone `name`.
bool IsKnownZone(const std::string& name);

// ---- labels out ----

struct ExportOptions {
  // The zone the labels' local times are in. A zone unknown to the calendar
  // library gives floating times (local wherever the calendar is read).
  std::string zone = "UTC";
  // Minutes of the warning ahead of a label; > 0 adds an alarm that much
  // ahead to every dated label besides the one at its time.
  int warningMinutes = 0;
  // The moment of the export (local time in `zone`), stamped on every
  // component.
  DateTime now;
  // Not empty: the UID of every component (a calendar of one label, as a
  // calendar server holds it). Empty: a name made from each label.
  std::string uid;
};

struct ExportResult {
  std::string text;  // UTF-8, CR LF lines
  // Labels left out because their date-time text is no date and time.
  int unreadable = 0;
};

// The calendar of the labels, in the given order; free slots are skipped.
ExportResult ExportCalendar(const std::vector<PostSlot>& labels, const ExportOptions& options);

// ---- labels in ----

struct ImportOptions {
  // The local zone the labels' times are in; one unknown to the calendar
  // library is taken as UTC.
  std::string zone = "UTC";
  DateTime now;              // local time: earlier events are past
  int allDayMinutes = 9 * 60;  // the time of day of an all-day event
};

enum class ImportError {
  None,
  NotText,      // not UTF-8 text (detail: the line)
  NotCalendar,  // no calendar in it
  Damaged,      // a calendar the library could not read whole (detail: what)
  UnknownZone,  // a time in a zone it does not define (detail: the zone)
};

struct ImportResult {
  ImportError error = ImportError::None;
  std::string detail;  // UTF-8

  // The labels to add, ordered by date-time (ToDo labels first, as the
  // table orders them), each with the Shift-JIS bytes of its text.
  std::vector<PostSlot> toAdd;
  int alreadyThere = 0;  // same date-time and message as a held label, or as one before it
  int past = 0;          // before `now` (also ended series, completed or cancelled items)
  int untitled = 0;      // with neither a summary nor a description
  int changedChars = 0;  // characters of toAdd replaced by a look-alike or "?"
  int changedLabels = 0; // labels of toAdd with such a character

  bool ok() const { return error == ImportError::None; }
};

// Reads the calendar `text` (UTF-8, CR LF or LF lines, an optional BOM).
// Every VEVENT and VTODO gives at most one label: its start (a VTODO's due
// date, else its start; none: a ToDo label) in local time, a recurring one
// its next occurrence at or after `now`. A file that is refused gives no
// labels at all.
ImportResult ImportCalendar(std::string_view text, const std::vector<PostSlot>& existing,
                            const ImportOptions& options);

// One calendar resource of a server (one event or to-do, a series with its
// moved occurrences): its UID, whether it recurs, and the label it gives
// under the import rules above (none when it gives none: past, untitled,
// or refused).
struct ResourceLabel {
  ImportError error = ImportError::None;
  std::string detail;
  std::string uid;
  bool recurring = false;
  std::optional<PostSlot> label;
  int changedChars = 0;

  bool ok() const { return error == ImportError::None; }
};
ResourceLabel ReadResource(std::string_view text, const ImportOptions& options);

}  // namespace morna::ical
