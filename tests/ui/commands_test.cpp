// The commands for scripts carried out straight on the label file, and the
// menu's calendar files carried out by the registration window.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/pmain_fixture.h"
#include "ui/PostWindows.h"
#include "ui/calendarmodule.h"
#include "ui/commands.h"
#include "ui/pickers.h"

namespace morna::ui::testing {
namespace {

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

CommandRequest Add(const std::string& when, const std::string& message) {
  CommandRequest r;
  r.kind = CommandRequest::Kind::Add;
  r.toDo = when == "todo";
  if (!r.toDo) r.when = when;
  r.message = message;
  return r;
}

CommandRequest OfKind(CommandRequest::Kind kind, const std::string& file = {}) {
  CommandRequest r;
  r.kind = kind;
  r.file = file;
  return r;
}

// A calendar as other programs write it: floating times (local wherever
// read), so that the test does not depend on the machine's zone.
const std::string kCalendar =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
    "BEGIN:VEVENT\r\nUID:1\r\nDTSTAMP:20001201T000000Z\r\nDTSTART:20010105T100000\r\n"
    "SUMMARY:Existing\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:2\r\nDTSTAMP:20001201T000000Z\r\nDTSTART:20010110T083000\r\n"
    "SUMMARY:Dentist \xF0\x9F\xA6\xB7\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:3\r\nDTSTAMP:20001201T000000Z\r\nDTSTART:20000110T083000\r\n"
    "SUMMARY:Long gone\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:4\r\nDTSTAMP:20001201T000000Z\r\nDTSTART:20010301T120000\r\n"
    "SUMMARY:Lunch\r\nEND:VEVENT\r\n"
    "BEGIN:VTODO\r\nUID:5\r\nDTSTAMP:20001201T000000Z\r\nSUMMARY:Taxes\r\nEND:VTODO\r\n"
    "END:VCALENDAR\r\n";

class CommandsTest : public PstMainTest {
 protected:
  CommandOutput Run(const CommandRequest& request) {
    return RunCommandOnFile(request, Native(dir_.filePath("Morna.ini")), Native(dir_.path()),
                            now_);
  }
  std::string Path(const QString& name) const { return Native(dir_.filePath(name)); }
};

TEST_F(CommandsTest, AddStoresTheSameBytesAsThePostTypedInTheWindow) {
  TPstMain& m = Start();
  m.PstTime->setText("2001/01/20 09:30");
  m.PstMesg->setPlainText("会議①髙\n資料～");
  QTest::mouseClick(m.BtnPost, Qt::LeftButton);
  const std::string typed = ReadFile("Dpstitdt.dat");
  ASSERT_NE(typed, "<missing>");
  main_.reset();
  QFile::remove(dir_.filePath("Dpstitdt.dat"));

  const CommandOutput o = Run(Add("2001/01/20 09:30", "会議①髙\n資料～"));
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_EQ(o.out, "2001/01/20 09:30\t会議①髙\n");
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), typed);
}

TEST_F(CommandsTest, AddRefusesWhatAPostRefusesAndLeavesTheFileAlone) {
  for (const char* when : {"2001/02/30 09:00", "2001/1/2 9:00", "tomorrow", ""}) {
    const CommandOutput o = Run(Add(when, "x"));
    EXPECT_EQ(o.exitCode, 1) << when;
    EXPECT_EQ(o.err, "Date & Timeの設定がまちがっています。\n修正してください。\n");
  }
  for (const char* message : {"", "\nsecond line", "\r\n"}) {
    const CommandOutput o = Run(Add("todo", message));
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.err, "メッセージ入力！！\nメッセージの1行目が空のため、登録しませんでした。\n");
  }
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), "<missing>");

  WriteIni("[FILE]\r\nDataCnt=1\r\n");
  ASSERT_EQ(Run(Add("todo", "one")).exitCode, 0);
  const std::string full = ReadFile("Dpstitdt.dat");
  const CommandOutput o = Run(Add("todo", "two"));
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_EQ(o.err.rfind("ラベルの数が上限の1件に達しているため、登録できません。\n", 0), 0u) << o.err;
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), full);
}

