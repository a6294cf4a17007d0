#include "core/labelfile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

#include "core/datafile.h"
#include "core/files.h"
#include "core/pastlabels.h"
#include "core/platform.h"

namespace morna {

namespace {

namespace fs = std::filesystem;

std::map<std::string, int> Counts(const std::vector<PostSlot>& labels) {
  std::map<std::string, int> counts;
  for (const PostSlot& label : labels) ++counts[LabelKey(label)];
  return counts;
}

int CountOf(const std::map<std::string, int>& counts, const std::string& key) {
  const auto it = counts.find(key);
  return it == counts.end() ? 0 : it->second;
}

// The labels of a data file's bytes; nothing when they cannot all be read.
std::optional<std::vector<PostSlot>> ParseLabels(std::string_view bytes) {
  PostTable table(kMaxDataCnt);
  if (!ParsePostData(bytes, table).ok()) return std::nullopt;
  return LabelsOf(table);
}

bool HasDigits(std::string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return false;
  return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at),
                     text.begin() + static_cast<std::ptrdiff_t>(at + count),
                     [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<PostSlot> LabelsOf(const PostTable& table) {
  std::vector<PostSlot> labels;
  for (int i = 0; i < table.DataCnt(); ++i)
    if (!table.Slot(i).IsFree()) labels.push_back(table.Slot(i));
  return labels;
}

std::vector<PostSlot> FillTable(PostTable& table, const std::vector<PostSlot>& labels) {
  const int wanted = static_cast<int>(std::min<std::size_t>(labels.size(), kMaxDataCnt));
  table = PostTable(std::max(table.DataCnt(), wanted));
  std::vector<PostSlot> left;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (static_cast<int>(i) < table.DataCnt()) table.Slot(static_cast<int>(i)) = labels[i];
    else left.push_back(labels[i]);
  }
  return left;
}

std::vector<PostSlot> MergeLabels(const std::vector<PostSlot>& base,
                                  const std::vector<PostSlot>& theirs,
                                  const std::vector<PostSlot>& ours) {
  const auto b = Counts(base), t = Counts(theirs), o = Counts(ours);
  auto wanted = [&](const std::string& key) {
    const int inBase = CountOf(b, key);
    const int dt = CountOf(t, key) - inBase;
    const int dO = CountOf(o, key) - inBase;
    int n;
    if (dt >= 0 && dO >= 0) n = inBase + std::max(dt, dO);       // added (or kept) on both
    else if (dt <= 0 && dO <= 0) n = inBase + std::min(dt, dO);  // removed on both
    else n = inBase + dt + dO;                                   // one added, one removed
    return std::max(n, 0);
  };
  std::vector<PostSlot> merged;
  std::map<std::string, int> taken;
  for (const auto* side : {&ours, &theirs}) {
    for (const PostSlot& label : *side) {
      const std::string key = LabelKey(label);
      int& n = taken[key];
      if (n < wanted(key)) {
        merged.push_back(label);
        ++n;
      }
    }
  }
  return merged;
}

bool IsConflictCopyName(std::string_view name, std::string_view dataName) {
  const std::size_t dot = dataName.rfind('.');
  const std::string_view stem = dot == std::string_view::npos ? dataName : dataName.substr(0, dot);
  const std::string_view ext = dot == std::string_view::npos ? std::string_view{} : dataName.substr(dot);
  if (stem.empty() || name.size() <= stem.size() + ext.size()) return false;
  if (name.substr(0, stem.size()) != stem || name.substr(name.size() - ext.size()) != ext) return false;
  const std::string_view middle = name.substr(stem.size(), name.size() - stem.size() - ext.size());
  // Syncthing: ".sync-conflict-20261208-115138-ABCDEFG".
  constexpr std::string_view kSync = ".sync-conflict-";
  if (middle.size() == kSync.size() + 8 + 1 + 6 + 1 + 7 && middle.substr(0, kSync.size()) == kSync) {
    const std::size_t at = kSync.size();
    return HasDigits(middle, at, 8) && middle[at + 8] == '-' && HasDigits(middle, at + 9, 6) &&
           middle[at + 15] == '-' &&
           std::all_of(middle.begin() + static_cast<std::ptrdiff_t>(at + 16), middle.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); });
  }
  // Nextcloud and Dropbox: " (conflicted copy 2026-12-08 115138)",
  // " (Hanako's conflicted copy 2026-12-08)".
  return middle.size() > 3 && middle.substr(0, 2) == " (" && middle.back() == ')' &&
         middle.find("conflicted copy") != std::string_view::npos;
}

