#include "core/files.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace morna {

namespace {

using platform::ErrorCode;
using platform::FileHandle;
using platform::Kind;

// How long a save waits for another program's save of the same file.
constexpr int kLockWaitMs = 5000;

// The locks this process holds across a load and a save (HeldLock).
std::vector<HeldLock*>& HeldLocks() {
  static std::vector<HeldLock*> held;
  return held;
}

// The part of a temporary file's name that CreateUnique makes unique:
// "<pid>-<count>-<8 hex digits>", as printed with "%ld-%u-%08x". Returns the
// pid, 0 when `part` is anything else.
std::int64_t OwnerOfUniquePart(std::string_view part) {
  auto digits = [&part](std::size_t maxLen) {
    std::size_t n = 0;
    while (n < part.size() && part[n] >= '0' && part[n] <= '9') ++n;
    return n > 0 && n <= maxLen ? n : 0;
  };
  const std::size_t pidLen = digits(18);
  if (pidLen == 0 || part[0] == '0' || pidLen >= part.size() || part[pidLen] != '-') return 0;
  std::int64_t pid = 0;
  for (std::size_t i = 0; i < pidLen; ++i) pid = pid * 10 + (part[i] - '0');
  part.remove_prefix(pidLen + 1);
  const std::size_t countLen = digits(10);
  if (countLen == 0 || countLen >= part.size() || part[countLen] != '-') return 0;
  part.remove_prefix(countLen + 1);
  if (part.size() != 8) return 0;
  for (char c : part) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return 0;
  }
  return pid;
}

// The name of the file at `path` without its folder.
std::string_view BaseName(std::string_view path) {
  std::size_t start = platform::FolderOf(std::string(path)).size();
  // The separator after the folder, unless the folder keeps it ("/", "C:\\").
#ifdef _WIN32
  if (start < path.size() && (path[start] == '/' || path[start] == '\\')) ++start;
#else
  if (start < path.size() && path[start] == '/') ++start;
#endif
  return path.substr(start);
}

FileResult Fail(ErrorCode err) { return FileResult::Fail(SystemMessage(err)); }

// For a folder that does not let us add a file: the file's own contents are
// replaced, as a plain save would do it.
FileResult WriteInPlace(const std::string& path, std::string_view data) {
  FileHandle f;
  ErrorCode err = f.OpenForWriting(path);
  if (err == 0) err = f.Truncate();
  if (err == 0) err = f.Write(data);
  if (err == 0) err = f.Sync();
  const ErrorCode closeErr = f.Close();
  if (err == 0) err = closeErr;
  return err == 0 ? FileResult::Done() : Fail(err);
}

}  // namespace

std::int64_t TemporaryOwner(std::string_view entry, std::string_view fileName) {
  if (fileName.empty()) return 0;
  // This version's form.
  if (entry.starts_with(kTemporaryPrefix) && entry.ends_with(kTemporarySuffix)) {
    std::string_view rest = entry.substr(kTemporaryPrefix.size());
    rest.remove_suffix(kTemporarySuffix.size());
    if (rest.size() > fileName.size() && rest.starts_with(fileName) && rest[fileName.size()] == '.')
      return OwnerOfUniquePart(rest.substr(fileName.size() + 1));
  }
  // Earlier versions' form.
  constexpr std::string_view kOldMark = ".tmp~";
  if (entry.size() > fileName.size() + kOldMark.size() && entry.starts_with(fileName) &&
      entry.substr(fileName.size(), kOldMark.size()) == kOldMark)
    return OwnerOfUniquePart(entry.substr(fileName.size() + kOldMark.size()));
  return 0;
}

std::vector<std::string> OrphanedTemporaries(const std::vector<std::string>& entries,
                                             std::string_view fileName,
                                             const std::function<bool(std::int64_t)>& running) {
  std::vector<std::string> out;
  for (const std::string& entry : entries) {
    const std::int64_t owner = TemporaryOwner(entry, fileName);
    if (owner != 0 && !running(owner)) out.push_back(entry);
  }
  return out;
}

FileResult RemoveLeftoverTemporaries(const std::string& path) {
  const std::string target = platform::FollowLinks(path);
  const std::string_view fileName = BaseName(target);
  std::vector<std::string> entries;
  if (const ErrorCode err = platform::ListFolderOf(target, entries); err != 0)
    return FileResult::Fail(SystemMessage(err));
  const std::vector<std::string> orphans =
      OrphanedTemporaries(entries, fileName, platform::ProcessRunning);
  if (orphans.empty()) return FileResult::Done();

  // The file system's present, read from a file made now: on a shared
  // folder, the server's clock stamps both it and the leftovers.
  const std::string folderPart = target.substr(0, target.size() - fileName.size());
  FileHandle probe;
  std::string probeName;
  const std::string before = folderPart + std::string(kTemporaryPrefix) + std::string(fileName) + ".";
  if (const ErrorCode err = probe.CreateUnique(before, kTemporarySuffix, probeName); err != 0)
    return FileResult::Fail(SystemMessage(err));
  const std::int64_t now = probe.Info().modified;
  probe.Close();
  platform::Remove(probeName);

  FileResult result;
  for (const std::string& name : orphans) {
    const std::string leftover = folderPart + name;
    const platform::FileInfo info = platform::Inspect(leftover, false);
    // Only a plain file, and only one that no save can still be writing.
    if (info.kind != Kind::Regular || !OutsideSaveTime(info.modified, now)) continue;
    const ErrorCode err = platform::Remove(leftover);
    if (err != 0 && err != platform::NotFoundCode() && result.ok())
      result = FileResult::Fail(SystemMessage(err));
  }
  return result;
}