TEST_F(CommandsTest, AddReplacesCharactersShiftJisLacksAndSaysSo) {
  const CommandOutput o = Run(Add("todo", "call \xF0\x9F\x93\x9E now"));
  EXPECT_EQ(o.exitCode, 0);
  EXPECT_EQ(o.out, "ToDo\tcall ? now\n");
  EXPECT_EQ(o.err, "note: 1 character has no Shift-JIS form and became a look-alike or '?'\n");
}

TEST_F(CommandsTest, ListGivesOneLinePerLabelInTableOrder) {
  WriteFile("Dpstitdt.dat",
            "Time=1900/12/01 00:00\r\nMemo=\x83\x63\x81\x5b\r\n"  // "ツー" in Shift-JIS
            "Time=2001/01/02 08:00\r\nMemo=first\r\nMemo=second\r\n"
            "Time=2001/03/04 18:15\r\nMemo=\r\nMemo=after an empty line\r\n");
  const CommandOutput o = Run(OfKind(CommandRequest::Kind::List));
  EXPECT_EQ(o.exitCode, 0);
  EXPECT_EQ(o.out, "ToDo\tツー\n2001/01/02 08:00\tfirst\n2001/03/04 18:15\t\n");
  EXPECT_EQ(Run(OfKind(CommandRequest::Kind::List)).out, o.out);  // reading changes nothing
}

TEST_F(CommandsTest, ImportCountsWhatItAddsSkipsAndReplaces) {
  WriteFile("Dpstitdt.dat", "Time=2001/01/05 10:00\r\nMemo=Existing\r\n");
  WriteFile("in.ics", kCalendar);
  const CommandOutput o = Run(OfKind(CommandRequest::Kind::Import, Path("in.ics")));
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_EQ(o.out, "added 3, already there 1, past 1, changed characters 1, kept aside 0\n");
  EXPECT_EQ(ReadFile("Dpstitdt.dat"),
            "Time=1900/12/01 00:00\r\nMemo=Taxes\r\n"
            "Time=2001/01/05 10:00\r\nMemo=Existing\r\n"
            "Time=2001/01/10 08:30\r\nMemo=Dentist ?\r\n"
            "Time=2001/03/01 12:00\r\nMemo=Lunch\r\n");
  // Again: everything is there now, and the file is not written.
  const CommandOutput again = Run(OfKind(CommandRequest::Kind::Import, Path("in.ics")));
  EXPECT_EQ(again.out, "added 0, already there 4, past 1, changed characters 0, kept aside 0\n");
}

// The all-day time comes from the settings; what is no time of day gives
// 09:00.
TEST(CommandSettingsTest, TheAllDayTimeIsTheSettingsOrNineOClock) {
  Settings s;
  EXPECT_EQ(CommandSettingsFrom(s, DateTime{}).allDayMinutes, 9 * 60);
  s.AllDayTime = "07:45";
  EXPECT_EQ(CommandSettingsFrom(s, DateTime{}).allDayMinutes, 7 * 60 + 45);
  for (const char* bad : {"24:00", "7:45", "07:60", "xx:yy", ""}) {
    s.AllDayTime = bad;
    EXPECT_EQ(CommandSettingsFrom(s, DateTime{}).allDayMinutes, 9 * 60) << bad;
  }
}

TEST_F(CommandsTest, ImportBeyondTheTablesRoomKeepsTheRestAside) {
  std::string labels = "Time=2001/01/05 10:00\r\nMemo=Existing\r\n";
  for (int i = 10; i < 58; ++i)  // 49 labels of the 50 a table can hold
    labels += "Time=2002/01/01 10:" + std::to_string(i) + "\r\nMemo=filler\r\n";
  WriteFile("Dpstitdt.dat", labels);
  WriteFile("in.ics", kCalendar);
  const CommandOutput o = Run(OfKind(CommandRequest::Kind::Import, Path("in.ics")));
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_EQ(o.out, "added 1, already there 1, past 1, changed characters 1, kept aside 2\n");
  EXPECT_NE(o.err.find("2 labels did not fit the table and were kept in " + Path("Dpstitdt.dat.kept")),
            std::string::npos)
      << o.err;
  const std::string kept = ReadFile("Dpstitdt.dat.kept");
  EXPECT_NE(kept.find("Memo=Dentist ?"), std::string::npos) << kept;
  EXPECT_NE(kept.find("Memo=Lunch"), std::string::npos) << kept;
}

