#include "core/calsync.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/entry.h"
#include "core/files.h"
#include "core/labelfile.h"
#include "core/platform.h"

namespace morna {

namespace {

constexpr std::string_view kHeader = "MORANOTE-CALDAV 1";

// A field of a line: bytes that would end or split it (controls, blanks,
// tab) and '%' written as %XX.
std::string Escape(std::string_view s) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u == 0x7F || c == '%') {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view s) {
  const auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    if (i + 2 >= s.size()) return std::nullopt;
    const int hi = hex(s[i + 1]), lo = hex(s[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return out;
}

std::vector<std::string_view> Split(std::string_view line, char sep) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = line.find(sep, start);
    if (at == std::string_view::npos) {
      out.push_back(line.substr(start));
      return out;
    }
    out.push_back(line.substr(start, at - start));
    start = at + 1;
  }
}

bool IsPastLabel(const PostSlot& label, DateTime now) {
  if (label.IsToDo()) return false;
  return CompareDateTimeText(label.DateTimeText, FormatDateTimeText(now)) < 0;
}

bool Related(const PostSlot& a, const PostSlot& b) {
  return a.DateTimeText == b.DateTimeText || a.Lines == b.Lines;
}

// `from` less `less`, as multisets, in `from`'s order.
std::vector<PostSlot> Less(const std::vector<PostSlot>& from, const std::vector<PostSlot>& less) {
  std::map<std::string, int> count;
  for (const PostSlot& s : less) ++count[LabelKey(s)];
  std::vector<PostSlot> out;
  for (const PostSlot& s : from) {
    int& n = count[LabelKey(s)];
    if (n > 0) --n;
    else out.push_back(s);
  }
  return out;
}

}  // namespace

std::string FormatCalMapping(const CalMapping& mapping) {
  std::string out(kHeader);
  out += '\n';
  out += "C " + Escape(mapping.collection) + '\n';
  out += "T " + Escape(mapping.syncToken) + '\n';
  for (const CalResource& r : mapping.items) {
    std::string flags;
    if (r.label) flags += 'l';
    if (r.recurring) flags += 'r';
    if (flags.empty()) flags = "-";
    out += "R\t" + Escape(r.href) + '\t' + Escape(r.etag) + '\t' + Escape(r.uid) + '\t' + flags;
    if (r.label) {
      out += '\t' + Escape(r.label->DateTimeText);
      for (const std::string& line : r.label->Lines) out += '\t' + Escape(line);
    }
    out += '\n';
  }
  out += "E\n";
  return out;
}

std::optional<CalMapping> ParseCalMapping(std::string_view bytes) {
  std::vector<std::string_view> lines = Split(bytes, '\n');
  // Whole files end with the end line and its line break.
  if (lines.size() < 5 || lines.back() != "" || lines[lines.size() - 2] != "E") return std::nullopt;
  if (lines[0] != kHeader || !lines[1].starts_with("C ") || !lines[2].starts_with("T "))
    return std::nullopt;
  CalMapping m;
  const auto collection = Unescape(lines[1].substr(2));
  const auto token = Unescape(lines[2].substr(2));
  if (!collection || !token) return std::nullopt;
  m.collection = *collection;
  m.syncToken = *token;
  std::set<std::string> hrefs;
  for (std::size_t i = 3; i + 2 < lines.size(); ++i) {
    const std::vector<std::string_view> f = Split(lines[i], '\t');
    if (f.size() < 5 || f[0] != "R") return std::nullopt;
    CalResource r;
    const auto href = Unescape(f[1]), etag = Unescape(f[2]), uid = Unescape(f[3]);
    if (!href || !etag || !uid || href->empty() || !hrefs.insert(*href).second) return std::nullopt;
    r.href = *href;
    r.etag = *etag;
    r.uid = *uid;
    const std::string_view flags = f[4];
    if (flags.find_first_not_of("lr-") != std::string_view::npos) return std::nullopt;
    r.recurring = flags.find('r') != std::string_view::npos;
    if (flags.find('l') != std::string_view::npos) {
      if (f.size() < 6) return std::nullopt;
      PostSlot label;
      const auto dt = Unescape(f[5]);
      if (!dt || dt->empty()) return std::nullopt;
      label.DateTimeText = *dt;
      for (std::size_t k = 6; k < f.size(); ++k) {
        const auto line = Unescape(f[k]);
        if (!line) return std::nullopt;
        label.Lines.push_back(*line);
      }
      r.label = std::move(label);
    } else if (f.size() != 5) {
      return std::nullopt;
    }
    m.items.push_back(std::move(r));
  }
  return m;
}

