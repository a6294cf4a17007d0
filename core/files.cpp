#include "core/files.h"

#include <cstdio>
#include <optional>

namespace morna {

namespace {

using platform::ErrorCode;
using platform::FileHandle;
using platform::Kind;

// How long a save waits for another program's save of the same file.
constexpr int kLockWaitMs = 5000;

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

  FileHandle lock;
  if (old.kind == Kind::Regular) {
    const ErrorCode err = lock.OpenAndLock(target, kLockWaitMs);
    // A file we may neither read nor write cannot be locked, but it can
    // still be replaced when the folder allows; only a busy lock stops us.
    if (err == 0) old = lock.Info();
    else if (platform::IsLockBusy(err)) return Fail(err);
  }

  FileHandle temp;
  std::string tempName;
  ErrorCode err = temp.CreateUnique(target + ".tmp~", tempName);
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
