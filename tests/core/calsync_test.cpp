#include "core/calsync.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/labelbook.h"
#include "tests/core/tempdir.h"

namespace morna {
namespace {

using testing::TempDir;
using testing::WriteBytes;

const DateTime kNow = MakeDateTime(2030, 6, 15, 9, 0, 0);
const std::string kPath = "/cal/user/work/";

PostSlot L(std::string when, std::vector<std::string> lines) { return {std::move(when), std::move(lines)}; }

CalResource R(std::string href, std::string etag, std::optional<PostSlot> label, bool recurring = false) {
  return {kPath + href, std::move(etag), href + "-uid", std::move(label), recurring};
}

CalFetched F(std::string href, std::string etag, std::optional<PostSlot> label, bool recurring = false) {
  return {kPath + href, std::move(etag), href + "-uid", std::move(label), recurring};
}

CalListed Li(std::string href, std::string etag) { return {kPath + href, std::move(etag)}; }

struct Round {
  std::vector<PostSlot> local;
  CalMapping base;
  std::vector<CalListed> listing;
  std::vector<CalFetched> fetched;
  CalPlan Plan() const {
    int n = 0;
    return PlanCalSync(local, base, listing, fetched, kPath, kNow,
                       [&n] { return "new" + std::to_string(++n); });
  }
};

// ---- the mapping file ----

TEST(CalMappingTest, RoundTripsOddBytesEmptyLinesAndLabellessResources) {
  CalMapping m;
  m.collection = "https://example.org/dav/calendars/u/work/";
  m.syncToken = "http://radicale.org/ns/sync/abc%20 def";
  m.items.push_back(R("a.ics", "\"1\"", L("2030/06/20 09:00", {"\x82\xa0 tab\there", "", "100%"})));
  m.items.push_back(R("b.ics", "", std::nullopt, true));
  m.items.push_back(R("c.ics", "W/\"x\"", L(std::string(kToDoSentinel), {})));
  m.items.push_back(R("d.ics", "e", L("2030/06/21 09:00", {""})));
  const std::string text = FormatCalMapping(m);
  const std::optional<CalMapping> back = ParseCalMapping(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, m);
}

TEST(CalMappingTest, DamagedOrCutShortIsRefused) {
  CalMapping m;
  m.collection = "https://h/c/";
  m.items.push_back(R("a.ics", "1", L("2030/06/20 09:00", {"a"})));
  const std::string text = FormatCalMapping(m);
  EXPECT_FALSE(ParseCalMapping(text.substr(0, text.size() - 3)));   // cut short
  EXPECT_FALSE(ParseCalMapping("MORANOTE-CALDAV 9\n" + text.substr(text.find('\n') + 1)));
  std::string badEscape = text;
  badEscape.insert(badEscape.find("a.ics"), "%G");
  EXPECT_FALSE(ParseCalMapping(badEscape));
  EXPECT_FALSE(ParseCalMapping(""));
}

TEST(CalMappingTest, LoadFallsBackToAFullCompare) {
  TempDir dir;
  const std::string labels = dir.File("PstData.txt");
  bool damaged = true;
  EXPECT_TRUE(LoadCalMapping(labels, "https://h/c/", &damaged).items.empty());
  EXPECT_FALSE(damaged);  // missing: a first sync

  CalMapping m;
  m.collection = "https://h/c/";
  m.items.push_back(R("a.ics", "1", L("2030/06/20 09:00", {"a"})));
  ASSERT_TRUE(SaveCalMapping(labels, m).ok());
  EXPECT_EQ(LoadCalMapping(labels, "https://h/c/"), m);
  // Another collection: nothing of this one counts.
  EXPECT_TRUE(LoadCalMapping(labels, "https://h/other/").items.empty());

  WriteBytes(labels + ".caldav", "garbage");
  const CalMapping fresh = LoadCalMapping(labels, "https://h/c/", &damaged);
  EXPECT_TRUE(damaged);
  EXPECT_TRUE(fresh.items.empty());
  EXPECT_EQ(fresh.collection, "https://h/c/");
}

// ---- listings ----

TEST(CalListingTest, ChangesOfASyncReportApplyToTheMapping) {
  CalMapping m;
  m.items = {R("a.ics", "1", L("2030/06/20 09:00", {"a"})), R("b.ics", "1", std::nullopt),
             R("c.ics", "1", std::nullopt)};
  const std::vector<CalListed> listing =
      ListingFromChanges(m, {Li("b.ics", "2"), Li("n.ics", "1")}, {kPath + "c.ics"});
  ASSERT_EQ(listing.size(), 3u);
  EXPECT_EQ(listing[0].etag, "1");
  EXPECT_EQ(listing[1].etag, "2");
  EXPECT_EQ(listing[2].href, kPath + "n.ics");
  EXPECT_EQ(HrefsToFetch(m, listing), (std::vector<std::string>{kPath + "b.ics", kPath + "n.ics"}));
}

TEST(CalListingTest, AnUnknownEtagIsFetchedAgain) {
  CalMapping m;
  m.items = {R("a.ics", "", L("2030/06/20 09:00", {"a"}))};
  EXPECT_EQ(HrefsToFetch(m, {Li("a.ics", "7")}).size(), 1u);
}

// ---- the plan ----

TEST(CalPlanTest, FirstSyncMergesBothSidesAndDeletesNothing) {
  Round r;
  r.local = {L("2030/06/20 09:00", {"both"}), L("2030/06/21 09:00", {"mine"})};
  r.listing = {Li("s.ics", "1"), Li("t.ics", "1")};
  r.fetched = {F("s.ics", "1", L("2030/06/20 09:00", {"both"})),
               F("t.ics", "1", L("2030/06/22 09:00", {"phone"}))};
  const CalPlan p = r.Plan();
  EXPECT_TRUE(p.deletes.empty());
  EXPECT_TRUE(p.remove.empty());
  EXPECT_EQ(p.add, (std::vector<PostSlot>{L("2030/06/22 09:00", {"phone"})}));
  ASSERT_EQ(p.puts.size(), 1u);  // only the label the server lacks
  EXPECT_EQ(p.puts[0].label, L("2030/06/21 09:00", {"mine"}));
  EXPECT_EQ(p.puts[0].ifMatch, "");
  EXPECT_EQ(p.puts[0].href, kPath + "new1.ics");
  EXPECT_EQ(p.mapping.items.size(), 2u);  // the equal label is matched, not doubled
}

TEST(CalPlanTest, LocalChangesGoUpAsCreateUpdateAndDelete) {
  Round r;
  r.base.items = {R("a.ics", "1", L("2030/06/20 09:00", {"a"})),
                  R("b.ics", "1", L("2030/06/21 09:00", {"b"}))};
  r.listing = {Li("a.ics", "1"), Li("b.ics", "1")};
  // a's text changed, b deleted, c posted
  r.local = {L("2030/06/20 09:00", {"a2"}), L("2030/06/25 09:00", {"c"})};
  const CalPlan p = r.Plan();
  EXPECT_TRUE(p.remove.empty());
  EXPECT_TRUE(p.add.empty());
  ASSERT_EQ(p.puts.size(), 2u);
  EXPECT_EQ(p.puts[0].href, kPath + "a.ics");  // the same event, changed
  EXPECT_EQ(p.puts[0].ifMatch, "1");
  EXPECT_EQ(p.puts[0].uid, "a.ics-uid");
  EXPECT_EQ(p.puts[1].ifMatch, "");
  ASSERT_EQ(p.deletes.size(), 1u);
  EXPECT_EQ(p.deletes[0].href, kPath + "b.ics");
  EXPECT_EQ(p.deletes[0].ifMatch, "1");
  // Until the writes succeed, the mapping keeps what the server holds.
  EXPECT_EQ(p.mapping.items.size(), 2u);
  EXPECT_EQ(p.mapping.items[0].label, L("2030/06/20 09:00", {"a"}));
}

TEST(CalPlanTest, ServerChangesComeInAsTableChanges) {
  Round r;
  r.base.items = {R("a.ics", "1", L("2030/06/20 09:00", {"a"})),
                  R("b.ics", "1", L("2030/06/21 09:00", {"b"}))};
  r.local = {L("2030/06/20 09:00", {"a"}), L("2030/06/21 09:00", {"b"})};
  r.listing = {Li("a.ics", "2"), Li("n.ics", "1")};  // b deleted on the phone
  r.fetched = {F("a.ics", "2", L("2030/06/20 10:00", {"a"})),
               F("n.ics", "1", L("2030/06/30 09:00", {"n"}))};
  const CalPlan p = r.Plan();
  EXPECT_TRUE(p.puts.empty());
  EXPECT_TRUE(p.deletes.empty());
  EXPECT_EQ(p.remove, (std::vector<PostSlot>{L("2030/06/20 09:00", {"a"}), L("2030/06/21 09:00", {"b"})}));
  EXPECT_EQ(p.add, (std::vector<PostSlot>{L("2030/06/20 10:00", {"a"}), L("2030/06/30 09:00", {"n"})}));
  ASSERT_EQ(p.mapping.items.size(), 2u);
  EXPECT_EQ(p.mapping.items[0].etag, "2");
}

TEST(CalPlanTest, BothSidesChangedAtOnceLoseNothing) {
  Round r;
  r.base.items = {R("a.ics", "1", L("2030/06/20 09:00", {"a"}))};
  r.listing = {Li("a.ics", "2")};
  r.fetched = {F("a.ics", "2", L("2030/06/20 09:00", {"a phone"}))};
  r.local = {L("2030/06/20 09:00", {"a here"})};
  const CalPlan p = r.Plan();
  // Both versions stand on both sides: the phone's comes in, ours goes up
  // as an event of its own.
  EXPECT_EQ(p.add, (std::vector<PostSlot>{L("2030/06/20 09:00", {"a phone"})}));
  EXPECT_TRUE(p.remove.empty());
  EXPECT_TRUE(p.deletes.empty());
  ASSERT_EQ(p.puts.size(), 1u);
  EXPECT_EQ(p.puts[0].ifMatch, "");
  EXPECT_EQ(p.puts[0].label, L("2030/06/20 09:00", {"a here"}));
}

TEST(CalPlanTest, DeletedOnBothSidesAndResourceGoneMeanNoWrite) {
  Round r;
  r.base.items = {R("a.ics", "1", L("2030/06/20 09:00", {"a"}))};
  const CalPlan p = r.Plan();
  EXPECT_TRUE(p.puts.empty());
  EXPECT_TRUE(p.deletes.empty());
  EXPECT_TRUE(p.mapping.items.empty());
}

TEST(CalPlanTest, SeriesAndPastLabelsAreNeverDeletedOrWrittenOver) {
  Round r;
  r.base.items = {R("s.ics", "1", L("2030/06/20 09:00", {"weekly"}), true),
                  R("p.ics", "1", L("2030/06/14 09:00", {"yesterday"}))};
  r.listing = {Li("s.ics", "1"), Li("p.ics", "1")};
  // The series' label was changed; the past one was removed as past.
  r.local = {L("2030/06/20 09:00", {"weekly!"})};
  const CalPlan p = r.Plan();
  EXPECT_TRUE(p.deletes.empty());
  ASSERT_EQ(p.puts.size(), 1u);
  EXPECT_EQ(p.puts[0].ifMatch, "");  // a new event, not over the series
  ASSERT_EQ(p.mapping.items.size(), 2u);
  EXPECT_FALSE(p.mapping.items[0].label);  // known, shown no more
  EXPECT_FALSE(p.mapping.items[1].label);
}

TEST(CalPlanTest, AResourceThatCouldNotBeFetchedWaits) {
  Round r;
  r.base.items = {R("a.ics", "1", L("2030/06/20 09:00", {"a"}))};
  r.local = {L("2030/06/20 09:00", {"a"})};
  r.listing = {Li("a.ics", "2"), Li("n.ics", "1")};
  const CalPlan p = r.Plan();
  EXPECT_TRUE(p.add.empty() && p.remove.empty() && p.puts.empty() && p.deletes.empty());
  ASSERT_EQ(p.mapping.items.size(), 1u);
  EXPECT_EQ(p.mapping.items[0].etag, "1");  // fetched again next round
}

TEST(CalPlanTest, ALabelThatIsNoEventStaysHere) {
  Round r;
  r.local = {L("2030/02/30 09:00", {"no such day"}), L(std::string(kToDoSentinel), {"todo"})};
  const CalPlan p = r.Plan();
  ASSERT_EQ(p.puts.size(), 1u);
  EXPECT_EQ(p.puts[0].label.Lines, std::vector<std::string>{"todo"});
  EXPECT_TRUE(p.remove.empty());
}

TEST(CalPlanTest, EqualLabelsCountAsMany) {
  Round r;
  r.local = {L("2030/06/20 09:00", {"x"}), L("2030/06/20 09:00", {"x"})};
  r.listing = {Li("a.ics", "1")};
  r.fetched = {F("a.ics", "1", L("2030/06/20 09:00", {"x"}))};
  const CalPlan p = r.Plan();
  EXPECT_EQ(p.puts.size(), 1u);
  EXPECT_TRUE(p.add.empty());
}

// ---- after the round ----

TEST(CalSettleTest, LabelsTheTableCouldNotTakeStayOnTheServerUnshown) {
  CalMapping m;
  m.items = {R("a.ics", "1", L("2030/06/20 09:00", {"a"})), R("b.ics", "1", L("2030/06/21 09:00", {"b"}))};
  CalSettle(m, {L("2030/06/20 09:00", {"a"})}, {L("2030/06/20 09:00", {"a"}), L("2030/06/21 09:00", {"b"})});
  EXPECT_TRUE(m.items[0].label);
  EXPECT_FALSE(m.items[1].label);
}

TEST(CalWritesTest, DoneWritesUpdateTheMappingAndStatusesAreSorted) {
  CalMapping m;
  m.items = {R("a.ics", "1", L("2030/06/20 09:00", {"a"}))};
  CalPutDone(m, {kPath + "a.ics", "a.ics-uid", "1", L("2030/06/20 09:00", {"a2"})}, "2");
  CalPutDone(m, {kPath + "n.ics", "n", "", L("2030/06/22 09:00", {"n"})}, "");
  ASSERT_EQ(m.items.size(), 2u);
  EXPECT_EQ(m.items[0].etag, "2");
  EXPECT_EQ(m.items[0].label, L("2030/06/20 09:00", {"a2"}));
  CalDeleteDone(m, kPath + "a.ics");
  EXPECT_EQ(m.items.size(), 1u);

  EXPECT_EQ(ClassifyCalWrite(201, false), CalWriteOutcome::Done);
  EXPECT_EQ(ClassifyCalWrite(404, true), CalWriteOutcome::Done);
  EXPECT_EQ(ClassifyCalWrite(410, true), CalWriteOutcome::Done);
  EXPECT_EQ(ClassifyCalWrite(404, false), CalWriteOutcome::Refused);
  EXPECT_EQ(ClassifyCalWrite(412, false), CalWriteOutcome::Changed);
  EXPECT_EQ(ClassifyCalWrite(503, true), CalWriteOutcome::Retry);
  EXPECT_EQ(ClassifyCalWrite(0, false), CalWriteOutcome::Retry);
  EXPECT_EQ(ClassifyCalWrite(401, false), CalWriteOutcome::Refused);
}

TEST(LabelBookRemoveTest, TakesOutOneEqualLabelPerEntry) {
  TempDir dir;
  LabelBook book(5);
  book.Open(dir.File("d.txt"), 5);
  LabelChange put;
  put.labels = {L("2030/06/20 09:00", {"x"}), L("2030/06/20 09:00", {"x"}), L("2030/06/21 09:00", {"y"})};
  book.Apply(put, kNow);
  LabelChange take;
  take.remove = {L("2030/06/20 09:00", {"x"}), L("2030/07/01 09:00", {"absent"})};
  take.labels = {L("2030/06/22 09:00", {"z"})};
  const LabelReport rep = book.Apply(take, kNow);
  EXPECT_EQ(rep.removed, 1);
  EXPECT_EQ(rep.added, 1);
  EXPECT_EQ(LabelsOf(book.Table()).size(), 3u);
}

}  // namespace
}  // namespace morna