CalMapping LoadCalMapping(const std::string& labelPath, const std::string& collection,
                          bool* damaged) {
  if (damaged) *damaged = false;
  std::string bytes;
  const platform::ReadResult read =
      platform::ReadRegularFile(labelPath + std::string(kCalSyncSuffix), bytes);
  CalMapping fresh;
  fresh.collection = collection;
  if (read.missing) return fresh;
  std::optional<CalMapping> m;
  if (read.error == 0) m = ParseCalMapping(bytes);
  if (!m) {
    if (damaged) *damaged = true;
    return fresh;
  }
  if (m->collection != collection) return fresh;
  return *m;
}

FileResult SaveCalMapping(const std::string& labelPath, const CalMapping& mapping) {
  return SaveWholeFile(labelPath + std::string(kCalSyncSuffix), FormatCalMapping(mapping));
}

std::vector<CalListed> ListingFromChanges(const CalMapping& mapping,
                                          const std::vector<CalListed>& changed,
                                          const std::vector<std::string>& removed) {
  std::vector<CalListed> out;
  const std::set<std::string> gone(removed.begin(), removed.end());
  std::map<std::string, std::string> news;
  for (const CalListed& c : changed) news[c.href] = c.etag;
  for (const CalResource& r : mapping.items) {
    if (gone.count(r.href)) continue;
    const auto n = news.find(r.href);
    if (n != news.end()) {
      out.push_back({r.href, n->second});
      news.erase(n);
    } else {
      out.push_back({r.href, r.etag});
    }
  }
  for (const CalListed& c : changed) {
    if (news.count(c.href) && !gone.count(c.href)) {
      out.push_back(c);
      news.erase(c.href);
    }
  }
  return out;
}

std::vector<std::string> HrefsToFetch(const CalMapping& mapping,
                                      const std::vector<CalListed>& listing) {
  std::map<std::string, const CalResource*> known;
  for (const CalResource& r : mapping.items) known[r.href] = &r;
  std::vector<std::string> out;
  for (const CalListed& l : listing) {
    const auto k = known.find(l.href);
    if (k == known.end() || k->second->etag.empty() || k->second->etag != l.etag)
      out.push_back(l.href);
  }
  return out;
}

