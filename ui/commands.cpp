#include "ui/commands.h"

#include <QCoreApplication>
#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/datetime.h"
#include "core/entry.h"
#include "core/files.h"
#include "core/platform.h"
#include "core/pstctl.h"
#include "core/settings.h"
#include "ical/cp932.h"
#include "ui/calendarmodule.h"
#include "ui/userfiles.h"

namespace morna::ui {

namespace {

// The registration window's messages for a post it refuses. A terminal
// takes the window's CR as a return to the line's start: LF here.
std::string DateTimeError() {
  return QCoreApplication::translate("Commands",
                                     "Date & Timeの設定がまちがっています。\n修正してください。\n")
      .toStdString();
}
std::string EmptyMessage() {
  return QCoreApplication::translate(
             "Commands", "メッセージ入力！！\nメッセージの1行目が空のため、登録しませんでした。\n")
      .toStdString();
}

// The message as the registration window stores it: every line break
// CR LF, and a line break after the last line.
std::string PostedMessage(std::string_view utf8) {
  std::string text;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    if (utf8[i] == '\r' || utf8[i] == '\n') text += "\r\n";
    else text += utf8[i];
  }
  if (!text.ends_with("\r\n")) text += "\r\n";
  return text;
}

// One line of --list: "yyyy/mm/dd hh:mm" (or "ToDo"), a tab, the message's
// first line.
std::string ListLine(const PostSlot& slot) {
  std::string line = slot.IsToDo() ? std::string("ToDo") : ical::SjisToUtf8(slot.DateTimeText);
  line += '\t';
  if (!slot.Lines.empty()) line += ical::SjisToUtf8(slot.Lines.front());
  line += '\n';
  return line;
}

std::string ChangedCharsNote(int changed) {
  return "note: " + std::to_string(changed) +
         (changed == 1 ? " character has" : " characters have") +
         " no Shift-JIS form and became a look-alike or '?'\n";
}

// What the label book could not do while applying a change. Returns whether
// anything failed.
bool TellLabelProblems(const LabelReport& report, const std::string& labelPath,
                       CommandOutput& o) {
  bool failed = false;
  if (!report.keptAsideAs.empty())
    o.err += "note: the unreadable label file " + labelPath + " was kept as " +
             report.keptAsideAs + " before it was written\n";
  if (!report.archiveResult.ok()) {
    o.err += "cannot write " + labelPath + ".past: " + report.archiveResult.systemMessage + "\n";
    failed = true;
  }
  if (report.keptCount > 0 && !report.keptResult.ok()) {
    o.err += "cannot keep " + std::to_string(report.keptCount) + " labels in " +
             report.keptFile + ": " + report.keptResult.systemMessage + "\n";
    failed = true;
  }
  const OutsideChanges& outside = report.outside;
  if (outside.keptCount > 0)
    o.err += outside.keptResult.ok()
                 ? "note: " + std::to_string(outside.keptCount) +
                       " labels added elsewhere did not fit the table and were kept in " +
                       outside.keptFile + "\n"
                 : "cannot keep " + std::to_string(outside.keptCount) +
                       " labels added elsewhere in " + outside.keptFile + ": " +
                       outside.keptResult.systemMessage + "\n";
  if (outside.keptCount > 0 && !outside.keptResult.ok()) failed = true;
  if (report.saveTried && !report.saved.ok()) {
    o.err += "cannot write " + labelPath + ": " + report.saved.systemMessage + "\n";
    failed = true;
  }
  return failed;
}

CommandOutput Add(const CommandRequest& request, CommandTarget& target) {
  CommandOutput o;
  const ical::SjisText when = ical::Utf8ToSjis(request.when);
  if (!request.toDo && (when.changed > 0 || !IsValidPostDateTime(when.bytes))) {
    o.err = DateTimeError();
    o.exitCode = 1;
    return o;
  }
  const ical::SjisText message = ical::Utf8ToSjis(PostedMessage(request.message));
  if (IsFirstLineEmpty(message.bytes)) {
    o.err = EmptyMessage();
    o.exitCode = 1;
    return o;
  }
  if (target.Room() == 0) {
    o.err = TableFullText(target.Table().DataCnt(), 0, 1) + "\n";
    o.exitCode = 1;
    return o;
  }
  LabelChange change;
  change.posts.push_back(PostEntry{when.bytes, request.toDo, message.bytes});
  const LabelReport report = target.Apply(change);
  if (message.changed > 0) o.err += ChangedCharsNote(message.changed);
  PostSlot added;
  added.DateTimeText = request.toDo ? std::string(kToDoSentinel) : when.bytes;
  added.SetMessage(message.bytes);
  for (const PostSlot& gone : report.archived)
    if (gone == added)
      o.err += "note: the label's time has passed; it was moved to " + target.LabelPath() +
               ".past\n";
  if (TellLabelProblems(report, target.LabelPath(), o) || report.stored == 0) {
    o.exitCode = 1;
    return o;
  }
  o.out = ListLine(added);
  return o;
}

CommandOutput List(const CommandTarget& target) {
  CommandOutput o;
  const PostTable& table = target.Table();
  for (int i = 0; i < table.DataCnt(); ++i)
    if (!table.Slot(i).IsFree()) o.out += ListLine(table.Slot(i));
  return o;
}

CommandOutput Export(const CommandRequest& request, const CommandTarget& target,
                     const CommandSettings& settings) {
  CommandOutput o;
  const ExportOutcome done = ExportFile(request.file, target.Table(), settings);
  if (!done.saved.ok()) {
    o.err = "cannot write " + request.file + ": " + done.saved.systemMessage + "\n";
    o.exitCode = 1;
    return o;
  }
  if (done.unreadable > 0)
    o.err = "note: " + std::to_string(done.unreadable) +
            " labels were left out: their date-time is no date and time\n";
  o.out = "exported " + std::to_string(done.written) + (done.written == 1 ? " label" : " labels") +
          " to " + request.file + "\n";
  return o;
}

CommandOutput Import(const CommandRequest& request, CommandTarget& target,
                     const CommandSettings& settings) {
  CommandOutput o;
  const ImportOutcome done = ImportFile(request.file, target, settings);
  if (!done.read.ok()) {
    o.err = "cannot read " + request.file + ": " + done.read.systemMessage + "\n";
    o.exitCode = 1;
    return o;
  }
  if (!done.parsed.ok()) {
    o.err = request.file + " was not imported: " + RefusalText(done.parsed) + "\n";
    o.exitCode = 1;
    return o;
  }
  const ical::ImportResult& p = done.parsed;
  o.out = "added " + std::to_string(done.report.stored) + ", already there " +
          std::to_string(p.alreadyThere) + ", past " + std::to_string(p.past) +
          ", changed characters " + std::to_string(p.changedChars) + ", kept aside " +
          std::to_string(done.report.keptCount) + "\n";
  if (p.untitled > 0)
    o.err += "note: " + std::to_string(p.untitled) +
             " items without a summary or description were skipped\n";
  if (done.report.keptCount > 0 && done.report.keptResult.ok())
    o.err += "note: " + std::to_string(done.report.keptCount) +
             " labels did not fit the table and were kept in " + done.report.keptFile + "\n";
  if (TellLabelProblems(done.report, target.LabelPath(), o)) o.exitCode = 1;
  return o;
}

}  // namespace

