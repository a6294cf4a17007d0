// The calendar server's answers read into plain data, and the sync rounds
// driven against a scripted server (no network).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>
#include <deque>

#include "tests/core/tempdir.h"
#include "ui/CalDavPage.h"
#include "ui/caldav.h"
#include "ui/calendarmodule.h"
#include "ui/davxml.h"

namespace morna::ui {
namespace {

// ---- multistatus answers as Nextcloud (SabreDAV) and Radicale send them ----

const QByteArray kNextcloudHome = R"(<?xml version="1.0"?>
<d:multistatus xmlns:d="DAV:" xmlns:s="http://sabredav.org/ns" xmlns:cal="urn:ietf:params:xml:ns:caldav" xmlns:cs="http://calendarserver.org/ns/" xmlns:oc="http://owncloud.org/ns" xmlns:nc="http://nextcloud.org/ns">
 <d:response>
  <d:href>/remote.php/dav/calendars/hanako%40example.org/</d:href>
  <d:propstat><d:prop><d:resourcetype><d:collection/></d:resourcetype></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>
  <d:propstat><d:prop><d:displayname/><cal:supported-calendar-component-set/></d:prop><d:status>HTTP/1.1 404 Not Found</d:status></d:propstat>
 </d:response>
 <d:response>
  <d:href>/remote.php/dav/calendars/hanako%40example.org/personal/</d:href>
  <d:propstat><d:prop>
   <d:resourcetype><d:collection/><cal:calendar/></d:resourcetype>
   <d:displayname>Personal</d:displayname>
   <cal:supported-calendar-component-set><cal:comp name="VEVENT"/><cal:comp name="VTODO"/></cal:supported-calendar-component-set>
  </d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>
 </d:response>
 <d:response>
  <d:href>/remote.php/dav/calendars/hanako%40example.org/contact_birthdays/</d:href>
  <d:propstat><d:prop>
   <d:resourcetype><d:collection/><cal:calendar/></d:resourcetype>
   <d:displayname>Contact birthdays</d:displayname>
  </d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>
 </d:response>
</d:multistatus>)";

const QByteArray kRadicaleSync = R"(<?xml version='1.0' encoding='utf-8'?>
<multistatus xmlns="DAV:"><response><href>/alice/work/a1.ics</href><propstat><prop><getetag>"3a5f"</getetag></prop><status>HTTP/1.1 200 OK</status></propstat></response><response><href>/alice/work/gone.ics</href><status>HTTP/1.1 404 Not Found</status></response><sync-token>http://radicale.org/ns/sync/9f2c</sync-token></multistatus>)";

const QByteArray kMultiget = R"(<?xml version='1.0' encoding='utf-8'?>
<multistatus xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav"><response><href>/alice/work/a1.ics</href><propstat><prop><getetag>"3a5f"</getetag><C:calendar-data>BEGIN:VCALENDAR&#13;
VERSION:2.0&#13;
END:VCALENDAR&#13;
</C:calendar-data></prop><status>HTTP/1.1 200 OK</status></propstat></response></multistatus>)";

TEST(DavXmlTest, NextcloudCalendarsWithDecodedHrefsAndOnlyTheFoundProperties) {
  const Multistatus ms = ParseMultistatus(kNextcloudHome);
  ASSERT_TRUE(ms.ok) << ms.error.toStdString();
  ASSERT_EQ(ms.responses.size(), 3);
  EXPECT_EQ(ms.responses[0].href, "/remote.php/dav/calendars/hanako@example.org/");
  EXPECT_TRUE(ms.responses[0].isCollection);
  EXPECT_FALSE(ms.responses[0].isCalendar);
  EXPECT_TRUE(ms.responses[0].displayName.isEmpty());  // in a 404 propstat
  EXPECT_TRUE(ms.responses[1].isCalendar);
  EXPECT_EQ(ms.responses[1].displayName, "Personal");
  EXPECT_EQ(ms.responses[1].components, (QStringList{"VEVENT", "VTODO"}));
}

TEST(DavXmlTest, RadicaleSyncReportWithRemovedMembersAndItsToken) {
  const Multistatus ms = ParseMultistatus(kRadicaleSync);
  ASSERT_TRUE(ms.ok);
  ASSERT_EQ(ms.responses.size(), 2);
  EXPECT_EQ(ms.responses[0].etag, "\"3a5f\"");
  EXPECT_EQ(ms.responses[0].status, 200);
  EXPECT_EQ(ms.responses[1].status, 404);
  EXPECT_EQ(ms.syncToken, "http://radicale.org/ns/sync/9f2c");
}

