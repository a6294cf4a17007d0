// What the standard library cannot do with files: open without blocking,
// sync, advisory locks, ownership, renames that never replace, and file
// names as the system wants them. One implementation for POSIX
// (platform_posix.cpp) and one for Windows (platform_win.cpp); CMake builds
// the one that fits.
//
// File names are narrow strings: UTF-8 on POSIX systems, the ANSI code page
// on Windows (Shift-JIS on a Japanese system), passed to the ANSI functions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morna::platform {

// errno on POSIX, GetLastError() on Windows; 0 is success.
using ErrorCode = int;

// Our own code for a name that exists but is not a regular file (a folder,
// a FIFO, a device): no system code says that on every system.
inline constexpr ErrorCode kNotRegularFile = -1;

// The system's codes for "no such file", "file exists" and "file too large".
ErrorCode NotFoundCode();
ErrorCode ExistsCode();
ErrorCode FileTooLargeCode();
// Whether a lock failed only because another holder kept it.
bool IsLockBusy(ErrorCode code);
// Whether the system refused for want of rights (not for want of space).
bool IsAccessDenied(ErrorCode code);

// The system's message for a code, as the system gives it.
std::string ErrorText(ErrorCode code);

enum class Kind { None, Regular, Directory, Symlink, Other };

struct FileInfo {
  Kind kind = Kind::None;    // None: nothing there (or it cannot be reached)
  unsigned mode = 0;         // permission bits (POSIX); 0444 or 0666 on Windows
  std::int64_t owner = -1;   // user and group ids (POSIX only)
  std::int64_t group = -1;
  std::uint64_t device = 0;  // with `inode`: which file this is
  std::uint64_t inode = 0;
  std::int64_t modified = 0; // last write, in seconds since 1970-01-01 UTC
};

// What is at `path`; a symbolic link itself unless `followLinks`.
FileInfo Inspect(const std::string& path, bool followLinks);

// The file a chain of symbolic links ends at, which need not exist yet; the
// path itself when it is no link. Relative link texts count from the link's
// folder. Gives up after 40 links and returns the last name reached.
std::string FollowLinks(const std::string& path);

struct ReadResult {
  ErrorCode error = 0;
  bool missing = false;  // no such file, in a folder that exists
};

// Reads a whole regular file. Never waits for a writer (a FIFO) or a device;
// anything but a regular file gives kNotRegularFile and is not touched.
ReadResult ReadRegularFile(const std::string& path, std::string& out);

// One open file. Closing happens at destruction at the latest.
class FileHandle {
 public:
  FileHandle() = default;
  ~FileHandle() { Close(); }
  FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, kClosed)) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, kClosed);
    }
    return *this;
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool IsOpen() const { return handle_ != kClosed; }

  // Creates a new, empty file named `before`, a part that makes the name one
  // no other file or folder has, and `after`; `name` receives it. The part
  // is "<process id>-<count>-<8 hex digits>", so that a file left behind can
  // be told from one still being written.
  ErrorCode CreateUnique(const std::string& before, std::string_view after, std::string& name);
  // Opens an existing regular file for writing, without truncating it and
  // without blocking.
  ErrorCode OpenForWriting(const std::string& path);
  // Opens the existing file at `path` and holds an exclusive advisory lock on
  // it until closed. Waits up to `waitMs` for another holder. When the name
  // has meanwhile been given to another file (a writer renamed a new one into
  // place), the lock is taken on that one.
  ErrorCode OpenAndLock(const std::string& path, int waitMs);

  FileInfo Info() const;
  ErrorCode Write(std::string_view data);
  ErrorCode Truncate();  // to zero bytes, writing from the start again
  ErrorCode Sync();      // down to the disk
  // Gives the file the permission bits of `like`, and its owner and group as
  // far as this user may set them.
  void TakeAttributesOf(const FileInfo& like);
  ErrorCode Close();

 private:
  static constexpr std::intptr_t kClosed = -1;
  std::intptr_t handle_ = kClosed;
};

// The names of everything in the folder that holds `path` ("." and ".."
// left out), in no particular order.
ErrorCode ListFolderOf(const std::string& path, std::vector<std::string>& names);

// A candidate name for a new temporary file: `before`, then this process's
// id, a counter and a random number ("<pid>-<n>-<hex>"), then `after`.
std::string UniqueCandidate(const std::string& before, std::string_view after);

// This process's id, and whether a process with the id `pid` runs on this
// computer. Where the system will not say (no right to ask), it counts as
// running.
std::int64_t CurrentProcessId();
bool ProcessRunning(std::int64_t pid);

// The user this process runs as (the effective user id on POSIX systems;
// -1 on Windows, where files carry no owner id here).
std::int64_t CurrentUserId();
// Creates the folder `path` that only its owner may enter (0700 on POSIX
// systems). A name already taken gives ExistsCode() and is left as it is.
ErrorCode MakePrivateFolder(const std::string& path);

// Renames `from` to `to`, replacing a file at `to` in one step. `lock` may
// hold the lock on `to` (FileHandle::OpenAndLock); where an open file cannot
// be replaced (Windows), it is let go just before.
ErrorCode Replace(const std::string& from, const std::string& to, FileHandle& lock);
// Renames `from` to `to` only when nothing is at `to`.
ErrorCode RenameNoReplace(const std::string& from, const std::string& to);
ErrorCode Remove(const std::string& path);
// Makes a rename in the folder of `path` durable (no-op where the system
// syncs folders itself).
ErrorCode SyncFolderOf(const std::string& path);
// The folder part of `path` ("" for a bare name), cut at the last separator
// that is not the second byte of a double-byte character.
std::string FolderOf(const std::string& path);
// This user's home folder as the system's user database records it (the
// password database on POSIX), for when HOME is not set; empty where the
// system keeps none (Windows, whose user folders come from the system's
// known folders).
std::string UserDatabaseHome();
// One name for one file: `path` made absolute, with the links to it and to
// its folders followed. The file itself need not exist.
std::string CanonicalName(const std::string& path);

}  // namespace morna::platform