std::string TableFullText(int max, int stored, int wanted) {
  QString text =
      stored == 0
          ? QCoreApplication::translate("Commands", "ラベルの数が上限の%1件に達しているため、登録できません。")
                .arg(max)
          : QCoreApplication::translate("Commands",
                                        "ラベルの数が上限の%1件に達したため、%2件のうち%n件だけ登録しました。",
                                        nullptr, stored)
                .arg(max)
                .arg(wanted);
  text += QLatin1Char('\n');
  text += max < kMaxDataCnt
              ? QCoreApplication::translate("Commands",
                                            "ラベルを削除するか、メニューの「設定画面の表示」の「Data」タブで"
                                            "「Data Count」を増やしてください。")
              : QCoreApplication::translate("Commands", "ラベルを削除してください。");
  return text.toStdString();
}

CommandSettings CommandSettingsFrom(const Settings& s, DateTime now) {
  CommandSettings settings;
  settings.now = now;
  settings.zone.clear();  // the system's, asked of the calendar module when needed
  settings.warningMinutes = std::max(s.Minute, 0);
  const std::string& t = s.AllDayTime;
  const std::optional<int> hour = t.size() == 5 && t[2] == ':' ? ParseInt(t.substr(0, 2)) : std::nullopt;
  const std::optional<int> minute = hour ? ParseInt(t.substr(3, 2)) : std::nullopt;
  if (hour && minute && *hour >= 0 && *hour < 24 && *minute >= 0 && *minute < 60)
    settings.allDayMinutes = *hour * 60 + *minute;
  return settings;
}

std::string ZoneOf(const CommandSettings& settings, const ical::Functions& calendar) {
  return settings.zone.empty() ? calendar.systemZoneName() : settings.zone;
}

CommandOutput RunCommand(const CommandRequest& request, CommandTarget& target,
                         const CommandSettings& settings) {
  switch (request.kind) {
    case CommandRequest::Kind::Add:
      return Add(request, target);
    case CommandRequest::Kind::List:
      return List(target);
    case CommandRequest::Kind::Export:
      return Export(request, target, settings);
    case CommandRequest::Kind::Import:
      return Import(request, target, settings);
  }
  return {2, {}, "unknown command\n"};
}

