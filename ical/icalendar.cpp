#include "ical/icalendar.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>

#include "core/entry.h"
#include "ical/cp932.h"

namespace morna::ical {

namespace {

// ---- owning handles for the library's objects ----

// Frees an object of the library with its own function.
template <auto Free>
struct FreeWith {
  template <typename T>
  void operator()(T* p) const { Free(p); }
};
using Component = std::unique_ptr<icalcomponent, FreeWith<icalcomponent_free>>;
using Parser = std::unique_ptr<icalparser, FreeWith<icalparser_free>>;
using RecurIterator = std::unique_ptr<icalrecur_iterator, FreeWith<icalrecur_iterator_free>>;
using Buffer = std::unique_ptr<char, FreeWith<icalmemory_free_buffer>>;

// The children of `parent` of one kind, collected first so that walking
// them never shares the parent's one built-in cursor with another walk.
std::vector<icalcomponent*> Children(icalcomponent* parent, icalcomponent_kind kind) {
  std::vector<icalcomponent*> out;
  for (icalcomponent* c = icalcomponent_get_first_component(parent, kind); c != nullptr;
       c = icalcomponent_get_next_component(parent, kind))
    out.push_back(c);
  return out;
}

std::vector<icalproperty*> Properties(icalcomponent* c, icalproperty_kind kind) {
  std::vector<icalproperty*> out;
  for (icalproperty* p = icalcomponent_get_first_property(c, kind); p != nullptr;
       p = icalcomponent_get_next_property(c, kind))
    out.push_back(p);
  return out;
}

std::string Str(const char* s) { return s != nullptr ? std::string(s) : std::string(); }

// ---- zones ----

// A zone name as the zoneinfo folder holds it: "Area/City" segments of
// letters, digits and "_+-." (no empty, "." or ".." segment). The library
// opens a file of that name under its zone folder for a name it does not
// list, so a name from a calendar file is checked before it is asked.
bool IsPlainZoneName(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find('/', start);
    if (end == std::string_view::npos) end = name.size();
    const std::string_view seg = name.substr(start, end - start);
    if (seg.empty() || seg == "." || seg == "..") return false;
    for (char c : seg) {
      const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '_' || c == '+' || c == '-' || c == '.';
      if (!ok) return false;
    }
    start = end + 1;
  }
  return true;
}

icaltimezone* BuiltinZone(const std::string& name) {
  if (!IsPlainZoneName(name)) return nullptr;
  return icaltimezone_get_builtin_timezone(name.c_str());
}

// The library's zone for a TZID that no VTIMEZONE of the file defines: the
// name itself, or its end after prefixes such as
// "/freeassociation.sourceforge.net/" or "/mozilla.org/20050126_1/".
icaltimezone* ZoneOfTzid(std::string_view tzid) {
  for (std::size_t from = 0; from < tzid.size();) {
    const std::string tail(tzid.substr(from));
    if (icaltimezone* z = BuiltinZone(tail)) return z;
    const std::size_t slash = tzid.find('/', from);
    if (slash == std::string_view::npos) break;
    from = slash + 1;
  }
  return nullptr;
}

icaltimezone* Utc() { return icaltimezone_get_utc_timezone(); }

// ---- times ----

icaltimetype ToIcal(DateTime t) {
  const CivilTime c = ToCivil(t);
  icaltimetype it = icaltime_null_time();
  it.year = c.year;
  it.month = c.month;
  it.day = c.day;
  it.hour = c.hour;
  it.minute = c.minute;
  it.second = c.second;
  it.is_date = 0;
  return it;
}

// The local date-time of `t` (which carries its zone, or none when
// floating). A date is taken at `allDayMinutes` past midnight. Nothing when
// the time lies outside the years the labels can hold.
std::optional<DateTime> ToLocal(icaltimetype t, icaltimezone* local, int allDayMinutes) {
  if (t.is_date)
    return TryMakeDateTime(t.year, t.month, t.day, allDayMinutes / 60, allDayMinutes % 60);
  if (t.zone != nullptr && t.zone != local)
    icaltimezone_convert_time(&t, const_cast<icaltimezone*>(t.zone), local);
  return TryMakeDateTime(t.year, t.month, t.day, t.hour, t.minute);
}

// The label's date-time text as a time, when it is one.
std::optional<DateTime> LabelTime(const std::string& text) {
  if (!IsValidPostDateTime(text)) return std::nullopt;
  const auto num = [&](std::size_t at, std::size_t n) {
    return ParseDecimal(std::string_view(text).substr(at, n)).value_or(-1);
  };
  return TryMakeDateTime(num(0, 4), num(5, 2), num(8, 2), num(11, 2), num(14, 2));
}

// ---- text ----

// The lines of a text value, split at CR LF, CR or LF; control characters
// other than tab, which no label shows, are dropped and counted.
std::vector<std::string> TextLines(const char* value, int& dropped) {
  std::vector<std::string> lines;
  if (value == nullptr) return lines;
  std::string line;
  bool any = false;
  for (const char* p = value; *p != '\0'; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    any = true;
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      if (c == '\r' && p[1] == '\n') ++p;
      any = false;
      continue;
    }
    if ((c < 0x20 && c != '\t') || c == 0x7F) {
      ++dropped;
      continue;
    }
    line += static_cast<char>(c);
  }
  if (any) lines.push_back(std::move(line));
  return lines;
}

