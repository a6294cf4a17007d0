// The file seam on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include "core/platform.h"

namespace morna::platform {

namespace {

int Fd(std::intptr_t h) { return static_cast<int>(h); }

FileInfo InfoOf(const struct stat& st) {
  FileInfo info;
  if (S_ISREG(st.st_mode)) info.kind = Kind::Regular;
  else if (S_ISDIR(st.st_mode)) info.kind = Kind::Directory;
  else if (S_ISLNK(st.st_mode)) info.kind = Kind::Symlink;
  else info.kind = Kind::Other;
  info.mode = st.st_mode & 07777;
  info.owner = st.st_uid;
  info.group = st.st_gid;
  info.device = st.st_dev;
  info.inode = st.st_ino;
  info.modified = st.st_mtime;
  return info;
}

// Opens `path` without blocking on a FIFO or a device, and makes sure it is a
// regular file; -1 with errno set otherwise.
int OpenRegular(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat st;
  int err = 0;
  if (::fstat(fd, &st) != 0) err = errno;
  else if (S_ISDIR(st.st_mode)) err = EISDIR;
  else if (!S_ISREG(st.st_mode)) err = kNotRegularFile;
  if (err != 0) {
    ::close(fd);
    errno = err;
    return -1;
  }
  // Reads and writes of a regular file never block anyway; clear the flag
  // so that they behave as usual.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

bool FolderExists(const std::string& path) {
  const std::string folder = FolderOf(path);
  struct stat st;
  return ::stat(folder.empty() ? "." : folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

ErrorCode NotFoundCode() { return ENOENT; }
ErrorCode ExistsCode() { return EEXIST; }
ErrorCode FileTooLargeCode() { return EFBIG; }
bool IsLockBusy(ErrorCode code) { return code == EWOULDBLOCK; }
bool IsAccessDenied(ErrorCode code) { return code == EACCES || code == EPERM; }

std::string ErrorText(ErrorCode code) {
  if (code == kNotRegularFile) return "Not a regular file";
  return std::strerror(code);
}

FileInfo Inspect(const std::string& path, bool followLinks) {
  struct stat st;
  const int r = followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st);
  return r == 0 ? InfoOf(st) : FileInfo{};
}

std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string text(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), text.data(), text.size());
    if (n < 0) return current;
    text.resize(static_cast<std::size_t>(n));
    if (!text.empty() && text.front() == '/') {
      current = text;
    } else {
      const std::string folder = FolderOf(current);
      current = folder.empty() ? text : folder + "/" + text;
    }
  }
  return current;
}

ReadResult ReadRegularFile(const std::string& path, std::string& out) {
  out.clear();
  ReadResult result;
  const int fd = OpenRegular(path, O_RDONLY);
  if (fd < 0) {
    result.error = errno;
    result.missing = errno == ENOENT && FolderExists(path);
    return result;
  }
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      result.error = errno;
      break;
    }
    if (n == 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return result;
}

ErrorCode FileHandle::CreateUnique(const std::string& before, std::string_view after,
                                   std::string& name) {
  Close();
  ErrorCode err = EEXIST;
  for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
    name = UniqueCandidate(before, after);
    // Mode 0666 less the umask: what a plain new file would get.
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) {
      handle_ = fd;
      return 0;
    }
    err = errno;
  }
  name.clear();
  return err;
}

ErrorCode FileHandle::OpenForWriting(const std::string& path) {
  Close();
  const int fd = OpenRegular(path, O_WRONLY);
  if (fd < 0) return errno;
  handle_ = fd;
  return 0;
}

ErrorCode FileHandle::OpenAndLock(const std::string& path, int waitMs) {
  Close();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    int fd = OpenRegular(path, O_RDONLY);
    if (fd < 0 && errno == EACCES) fd = OpenRegular(path, O_WRONLY);
    if (fd < 0) return errno;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int err = errno;
      if ((err != EWOULDBLOCK && err != EINTR) || std::chrono::steady_clock::now() >= deadline) {
        ::close(fd);
        return err;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // The holder we waited for may have renamed a new file into place: the
    // lock must be on the file that now has the name.
    struct stat held, named;
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
      handle_ = fd;
      return 0;
    }
    ::close(fd);
    if (std::chrono::steady_clock::now() >= deadline) return EWOULDBLOCK;
  }
}