void LabelFile::SetPath(std::string path) {
  if (path == path_) return;
  path_ = std::move(path);
  // The unreadable file stays where it is; only a new name is written.
  mustKeepAside_ = false;
  lastSeen_.reset();
  lastStamp_ = {};
}

LabelFile::Stamp LabelFile::StampNow() const {
  Stamp stamp;
  const platform::FileInfo info = platform::Inspect(path_, true);
  if (info.kind != platform::Kind::Regular) return stamp;
  std::error_code ec;
  stamp.exists = true;
  stamp.size = fs::file_size(path_, ec);
  stamp.time = fs::last_write_time(path_, ec).time_since_epoch().count();
  stamp.device = info.device;
  stamp.inode = info.inode;
  return stamp;
}

void LabelFile::Seen(std::string bytes) {
  lastStamp_ = StampNow();
  lastSeen_ = std::move(bytes);
}

std::vector<std::string> LabelFile::ConflictCopies() const {
  std::vector<std::string> copies;
  // The folder part keeps its separator only where it is a root ("/", "C:\\").
  const std::string folder = platform::FolderOf(path_);
  std::string dir = path_.substr(0, folder.size());
  std::string name = path_.substr(folder.size());
  if (!name.empty() && (name.front() == '/' || name.front() == '\\')) {
    dir += name.front();
    name.erase(0, 1);
  }
  std::error_code ec;
  for (fs::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (IsConflictCopyName(entry, name) && it->is_regular_file(ec)) copies.push_back(dir + entry);
  }
  std::sort(copies.begin(), copies.end());
  return copies;
}

FileResult LabelFile::Load(PostTable& table) {
  // Temporary files of saves killed part-way are cleared up where the file
  // is first read; failing that is no reason not to read it.
  RemoveLeftoverTemporaries(path_);
  std::string bytes;
  const platform::ReadResult read = platform::ReadRegularFile(path_, bytes);
  FileResult result;
  if (read.missing) {
    result = FileResult::NotThere();
    bytes.clear();
  } else if (read.error != 0) {
    result = FileResult::Fail(SystemMessage(read.error));
  } else {
    result = ParsePostData(bytes, table);
  }
  loadFailed_ = !result.ok();
  // A missing folder leaves nothing to keep aside, but neither does keeping
  // aside harm: KeepAside does nothing where there is no file.
  mustKeepAside_ = loadFailed_;
  if (loadFailed_) {
    lastSeen_.reset();
    lastStamp_ = {};
  } else {
    Seen(std::move(bytes));
  }
  return result;
}

LabelFile::SwitchResult LabelFile::SwitchTo(std::string path, PostTable& table) {
  std::string bytes;
  const platform::ReadResult read = platform::ReadRegularFile(path, bytes);
  if (read.missing) {
    SetPath(std::move(path));
    loadFailed_ = false;
    Seen("");
    return {Switch::NewFile, Refusal::None, {}};
  }
  if (read.error != 0) return {Switch::Refused, Refusal::Unreadable, SystemMessage(read.error)};
  PostTable taken(table.DataCnt());
  const FileResult parsed = ParsePostData(bytes, taken);
  if (!parsed.ok()) return {Switch::Refused, Refusal::Unreadable, parsed.systemMessage};
  const bool blank = bytes.find_first_not_of(" \t\r\n\x1a") == std::string::npos;
  if (taken.LabelCount() == 0 && !blank) return {Switch::Refused, Refusal::NotALabelFile, {}};
  table = std::move(taken);
  SetPath(std::move(path));
  loadFailed_ = false;
  Seen(std::move(bytes));
  return {Switch::Taken, Refusal::None, {}};
}

bool LabelFile::MayHaveChanged() const {
  if (!lastSeen_ || mustKeepAside_) return false;
  return StampNow() != lastStamp_ || !ConflictCopies().empty();
}