CalPlan PlanCalSync(const std::vector<PostSlot>& local, const CalMapping& base,
                    const std::vector<CalListed>& listing, const std::vector<CalFetched>& fetched,
                    const std::string& collectionPath, DateTime now,
                    const std::function<std::string()>& newUid) {
  CalPlan plan;
  plan.mapping.collection = base.collection;
  plan.mapping.syncToken = base.syncToken;

  std::map<std::string, const CalResource*> known;
  for (const CalResource& r : base.items) known[r.href] = &r;
  std::map<std::string, const CalFetched*> got;
  for (const CalFetched& f : fetched) got[f.href] = &f;

  // The server's side: what was fetched, else what the mapping knew. A new
  // resource that could not be fetched waits for the next round.
  std::vector<CalResource> theirs;
  for (const CalListed& l : listing) {
    if (const auto g = got.find(l.href); g != got.end()) {
      const CalFetched& f = *g->second;
      theirs.push_back({l.href, f.etag.empty() ? l.etag : f.etag, f.uid, f.label, f.recurring});
    } else if (const auto k = known.find(l.href); k != known.end()) {
      theirs.push_back(*k->second);
    }
  }

  std::vector<PostSlot> baseLabels, theirLabels;
  for (const CalResource& r : base.items)
    if (r.label) baseLabels.push_back(*r.label);
  for (const CalResource& r : theirs)
    if (r.label) theirLabels.push_back(*r.label);
  const std::vector<PostSlot> merged = MergeLabels(baseLabels, theirLabels, local);
  plan.remove = Less(local, merged);
  plan.add = Less(merged, local);

  // Which resources stay as they are, and which labels the server lacks.
  std::map<std::string, int> pool;
  for (const PostSlot& s : merged) ++pool[LabelKey(s)];
  std::vector<std::size_t> leaving;  // indexes into theirs
  for (std::size_t i = 0; i < theirs.size(); ++i) {
    if (!theirs[i].label) continue;
    int& n = pool[LabelKey(*theirs[i].label)];
    if (n > 0) --n;
    else leaving.push_back(i);
  }
  // A label whose date-time is no date and time cannot be an event: it
  // stays here only.
  std::vector<PostSlot> creations;
  for (const PostSlot& s : merged) {
    int& n = pool[LabelKey(s)];
    if (n > 0) {
      if (s.IsToDo() || IsValidPostDateTime(s.DateTimeText)) creations.push_back(s);
      --n;
    }
  }
  std::vector<bool> created(creations.size(), false);
  for (std::size_t i : leaving) {
    CalResource& r = theirs[i];
    // A series is never written over or deleted for its one label, and a
    // label removed as past leaves the event in the calendar's history.
    if (r.recurring || IsPastLabel(*r.label, now)) {
      r.label.reset();
      continue;
    }
    // A label changed in time or in text is the same event changed.
    bool paired = false;
    for (std::size_t c = 0; c < creations.size() && !paired; ++c) {
      if (created[c] || !Related(*r.label, creations[c])) continue;
      created[c] = true;
      paired = true;
      plan.puts.push_back({r.href, r.uid, r.etag.empty() ? std::string("*") : r.etag, creations[c]});
    }
    if (!paired) plan.deletes.push_back({r.href, r.etag});
  }
  for (std::size_t c = 0; c < creations.size(); ++c) {
    if (created[c]) continue;
    const std::string uid = newUid();
    plan.puts.push_back({collectionPath + uid + ".ics", uid, "", creations[c]});
  }
  plan.mapping.items = std::move(theirs);
  return plan;
}

void CalSettle(CalMapping& mapping, const std::vector<PostSlot>& localNow,
               const std::vector<PostSlot>& added) {
  std::map<std::string, int> have, wanted;
  for (const PostSlot& s : localNow) ++have[LabelKey(s)];
  for (const PostSlot& s : added) ++wanted[LabelKey(s)];
  for (CalResource& r : mapping.items) {
    if (!r.label) continue;
    const std::string key = LabelKey(*r.label);
    if (int& n = have[key]; n > 0) {
      --n;
      continue;
    }
    if (int& w = wanted[key]; w > 0) {
      --w;
      r.label.reset();
    }
  }
}

void CalPutDone(CalMapping& mapping, const CalPut& put, const std::string& etag) {
  for (CalResource& r : mapping.items) {
    if (r.href != put.href) continue;
    r.etag = etag;
    r.uid = put.uid;
    r.label = put.label;
    return;
  }
  mapping.items.push_back({put.href, etag, put.uid, put.label, false});
}

void CalDeleteDone(CalMapping& mapping, const std::string& href) {
  std::erase_if(mapping.items, [&](const CalResource& r) { return r.href == href; });
}

CalWriteOutcome ClassifyCalWrite(int status, bool isDelete) {
  if (status >= 200 && status < 300) return CalWriteOutcome::Done;
  if (isDelete && (status == 404 || status == 410)) return CalWriteOutcome::Done;
  if (status == 412) return CalWriteOutcome::Changed;
  if (status == 0 || status == 408 || status == 429 || status >= 500) return CalWriteOutcome::Retry;
  return CalWriteOutcome::Refused;
}

}  // namespace morna