TEST_F(CommandsTest, ARefusedOrUnreadableCalendarChangesNothing) {
  WriteFile("Dpstitdt.dat", "Time=2001/01/05 10:00\r\nMemo=Existing\r\n");
  WriteFile("bad.ics", kCalendar.substr(0, kCalendar.size() - 15));  // END:VCALENDAR cut
  CommandOutput o = Run(OfKind(CommandRequest::Kind::Import, Path("bad.ics")));
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_EQ(o.out, "");
  EXPECT_NE(o.err.find("bad.ics was not imported: it is damaged"), std::string::npos) << o.err;

  WriteFile("notes.ics", "just some notes\n");
  o = Run(OfKind(CommandRequest::Kind::Import, Path("notes.ics")));
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_NE(o.err.find("it holds no iCalendar calendar"), std::string::npos) << o.err;

  o = Run(OfKind(CommandRequest::Kind::Import, Path("none.ics")));
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_EQ(o.err.rfind("cannot read " + Path("none.ics") + ": ", 0), 0u) << o.err;
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), "Time=2001/01/05 10:00\r\nMemo=Existing\r\n");
}

TEST_F(CommandsTest, ExportWritesEveryLabelOrSaysWhyNot) {
  WriteFile("Dpstitdt.dat",
            "Time=1900/12/01 00:00\r\nMemo=Taxes\r\nTime=2001/01/05 10:00\r\nMemo=Existing\r\n");
  CommandOutput o = Run(OfKind(CommandRequest::Kind::Export, Path("out.ics")));
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_EQ(o.out, "exported 2 labels to " + Path("out.ics") + "\n");
  const std::string ics = ReadFile("out.ics");
  EXPECT_NE(ics.find("BEGIN:VTODO"), std::string::npos);
  EXPECT_NE(ics.find("SUMMARY:Existing"), std::string::npos);
  // Read back in, nothing is new.
  o = Run(OfKind(CommandRequest::Kind::Import, Path("out.ics")));
  EXPECT_EQ(o.out, "added 0, already there 2, past 0, changed characters 0, kept aside 0\n");

  o = Run(OfKind(CommandRequest::Kind::Export, Path("no/such/folder/out.ics")));
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_EQ(o.err.rfind("cannot write ", 0), 0u);
}

// The calendar code is a module of its own, loaded at the first import or
// export; without it (or with a stale one) both say why and change no file.
TEST_F(CommandsTest, TheCalendarModuleIsLoadedOrItsAbsenceIsTold) {
  // A module of another version is passed over for the next folder's.
  const CalendarModule built = LoadCalendarModule(
      {dir_.path(), QStringLiteral(MORNA_TEST_WRONG_ICAL_DIR), QStringLiteral(MORNA_TEST_ICAL_DIR)});
  ASSERT_NE(built.functions, nullptr) << built.reason;
  const CalendarModule stale = LoadCalendarModule({QStringLiteral(MORNA_TEST_WRONG_ICAL_DIR)});
  EXPECT_EQ(stale.functions, nullptr);
  EXPECT_NE(stale.reason.find("not the version of this program"), std::string::npos) << stale.reason;
  ical::ExportOptions options;
  options.zone = "Asia/Tokyo";
  PostSlot label;
  label.DateTimeText = "2001/01/05 10:00";
  label.Lines = {"Existing"};
  EXPECT_NE(built.functions->exportCalendar({label}, options).text.find("SUMMARY:Existing"),
            std::string::npos);

  const CalendarModule missing = LoadCalendarModule({dir_.path()});
  EXPECT_EQ(missing.functions, nullptr);
  EXPECT_NE(missing.reason.find("morna_icalendar"), std::string::npos) << missing.reason;
  WriteFile("Dpstitdt.dat", "Time=2001/01/05 10:00\r\nMemo=Existing\r\n");
  WriteFile("in.ics", kCalendar);
  UseCalendarModule(missing);
  const CommandOutput out = Run(OfKind(CommandRequest::Kind::Export, Path("out.ics")));
  const CommandOutput in = Run(OfKind(CommandRequest::Kind::Import, Path("in.ics")));
  UseCalendarModule({&ical::kFunctions, {}});
  EXPECT_EQ(out.exitCode, 1);
  EXPECT_EQ(out.err, "cannot write " + Path("out.ics") + ": " + missing.reason + "\n");
  EXPECT_FALSE(QFile::exists(dir_.filePath("out.ics")));
  EXPECT_EQ(in.exitCode, 1);
  EXPECT_EQ(in.err, "cannot read " + Path("in.ics") + ": " + missing.reason + "\n");
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), "Time=2001/01/05 10:00\r\nMemo=Existing\r\n");
}