// A label's text for the calendar: UTF-8, control characters other than tab
// and line feed (a line break within a line) left out.
std::string CalendarText(std::string_view sjis) {
  std::string out;
  for (char c : SjisToUtf8(sjis)) {
    const auto u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\t' && c != '\n') || u == 0x7F) continue;
    out += c;
  }
  return out;
}

// A name for the label that stays the same from export to export: a hash of
// its date-time and message, and its rank among equal labels.
std::string LabelUid(const PostSlot& label, int rank) {
  std::uint64_t h = 0xcbf29ce484222325ull;  // 64-bit FNV-1a
  const auto mix = [&](std::string_view s) {
    for (char c : s) {
      h ^= static_cast<unsigned char>(c);
      h *= 0x100000001b3ull;
    }
  };
  mix(label.DateTimeText);
  mix(std::string_view("\0", 1));
  mix(label.MessageText());
  char buf[64];
  std::snprintf(buf, sizeof buf, "%016llx-%d", static_cast<unsigned long long>(h), rank);
  return std::string(buf) + "@" MORNA_APP_ID;
}

icalcomponent* NewAlarm(int minutesAhead, const std::string& summary) {
  icalcomponent* alarm = icalcomponent_new_valarm();
  icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
  icaltriggertype trigger{};
  trigger.time = icaltime_null_time();
  trigger.duration = icaldurationtype_from_int(-minutesAhead * 60);
  icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
  icalcomponent_add_property(alarm, icalproperty_new_description(summary.c_str()));
  return alarm;
}

}  // namespace

// ---- the system's time zone ----

std::string FindZoneName(const ZoneSources& s,
                         const std::function<bool(const std::string&)>& known) {
  // A path into a zoneinfo folder names the zone after it.
  const auto fromPath = [](std::string p) {
    const std::size_t at = p.rfind("zoneinfo/");
    if (at != std::string::npos) p = p.substr(at + 9);
    for (const char* lead : {"posix/", "right/"}) {
      if (p.starts_with(lead)) p = p.substr(std::string_view(lead).size());
    }
    return p;
  };
  std::vector<std::string> candidates;
  if (s.hasTz) {
    std::string tz = s.tz;
    if (tz.starts_with(':')) tz.erase(0, 1);
    candidates.push_back(tz.find("zoneinfo/") != std::string::npos ? fromPath(tz) : tz);
  }
  if (!s.localtimeLink.empty()) candidates.push_back(fromPath(s.localtimeLink));
  {
    std::string line = s.timezoneFile.substr(0, s.timezoneFile.find('\n'));
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\t'))
      line.pop_back();
    if (!line.empty()) candidates.push_back(line);
  }
  for (const std::string& c : candidates) {
    if (!c.empty() && known(c)) return c;
  }
  return "UTC";
}

bool IsKnownZone(const std::string& name) { return BuiltinZone(name) != nullptr; }