std::string SystemMessage(ErrorCode err) {
  std::string text = platform::ErrorText(err);
  while (!text.empty()) {
    const auto c = static_cast<unsigned char>(text.back());
    if (c == ' ' || c == '.' || c < 0x20 || c == 0x7F) {
      text.pop_back();
    } else {
      break;
    }
  }
  return text;
}

FileResult SaveWholeFile(const std::string& path, std::string_view data) {
  const std::string target = platform::FollowLinks(path);
  platform::FileInfo old = platform::Inspect(target, false);
  if (old.kind != Kind::None && old.kind != Kind::Regular)
    return Fail(platform::kNotRegularFile);

  // A lock this process already holds on the file is used as it stands:
  // waiting for it would only wait for ourselves.
  HeldLock* held = nullptr;
  for (HeldLock* h : HeldLocks())
    if (h->target_ == target && h->handle_.IsOpen()) held = h;
  FileHandle ownLock;
  FileHandle& lock = held != nullptr ? held->handle_ : ownLock;
  if (held != nullptr) {
    old = lock.Info();
  } else if (old.kind == Kind::Regular) {
    const ErrorCode err = lock.OpenAndLock(target, kLockWaitMs);
    // A file we may neither read nor write cannot be locked, but it can
    // still be replaced when the folder allows; only a busy lock stops us.
    if (err == 0) old = lock.Info();
    else if (platform::IsLockBusy(err)) return Fail(err);
  }

  // What earlier saves left behind goes first; a failure there never stops
  // this save.
  RemoveLeftoverTemporaries(target);

  FileHandle temp;
  std::string tempName;
  const std::string_view fileName = BaseName(target);
  ErrorCode err = temp.CreateUnique(target.substr(0, target.size() - fileName.size()) +
                                        std::string(kTemporaryPrefix) + std::string(fileName) + ".",
                                    kTemporarySuffix, tempName);
  if (err != 0) {
    // Only a folder that refuses new files makes us write in place: on a
    // full disk, emptying the old file first could lose it.
    if (old.kind != Kind::Regular || !platform::IsAccessDenied(err)) return Fail(err);
    return WriteInPlace(target, data);
  }
  err = temp.Write(data);
  if (err == 0 && old.kind == Kind::Regular) temp.TakeAttributesOf(old);
  if (err == 0) err = temp.Sync();
  const ErrorCode closeErr = temp.Close();
  if (err == 0) err = closeErr;
  if (err == 0) err = platform::Replace(tempName, target, lock);
  if (err != 0) {
    platform::Remove(tempName);
    return Fail(err);
  }
  // The rename is in the folder; without this sync a power loss could bring
  // back the old name, or none.
  platform::SyncFolderOf(target);
  // The held lock is on the file just replaced; it goes on to the new one.
  if (held != nullptr) held->handle_.OpenAndLock(target, kLockWaitMs);
  return FileResult::Done();
}

HeldLock::~HeldLock() { Release(); }

void HeldLock::Release() {
  handle_.Close();
  auto& all = HeldLocks();
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
  target_.clear();
}

FileResult HeldLock::Take(const std::string& path, int waitMs) {
  Release();
  const std::string target = platform::FollowLinks(path);
  const platform::FileInfo info = platform::Inspect(target, false);
  if (info.kind == Kind::None) return FileResult::Done();
  if (info.kind != Kind::Regular) return Fail(platform::kNotRegularFile);
  if (const ErrorCode err = handle_.OpenAndLock(target, waitMs); err != 0) return Fail(err);
  target_ = target;
  HeldLocks().push_back(this);
  return FileResult::Done();
}

FileResult KeepAside(const std::string& path, DateTime now, std::string* keptAs) {
  std::string unused;
  std::string& newName = keptAs != nullptr ? *keptAs : unused;
  newName.clear();
  const std::string real = platform::FollowLinks(path);
  const Kind kind = platform::Inspect(real, false).kind;
  if (kind == Kind::None) return FileResult::Done();
  if (kind != Kind::Regular) return Fail(platform::kNotRegularFile);
  // Whether `name` settled it: moved there, or failed for a reason other
  // than someone taking the name meanwhile (then the next name is tried).
  std::optional<FileResult> outcome;
  auto tryName = [&](const std::string& name) {
    if (platform::Inspect(name, false).kind != Kind::None) return false;
    const ErrorCode err = platform::RenameNoReplace(real, name);
    if (err == 0) {
      newName = name;
      outcome = FileResult::Done();
      return true;
    }
    if (platform::Inspect(name, false).kind != Kind::None) return false;
    outcome = Fail(err);
    return true;
  };
  for (int n = 1; n <= 99; ++n) {
    if (tryName(real + ".bak" + (n == 1 ? std::string() : std::to_string(n)))) return *outcome;
  }
  const CivilTime c = ToCivil(now);
  char stamp[40];
  std::snprintf(stamp, sizeof stamp, ".bak-%04d%02d%02d-%02d%02d%02d", c.year, c.month, c.day,
                c.hour, c.minute, c.second);
  for (int n = 1; n <= 1000; ++n) {
    std::string name = real + stamp;
    if (n > 1) name.append(1, '-').append(std::to_string(n));
    if (tryName(name)) return *outcome;
  }
  return Fail(platform::ExistsCode());
}

}  // namespace morna
