// The commands for scripts (--add, --list, --export, --import) and the
// calendar files of the icon's menu, carried out on whatever holds the
// labels: a label book opened on the file (no program runs), or the running
// program's registration window. Plain C++: none of it needs the toolkit,
// so the command line runs without a display.
#pragma once

#include <string>

#include "core/cmdline.h"
#include "core/datetime.h"
#include "core/labelbook.h"
#include "ical/functions.h"

namespace morna::ui {

// Where a command's change of the labels is carried out.
class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  virtual const PostTable& Table() const = 0;
  // How many entries a post can still store.
  virtual int Room() const = 0;
  // The one door for a change of the labels.
  virtual LabelReport Apply(const LabelChange& change) = 0;
  // The label file (for what is told about it).
  virtual std::string LabelPath() const = 0;
};

// A label book as the target, its changes made at `now`.
class BookTarget : public CommandTarget {
 public:
  BookTarget(LabelBook& book, DateTime now) : book_(book), now_(now) {}
  const PostTable& Table() const override { return book_.Table(); }
  int Room() const override { return book_.Room(PopupLabel{}); }
  LabelReport Apply(const LabelChange& change) override { return book_.Apply(change, now_); }
  std::string LabelPath() const override { return book_.Path(); }

 private:
  LabelBook& book_;
  DateTime now_;
};

// What a command needs besides the labels.
struct CommandSettings {
  DateTime now;                // local time
  std::string zone = "UTC";    // the labels' zone; empty: the system's (ZoneOf)
  int warningMinutes = 0;      // Minute of the settings; > 0 adds an early alarm
  int allDayMinutes = 9 * 60;  // the time of day of an imported all-day event
};

// A command's outcome: the exit status, and the UTF-8 text for standard
// output and standard error (each line ending in "\n").
struct CommandOutput {
  int exitCode = 0;
  std::string out;
  std::string err;
};

// What is told when the table of `max` labels is full: `stored` of the
// `wanted` labels of a post went in (none: nothing could), and how to make
// room. UTF-8; the registration window shows the same text.
std::string TableFullText(int max, int stored, int wanted);

// What the commands need of the settings, at `now`, in the system's zone. An
// all-day time that is not "hh:mm" within the day gives 09:00.
CommandSettings CommandSettingsFrom(const Settings& s, DateTime now);

// The zone of `settings`, the system's asked of the calendar functions.
std::string ZoneOf(const CommandSettings& settings, const ical::Functions& calendar);

// Carries `request` out on `target`. Relative file names are taken as they
// stand (the caller makes them absolute where the folder differs).
CommandOutput RunCommand(const CommandRequest& request, CommandTarget& target,
                         const CommandSettings& settings);

// Carries `request` out straight on the label file that the settings file
// at `settingsFile` names (relative names taken in `dataDir`), while no
// program runs for it: the file's lock is held from before it is read until
// after it is saved, so that no other writer comes in between.
CommandOutput RunCommandOnFile(const CommandRequest& request, const std::string& settingsFile,
                               const std::string& dataDir, DateTime now);

// ---- calendar files, shared by the commands and the icon's menu

struct ExportOutcome {
  FileResult saved;
  int written = 0;     // labels written
  int unreadable = 0;  // labels left out: their date-time is no date and time
};
ExportOutcome ExportFile(const std::string& path, const PostTable& table,
                         const CommandSettings& settings);

struct ImportOutcome {
  FileResult read;          // the calendar file could not be read
  ical::ImportResult parsed;  // refused (parsed.ok() false), or what it holds
  LabelReport report;       // the change made (only when read and not refused)
  bool Done() const { return read.ok() && parsed.ok(); }
};
ImportOutcome ImportFile(const std::string& path, CommandTarget& target,
                         const CommandSettings& settings);

// What a refused calendar file was refused for, one line of English (the
// command line) or Japanese (the menu's box), without the file's name.
std::string RefusalText(const ical::ImportResult& parsed);
std::string RefusalTextJa(const ical::ImportResult& parsed);

}  // namespace morna::ui