TEST(DavXmlTest, CalendarDataKeepsItsLineEndsAndBrokenAnswersAreTold) {
  const Multistatus ms = ParseMultistatus(kMultiget);
  ASSERT_TRUE(ms.ok);
  EXPECT_EQ(ms.responses[0].calendarData, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
  EXPECT_FALSE(ParseMultistatus("<html>login</html>").ok);
  EXPECT_FALSE(ParseMultistatus(kRadicaleSync.left(200)).ok);
}

TEST(DavXmlTest, MultigetNamesEachPathEncoded) {
  const QByteArray body = MultigetBody({"/c/hanako@example.org/a b.ics"});
  EXPECT_TRUE(body.contains("<d:href>/c/hanako@example.org/a%20b.ics</d:href>")) << body.toStdString();
  EXPECT_TRUE(body.contains("calendar-multiget"));
}

// ---- sync rounds against a scripted server ----

// Answers requests in order from a script and records them.
class ScriptedNet : public caldav::Net {
 public:
  std::deque<caldav::HttpReply> replies;
  std::vector<caldav::HttpRequest> sent;
  void Send(const caldav::HttpRequest& r, std::function<void(const caldav::HttpReply&)> done) override {
    sent.push_back(r);
    caldav::HttpReply reply;
    if (!replies.empty()) {
      reply = replies.front();
      replies.pop_front();
    } else {
      reply.error = "no answer";
    }
    QTimer::singleShot(0, [done, reply] { done(reply); });
  }
  void ReadSecret(const QString&, std::function<void(const caldav::SecretResult&)>) override {}
  void WriteSecret(const QString&, const QString&, std::function<void(const caldav::SecretResult&)>) override {}
};

caldav::HttpReply Reply(int status, QByteArray body = {}, QByteArray etag = {}) {
  caldav::HttpReply r;
  r.status = status;
  r.body = std::move(body);
  r.etag = std::move(etag);
  return r;
}

struct Rig {
  testing::TempDir dir;
  ScriptedNet net;
  std::vector<PostSlot> labels;
  std::vector<LabelChange> applied;
  std::unique_ptr<CalDavSync> sync;

  Rig() {
    CalDavSync::Host host;
    host.labelPath = [this] { return dir.File("d.txt"); };
    host.labels = [this] { return labels; };
    host.apply = [this](const LabelChange& c) {
      applied.push_back(c);
      return labels;
    };
    host.settings = [] {
      CommandSettings s;
      s.now = MakeDateTime(2030, 6, 15, 9, 0, 0);
      return s;
    };
    sync = std::make_unique<CalDavSync>(net, CalDavAccount{QUrl("http://h/alice/work/"), "alice", "pw"},
                                        std::move(host));
  }
  void RunRound() {
    QSignalSpy done(sync.get(), &CalDavSync::RoundDone);
    sync->Start();
    ASSERT_TRUE(done.wait(5000));
  }
};

const QByteArray kEmptySync = R"(<multistatus xmlns="DAV:"><sync-token>t1</sync-token></multistatus>)";

TEST(CalDavSyncTest, APostGoesUpAsANewResourceAndIsRemembered) {
  Rig rig;
  rig.labels = {{"2030/06/20 09:00", {"dentist"}}};
  rig.net.replies = {Reply(207, kEmptySync), Reply(201, {}, "\"e1\"")};
  rig.RunRound();
  ASSERT_EQ(rig.net.sent.size(), 2u);
  const caldav::HttpRequest& put = rig.net.sent[1];
  EXPECT_EQ(put.verb, "PUT");
  EXPECT_TRUE(put.url.path().startsWith("/alice/work/"));
  EXPECT_TRUE(put.headers.contains(qMakePair(QByteArray("If-None-Match"), QByteArray("*"))));
  EXPECT_TRUE(put.body.contains("SUMMARY:dentist"));
  EXPECT_EQ(put.user, "alice");
  const CalMapping m = LoadCalMapping(rig.dir.File("d.txt"), "http://h/alice/work/");
  ASSERT_EQ(m.items.size(), 1u);
  EXPECT_EQ(m.items[0].etag, "\"e1\"");
  EXPECT_EQ(m.syncToken, "t1");
  EXPECT_FALSE(rig.sync->Failing());
}

TEST(CalDavSyncTest, AChangedServerIsNeverOverwrittenAndAWrongPasswordIsToldOnce) {
  Rig rig;
  rig.labels = {{"2030/06/20 09:00", {"dentist"}}};
  // 412: somebody else wrote there meanwhile; the mapping keeps nothing.
  rig.net.replies = {Reply(207, kEmptySync), Reply(412)};
  rig.RunRound();
  EXPECT_TRUE(LoadCalMapping(rig.dir.File("d.txt"), "http://h/alice/work/").items.empty());
  EXPECT_FALSE(rig.sync->Failing());

  QSignalSpy outage(rig.sync.get(), &CalDavSync::Outage);
  rig.net.replies = {Reply(401)};
  rig.RunRound();
  rig.net.replies = {Reply(401)};
  rig.RunRound();
  EXPECT_EQ(outage.count(), 1);
  EXPECT_TRUE(rig.sync->Failing());
  EXPECT_NE(rig.sync->LastError().indexOf("ログインを拒否"), -1);
  EXPECT_TRUE(rig.applied.empty());
}

TEST(CalDavSyncTest, WithoutTheCalendarModuleARoundSendsNothingAndSaysWhy) {
  Rig rig;
  rig.labels = {{"2030/06/20 09:00", {"dentist"}}};
  UseCalendarModule({nullptr, "libmorna_icalendar.so: not found"});
  QSignalSpy outage(rig.sync.get(), &CalDavSync::Outage);
  rig.sync->Start();
  UseCalendarModule({&ical::kFunctions, {}});
  EXPECT_TRUE(rig.net.sent.empty());
  ASSERT_EQ(outage.count(), 1);
  EXPECT_NE(rig.sync->LastError().indexOf("morna_icalendar"), -1);
  EXPECT_NE(rig.sync->LastError().indexOf("not found"), -1);
  EXPECT_TRUE(rig.sync->Failing());
}

TEST(CalDavSyncTest, ARoundMeetingTheRoadTakenChangesNothingAndComesBackSoon) {
  Rig rig;
  bool busy = true;
  // (the host is rebuilt with a road that is taken)
  CalDavSync::Host host;
  host.labelPath = [&] { return rig.dir.File("d.txt"); };
  host.labels = [&] { return rig.labels; };
  host.apply = [&](const LabelChange& c) {
    rig.applied.push_back(c);
    return rig.labels;
  };
  host.settings = [] { return CommandSettings{}; };
  host.busy = [&] { return busy; };
  rig.sync = std::make_unique<CalDavSync>(rig.net, CalDavAccount{QUrl("http://h/c/"), "u", "p"}, std::move(host));
  rig.labels = {{"2030/06/20 09:00", {"dentist"}}};
  rig.net.replies = {Reply(207, kEmptySync)};
  rig.RunRound();
  EXPECT_EQ(rig.net.sent.size(), 1u);  // the listing only: no write
  busy = false;
  rig.net.replies = {Reply(207, kEmptySync), Reply(201, {}, "\"e\"")};
  QSignalSpy done(rig.sync.get(), &CalDavSync::RoundDone);
  ASSERT_TRUE(done.wait(5000));  // by itself, seconds later
  EXPECT_EQ(rig.net.sent.size(), 3u);
  EXPECT_EQ(rig.net.sent[2].verb, "PUT");
}

TEST(CalDavSyncTest, FailuresNameTheirCause) {
  caldav::HttpReply tls;
  tls.tls = true;
  tls.error = "The certificate is self-signed, and untrusted";
  EXPECT_NE(CalDavFailure(tls).indexOf("証明書"), -1);
  EXPECT_NE(CalDavFailure(tls).indexOf("self-signed"), -1);
  caldav::HttpReply down;
  down.error = "Connection refused";
  EXPECT_NE(CalDavFailure(down).indexOf("Connection refused"), -1);
  EXPECT_NE(CalDavFailure(Reply(503)).indexOf("503"), -1);
}

// ---- the settings page ----

TEST(CalDavPageTest, FillsFromAndStoresIntoTheSettingsWithTheChosenCalendarsUrl) {
  TCalDavPage page;
  Settings s;
  s.CalDavSync = 1;
  s.CalDavAddress = "https://example.org/remote.php/dav";
  s.CalDavUser = "hanako";
  s.CalDavCollection = "https://example.org/remote.php/dav/calendars/hanako/personal/";
  page.Fill(s);
  Settings back;
  page.Store(back);
  EXPECT_EQ(back.CalDavSync, 1);
  EXPECT_EQ(back.CalDavAddress, s.CalDavAddress);
  EXPECT_EQ(back.CalDavUser, s.CalDavUser);
  EXPECT_EQ(back.CalDavCollection, s.CalDavCollection);
  EXPECT_TRUE(page.TypedPassword().isEmpty());

  // A calendar the server listed stands for its URL, not for its caption.
  page.CmbCalDavCollection->addItem("Work - https://example.org/w/", "https://example.org/w/");
  page.CmbCalDavCollection->setCurrentIndex(1);
  page.CbCalDavSync->setChecked(false);
  page.Store(back);
  EXPECT_EQ(back.CalDavCollection, "https://example.org/w/");
  EXPECT_EQ(back.CalDavSync, 0);
}

TEST(CalDavPageTest, TryingWithoutTheModuleSaysWhy) {
  TCalDavPage page;
  page.Net = [](QString& why) -> caldav::Net* {
    why = "no module";
    return nullptr;
  };
  page.BtnCalDavTry->click();
  EXPECT_EQ(page.LblCalDavResult->text(), "no module");
}

}  // namespace
}  // namespace morna::ui