FileInfo FileHandle::Info() const {
  struct stat st;
  return IsOpen() && ::fstat(Fd(handle_), &st) == 0 ? InfoOf(st) : FileInfo{};
}

ErrorCode FileHandle::Write(std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(Fd(handle_), data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

ErrorCode FileHandle::Truncate() {
  if (::ftruncate(Fd(handle_), 0) != 0) return errno;
  if (::lseek(Fd(handle_), 0, SEEK_SET) < 0) return errno;
  return 0;
}

ErrorCode FileHandle::Sync() { return ::fsync(Fd(handle_)) == 0 ? 0 : errno; }

void FileHandle::TakeAttributesOf(const FileInfo& like) {
  // Owner and group first: a change of owner may clear the set-id bits,
  // which the mode then puts back. A user may only give a file a group
  // they belong to, and only root may give it another owner.
  if (::fchown(Fd(handle_), static_cast<uid_t>(like.owner), static_cast<gid_t>(like.group)) != 0)
    (void)::fchown(Fd(handle_), static_cast<uid_t>(-1), static_cast<gid_t>(like.group));
  (void)::fchmod(Fd(handle_), static_cast<mode_t>(like.mode));
}

ErrorCode FileHandle::Close() {
  if (!IsOpen()) return 0;
  const int fd = Fd(std::exchange(handle_, kClosed));
  return ::close(fd) == 0 ? 0 : errno;
}

ErrorCode Replace(const std::string& from, const std::string& to, FileHandle& /*lock*/) {
  // The lock stays on the old file until after the rename: a writer waiting
  // for it then finds the new file under the name and locks that one.
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

ErrorCode RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // A file system without the flag: a hard link fails on an existing name
  // just as well, and the old name then goes.
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  return ::unlink(from.c_str()) == 0 ? 0 : errno;
}

ErrorCode ListFolderOf(const std::string& path, std::vector<std::string>& names) {
  names.clear();
  const std::string folder = FolderOf(path);
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return errno;
  errno = 0;
  while (const struct dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
    errno = 0;
  }
  const ErrorCode err = errno;
  ::closedir(dir);
  return err;
}

std::int64_t CurrentProcessId() { return ::getpid(); }

std::int64_t CurrentUserId() { return ::geteuid(); }

ErrorCode MakePrivateFolder(const std::string& path) {
  return ::mkdir(path.c_str(), S_IRWXU) == 0 ? 0 : errno;
}

bool ProcessRunning(std::int64_t pid) {
  // 0 and negative ids would ask about process groups: no answer is safe,
  // so they count as running. An id beyond pid_t names no process at all.
  if (pid <= 0) return true;
  if (pid != static_cast<pid_t>(pid)) return false;
  if (::kill(static_cast<pid_t>(pid), 0) == 0) return true;
  return errno != ESRCH;  // EPERM: it runs, as another user
}

ErrorCode Remove(const std::string& path) { return ::unlink(path.c_str()) == 0 ? 0 : errno; }

ErrorCode SyncFolderOf(const std::string& path) {
  const std::string folder = FolderOf(path);
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const ErrorCode err = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return err;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string UserDatabaseHome() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
  passwd entry{};
  passwd* found = nullptr;
  while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
         buffer.size() < (1u << 20))
    buffer.resize(buffer.size() * 2);
  return found && found->pw_dir ? std::string(found->pw_dir) : std::string();
}

std::string CanonicalName(const std::string& path) {
  const std::string file = FollowLinks(path);
  const std::string folder = FolderOf(file);
  const std::string name = file.substr(folder.empty() ? 0 : folder == "/" ? 1 : folder.size() + 1);
  char* real = ::realpath(folder.empty() ? "." : folder.c_str(), nullptr);
  if (real == nullptr) return file;
  std::string out = real;
  std::free(real);
  return out + (out == "/" ? "" : "/") + name;
}

}  // namespace morna::platform
