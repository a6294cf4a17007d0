// Labels kept in step with one calendar collection on a CalDAV server.
//
// What is known of the server lives in a mapping beside the label file
// ("<label file>.caldav"): for each resource of the collection its href, ETag
// and UID, and the label both sides last agreed on (none for a resource that
// is no label: a past event, a series whose label was deleted, one that did
// not fit the table). A sync round compares three sides with the same
// three-way merge the label file uses (MergeLabels): the mapping's labels
// (the base), the server's (theirs) and the table (ours); it says what to
// PUT and DELETE on the server and which labels to take out of and put into
// the table. A lost or damaged mapping only means an empty base: both sides
// are merged, equal labels are matched, nothing is deleted.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/datetime.h"
#include "core/posttable.h"
#include "core/result.h"

namespace morna {

// Appended to the label file's path for the mapping.
inline constexpr std::string_view kCalSyncSuffix = ".caldav";

// One resource of the collection as last in step.
struct CalResource {
  std::string href;  // the path on the server, as it lists it
  std::string etag;  // "" when the server did not tell it (fetched again next round)
  std::string uid;
  // The label it stands for; none when it is known but shows as no label.
  std::optional<PostSlot> label;
  // A recurring event: its label is its next occurrence, and it is never
  // written back over the series nor deleted for its label.
  bool recurring = false;

  bool operator==(const CalResource&) const = default;
};

struct CalMapping {
  std::string collection;  // the collection's URL the mapping is about
  std::string syncToken;   // RFC 6578 token of the last listing; "" for none
  std::vector<CalResource> items;

  bool operator==(const CalMapping&) const = default;
};

std::string FormatCalMapping(const CalMapping& mapping);
// Nothing when the bytes are no mapping (damaged, cut short, another version).
std::optional<CalMapping> ParseCalMapping(std::string_view bytes);

// Reads the mapping of the label file at `labelPath`. One that is missing,
// unreadable or damaged, or about another collection, gives an empty mapping
// for `collection` (a full compare); `damaged` tells which.
CalMapping LoadCalMapping(const std::string& labelPath, const std::string& collection,
                          bool* damaged = nullptr);
FileResult SaveCalMapping(const std::string& labelPath, const CalMapping& mapping);

// One entry of the server's listing.
struct CalListed {
  std::string href;
  std::string etag;
};

// The listing of the collection from a sync-collection report's changes:
// the mapping's resources with those the report names changed (a new ETag)
// or removed (`removed`), and the new ones added.
std::vector<CalListed> ListingFromChanges(const CalMapping& mapping,
                                          const std::vector<CalListed>& changed,
                                          const std::vector<std::string>& removed);

// The hrefs of the listing whose contents must be fetched: new ones and
// those whose ETag differs from the mapping's (or is unknown).
std::vector<std::string> HrefsToFetch(const CalMapping& mapping,
                                      const std::vector<CalListed>& listing);

// One resource read from the server: what its calendar text came to.
struct CalFetched {
  std::string href, etag, uid;
  std::optional<PostSlot> label;  // none: no label (past, untitled, unreadable)
  bool recurring = false;
};

// One write to the server.
struct CalPut {
  std::string href;     // for a new resource: the collection's path + uid + ".ics"
  std::string uid;
  std::string ifMatch;  // "" for a new resource (If-None-Match: *)
  PostSlot label;
};
struct CalDelete {
  std::string href;
  std::string ifMatch;
};

struct CalPlan {
  std::vector<CalPut> puts;
  std::vector<CalDelete> deletes;
  // The change of the table: each label of `remove` taken out once, then
  // `add` put in.
  std::vector<PostSlot> remove;
  std::vector<PostSlot> add;
  // The mapping as it stands in step before any write is sent; each write
  // that succeeds is recorded in it (CalPutDone, CalDeleteDone).
  CalMapping mapping;
};

// The sync round: `local` the table's labels, `base` the mapping, `listing`
// the whole collection now, `fetched` the resources of HrefsToFetch (one
// missing there keeps its place in the mapping and counts as unchanged).
// `collectionPath` is the path new resources go under (ending in "/"),
// `newUid` names a new resource. A mapped label gone from the table whose
// time is before `now` was removed as past: its event stays on the server.
CalPlan PlanCalSync(const std::vector<PostSlot>& local, const CalMapping& base,
                    const std::vector<CalListed>& listing, const std::vector<CalFetched>& fetched,
                    const std::string& collectionPath, DateTime now,
                    const std::function<std::string()>& newUid);

// After the table's change was applied: labels the plan added that the table
// did not take (no room; they were kept aside) stand in the mapping as no
// label, so that they are neither deleted from the server nor taken again.
void CalSettle(CalMapping& mapping, const std::vector<PostSlot>& localNow,
               const std::vector<PostSlot>& added);

// A PUT that succeeded: the resource now holds the label (etag "" when the
// server did not tell it).
void CalPutDone(CalMapping& mapping, const CalPut& put, const std::string& etag);
// A DELETE that succeeded, or found the resource gone already (404, 410).
void CalDeleteDone(CalMapping& mapping, const std::string& href);

// What a server's answer to a write means for the round.
enum class CalWriteOutcome {
  Done,       // 2xx (for a DELETE also 404 and 410: already gone)
  Changed,    // 412: the server changed meanwhile; read again and merge next round
  Retry,      // no answer, 5xx, 408, 429: try again later
  Refused,    // 401, 403 and other refusals: told to the user
};
CalWriteOutcome ClassifyCalWrite(int status, bool isDelete);

}  // namespace morna
