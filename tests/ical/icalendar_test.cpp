#include "ical/icalendar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ical/cp932.h"
#include "tests/core/tempdir.h"

namespace morna {

// Labels in failure messages: the date-time and the lines.
void PrintTo(const PostSlot& s, std::ostream* os) {
  *os << '{' << s.DateTimeText;
  for (const std::string& l : s.Lines) *os << " | " << l;
  *os << '}';
}

namespace ical {
namespace {

using Lines = std::vector<std::string>;

// Shift-JIS bytes of characters the tests use.
const std::string kCircled1 = "\x87\x40";    // ① (NEC row 13)
const std::string kTaka = "\xFB\xFC";        // 髙 (IBM extension)
const std::string kTilde = "\x81\x60";       // ～ (U+FF5E)
const std::string kAi = "\x88\xA4";          // 愛

PostSlot Label(std::string when, Lines lines) { return PostSlot{std::move(when), std::move(lines)}; }
PostSlot ToDo(Lines lines) { return PostSlot{std::string(kToDoSentinel), std::move(lines)}; }

const DateTime kNow = MakeDateTime(2030, 6, 1, 12, 0);  // a Saturday

ExportOptions Out(std::string zone = "Asia/Tokyo", int warning = 0) {
  ExportOptions o;
  o.zone = std::move(zone);
  o.warningMinutes = warning;
  o.now = kNow;
  return o;
}

ImportOptions In(std::string zone = "Asia/Tokyo") {
  ImportOptions o;
  o.zone = std::move(zone);
  o.now = kNow;
  return o;
}

ImportResult Import(const std::string& text, const std::vector<PostSlot>& existing = {},
                    const ImportOptions& o = In()) {
  return ImportCalendar(text, existing, o);
}

// A calendar around the given lines, CR LF.
std::string Calendar(const std::string& body) {
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\n";
  text += body;
  text += "END:VCALENDAR\r\n";
  return text;
}

std::string Event(const std::string& props, const std::string& summary = "x") {
  return "BEGIN:VEVENT\r\nUID:" + summary + "@test\r\nDTSTAMP:20300101T000000Z\r\n" + props +
         "SUMMARY:" + summary + "\r\nEND:VEVENT\r\n";
}

// The one label an import of `text` adds.
PostSlot Only(const std::string& text, const ImportOptions& o = In()) {
  const ImportResult r = ImportCalendar(text, {}, o);
  EXPECT_TRUE(r.ok()) << r.detail;
  EXPECT_EQ(r.toAdd.size(), 1u);
  return r.toAdd.empty() ? PostSlot{} : r.toAdd.front();
}

bool HasLine(const std::string& text, const std::string& line) {
  return text.find("\r\n" + line + "\r\n") != std::string::npos;
}

// ---- the code page ----

TEST(CodePage, ExtensionCharactersAndTheTildeRoundTrip) {
  for (const std::string& s : {kCircled1, kTaka, kTilde, std::string("\xFA\x5C") /* 纊 */}) {
    const SjisText back = Utf8ToSjis(SjisToUtf8(s));
    EXPECT_EQ(back.bytes, s);
    EXPECT_EQ(back.changed, 0);
  }
  EXPECT_EQ(SjisToUtf8(kCircled1 + kTaka + kTilde), "①髙～");
  // The NEC-selected copy of an IBM character comes back as the IBM one, as
  // the program's own conversion writes it.
  EXPECT_EQ(Utf8ToSjis(SjisToUtf8("\xED\x40")).bytes, "\xFA\x5C");
}

TEST(CodePage, MissingCharactersBecomeLookAlikesOrQuestionMarksAndAreCounted) {
  const SjisText wave = Utf8ToSjis("a\u301Cb");  // JIS wave dash
  EXPECT_EQ(wave.bytes, "a" + kTilde + "b");
  EXPECT_EQ(wave.changed, 1);
  const SjisText other = Utf8ToSjis("\U0001F600\u00A5\u00E9" + std::string("\xFF"));
  EXPECT_EQ(other.bytes, "????");
  EXPECT_EQ(other.changed, 4);
  // A lead byte without its trail byte, and a byte of no character.
  EXPECT_EQ(SjisToUtf8("a\x87"), "a\uFFFD");
  EXPECT_EQ(SjisToUtf8("\xA0z"), "\uFFFDz");
}

// ---- the system's zone ----

TEST(SystemZone, FirstKnownNameOfTzLinkAndFileElseUtc) {
  const auto known = [](const std::string& n) { return n == "Asia/Tokyo" || n == "Europe/Berlin"; };
  ZoneSources s;
  s.hasTz = true;
  s.tz = ":Asia/Tokyo";
  s.localtimeLink = "/usr/share/zoneinfo/Europe/Berlin";
  EXPECT_EQ(FindZoneName(s, known), "Asia/Tokyo");
  s.tz = "JST-9";  // a rule, not a name: the link decides
  EXPECT_EQ(FindZoneName(s, known), "Europe/Berlin");
  s.localtimeLink = "../usr/share/zoneinfo/posix/Asia/Tokyo";
  EXPECT_EQ(FindZoneName(s, known), "Asia/Tokyo");
  s.localtimeLink.clear();
  s.timezoneFile = "Europe/Berlin\n";
  EXPECT_EQ(FindZoneName(s, known), "Europe/Berlin");
  s.timezoneFile = "Mars/Olympus";
  EXPECT_EQ(FindZoneName(s, known), "UTC");
  EXPECT_TRUE(IsKnownZone("Asia/Tokyo"));
  EXPECT_FALSE(IsKnownZone("../../../../etc/passwd"));
}

// ---- export ----

TEST(Export, DatedLabelIsAnEventInTheZoneWithAlarmsAndNoEnd) {
  const std::string text =
      ExportCalendar({Label("2030/06/15 09:00", {"Dentist", "bring card"})}, Out("Asia/Tokyo", 5)).text;
  EXPECT_TRUE(HasLine(text, "BEGIN:VTIMEZONE"));
  EXPECT_TRUE(HasLine(text, "TZID:Asia/Tokyo"));
  EXPECT_TRUE(HasLine(text, "DTSTART;TZID=Asia/Tokyo:20300615T090000"));
  EXPECT_EQ(text.find("DTEND"), std::string::npos);
  EXPECT_TRUE(HasLine(text, "SUMMARY:Dentist"));
  EXPECT_TRUE(HasLine(text, "DESCRIPTION:Dentist\\nbring card"));
  EXPECT_TRUE(HasLine(text, "TRIGGER:-PT5M"));
  EXPECT_TRUE(HasLine(text, "TRIGGER:PT0S"));
  EXPECT_TRUE(HasLine(text, "ACTION:DISPLAY"));
  EXPECT_TRUE(HasLine(text, "PRODID:-//Moranote//Moranote " MORNA_VERSION "//JA"));
  EXPECT_TRUE(HasLine(text, "DTSTAMP:20300601T030000Z"));  // 12:00 in Tokyo

  // Without the warning only the alarm at the label's time.
  const std::string quiet = ExportCalendar({Label("2030/06/15 09:00", {"a"})}, Out()).text;
  EXPECT_EQ(quiet.find("TRIGGER:-"), std::string::npos);
  EXPECT_TRUE(HasLine(quiet, "TRIGGER:PT0S"));
}

TEST(Export, ToDoLabelIsATaskWithoutDateOrAlarm) {
  const std::string text = ExportCalendar({ToDo({"milk"})}, Out("Asia/Tokyo", 5)).text;
  EXPECT_TRUE(HasLine(text, "BEGIN:VTODO"));
  EXPECT_EQ(text.find("DUE"), std::string::npos);
  EXPECT_EQ(text.find("DTSTART"), std::string::npos);
  EXPECT_EQ(text.find("VALARM"), std::string::npos);
  EXPECT_EQ(text.find("VTIMEZONE"), std::string::npos);  // no dated label, no zone
}

TEST(Export, UtcUnknownZonesAndUnreadableDates) {
  const std::vector<PostSlot> one = {Label("2030/06/15 09:00", {"a"})};
  const std::string utc = ExportCalendar(one, Out("UTC")).text;
  EXPECT_TRUE(HasLine(utc, "DTSTART:20300615T090000Z"));
  EXPECT_EQ(utc.find("VTIMEZONE"), std::string::npos);
  // A zone the library does not know: the local time floats.
  const ExportResult floating = ExportCalendar(
      {one[0], Label("2030/02/30 09:00", {"b"}), Label("garbage", {"c"})}, Out("Nowhere/Town"));
  EXPECT_TRUE(HasLine(floating.text, "DTSTART:20300615T090000"));
  EXPECT_EQ(floating.unreadable, 2);
  EXPECT_EQ(floating.text.find("SUMMARY:b"), std::string::npos);
}

TEST(Export, UidsAreStableAndTellEqualLabelsApart) {
  const PostSlot a = Label("2030/06/15 09:00", {"same"});
  const auto uids = [](const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t at = text.find("\r\nUID:"); at != std::string::npos; at = text.find("\r\nUID:", at + 1))
      out.push_back(text.substr(at + 6, text.find("\r\n", at + 2) - at - 6));
    return out;
  };
  const std::vector<std::string> first =
      uids(ExportCalendar({a, Label("2030/06/16 09:00", {"other"}), a}, Out()).text);
  ASSERT_EQ(first.size(), 3u);
  EXPECT_NE(first[0], first[2]);
  ExportOptions later = Out();
  later.now = AddDays(kNow, 3);
  const std::vector<std::string> again = uids(ExportCalendar({a, a}, later).text);
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(again[0], first[0]);
  EXPECT_EQ(again[1], first[2]);
}

TEST(Export, FoldedLinesNeverSplitACharacter) {
  std::string longLine;
  for (int i = 0; i < 40; ++i) longLine += kAi + "a" + kCircled1;
  const std::string text = ExportCalendar({Label("2030/06/15 09:00", {longLine})}, Out()).text;
  std::size_t start = 0;
  int folds = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    const std::string line = text.substr(start, end - start);
    EXPECT_LE(line.size(), 75u) << line;
    EXPECT_TRUE(IsUtf8Text(line)) << line;
    if (line.starts_with(' ')) ++folds;
    start = end + 2;
  }
  EXPECT_GT(folds, 4);
}

// ---- round trips ----

TEST(RoundTrip, LabelsComeBackAsTheyWere) {
  std::string longLine;
  for (int i = 0; i < 30; ++i) longLine += kAi + kCircled1 + "x";
  const std::vector<PostSlot> labels = {
      ToDo({"shopping", kTilde + "list"}),
      Label("2030/06/15 09:00", {kCircled1 + kTaka + kTilde, "second", "", "fourth"}),
      Label("2030/06/15 09:00", {kCircled1 + kTaka + kTilde, "second", "", "fourth"}),
      Label("2030/11/03 23:45", {longLine}),
      Label("2031/03/30 01:30", {"a, b; c\\d"}),
  };
  for (const char* zone : {"Asia/Tokyo", "Europe/Berlin", "America/New_York", "UTC"}) {
    const std::string text = ExportCalendar(labels, Out(zone, 10)).text;
    const ImportResult r = Import(text, {}, In(zone));
    ASSERT_TRUE(r.ok()) << zone << ": " << r.detail;
    // Equal labels are one label: the second counts as already there.
    EXPECT_EQ(r.toAdd, (std::vector<PostSlot>{labels[0], labels[1], labels[3], labels[4]})) << zone;
    EXPECT_EQ(r.alreadyThere, 1);
    EXPECT_EQ(r.changedChars, 0);

    // Taken in again beside the same labels, nothing is added.
    const ImportResult again = Import(text, labels, In(zone));
    EXPECT_TRUE(again.toAdd.empty());
    EXPECT_EQ(again.alreadyThere, 5);
  }
}

// ---- import ----

// A calendar shaped like a web calendar's export: CR LF, folded lines, its
// own zone definition, alarms, a weekly series with a cancelled and a moved
// occurrence, UTC, floating and all-day times.
const char* const kWebExport =
    "BEGIN:VCALENDAR\r\n"
    "PRODID:-//Web//Calendar 70.9054//EN\r\n"
    "VERSION:2.0\r\n"
    "CALSCALE:GREGORIAN\r\n"
    "METHOD:PUBLISH\r\n"
    "X-WR-TIMEZONE:America/New_York\r\n"
    "BEGIN:VTIMEZONE\r\n"
    "TZID:America/New_York\r\n"
    "X-LIC-LOCATION:America/New_York\r\n"
    "BEGIN:DAYLIGHT\r\n"
    "TZOFFSETFROM:-0500\r\n"
    "TZOFFSETTO:-0400\r\n"
    "TZNAME:EDT\r\n"
    "DTSTART:19700308T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
    "END:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\n"
    "TZOFFSETFROM:-0400\r\n"
    "TZOFFSETTO:-0500\r\n"
    "TZNAME:EST\r\n"
    "DTSTART:19701101T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\n"
    "END:STANDARD\r\n"
    "END:VTIMEZONE\r\n"
    "BEGIN:VEVENT\r\n"
    "DTSTART;TZID=America/New_York:20300615T090000\r\n"
    "DTEND;TZID=America/New_York:20300615T100000\r\n"
    "DTSTAMP:20300101T000000Z\r\n"
    "UID:ny@web\r\n"
    "DESCRIPTION:Room 3\\nBring the long report that was promised last week to \r\n"
    " everyone\r\n"
    "SUMMARY:Meeting\r\n"
    "BEGIN:VALARM\r\n"
    "ACTION:DISPLAY\r\n"
    "DESCRIPTION:This is an event reminder\r\n"
    "TRIGGER:-P0DT0H30M0S\r\n"
    "END:VALARM\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\n"
    "DTSTART;TZID=America/New_York:20300107T090000\r\n"
    "DTEND;TZID=America/New_York:20300107T093000\r\n"
    "RRULE:FREQ=WEEKLY;BYDAY=MO\r\n"
    "EXDATE;TZID=America/New_York:20300603T090000\r\n"
    "DTSTAMP:20300101T000000Z\r\n"
    "UID:weekly@web\r\n"
    "SUMMARY:Standup\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\n"
    "DTSTART;TZID=America/New_York:20300611T090000\r\n"
    "DTEND;TZID=America/New_York:20300611T093000\r\n"
    "DTSTAMP:20300101T000000Z\r\n"
    "UID:weekly@web\r\n"
    "RECURRENCE-ID;TZID=America/New_York:20300610T090000\r\n"
    "SUMMARY:Standup (moved)\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\n"
    "DTSTART:20300620T033000Z\r\n"
    "DTSTAMP:20300101T000000Z\r\n"
    "UID:utc@web\r\n"
    "SUMMARY:Call\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\n"
    "DTSTART:20300621T073000\r\n"
    "DTSTAMP:20300101T000000Z\r\n"
    "UID:floating@web\r\n"
    "SUMMARY:Run\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\n"
    "DTSTART;VALUE=DATE:20300622\r\n"
    "DTEND;VALUE=DATE:20300623\r\n"
    "DTSTAMP:20300101T000000Z\r\n"
    "UID:allday@web\r\n"
    "SUMMARY:Holiday\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\n"
    "DTSTART;VALUE=DATE:19900704\r\n"
    "RRULE:FREQ=YEARLY\r\n"
    "DTSTAMP:20300101T000000Z\r\n"
    "UID:birthday@web\r\n"
    "SUMMARY:Birthday\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\n"
    "DTSTART:20300531T000000Z\r\n"
    "DTSTAMP:20300101T000000Z\r\n"
    "UID:past@web\r\n"
    "SUMMARY:Yesterday\r\n"
    "END:VEVENT\r\n"
    "END:VCALENDAR\r\n";

TEST(Import, WebCalendarExportInLocalTime) {
  const ImportResult r = Import(kWebExport);
  ASSERT_TRUE(r.ok()) << r.detail;
  const std::vector<PostSlot> expected = {
      // 06/11 09:00 in New York (EDT) is 22:00 in Tokyo: the moved Monday,
      // the one before it being excluded.
      Label("2030/06/11 22:00", {"Standup (moved)"}),
      Label("2030/06/15 22:00", {"Meeting", "Room 3",
                                 "Bring the long report that was promised last week to everyone"}),
      Label("2030/06/20 12:30", {"Call"}),       // 03:30 UTC
      Label("2030/06/21 07:30", {"Run"}),        // floating: as written
      Label("2030/06/22 09:00", {"Holiday"}),    // all day: at 09:00
      Label("2030/07/04 09:00", {"Birthday"}),   // next of a yearly series since 1990
  };
  EXPECT_EQ(r.toAdd, expected);
  EXPECT_EQ(r.past, 1);
  EXPECT_EQ(r.alreadyThere, 0);

  // The same file with LF line ends, and all-day events at 07:30.
  std::string lf = kWebExport;
  for (std::size_t at = lf.find("\r\n"); at != std::string::npos; at = lf.find("\r\n", at))
    lf.erase(at, 1);
  ImportOptions early = In();
  early.allDayMinutes = 7 * 60 + 30;
  const ImportResult r2 = Import(lf, {}, early);
  ASSERT_TRUE(r2.ok()) << r2.detail;
  ASSERT_EQ(r2.toAdd.size(), expected.size());
  EXPECT_EQ(r2.toAdd[1], expected[1]);
  EXPECT_EQ(r2.toAdd[4].DateTimeText, "2030/06/22 07:30");
}

TEST(Import, ZonesNamedWithPrefixesAndWithoutDefinitions) {
  // 09:00 in Berlin (CEST, +2) is 16:00 in Tokyo.
  for (const char* tzid : {"/freeassociation.sourceforge.net/Europe/Berlin",
                           "/mozilla.org/20050126_1/Europe/Berlin", "Europe/Berlin"}) {
    const std::string text = Calendar(Event(std::string("DTSTART;TZID=") + tzid + ":20300615T090000\r\n"));
    EXPECT_EQ(Only(text).DateTimeText, "2030/06/15 16:00") << tzid;
  }
  // A prefixed name with its own definition in the file.
  const std::string defined = Calendar(
      "BEGIN:VTIMEZONE\r\nTZID:/freeassociation.sourceforge.net/Tokyo\r\n"
      "BEGIN:STANDARD\r\nTZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\nDTSTART:19700101T000000\r\n"
      "END:STANDARD\r\nEND:VTIMEZONE\r\n" +
      Event("DTSTART;TZID=/freeassociation.sourceforge.net/Tokyo:20300615T090000\r\n"));
  EXPECT_EQ(Only(defined, In("Europe/Berlin")).DateTimeText, "2030/06/15 02:00");
}

TEST(Import, TasksWithAndWithoutDueDate) {
  const std::string text = Calendar(
      "BEGIN:VTODO\r\nUID:t1\r\nDTSTAMP:20300101T000000Z\r\nSUMMARY:Tax return\r\n"
      "DUE;VALUE=DATE:20300701\r\nEND:VTODO\r\n"
      "BEGIN:VTODO\r\nUID:t2\r\nDTSTAMP:20300101T000000Z\r\nSUMMARY:Call mother\r\nEND:VTODO\r\n"
      "BEGIN:VTODO\r\nUID:t3\r\nDTSTAMP:20300101T000000Z\r\nSUMMARY:Done already\r\n"
      "STATUS:COMPLETED\r\nCOMPLETED:20300101T000000Z\r\nEND:VTODO\r\n");
  const ImportResult r = Import(text);
  ASSERT_TRUE(r.ok()) << r.detail;
  EXPECT_EQ(r.toAdd, (std::vector<PostSlot>{ToDo({"Call mother"}), Label("2030/07/01 09:00", {"Tax return"})}));
  EXPECT_EQ(r.past, 1);
}

TEST(Import, SeriesThatEndedArePastAndCountedSeriesStillRun) {
  const std::string text = Calendar(
      Event("DTSTART:20300101T090000\r\nRRULE:FREQ=DAILY;COUNT=3\r\n", "ended") +
      Event("DTSTART:20300530T090000\r\nRRULE:FREQ=DAILY;COUNT=5\r\n", "counted") +
      Event("DTSTART:20300101T090000\r\nRRULE:FREQ=MONTHLY;UNTIL=20300501T000000Z\r\n", "until") +
      Event("DTSTART:20300501T100000\r\nRDATE:20300520T100000,20300605T100000\r\n", "extra"));
  const ImportResult r = Import(text);
  ASSERT_TRUE(r.ok()) << r.detail;
  EXPECT_EQ(r.toAdd, (std::vector<PostSlot>{Label("2030/06/02 09:00", {"counted"}),
                                            Label("2030/06/05 10:00", {"extra"})}));
  EXPECT_EQ(r.past, 2);
}

TEST(Import, MessagesDuplicatesAndReplacedCharacters) {
  const std::vector<PostSlot> held = {Label("2030/06/15 09:00", {"LunchWithAnn"})};
  const std::string text = Calendar(
      // Held already, its line breaks elsewhere.
      "BEGIN:VEVENT\r\nUID:1\r\nDTSTAMP:20300101T000000Z\r\nDTSTART:20300615T090000\r\n"
      "SUMMARY:Lunch\r\nDESCRIPTION:With\\nAnn\r\nEND:VEVENT\r\n"
      // Twice in the file.
      + Event("DTSTART:20300616T090000\r\n", "twice") + Event("DTSTART:20300616T090000\r\n", "twice") +
      // Characters the code page lacks, and a control character.
      "BEGIN:VEVENT\r\nUID:2\r\nDTSTAMP:20300101T000000Z\r\nDTSTART:20300617T090000\r\n"
      "SUMMARY:10\u301C12\u6642\r\nDESCRIPTION:\U0001F382 party\a\r\nEND:VEVENT\r\n"
      // Nothing to say.
      "BEGIN:VEVENT\r\nUID:3\r\nDTSTAMP:20300101T000000Z\r\nDTSTART:20300618T090000\r\nEND:VEVENT\r\n");
  const ImportResult r = Import(text, held);
  ASSERT_TRUE(r.ok()) << r.detail;
  EXPECT_EQ(r.toAdd, (std::vector<PostSlot>{Label("2030/06/16 09:00", {"twice"}),
                                            Label("2030/06/17 09:00", {"10" + kTilde + "12\x8E\x9E", "? party"})}));
  EXPECT_EQ(r.alreadyThere, 2);
  EXPECT_EQ(r.untitled, 1);
  EXPECT_EQ(r.changedChars, 3);
  EXPECT_EQ(r.changedLabels, 1);
}

TEST(Import, RefusedFilesGiveTheReasonAndNoLabels) {
  const std::string good = Event("DTSTART:20300615T090000\r\n");
  struct Case {
    std::string text;
    ImportError error;
  };
  const std::vector<Case> cases = {
      {"", ImportError::NotCalendar},
      {"Time=2030/06/15 09:00\r\nMemo=hello\r\n", ImportError::NotCalendar},
      {"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\nEND:VCARD\r\n", ImportError::NotCalendar},
      {Calendar(good).substr(0, Calendar(good).size() - 15), ImportError::Damaged},  // cut short
      {Calendar(good + Event("DTSTART:2030x615T090000\r\n", "bad")), ImportError::Damaged},
      {Calendar(good + "this line has no colon\r\n"), ImportError::Damaged},
      {Calendar(good + "BEGIN:VEVENT\r\nUID:n\r\nSUMMARY:no start\r\nEND:VEVENT\r\n"), ImportError::Damaged},
      {Calendar(good + Event("DTSTART;TZID=Mars/Olympus:20300615T090000\r\n", "z")), ImportError::UnknownZone},
      {Calendar("SUMMARY:caf\xE9\r\n" + good), ImportError::NotText},
  };
  for (const Case& c : cases) {
    const ImportResult r = Import(c.text);
    EXPECT_EQ(r.error, c.error) << c.text;
    EXPECT_TRUE(r.toAdd.empty());
  }
  EXPECT_EQ(Import(Calendar("SUMMARY:caf\xE9\r\n" + good)).detail, "4");
  EXPECT_NE(Import(Calendar(good + Event("DTSTART:2030x615T090000\r\n", "bad"))).detail.find("DTSTART"),
            std::string::npos);
  // A zone name is no way to a file outside the zone folder: a zone file
  // copied elsewhere is not read by its path.
  testing::TempDir dir;
  std::filesystem::copy_file("/usr/share/zoneinfo/Asia/Tokyo", dir.File("Elsewhere"));
  const std::string path = "../../../../../../../.." + dir.File("Elsewhere");
  const ImportResult outside = Import(Calendar(Event("DTSTART;TZID=" + path + ":20300615T090000\r\n")));
  EXPECT_EQ(outside.error, ImportError::UnknownZone);
  EXPECT_EQ(outside.detail, path);
  // A byte order mark is no damage.
  EXPECT_TRUE(Import("\xEF\xBB\xBF" + Calendar(good)).ok());
}

// ---- one resource of a calendar server ----

TEST(Resource, ALabelGoesUpUnderTheGivenUidAndComesBackTheSame) {
  ExportOptions o = Out("Asia/Tokyo", 5);
  o.uid = "abc-123";
  const PostSlot label = Label("2030/06/15 09:00", {"Dentist", "", "bring card"});
  const std::string text = ExportCalendar({label}, o).text;
  EXPECT_TRUE(HasLine(text, "UID:abc-123"));
  const ResourceLabel back = ReadResource(text, In());
  EXPECT_EQ(back.uid, "abc-123");
  EXPECT_FALSE(back.recurring);
  ASSERT_TRUE(back.label);
  EXPECT_EQ(*back.label, label);
}

TEST(Resource, SeriesPastAndDamagedResourcesAreTold) {
  const ResourceLabel series =
      ReadResource(Calendar(Event("DTSTART:20300101T090000Z\r\nRRULE:FREQ=WEEKLY\r\n", "w")), In());
  EXPECT_TRUE(series.recurring);
  EXPECT_EQ(series.uid, "w@test");
  ASSERT_TRUE(series.label);  // its next occurrence
  const ResourceLabel past = ReadResource(Calendar(Event("DTSTART:20200101T090000Z\r\n", "p")), In());
  EXPECT_TRUE(past.ok());
  EXPECT_EQ(past.uid, "p@test");
  EXPECT_FALSE(past.label);
  EXPECT_FALSE(ReadResource("not a calendar", In()).ok());
}

}  // namespace
}  // namespace ical
}  // namespace morna
