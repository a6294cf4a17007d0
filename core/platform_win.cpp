// The file seam on Windows. File names go to the ANSI functions as they are,
// so Shift-JIS names work on a Japanese system without any conversion.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string_view>
#include <thread>
#include <utility>

#include "core/platform.h"

namespace morna::platform {

namespace {

HANDLE H(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The lock is taken on one byte far beyond any real data: Windows locks are
// binding for reads and writes of the locked range, and a range no one
// reads makes them advisory, as on other systems.
constexpr DWORD kLockOffsetHigh = 0x40000000;

FileInfo InfoOfAttributes(DWORD attrs) {
  FileInfo info;
  if (attrs == INVALID_FILE_ATTRIBUTES) return info;
  if (attrs & FILE_ATTRIBUTE_DIRECTORY) info.kind = Kind::Directory;
  else if (attrs & FILE_ATTRIBUTE_DEVICE) info.kind = Kind::Other;
  else info.kind = Kind::Regular;
  info.mode = (attrs & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  return info;
}

// Opens `path` as a regular disk file; INVALID_HANDLE_VALUE with the last
// error set otherwise.
HANDLE OpenRegular(const std::string& path, DWORD access, DWORD disposition) {
  HANDLE h = ::CreateFileA(path.c_str(), access, kShareAll, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return h;
  if (::GetFileType(h) != FILE_TYPE_DISK) {
    ::CloseHandle(h);
    ::SetLastError(static_cast<DWORD>(kNotRegularFile));
    return INVALID_HANDLE_VALUE;
  }
  return h;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A FILETIME (100 ns steps since 1601) in seconds since 1970.
std::int64_t UnixSeconds(const FILETIME& t) {
  const std::uint64_t ticks = (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  return static_cast<std::int64_t>(ticks / 10000000ULL) - 11644473600LL;
}

}  // namespace

ErrorCode NotFoundCode() { return ERROR_FILE_NOT_FOUND; }
ErrorCode ExistsCode() { return ERROR_ALREADY_EXISTS; }
ErrorCode FileTooLargeCode() { return ERROR_FILE_TOO_LARGE; }
bool IsLockBusy(ErrorCode code) { return code == ERROR_LOCK_VIOLATION; }
bool IsAccessDenied(ErrorCode code) { return code == ERROR_ACCESS_DENIED; }

std::string ErrorText(ErrorCode code) {
  if (code == kNotRegularFile) return "Not a regular file";
  char* text = nullptr;
  const DWORD n = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string out;
  if (n != 0 && text != nullptr) out.assign(text, n);
  if (text != nullptr) ::LocalFree(text);
  if (out.empty()) out = "Error " + std::to_string(code);
  return out;
}

FileInfo Inspect(const std::string& path, bool /*followLinks*/) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
  FileInfo info = InfoOfAttributes(data.dwFileAttributes);
  info.modified = UnixSeconds(data.ftLastWriteTime);
  return info;
}

std::string FollowLinks(const std::string& path) { return path; }

ReadResult ReadRegularFile(const std::string& path, std::string& out) {
  out.clear();
  ReadResult result;
  HANDLE h = OpenRegular(path, GENERIC_READ, OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE) {
    result.error = static_cast<ErrorCode>(::GetLastError());
    // A folder opened as a file is refused with "access denied".
    if (InfoOfAttributes(::GetFileAttributesA(path.c_str())).kind == Kind::Directory)
      result.error = kNotRegularFile;
    // ERROR_PATH_NOT_FOUND tells a missing folder apart.
    result.missing = result.error == ERROR_FILE_NOT_FOUND;
    return result;
  }
  char buf[65536];
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(h, buf, sizeof buf, &n, nullptr)) {
      result.error = static_cast<ErrorCode>(::GetLastError());
      break;
    }
    if (n == 0) break;
    out.append(buf, n);
  }
  ::CloseHandle(h);
  return result;
}

ErrorCode FileHandle::CreateUnique(const std::string& before, std::string_view after,
                                   std::string& name) {
  Close();
  ErrorCode err = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = UniqueCandidate(before, after);
    HANDLE h = ::CreateFileA(name.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(h);
      return 0;
    }
    err = static_cast<ErrorCode>(::GetLastError());
    const bool taken = err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS ||
                       (err == ERROR_ACCESS_DENIED &&
                        ::GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES);
    if (!taken) break;
  }
  name.clear();
  return err;
}

ErrorCode FileHandle::OpenForWriting(const std::string& path) {
  Close();
  HANDLE h = OpenRegular(path, GENERIC_WRITE, OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE) return static_cast<ErrorCode>(::GetLastError());
  handle_ = reinterpret_cast<std::intptr_t>(h);
  return 0;
}

ErrorCode FileHandle::OpenAndLock(const std::string& path, int waitMs) {
  Close();
  HANDLE h = OpenRegular(path, GENERIC_READ, OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE) return static_cast<ErrorCode>(::GetLastError());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    if (::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) break;
    const DWORD err = ::GetLastError();
    if (err != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() >= deadline) {
      ::CloseHandle(h);
      return static_cast<ErrorCode>(err);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  handle_ = reinterpret_cast<std::intptr_t>(h);
  return 0;
}

FileInfo FileHandle::Info() const {
  BY_HANDLE_FILE_INFORMATION bhi;
  if (!IsOpen() || !::GetFileInformationByHandle(H(handle_), &bhi)) return {};
  FileInfo info = InfoOfAttributes(bhi.dwFileAttributes);
  info.device = bhi.dwVolumeSerialNumber;
  info.inode = (static_cast<std::uint64_t>(bhi.nFileIndexHigh) << 32) | bhi.nFileIndexLow;
  info.modified = UnixSeconds(bhi.ftLastWriteTime);
  return info;
}

ErrorCode FileHandle::Write(std::string_view data) {
  while (!data.empty()) {
    const DWORD chunk = data.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(data.size());
    DWORD n = 0;
    if (!::WriteFile(H(handle_), data.data(), chunk, &n, nullptr))
      return static_cast<ErrorCode>(::GetLastError());
    data.remove_prefix(n);
  }
  return 0;
}

ErrorCode FileHandle::Truncate() {
  LARGE_INTEGER zero{};
  if (!::SetFilePointerEx(H(handle_), zero, nullptr, FILE_BEGIN) || !::SetEndOfFile(H(handle_)))
    return static_cast<ErrorCode>(::GetLastError());
  return 0;
}

ErrorCode FileHandle::Sync() {
  return ::FlushFileBuffers(H(handle_)) ? 0 : static_cast<ErrorCode>(::GetLastError());
}

void FileHandle::TakeAttributesOf(const FileInfo& /*like*/) {
  // Windows files take the folder's inherited security; the read-only
  // attribute of the old file makes the rename fail and so never needs
  // carrying over.
}

ErrorCode FileHandle::Close() {
  if (!IsOpen()) return 0;
  return ::CloseHandle(H(std::exchange(handle_, kClosed))) ? 0
                                                           : static_cast<ErrorCode>(::GetLastError());
}

ErrorCode Replace(const std::string& from, const std::string& to, FileHandle& lock) {
  // Windows refuses to replace a read-only file; say so the same way on
  // every version (Wine would replace it).
  const DWORD attrs = ::GetFileAttributesA(to.c_str());
  if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;
  lock.Close();
  return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 0
             : static_cast<ErrorCode>(::GetLastError());
}

ErrorCode RenameNoReplace(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)
             ? 0
             : static_cast<ErrorCode>(::GetLastError());
}

ErrorCode ListFolderOf(const std::string& path, std::vector<std::string>& names) {
  names.clear();
  // The folder as `path` spells it, with its separator: "C:" alone means the
  // current folder of drive C, and "" the current folder.
  const std::string folder = FolderOf(path);
  std::string pattern = path.substr(0, folder.size());
  if (folder.size() < path.size() && IsSeparator(path[folder.size()])) pattern += path[folder.size()];
  pattern += '*';
  WIN32_FIND_DATAA found;
  HANDLE h = ::FindFirstFileA(pattern.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD err = ::GetLastError();
    return err == ERROR_FILE_NOT_FOUND ? 0 : static_cast<ErrorCode>(err);
  }
  do {
    const std::string_view name = found.cFileName;
    if (name != "." && name != "..") names.emplace_back(name);
  } while (::FindNextFileA(h, &found));
  const DWORD err = ::GetLastError();
  ::FindClose(h);
  return err == ERROR_NO_MORE_FILES ? 0 : static_cast<ErrorCode>(err);
}

std::int64_t CurrentProcessId() { return ::GetCurrentProcessId(); }

std::int64_t CurrentUserId() { return -1; }

ErrorCode MakePrivateFolder(const std::string& path) {
  // A folder in the user's own profile is the user's alone already.
  return ::CreateDirectoryA(path.c_str(), nullptr) ? 0 : static_cast<ErrorCode>(::GetLastError());
}

bool ProcessRunning(std::int64_t pid) {
  if (pid <= 0) return true;  // no owner of a temporary: never touched
  if (pid > 0xFFFFFFFFLL) return false;
  HANDLE h = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  // No such process gives ERROR_INVALID_PARAMETER; a process we may not
  // query (another user's) runs.
  if (h == nullptr) return ::GetLastError() != ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  // A process that has ended but is still held open by someone has an exit
  // code; one that ended with code 259 itself reads as running, the safe side.
  const bool running = !::GetExitCodeProcess(h, &code) || code == STILL_ACTIVE;
  ::CloseHandle(h);
  return running;
}

ErrorCode Remove(const std::string& path) {
  return ::DeleteFileA(path.c_str()) ? 0 : static_cast<ErrorCode>(::GetLastError());
}

ErrorCode SyncFolderOf(const std::string& /*path*/) {
  // MOVEFILE_WRITE_THROUGH has already made the rename durable.
  return 0;
}

std::string FolderOf(const std::string& path) {
  // Walk by characters: the second byte of a double-byte character may be
  // 0x5C, the backslash.
  std::size_t cut = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (::IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
      ++i;
      continue;
    }
    if (IsSeparator(path[i])) cut = i;
  }
  if (cut == std::string::npos) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    return {};
  }
  if (cut == 0 || (cut == 2 && path[1] == ':')) return path.substr(0, cut + 1);
  return path.substr(0, cut);
}

std::string UserDatabaseHome() { return {}; }

std::string CanonicalName(const std::string& path) {
  char buf[MAX_PATH * 2];
  const DWORD n = ::GetFullPathNameA(path.c_str(), sizeof buf, buf, nullptr);
  if (n == 0 || n >= sizeof buf) return path;
  return std::string(buf, n);
}

}  // namespace morna::platform