// The menu's items: the dialogs answered by a fake, the boxes recorded.
class FilePickers : public Pickers {
 public:
  std::optional<QString> OpenFile(QWidget*, const QString&) override { return open; }
  std::optional<QString> SaveFile(QWidget*, const QString&, const QString& suggested) override {
    suggestions << suggested;
    return save;
  }
  std::optional<FontChoice> ChooseFont(QWidget*, const FontChoice&) override { return {}; }
  std::optional<QColor> ChooseColor(QWidget*, const QColor&) override { return {}; }
  std::optional<QString> open, save;
  QStringList suggestions;
};

class IcsMenuTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    SetPickers(&pickers_);
  }
  void TearDown() override {
    SetPickers(nullptr);
    CommandsTest::TearDown();
  }
  FilePickers pickers_;
};

TEST_F(IcsMenuTest, ImportPutsUpTheLabelsAndTellsTheCountsInOneBox) {
  WriteFile("Dpstitdt.dat", "Time=2001/01/05 10:00\r\nMemo=Existing\r\n");
  WriteFile("in.ics", kCalendar);
  TPstMain& m = Start();
  m.PstMesg->setPlainText("half typed");
  pickers_.open = dir_.filePath("in.ics");
  m.IcsImport->trigger();
  EXPECT_EQ(m.Windows().Count(), 4);
  EXPECT_EQ(m.PstMesg->toPlainText(), "half typed");
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].icon, BoxIcon::Information);
  EXPECT_TRUE(sink_.boxes[0].text.startsWith(
      "iCalendarを読み込みました。\n追加 3件、登録済み 1件、過去 1件、置き換えた文字 1文字、別に保存 0件\n"))
      << sink_.boxes[0].text.toStdString();
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), TableAsFile());

  WriteFile("bad.ics", "BEGIN:VCALENDAR\r\n");
  pickers_.open = dir_.filePath("bad.ics");
  m.IcsImport->trigger();
  ASSERT_EQ(sink_.boxes.size(), 2u);
  EXPECT_EQ(sink_.boxes[1].icon, BoxIcon::Error);
  EXPECT_TRUE(sink_.boxes[1].text.startsWith(dir_.filePath("bad.ics") + " を読み込めませんでした。\n"));
  EXPECT_EQ(m.Windows().Count(), 4);
}

TEST_F(IcsMenuTest, ExportWritesTheChosenFileOrSaysWhyNot) {
  WriteFile("Dpstitdt.dat", "Time=2001/01/05 10:00\r\nMemo=Existing\r\n");
  TPstMain& m = Start();
  pickers_.save = dir_.filePath("out.ics");
  m.IcsExport->trigger();
  EXPECT_EQ(pickers_.suggestions, QStringList{"Moranote.ics"});
  EXPECT_NE(ReadFile("out.ics").find("SUMMARY:Existing"), std::string::npos);
  EXPECT_TRUE(sink_.boxes.empty());

  pickers_.save = dir_.filePath("missing/out.ics");
  m.IcsExport->trigger();
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_TRUE(sink_.boxes[0].text.startsWith(dir_.filePath("missing/out.ics") + " に書き込めません\n"));
}

}  // namespace
}  // namespace morna::ui::testing