std::string SystemZoneName() {
  ZoneSources s;
  if (const char* tz = std::getenv("TZ")) {
    s.hasTz = true;
    s.tz = tz;
  }
  std::error_code ec;
  const std::filesystem::path link = std::filesystem::read_symlink("/etc/localtime", ec);
  if (!ec) s.localtimeLink = link.string();
  if (std::ifstream f("/etc/timezone"); f) std::getline(f, s.timezoneFile);
  return FindZoneName(s, IsKnownZone);
}

// ---- labels out ----

ExportResult ExportCalendar(const std::vector<PostSlot>& labels, const ExportOptions& options) {
  ExportResult result;
  icaltimezone* zone = BuiltinZone(options.zone);
  const bool utc = zone == Utc();

  // The labels' times; the earliest bounds the zone's history written out.
  std::vector<std::optional<DateTime>> times(labels.size());
  std::optional<DateTime> earliest;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (labels[i].IsFree() || labels[i].IsToDo()) continue;
    times[i] = LabelTime(labels[i].DateTimeText);
    if (times[i] && (!earliest || *times[i] < *earliest)) earliest = times[i];
  }
  const auto toUtc = [&](DateTime local) {
    icaltimetype t = ToIcal(local);
    if (zone != nullptr) icaltimezone_convert_time(&t, zone, Utc());
    t.zone = Utc();
    return t;
  };

  Component cal(icalcomponent_new_vcalendar());
  icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(cal.get(),
                             icalproperty_new_prodid("-//Moranote//Moranote " MORNA_VERSION "//JA"));
  icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));

  if (zone != nullptr && !utc && earliest) {
    // The zone's definition under its plain name (the library names its own
    // zones with a prefix), from a day before the first label on.
    icalcomponent* vtz = icalcomponent_new_clone(icaltimezone_get_component(zone));
    icalproperty* tzid = icalcomponent_get_first_property(vtz, ICAL_TZID_PROPERTY);
    if (tzid != nullptr) icalproperty_set_tzid(tzid, options.zone.c_str());
    icaltimezone_truncate_vtimezone(vtz, toUtc(AddDays(*earliest, -1)), icaltime_null_time(), 0);
    icalcomponent_add_component(cal.get(), vtz);
  }

  const icaltimetype stamp = toUtc(options.now);
  std::vector<const PostSlot*> seen;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const PostSlot& label = labels[i];
    if (label.IsFree()) continue;
    if (!label.IsToDo() && !times[i]) {
      ++result.unreadable;
      continue;
    }
    int rank = 0;
    for (const PostSlot* s : seen) {
      if (s->DateTimeText == label.DateTimeText && s->Lines == label.Lines) ++rank;
    }
    seen.push_back(&label);

    icalcomponent* item = label.IsToDo() ? icalcomponent_new_vtodo() : icalcomponent_new_vevent();
    const std::string uid = options.uid.empty() ? LabelUid(label, rank) : options.uid;
    icalcomponent_add_property(item, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(item, icalproperty_new_dtstamp(stamp));
    if (!label.IsToDo()) {
      icaltimetype start = ToIcal(*times[i]);
      icalproperty* dtstart;
      if (utc) {
        start.zone = Utc();
        dtstart = icalproperty_new_dtstart(start);
      } else {
        dtstart = icalproperty_new_dtstart(start);  // floating unless a zone is named
        if (zone != nullptr)
          icalproperty_add_parameter(dtstart, icalparameter_new_tzid(options.zone.c_str()));
      }
      icalcomponent_add_property(item, dtstart);
    }
    std::string summary = label.Lines.empty() ? std::string() : CalendarText(label.Lines.front());
    std::string description;
    for (std::size_t k = 0; k < label.Lines.size(); ++k) {
      if (k > 0) description += '\n';
      description += CalendarText(label.Lines[k]);
    }
    icalcomponent_add_property(item, icalproperty_new_summary(summary.c_str()));
    icalcomponent_add_property(item, icalproperty_new_description(description.c_str()));
    if (!label.IsToDo()) {
      if (options.warningMinutes > 0)
        icalcomponent_add_component(item, NewAlarm(options.warningMinutes, summary));
      icalcomponent_add_component(item, NewAlarm(0, summary));
    }
    icalcomponent_add_component(cal.get(), item);
  }

  const Buffer text(icalcomponent_as_ical_string_r(cal.get()));
  if (text) result.text = text.get();
  return result;
}