OutsideChanges LabelFile::TakeInOutsideChanges(PostTable& table) {
  OutsideChanges out;
  if (!lastSeen_ || mustKeepAside_) return out;

  // The file itself. A file gone from disk is taken as not yet there again
  // (a sync client may be replacing it), never as a wish to delete every
  // label; the next save writes it anew.
  std::string bytes;
  const platform::ReadResult read = platform::ReadRegularFile(path_, bytes);
  if (read.error != 0 && !read.missing) {
    out.read = FileResult::Fail(SystemMessage(read.error));
    return out;
  }
  if (read.missing) lastStamp_ = {};
  const bool fileChanged = !read.missing && bytes != *lastSeen_;
  const std::vector<std::string> copies = ConflictCopies();
  // The usual case at a save: the file holds what this program last saw and
  // no conflict copy waits, so there is nothing to merge.
  if (!fileChanged && copies.empty()) return out;

  const std::vector<PostSlot> ours = LabelsOf(table);
  std::vector<PostSlot> merged = ours;
  std::optional<std::vector<PostSlot>> base = ParseLabels(*lastSeen_);
  if (!base) base.emplace();
  if (fileChanged) {
    const std::optional<std::vector<PostSlot>> theirs = ParseLabels(bytes);
    if (!theirs) {
      out.read = FileResult::Fail(SystemMessage(platform::FileTooLargeCode()));
      return out;
    }
    merged = MergeLabels(*base, *theirs, merged);
    base = theirs;
    Seen(std::move(bytes));
  }

  // Conflict copies: what they hold beyond the base is added.
  for (const std::string& copy : copies) {
    std::string copyBytes;
    if (platform::ReadRegularFile(copy, copyBytes).error != 0) continue;  // retried later
    const std::optional<std::vector<PostSlot>> labels = ParseLabels(copyBytes);
    if (!labels) continue;
    const auto inBase = Counts(*base);
    std::map<std::string, int> seenInCopy;
    for (const PostSlot& label : *labels) {
      const std::string key = LabelKey(label);
      if (++seenInCopy[key] > CountOf(inBase, key)) merged.push_back(label);
    }
    // Moved aside so that it is taken in once; its labels are in the file
    // from the next save on, so a copy that could not be moved adds nothing
    // when it is met again.
    for (int n = 1; n < 100; ++n) {
      const std::string movedTo = copy + ".merged" + (n == 1 ? std::string() : std::to_string(n));
      if (platform::RenameNoReplace(copy, movedTo) == 0) {
        out.mergedCopies.push_back(movedTo);
        break;
      }
    }
  }

  if (merged.size() == ours.size() && Counts(merged) == Counts(ours)) return out;
  out.changed = true;
  const std::vector<PostSlot> left = FillTable(table, merged);
  if (!left.empty()) {
    out.keptCount = static_cast<int>(left.size());
    out.keptFile = path_ + ".kept";
    out.keptResult = AppendLabelsToFile(out.keptFile, left, SIZE_MAX);
  }
  return out;
}

FileResult LabelFile::Save(PostTable& table, DateTime now, OutsideChanges* outside) {
  if (mustKeepAside_) {
    const FileResult kept = KeepAside(path_, now, &keptAs_);
    if (!kept.ok()) return kept;
    mustKeepAside_ = false;
  } else {
    OutsideChanges changes = TakeInOutsideChanges(table);
    // A file that cannot be read now is not written over unseen: it is kept
    // aside first.
    if (!changes.read.ok()) {
      const FileResult kept = KeepAside(path_, now, &keptAs_);
      if (!kept.ok()) return kept;
    }
    if (outside != nullptr) *outside = std::move(changes);
  }
  std::string bytes = FormatPostData(table);
  // Nothing new: the file is left as it is, so that a sync client has
  // nothing to carry (leftovers of killed saves still go, as a save would
  // clear them).
  if (lastSeen_ && bytes == *lastSeen_ && lastStamp_.exists && StampNow() == lastStamp_) {
    RemoveLeftoverTemporaries(path_);
    return FileResult::Done();
  }
  const FileResult saved = SaveWholeFile(path_, bytes);
  if (saved.ok()) Seen(std::move(bytes));
  return saved;
}

}  // namespace morna
