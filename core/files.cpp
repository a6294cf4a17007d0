#include "core/files.h"

#include <cstdio>

namespace morna {

namespace {

using platform::ErrorCode;
using platform::FileHandle;
using platform::Kind;

// How long a save waits for another program's save of the same file.
constexpr int kLockWaitMs = 5000;

bool Fail(std::string* error, ErrorCode err) {
  if (error != nullptr) *error = SystemMessage(err);
  return false;
}

// For a folder that does not let us add a file: the file's own contents are
// replaced, as a plain save would do it.
bool WriteInPlace(const std::string& path, std::string_view data, std::string* error) {
  FileHandle f;
  ErrorCode err = f.OpenForWriting(path);
  if (err == 0) err = f.Truncate();
  if (err == 0) err = f.Write(data);
  if (err == 0) err = f.Sync();
  const ErrorCode closeErr = f.Close();
  if (err == 0) err = closeErr;
  return err == 0 || Fail(error, err);
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

bool SaveWholeFile(const std::string& path, std::string_view data, std::string* error) {
  const std::string target = platform::FollowLinks(path);
  platform::FileInfo old = platform::Inspect(target, false);
  if (old.kind != Kind::None && old.kind != Kind::Regular)
    return Fail(error, platform::kNotRegularFile);

  FileHandle lock;
  if (old.kind == Kind::Regular) {
    const ErrorCode err = lock.OpenAndLock(target, kLockWaitMs);
    // A file we may neither read nor write cannot be locked, but it can
    // still be replaced when the folder allows; only a busy lock stops us.
    if (err == 0) old = lock.Info();
    else if (platform::IsLockBusy(err)) return Fail(error, err);
  }

  FileHandle temp;
  std::string tempName;
  ErrorCode err = temp.CreateUnique(target + ".tmp~", tempName);
  if (err != 0) {
    // Only a folder that refuses new files makes us write in place: on a
    // full disk, emptying the old file first could lose it.
    if (old.kind != Kind::Regular || !platform::IsAccessDenied(err)) return Fail(error, err);
    return WriteInPlace(target, data, error);
  }
  err = temp.Write(data);
  if (err == 0 && old.kind == Kind::Regular) temp.TakeAttributesOf(old);
  if (err == 0) err = temp.Sync();
  const ErrorCode closeErr = temp.Close();
  if (err == 0) err = closeErr;
  if (err == 0) err = platform::Replace(tempName, target, lock);
  if (err != 0) {
    platform::Remove(tempName);
    return Fail(error, err);
  }
  // The rename is in the folder; without this sync a power loss could bring
  // back the old name, or none.
  platform::SyncFolderOf(target);
  return true;
}

KeptAside KeepAside(const std::string& path, DateTime now) {
  KeptAside result;
  const std::string real = platform::FollowLinks(path);
  const Kind kind = platform::Inspect(real, false).kind;
  if (kind == Kind::None) return result;
  auto tryName = [&](const std::string& name) {
    if (platform::Inspect(name, false).kind != Kind::None) return false;
    const ErrorCode err = platform::RenameNoReplace(real, name);
    if (err == 0) {
      result.keptAs = name;
      return true;
    }
    // Someone took the name meanwhile: try the next one.
    if (platform::Inspect(name, false).kind != Kind::None) return false;
    result.ok = false;
    result.error = SystemMessage(err);
    return true;
  };
  if (kind != Kind::Regular) {
    result.ok = false;
    result.error = SystemMessage(platform::kNotRegularFile);
    return result;
  }
  for (int n = 1; n <= 99; ++n) {
    if (tryName(real + ".bak" + (n == 1 ? std::string() : std::to_string(n)))) return result;
  }
  const CivilTime c = ToCivil(now);
  char stamp[40];
  std::snprintf(stamp, sizeof stamp, ".bak-%04d%02d%02d-%02d%02d%02d", c.year, c.month, c.day,
                c.hour, c.minute, c.second);
  for (int n = 1; n <= 1000; ++n) {
    std::string name = real + stamp;
    if (n > 1) name.append(1, '-').append(std::to_string(n));
    if (tryName(name)) return result;
  }
  result.ok = false;
  result.error = SystemMessage(platform::ExistsCode());
  return result;
}

}  // namespace morna