// ---- labels in ----

namespace {

// Lines of the text for the parser, as it asks for them.
struct LineSource {
  std::string_view rest;
};

char* NextChunk(char* out, std::size_t size, void* data) {
  auto* src = static_cast<LineSource*>(data);
  if (src->rest.empty() || size < 2) return nullptr;
  std::size_t n = 0;
  while (n < src->rest.size() && n + 1 < size) {
    if (src->rest[n++] == '\n') break;
  }
  std::copy_n(src->rest.data(), n, out);
  out[n] = '\0';
  src->rest.remove_prefix(n);
  return out;
}

// The first problem the parser noted in `c` or below it.
std::string FirstError(icalcomponent* c) {
  if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY))
    return Str(icalproperty_get_xlicerror(p));
  for (icalcomponent* child : Children(c, ICAL_ANY_COMPONENT)) {
    std::string e = FirstError(child);
    if (!e.empty()) return e;
  }
  return {};
}

struct Refusal {
  ImportError error;
  std::string detail;
};

// What one component names: a time (nothing: a ToDo label), or that it is
// past, and the component whose texts the label takes.
struct Occurrence {
  bool past = false;
  std::optional<DateTime> when;
  icalcomponent* source = nullptr;
};

class Reader {
 public:
  Reader(const ImportOptions& options)
      : options_(options),
        local_(BuiltinZone(options.zone) != nullptr ? BuiltinZone(options.zone) : Utc()),
        nowText_(FormatDateTimeText(options.now)) {}

