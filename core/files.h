// Reading and saving whole files so that a crash, a second writer or an odd
// file never costs the user a file: saves go to a fresh temporary file that
// is synced and renamed into place, and a file that must make way is kept
// under a new name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/datetime.h"
#include "core/platform.h"
#include "core/result.h"

namespace morna {

// The system's message for a code, without trailing blanks, control
// characters and periods.
std::string SystemMessage(platform::ErrorCode err);

// Writes `data` as the whole file at `path`. Temporary files that earlier
// saves of it left behind are removed first (RemoveLeftoverTemporaries). A path that is a symbolic link
// is saved at the file the link names. The data goes to a temporary file
// with a name of its own beside that file, which takes the old file's
// permission bits (and owner and group, as far as allowed), is synced and
// renamed into place; the folder is synced after. While saving, an advisory
// lock on the old file keeps a second writer waiting. Where the folder
// refuses this user a new file, an existing file is written in place.
// Anything that is not a regular file is refused and left alone. A failure
// carries the system's text; the old file is then whole (unless a write in
// place failed part-way).
FileResult SaveWholeFile(const std::string& path, std::string_view data);

// The lock that saves take, held by this process from before a file is read
// until after it is saved, so that no other writer's save comes in between
// (a script's change made straight on the file while another runs). Saves of
// the file by this process use the held lock instead of waiting for it, and
// take it again on the new file they rename into place. Used from one thread.
class HeldLock {
 public:
  HeldLock() = default;
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;
  ~HeldLock();

  // Locks the file at `path` (through links, the file they name), waiting
  // up to `waitMs` for another holder. A missing file has nothing to lock:
  // that is no failure and nothing is held. A lock held before is let go.
  FileResult Take(const std::string& path, int waitMs = 5000);
  // Whether a lock is held now.
  bool Held() const { return handle_.IsOpen(); }
  void Release();

 private:
  friend FileResult SaveWholeFile(const std::string& path, std::string_view data);
  std::string target_;
  platform::FileHandle handle_;
};

// A save's temporary file is named "~syncthing~<name>.<unique part>.tmp",
// in the folder of the file <name>. Sync clients leave such names alone:
// Syncthing takes the prefix for its own temporary files, and Nextcloud and
// Dropbox skip names that begin with "~" and end in ".tmp". The unique part
// is "<process id>-<count>-<8 hex digits>" (platform::FileHandle::CreateUnique).
inline constexpr std::string_view kTemporaryPrefix = "~syncthing~";
inline constexpr std::string_view kTemporarySuffix = ".tmp";

// The id of the process whose save of the file named `fileName` (no folder)
// made a temporary file named `entry`: in the form above, or in the form of
// earlier versions, "<name>.tmp~<unique part>". 0 when `entry` is no such
// name.
std::int64_t TemporaryOwner(std::string_view entry, std::string_view fileName);

// Of the names in a folder, those of temporary files of saves of `fileName`
// whose process no longer runs, as `running` says.
std::vector<std::string> OrphanedTemporaries(const std::vector<std::string>& entries,
                                             std::string_view fileName,
                                             const std::function<bool(std::int64_t)>& running);

// A save writes its temporary file within moments. One last written more
// than this far from the file system's present (either way: the clock may
// have been set back) is no save in progress, even by a process that this
// computer cannot see (another computer saving into a shared folder).
inline constexpr std::int64_t kSaveSeconds = 300;
inline bool OutsideSaveTime(std::int64_t modified, std::int64_t now) {
  return modified < now - kSaveSeconds || modified > now + kSaveSeconds;
}

// Removes the temporary files that saves of the file at `path` (through
// links, the file they name) left behind when their process ended before
// the rename: those of processes that no longer run and out of save time.
// Nothing else is touched. Returns the first failure; the rest is still
// tried.
FileResult RemoveLeftoverTemporaries(const std::string& path);

// Moves the file at `path` (through links, the file they name) aside before
// it is overwritten: to "<name>.bak", else the first free of ".bak2" to
// ".bak99", else "<name>.bak-yyyymmdd-hhmmss" of `now`. An existing file of
// those names is never replaced. Nothing at `path` needs no keeping;
// anything but a regular file is refused and stays where it is. `keptAs`
// receives the file's new name (empty when there was no file).
FileResult KeepAside(const std::string& path, DateTime now, std::string* keptAs = nullptr);

}  // namespace morna