CommandOutput RunCommandOnFile(const CommandRequest& request, const std::string& settingsFile,
                               const std::string& dataDir, DateTime now) {
  Settings s;
  WindowPos unusedPos;
  TPstCtl().LoadSettings(settingsFile, s, unusedPos);
  const std::string path = DataFilePath(s, dataDir);
  const bool writes =
      request.kind == CommandRequest::Kind::Add || request.kind == CommandRequest::Kind::Import;
  CommandOutput o;
  if (writes) {
    // The per-user data folder is made on first use, as start-up does.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ec;
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  }
  // The lock is taken before the file is read, so that what is saved is
  // this change on top of the labels as they are on disk.
  HeldLock lock, besideLock;
  if (writes) {
    if (const FileResult locked = lock.Take(path); !locked.ok())
      return {1, {}, "cannot lock " + path + ": " + locked.systemMessage + "\n"};
  }
  LabelBook book;
  OpenReport opened = book.Open(path, s.DataCnt);
  if (writes && opened.loaded.ok() && book.Path() != path) {
    // The settings name some other file: the labels live beside it.
    if (const FileResult locked = besideLock.Take(book.Path()); !locked.ok())
      return {1, {}, "cannot lock " + book.Path() + ": " + locked.systemMessage + "\n"};
    opened = book.Open(path, s.DataCnt);
  }
  if (!opened.notALabelFile.empty())
    o.err += "note: " + opened.notALabelFile +
             " is no label file and is left alone; the labels are kept in " + book.Path() +
             "\n";
  if (!opened.loaded.ok()) {
    o.err += "cannot read " + book.Path() + ": " + opened.loaded.systemMessage + "\n";
    o.exitCode = 1;
    return o;
  }
  book.SetPastData(s.PastData);
  BookTarget target(book, now);
  CommandOutput done = RunCommand(request, target, CommandSettingsFrom(s, now));
  done.err = o.err + done.err;
  return done;
}

ExportOutcome ExportFile(const std::string& path, const PostTable& table,
                         const CommandSettings& settings) {
  ExportOutcome outcome;
  const CalendarModule& calendar = Calendar();
  if (!calendar.functions) {
    outcome.saved = FileResult::Fail(calendar.reason);
    return outcome;
  }
  ical::ExportOptions options;
  options.zone = ZoneOf(settings, *calendar.functions);
  options.warningMinutes = settings.warningMinutes;
  options.now = settings.now;
  const ical::ExportResult written = calendar.functions->exportCalendar(LabelsOf(table), options);
  outcome.unreadable = written.unreadable;
  outcome.written = table.LabelCount() - written.unreadable;
  outcome.saved = SaveWholeFile(path, written.text);
  return outcome;
}

ImportOutcome ImportFile(const std::string& path, CommandTarget& target,
                         const CommandSettings& settings) {
  ImportOutcome outcome;
  const CalendarModule& calendar = Calendar();
  if (!calendar.functions) {
    outcome.read = FileResult::Fail(calendar.reason);
    return outcome;
  }
  std::string text;
  const platform::ReadResult read = platform::ReadRegularFile(path, text);
  if (read.error != 0) {
    outcome.read = FileResult::Fail(SystemMessage(read.error));
    return outcome;
  }
  ical::ImportOptions options;
  options.zone = ZoneOf(settings, *calendar.functions);
  options.now = settings.now;
  options.allDayMinutes = settings.allDayMinutes;
  outcome.parsed = calendar.functions->importCalendar(text, LabelsOf(target.Table()), options);
  if (!outcome.parsed.ok()) return outcome;
  // Nothing to add changes nothing: the file stays as it is.
  if (outcome.parsed.toAdd.empty()) return outcome;
  LabelChange change;
  change.labels = outcome.parsed.toAdd;
  outcome.report = target.Apply(change);
  return outcome;
}

std::string RefusalText(const ical::ImportResult& parsed) {
  switch (parsed.error) {
    case ical::ImportError::None:
      return {};
    case ical::ImportError::NotText:
      return "it is not UTF-8 text (line " + parsed.detail + ")";
    case ical::ImportError::NotCalendar:
      return "it holds no iCalendar calendar";
    case ical::ImportError::Damaged:
      return "it is damaged (" + parsed.detail + ")";
    case ical::ImportError::UnknownZone:
      return "it uses a time zone it does not define (" + parsed.detail + ")";
  }
  return {};
}

std::string RefusalTextJa(const ical::ImportResult& parsed) {
  switch (parsed.error) {
    case ical::ImportError::None:
      return {};
    case ical::ImportError::NotText:
      return QCoreApplication::translate("Commands", "UTF-8のテキストではありません（%1行目）。")
          .arg(QString::fromStdString(parsed.detail))
          .toStdString();
    case ical::ImportError::NotCalendar:
      return QCoreApplication::translate("Commands", "iCalendarのファイルではありません。").toStdString();
    case ical::ImportError::Damaged:
      return QCoreApplication::translate("Commands", "ファイルが壊れています（%1）。")
          .arg(QString::fromStdString(parsed.detail))
          .toStdString();
    case ical::ImportError::UnknownZone:
      return QCoreApplication::translate("Commands", "定義されていないタイムゾーン %1 が使われています。")
          .arg(QString::fromStdString(parsed.detail))
          .toStdString();
  }
  return {};
}

}  // namespace morna::ui