  // The time of a date-time property with its zone: one the file defines,
  // one the library knows by the TZID, UTC, or none (floating). The TZID is
  // looked up here rather than by the library, which would open any file
  // the name leads to.
  icaltimetype PropertyTime(icalproperty* p, icalcomponent* owner) {
    icaltimetype t = icaltime_null_time();
    if (icalvalue* v = icalproperty_get_value(p)) {
      switch (icalvalue_isa(v)) {
        case ICAL_DATE_VALUE: t = icalvalue_get_date(v); break;
        case ICAL_DATETIME_VALUE: t = icalvalue_get_datetime(v); break;
        case ICAL_PERIOD_VALUE: t = icalvalue_get_period(v).start; break;
        case ICAL_DATETIMEPERIOD_VALUE: {
          const icaldatetimeperiodtype d = icalvalue_get_datetimeperiod(v);
          t = icaltime_is_null_time(d.time) ? d.period.start : d.time;
          break;
        }
        default: break;
      }
    }
    if (icaltime_is_null_time(t)) throw Refusal{ImportError::Damaged, Str(icalproperty_as_ical_string(p))};
    if (t.is_date || icaltime_is_utc(t)) return t;
    t.zone = nullptr;
    if (icalparameter* tz = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER)) {
      const std::string tzid = Str(icalparameter_get_tzid(tz));
      icalcomponent* cal = owner;
      while (cal != nullptr && icalcomponent_isa(cal) != ICAL_VCALENDAR_COMPONENT)
        cal = icalcomponent_get_parent(cal);
      icaltimezone* zone = cal != nullptr ? icalcomponent_get_timezone(cal, tzid.c_str()) : nullptr;
      if (zone == nullptr) zone = ZoneOfTzid(tzid);
      if (zone == nullptr) throw Refusal{ImportError::UnknownZone, tzid};
      t.zone = zone;
    }
    return t;
  }

  bool IsPast(DateTime t) const { return FormatDateTimeText(t) < nowText_; }

  std::optional<DateTime> Local(icaltimetype t) const {
    return ToLocal(t, local_, options_.allDayMinutes);
  }

  // The property that dates a component: a VTODO's due date, else its start.
  icalproperty* DateProperty(icalcomponent* c) {
    if (icalcomponent_isa(c) == ICAL_VTODO_COMPONENT) {
      if (icalproperty* due = icalcomponent_get_first_property(c, ICAL_DUE_PROPERTY)) return due;
    }
    return icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
  }

  static bool IsDone(icalcomponent* c) {
    const icalproperty_status st = icalcomponent_get_status(c);
    if (st == ICAL_STATUS_CANCELLED || st == ICAL_STATUS_COMPLETED) return true;
    return icalcomponent_isa(c) == ICAL_VTODO_COMPONENT &&
           icalcomponent_get_first_property(c, ICAL_COMPLETED_PROPERTY) != nullptr;
  }

  // The one occurrence of `c` a label stands for. `overrides` are the
  // components of the same series that replace single occurrences.
  Occurrence Resolve(icalcomponent* c, const std::vector<icalcomponent*>& overrides) {
    Occurrence occ{false, std::nullopt, c};
    icalproperty* dateProp = DateProperty(c);
    if (dateProp == nullptr) {
      if (icalcomponent_isa(c) == ICAL_VEVENT_COMPONENT)
        throw Refusal{ImportError::Damaged, "VEVENT without DTSTART: " + Str(icalcomponent_get_summary(c))};
      occ.past = IsDone(c);
      return occ;  // a ToDo label
    }
    const icaltimetype start = PropertyTime(dateProp, c);
    const bool recurring = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY) != nullptr ||
                           icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY) != nullptr;
    if (!recurring) {
      occ.when = Local(start);
      occ.past = IsDone(c) || !occ.when || IsPast(*occ.when);
      return occ;
    }
    return NextOfSeries(c, start, overrides);
  }

 private:
  // The next occurrence at or after now of a recurring component: of its
  // rules and extra dates, less its excluded dates and the occurrences that
  // other components replace, and of those replacements themselves.
  Occurrence NextOfSeries(icalcomponent* c, icaltimetype start,
                          const std::vector<icalcomponent*>& overrides) {
    std::vector<icaltimetype> excluded;
    for (icalproperty* p : Properties(c, ICAL_EXDATE_PROPERTY)) excluded.push_back(PropertyTime(p, c));
    Occurrence best{true, std::nullopt, c};
    const auto consider = [&](std::optional<DateTime> t, icalcomponent* source) {
      if (!t || IsPast(*t)) return;
      if (!best.when || *t < *best.when) best = Occurrence{false, t, source};
    };
    for (icalcomponent* o : overrides) {
      icalproperty* rid = icalcomponent_get_first_property(o, ICAL_RECURRENCEID_PROPERTY);
      excluded.push_back(PropertyTime(rid, o));
      if (IsDone(o)) continue;
      if (icalproperty* d = DateProperty(o)) consider(Local(PropertyTime(d, o)), o);
    }
    const auto isExcluded = [&](icaltimetype t) {
      for (const icaltimetype& x : excluded) {
        const int cmp = (t.is_date || x.is_date) ? icaltime_compare_date_only(t, x) : icaltime_compare(t, x);
        if (cmp == 0) return true;
      }
      return false;
    };
    if (IsDone(c)) return best;  // a cancelled series: only its moved occurrences stand

    // The moment now in the frame the rule counts in (the start's zone, or
    // floating), from where the rule need not be walked from its start.
    icaltimetype nowThere = ToIcal(options_.now);
    if (start.zone != nullptr) {
      icaltimezone_convert_time(&nowThere, local_, const_cast<icaltimezone*>(start.zone));
      nowThere.zone = start.zone;
    }
    if (start.is_date) nowThere.is_date = 1;

    bool ruled = false;
    for (icalproperty* p : Properties(c, ICAL_RRULE_PROPERTY)) {
      ruled = true;
      const icalrecurrencetype rule = icalproperty_get_rrule(p);
      RecurIterator it(icalrecur_iterator_new(rule, start));
      if (!it) throw Refusal{ImportError::Damaged, Str(icalproperty_as_ical_string(p))};
      if (rule.count == 0 && icaltime_compare(nowThere, start) > 0)
        icalrecur_iterator_set_start(it.get(), nowThere);
      // A bound on the walk for rules counted from long ago.
      for (int step = 0; step < 200'000; ++step) {
        icaltimetype t = icalrecur_iterator_next(it.get());
        if (icaltime_is_null_time(t)) break;
        t.zone = start.zone;
        if (isExcluded(t)) continue;
        const std::optional<DateTime> local = Local(t);
        if (!local) break;
        if (!IsPast(*local)) {
          consider(local, c);
          break;
        }
      }
    }
    if (!ruled && !isExcluded(start)) consider(Local(start), c);
    for (icalproperty* p : Properties(c, ICAL_RDATE_PROPERTY)) {
      icaltimetype t = PropertyTime(p, c);
      if (!t.is_date && t.zone == nullptr) t.zone = start.zone;  // in the start's frame
      if (!isExcluded(t)) consider(Local(t), c);
    }
    return best;
  }

  const ImportOptions& options_;
  icaltimezone* local_;
  std::string nowText_;
};

// A label's message from a component: its summary, then the lines of its
// description, as Shift-JIS; `changed` counts the characters that could not
// stay as they were.
std::vector<std::string> MessageLines(icalcomponent* c, int& changed) {
  std::vector<std::string> summary = TextLines(icalcomponent_get_summary(c), changed);
  std::vector<std::string> description = TextLines(icalcomponent_get_description(c), changed);
  // The description repeats the summary when a label wrote it (its first
  // line) and with some calendars; it is not taken twice.
  if (!summary.empty() && description.size() >= summary.size() &&
      std::equal(summary.begin(), summary.end(), description.begin()))
    description.erase(description.begin(), description.begin() + static_cast<std::ptrdiff_t>(summary.size()));
  std::vector<std::string> lines = std::move(summary);
  lines.insert(lines.end(), description.begin(), description.end());
  // A label's first line is never empty, and blank lines at the end show
  // nothing.
  while (!lines.empty() && lines.front().empty()) lines.erase(lines.begin());
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  for (std::string& line : lines) {
    SjisText sj = Utf8ToSjis(line);
    changed += sj.changed;
    line = std::move(sj.bytes);
  }
  return lines;
}

bool SameLabel(const PostSlot& a, const PostSlot& b) {
  return a.DateTimeText == b.DateTimeText && MemoToStr(a.MessageText()) == MemoToStr(b.MessageText());
}

}  // namespace

ImportResult ImportCalendar(std::string_view text, const std::vector<PostSlot>& existing,
                            const ImportOptions& options) {
  ImportResult result;
  const auto refuse = [&](ImportError e, std::string detail) {
    ImportResult r;
    r.error = e;
    r.detail = std::move(detail);
    return r;
  };

  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (std::size_t bad = 0; !IsUtf8Text(text, &bad)) {
    const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bad), '\n');
    return refuse(ImportError::NotText, std::to_string(line));
  }

  // The parser hands back each whole top-level component; one still open at
  // the end means the file was cut short.
  LineSource source{text};
  Parser parser(icalparser_new());
  icalparser_set_gen_data(parser.get(), &source);
  std::vector<Component> roots;
  int begun = 0;
  int ended = 0;
  for (;;) {
    char* line = icalparser_get_line(parser.get(), NextChunk);
    icalcomponent* done = icalparser_add_line(parser.get(), line);
    const icalparser_state state = icalparser_get_state(parser.get());
    if (state == ICALPARSER_BEGIN_COMP) ++begun;
    if (state == ICALPARSER_END_COMP) ++ended;
    if (done != nullptr) {
      ++ended;
      roots.emplace_back(done);
    }
    if (line == nullptr) break;
    icalmemory_free_buffer(line);
  }
  std::vector<icalcomponent*> calendars;
  for (const Component& root : roots) {
    if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) calendars.push_back(root.get());
    if (icalcomponent_isa(root.get()) == ICAL_XROOT_COMPONENT) {
      for (icalcomponent* c : Children(root.get(), ICAL_VCALENDAR_COMPONENT)) calendars.push_back(c);
    }
  }
  if (begun == 0 || (calendars.empty() && begun <= ended)) return refuse(ImportError::NotCalendar, {});
  if (begun > ended) return refuse(ImportError::Damaged, "END:VCALENDAR");
  for (icalcomponent* cal : calendars) {
    if (icalcomponent_count_errors(cal) > 0) return refuse(ImportError::Damaged, FirstError(cal));
  }

  Reader reader(options);
  std::vector<PostSlot> taken;
  std::vector<int> takenChanges;
  try {
    for (icalcomponent* cal : calendars) {
      std::vector<icalcomponent*> items = Children(cal, ICAL_VEVENT_COMPONENT);
      for (icalcomponent* t : Children(cal, ICAL_VTODO_COMPONENT)) items.push_back(t);
      // Series: a component with rules, and the components with its UID
      // that replace single occurrences of it.
      std::map<std::string, icalcomponent*> masters;
      for (icalcomponent* c : items) {
        if (icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) == nullptr)
          masters.emplace(Str(icalcomponent_get_uid(c)), c);
      }
      std::map<icalcomponent*, std::vector<icalcomponent*>> overrides;
      std::vector<icalcomponent*> singles;
      for (icalcomponent* c : items) {
        const bool replaces = icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) != nullptr;
        const auto m = masters.find(Str(icalcomponent_get_uid(c)));
        if (!replaces) singles.push_back(c);
        else if (m != masters.end() && m->second != c) overrides[m->second].push_back(c);
        else singles.push_back(c);  // a moved occurrence whose series is not in the file
      }
      for (icalcomponent* c : singles) {
        const auto o = overrides.find(c);
        const Occurrence occ =
            reader.Resolve(c, o != overrides.end() ? o->second : std::vector<icalcomponent*>{});
        if (occ.past) {
          ++result.past;
          continue;
        }
        int changed = 0;
        PostSlot label;
        label.Lines = MessageLines(occ.source, changed);
        if (label.Lines.empty()) {
          ++result.untitled;
          continue;
        }
        label.DateTimeText = occ.when ? FormatDateTimeText(*occ.when) : std::string(kToDoSentinel);
        const auto same = [&](const PostSlot& s) { return SameLabel(s, label); };
        if (std::any_of(existing.begin(), existing.end(), same) ||
            std::any_of(taken.begin(), taken.end(), same)) {
          ++result.alreadyThere;
          continue;
        }
        taken.push_back(std::move(label));
        takenChanges.push_back(changed);
      }
    }
  } catch (const Refusal& r) {
    return refuse(r.error, r.detail);
  }

  for (int c : takenChanges) {
    result.changedChars += c;
    if (c > 0) ++result.changedLabels;
  }
  std::stable_sort(taken.begin(), taken.end(), [](const PostSlot& a, const PostSlot& b) {
    return CompareDateTimeText(a.DateTimeText, b.DateTimeText) < 0;
  });
  result.toAdd = std::move(taken);
  return result;
}

ResourceLabel ReadResource(std::string_view text, const ImportOptions& options) {
  ResourceLabel out;
  const ImportResult imported = ImportCalendar(text, {}, options);
  out.error = imported.error;
  out.detail = imported.detail;
  if (!imported.ok()) return out;
  if (!imported.toAdd.empty()) out.label = imported.toAdd.front();
  out.changedChars = imported.changedChars;
  // The UID and the rules of the first event or to-do.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::string copy(text);
  Component root(icalparser_parse_string(copy.c_str()));
  if (!root) return out;
  std::vector<icalcomponent*> cals;
  if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) cals.push_back(root.get());
  else cals = Children(root.get(), ICAL_VCALENDAR_COMPONENT);
  for (icalcomponent* cal : cals) {
    std::vector<icalcomponent*> items = Children(cal, ICAL_VEVENT_COMPONENT);
    for (icalcomponent* t : Children(cal, ICAL_VTODO_COMPONENT)) items.push_back(t);
    for (icalcomponent* c : items) {
      if (out.uid.empty()) out.uid = Str(icalcomponent_get_uid(c));
      if (icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY) != nullptr ||
          icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY) != nullptr ||
          icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) != nullptr)
        out.recurring = true;
    }
  }
  return out;
}

}  // namespace morna::ical
