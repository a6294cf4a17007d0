#include "core/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/datafile.h"
#include "core/labelfile.h"
#include "core/platform.h"
#include "tests/core/tempdir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace morna {
namespace {

namespace fs = std::filesystem;
using platform::Kind;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

#ifdef _WIN32
#define SKIP_ON_WINDOWS(why) GTEST_SKIP() << why
#else
#define SKIP_ON_WINDOWS(why) (void)0
#endif

bool Save(const std::string& path, std::string_view data, std::string* error = nullptr) {
  const FileResult saved = SaveWholeFile(path, data);
  if (error != nullptr) *error = saved.systemMessage;
  return saved.ok();
}

// The name KeepAside gave the file ("" for no file); a failure fails the test.
std::string KeptAs(const std::string& path, DateTime now) {
  std::string keptAs = "not set";
  const FileResult kept = KeepAside(path, now, &keptAs);
  EXPECT_TRUE(kept.ok()) << kept.systemMessage;
  return keptAs;
}

// The names in the folder, to see that no temporary file is left over.
std::vector<std::string> Names(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

#ifndef _WIN32
// Runs `body` in a child process as the user "nobody" (or here, when this
// process is no superuser already) and returns its exit code; -1 when no
// unprivileged user can be had.
int RunUnprivileged(const std::function<int()>& body) {
  if (::geteuid() != 0) return body();
  const struct passwd* pw = ::getpwnam("nobody");
  if (pw == nullptr) return -1;
  const uid_t uid = pw->pw_uid;
  const gid_t gid = pw->pw_gid;
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) ::_exit(99);
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

// Gives `path` to "nobody" when we are the superuser, so that the child of
// RunUnprivileged may write it.
void GiveToNobody(const std::string& path) {
  if (::geteuid() != 0) return;
  if (const struct passwd* pw = ::getpwnam("nobody")) (void)::chown(path.c_str(), pw->pw_uid, pw->pw_gid);
}
#endif

TEST(SystemMessageTest, TrailingBlanksControlsAndPeriodsAreDropped) {
#ifndef _WIN32
  EXPECT_EQ(SystemMessage(ENOENT), "No such file or directory");
#endif
  for (platform::ErrorCode code : {platform::NotFoundCode(), platform::ExistsCode()}) {
    const std::string m = SystemMessage(code);
    ASSERT_FALSE(m.empty());
    EXPECT_NE(m.back(), '.');
    EXPECT_NE(m.back(), ' ');
    EXPECT_NE(m.back(), '\n');
  }
  EXPECT_EQ(SystemMessage(platform::kNotRegularFile), "Not a regular file");
}

TEST(ReplaceFileTest, ANewFileAndAReplacedOneLeaveNothingElseBehind) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  ASSERT_TRUE(Save(path, "one"));
  ASSERT_TRUE(Save(path, "two\r\n"));
  EXPECT_EQ(ReadBytes(path), "two\r\n");
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"d.dat"});
}

TEST(ReplaceFileTest, AFolderNamedLikeTheOldTemporaryFileDoesNotStopASave) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, "old");
  fs::create_directories(path + ".tmp~/x");
  std::string error;
  ASSERT_TRUE(Save(path, "new", &error)) << error;
  EXPECT_EQ(ReadBytes(path), "new");
}

TEST(ReplaceFileTest, AFailingWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
  SKIP_ON_WINDOWS("needs a file size limit (RLIMIT_FSIZE)");
#ifndef _WIN32
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, "old contents");
  const pid_t child = ::fork();
  if (child == 0) {
    // Writes past 100 bytes fail with EFBIG instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit{100, 100};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::string error;
    const bool saved = Save(path, std::string(5000, 'x'), &error);
    ::_exit(!saved && error == "File too large" ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadBytes(path), "old contents");
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"d.dat"});
#endif
}

TEST(ReplaceFileTest, AReadOnlyFolderGetsTheFileWrittenInPlace) {
  SKIP_ON_WINDOWS("folder permissions are POSIX");
#ifndef _WIN32
  TempDir dir;
  const std::string locked = dir.File("locked");
  const std::string open = dir.File("open");
  fs::create_directory(locked);
  fs::create_directory(open);
  for (const std::string& folder : {locked, open}) {
    WriteBytes(folder + "/d.dat", "old labels, a longer text than the new one");
    GiveToNobody(folder + "/d.dat");
  }
  // The folder of `locked` stays the superuser's (0755): nobody may not add
  // a file there, but may write the file.
  GiveToNobody(open);
  fs::permissions(locked, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
  if (::geteuid() != 0) fs::permissions(locked, fs::perms::owner_write, fs::perm_options::remove);
  const auto inodeBefore = [&](const std::string& f) { return platform::Inspect(f, false).inode; };
  const auto lockedInode = inodeBefore(locked + "/d.dat");
  const auto openInode = inodeBefore(open + "/d.dat");

  const int code = RunUnprivileged([&] {
    if (!Save(locked + "/d.dat", "new")) return 1;
    if (!Save(open + "/d.dat", "new")) return 2;
    return 0;
  });
  if (::geteuid() != 0) fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
  if (code == -1) GTEST_SKIP() << "no unprivileged user (nobody) to run as";
  ASSERT_EQ(code, 0);
  EXPECT_EQ(ReadBytes(locked + "/d.dat"), "new");
  EXPECT_EQ(ReadBytes(open + "/d.dat"), "new");
  // In place: the same file. Where the folder allows, the safe way: a new one.
  EXPECT_EQ(inodeBefore(locked + "/d.dat"), lockedInode);
  EXPECT_NE(inodeBefore(open + "/d.dat"), openInode);
  EXPECT_EQ(Names(locked), std::vector<std::string>{"d.dat"});
#endif
}

TEST(ReplaceFileTest, ASecondWriterWaitsForTheLock) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, "old");
  platform::FileHandle lock;
  ASSERT_EQ(lock.OpenAndLock(path, 0), 0);
  bool saved = false;
  std::thread writer([&] { saved = Save(path, "new"); });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(ReadBytes(path), "old");
  lock.Close();
  writer.join();
  EXPECT_TRUE(saved);
  EXPECT_EQ(ReadBytes(path), "new");
}

TEST(HeldLockTest, ItsOwnSaveGoesThroughAndTheLockFollowsTheNewFile) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, "old");
  HeldLock held;
  ASSERT_TRUE(held.Take(path).ok());
  ASSERT_TRUE(held.Held());
  platform::FileHandle other;
  EXPECT_TRUE(platform::IsLockBusy(other.OpenAndLock(path, 0)));
  // The save by the holder does not wait for itself (5 s otherwise).
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(Save(path, "new"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(ReadBytes(path), "new");
  // Still held, now on the file that has the name.
  EXPECT_TRUE(platform::IsLockBusy(other.OpenAndLock(path, 0)));
  EXPECT_TRUE(Save(path, "newer"));
  held.Release();
  EXPECT_EQ(other.OpenAndLock(path, 0), 0);
}

TEST(HeldLockTest, AnotherWritersSaveWaitsUntilTheHolderIsDone) {
  SKIP_ON_WINDOWS("a file another writer holds open while it waits cannot be renamed over there");
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, "old");
  HeldLock held;
  ASSERT_TRUE(held.Take(path).ok());
  platform::FileHandle other;
  // What another process's save does: wait for the lock.
  std::thread writer([&] { EXPECT_EQ(other.OpenAndLock(path, 5000), 0); });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_TRUE(Save(path, "mine"));
  held.Release();
  writer.join();
  EXPECT_EQ(ReadBytes(path), "mine");
}

TEST(HeldLockTest, AMissingFileHoldsNothingAndIsNoFailure) {
  TempDir dir;
  HeldLock held;
  EXPECT_TRUE(held.Take(dir.File("none.dat")).ok());
  EXPECT_FALSE(held.Held());
  EXPECT_TRUE(Save(dir.File("none.dat"), "x"));
}

TEST(ReplaceFileTest, TwoProgramsSavingAtOnceNeverTearTheFile) {
  SKIP_ON_WINDOWS("needs fork");
#ifndef _WIN32
  TempDir dir;
  const std::string path = dir.File("d.dat");
  const std::string a(20000, 'a'), b(30000, 'b');
  WriteBytes(path, a);
  pid_t writers[2];
  for (int w = 0; w < 2; ++w) {
    writers[w] = ::fork();
    if (writers[w] == 0) {
      for (int i = 0; i < 200; ++i)
        if (!Save(path, w == 0 ? a : b)) ::_exit(1);
      ::_exit(0);
    }
  }
  int torn = 0, reads = 0;
  for (bool running = true; running; ++reads) {
    const std::string now = ReadBytes(path);
    if (now != a && now != b) ++torn;
    running = ::waitpid(writers[0], nullptr, WNOHANG) == 0 || ::waitpid(writers[1], nullptr, WNOHANG) == 0;
  }
  for (pid_t w : writers) ::waitpid(w, nullptr, 0);
  EXPECT_EQ(torn, 0) << "of " << reads << " reads";
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"d.dat"});
#endif
}

TEST(ReplaceFileTest, AFifoIsNeitherWaitedOnNorReplaced) {
  SKIP_ON_WINDOWS("FIFOs are POSIX");
#ifndef _WIN32
  TempDir dir;
  const std::string path = dir.File("d.dat");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  ::alarm(10);  // a read that waits for a writer ends the test here
  PostTable t(30);
  const FileResult r = LabelFile(path).Load(t);
  EXPECT_EQ(r.status, FileResult::Status::Failed);
  EXPECT_EQ(r.systemMessage, "Not a regular file");
  std::string error;
  EXPECT_FALSE(Save(path, "x", &error));
  EXPECT_EQ(error, "Not a regular file");
  const FileResult kept = KeepAside(path, MakeDateTime(2030, 1, 2));
  EXPECT_FALSE(kept.ok());
  EXPECT_EQ(kept.systemMessage, "Not a regular file");
  ::alarm(0);
  EXPECT_EQ(platform::Inspect(path, false).kind, Kind::Other);
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"d.dat"});
#endif
}

TEST(ReplaceFileTest, ADanglingLinkIsSavedAtItsTarget) {
  SKIP_ON_WINDOWS("symbolic links need special rights on Windows");
  TempDir dir;
  const std::string link = dir.File("d.dat");
  fs::create_directory(dir.File("real"));
  fs::create_symlink("real/labels.dat", link);
  ASSERT_TRUE(Save(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(dir.File("real/labels.dat")), "new");

  // A target that cannot be created: the write error, and the link stays.
  const std::string broken = dir.File("broken.dat");
  fs::create_symlink("no/such/folder/labels.dat", broken);
  std::string error;
  EXPECT_FALSE(Save(broken, "new", &error));
  EXPECT_EQ(error, SystemMessage(platform::NotFoundCode()));
  EXPECT_TRUE(fs::is_symlink(broken));
  EXPECT_EQ(fs::read_symlink(broken), "no/such/folder/labels.dat");
}

TEST(ReplaceFileTest, PermissionsOwnerAndGroupAreKept) {
  SKIP_ON_WINDOWS("permission bits and owners are POSIX");
#ifndef _WIN32
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, "old");
  ::chmod(path.c_str(), 0640);
  const struct passwd* pw = ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr;
  if (pw != nullptr) {
    ASSERT_EQ(::chown(path.c_str(), pw->pw_uid, pw->pw_gid), 0);
  }
  const platform::FileInfo before = platform::Inspect(path, false);
  ASSERT_TRUE(Save(path, "new"));
  const platform::FileInfo after = platform::Inspect(path, false);
  EXPECT_EQ(after.mode, 0640u);
  EXPECT_EQ(after.owner, before.owner);
  EXPECT_EQ(after.group, before.group);
#endif
}

#ifdef _WIN32
// What Windows has instead of POSIX permissions: a file another program
// holds open without sharing cannot be read (the read error, no first
// start), and a read-only file refuses the save and stays whole.
TEST(ReplaceFileTest, AFileHeldOpenOrReadOnlyIsRefusedAndKept) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, "Time=2000/12/16 09:00\r\n");
  HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  PostTable t(30);
  const FileResult r = LabelFile(path).Load(t);
  ::CloseHandle(held);
  EXPECT_EQ(r.status, FileResult::Status::Failed);
  EXPECT_EQ(r.systemMessage, SystemMessage(ERROR_SHARING_VIOLATION));

  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  std::string error;
  EXPECT_FALSE(Save(path, "new", &error));
  EXPECT_EQ(error, SystemMessage(ERROR_ACCESS_DENIED));
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(path), "Time=2000/12/16 09:00\r\n");
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"d.dat"});
}
#endif

TEST(KeepAsideTest, BackupsNeverReplaceBackups) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  const DateTime now = MakeDateTime(2030, 6, 15, 8, 54, 40);
  EXPECT_EQ(KeptAs(path, now), "");  // nothing there: nothing to keep

  WriteBytes(path, "first");
  EXPECT_EQ(KeptAs(path, now), path + ".bak");
  WriteBytes(path, "second");
  EXPECT_EQ(KeptAs(path, now), path + ".bak2");
  for (int n = 3; n <= 99; ++n) WriteBytes(path + ".bak" + std::to_string(n), "older");
  WriteBytes(path, "third");
  EXPECT_EQ(KeptAs(path, now), path + ".bak-20300615-085440");
  WriteBytes(path, "fourth");
  EXPECT_EQ(KeptAs(path, now), path + ".bak-20300615-085440-2");
  EXPECT_EQ(ReadBytes(path + ".bak"), "first");
  EXPECT_EQ(ReadBytes(path + ".bak2"), "second");
  EXPECT_EQ(ReadBytes(path + ".bak99"), "older");
  EXPECT_EQ(ReadBytes(path + ".bak-20300615-085440"), "third");
  EXPECT_FALSE(fs::exists(path));
}

TEST(KeepAsideTest, ALinkedFileIsKeptBesideItsTargetAndTheLinkStays) {
  SKIP_ON_WINDOWS("symbolic links need special rights on Windows");
  TempDir dir;
  fs::create_directory(dir.File("real"));
  WriteBytes(dir.File("real/labels.dat"), "unreadable labels");
  fs::create_symlink("real/labels.dat", dir.File("d.dat"));
  EXPECT_EQ(KeptAs(dir.File("d.dat"), MakeDateTime(2030, 1, 2)), dir.File("real/labels.dat.bak"));
  EXPECT_TRUE(fs::is_symlink(dir.File("d.dat")));
  EXPECT_EQ(ReadBytes(dir.File("real/labels.dat.bak")), "unreadable labels");
}

TEST(PlatformTest, FolderOfAndCanonicalNames) {
  EXPECT_EQ(platform::FolderOf("d.dat"), "");
#ifdef _WIN32
  EXPECT_EQ(platform::FolderOf("C:\\a\\d.dat"), "C:\\a");
  EXPECT_EQ(platform::FolderOf("C:\\d.dat"), "C:\\");
  // 0x95 0x5C is one character whose second byte is the backslash.
  if (::GetACP() == 932) {
    EXPECT_EQ(platform::FolderOf("C:\\\x95\x5C.dat"), "C:\\");
  } else {
    ADD_FAILURE() << "the ANSI code page is " << ::GetACP() << ", not 932 (Shift-JIS)";
  }
#else
  EXPECT_EQ(platform::FolderOf("/a/b/d.dat"), "/a/b");
  EXPECT_EQ(platform::FolderOf("/d.dat"), "/");
  TempDir dir;
  fs::create_directory(dir.File("real"));
  fs::create_directory_symlink("real", dir.File("alias"));
  fs::create_symlink("alias/x.dat", dir.File("link.dat"));
  const std::string canonical = fs::canonical(dir.Path()).string() + "/real/x.dat";
  EXPECT_EQ(platform::CanonicalName(dir.File("link.dat")), canonical);
  EXPECT_EQ(platform::CanonicalName(dir.File("alias/x.dat")), canonical);
#endif
}

// A process id that no process has any more.
std::int64_t DeadProcessId() {
#ifdef _WIN32
  // Windows gives only multiples of 4; an odd id never names a process.
  return 0x7FFFFFF1;
#else
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
#endif
}

TEST(LeftoverTest, TheOwnerIsReadOnlyFromTemporaryNamesOfTheSameFile) {
  EXPECT_EQ(TemporaryOwner("~syncthing~Dpstitdt.dat.1234-0-0a1b2c3d.tmp", "Dpstitdt.dat"), 1234);
  // The name earlier versions gave.
  EXPECT_EQ(TemporaryOwner("Dpstitdt.dat.tmp~98765-12-ffffffff", "Dpstitdt.dat"), 98765);
  for (const char* other : {
           "Dpstitdt.dat", "Dpstitdt.dat.bak", "Dpstitdt.dat.past",
           "~syncthing~Morna.ini.1234-0-0a1b2c3d.tmp",      // another file's
           "Dpstitdt.dat2.tmp~1234-0-0a1b2c3d",              // another file's
           "~syncthing~Dpstitdt.dat.tmp",                   // the sync client's own
           "~syncthing~Dpstitdt.dat.1234-0-0a1b2c3d.tmp.x",  // not as we write it
           "Dpstitdt.dat.tmp~1234-0-0a1b2c3d.bak", "Dpstitdt.dat.tmp~1234-0-0A1B2C3D",
           "Dpstitdt.dat.tmp~1234-0-0a1b2c3", "Dpstitdt.dat.tmp~0-0-0a1b2c3d",
           "Dpstitdt.dat.tmp~-1-0-0a1b2c3d", "Dpstitdt.dat.tmp~1234--0a1b2c3d", "Dpstitdt.dat.tmp~"}) {
    EXPECT_EQ(TemporaryOwner(other, "Dpstitdt.dat"), 0) << other;
  }
  EXPECT_EQ(TemporaryOwner("~syncthing~.1-0-0a1b2c3d.tmp", ""), 0);

  // The names a save really makes are read back.
  TempDir dir;
  platform::FileHandle f;
  std::string name;
  ASSERT_EQ(f.CreateUnique(dir.File(std::string(kTemporaryPrefix) + "d.dat."), kTemporarySuffix,
                           name), 0);
  EXPECT_EQ(TemporaryOwner(fs::path(name).filename().string(), "d.dat"),
            platform::CurrentProcessId());
}

TEST(LeftoverTest, OnlyTemporariesOfProcessesThatAreGoneAreChosen) {
  const std::vector<std::string> entries = {
      "d.dat", "~syncthing~d.dat.100-0-00000000.tmp", "~syncthing~d.dat.200-0-00000000.tmp",
      "d.dat.tmp~100-1-00000001", "d.dat.tmp~200-1-00000001", "~syncthing~e.dat.100-0-00000000.tmp"};
  const auto running = [](std::int64_t pid) { return pid == 200; };
  EXPECT_EQ(OrphanedTemporaries(entries, "d.dat", running),
            (std::vector<std::string>{"~syncthing~d.dat.100-0-00000000.tmp", "d.dat.tmp~100-1-00000001"}));

  EXPECT_TRUE(platform::ProcessRunning(platform::CurrentProcessId()));
  EXPECT_FALSE(platform::ProcessRunning(DeadProcessId()));

  // A save in progress is minutes old at most, whichever way the clock went.
  EXPECT_FALSE(OutsideSaveTime(1000, 1000 + kSaveSeconds));
  EXPECT_FALSE(OutsideSaveTime(1000 + kSaveSeconds, 1000));
  EXPECT_TRUE(OutsideSaveTime(1000, 1001 + kSaveSeconds));
  EXPECT_TRUE(OutsideSaveTime(1001 + kSaveSeconds, 1000));
}

TEST(LeftoverTest, ASaveRemovesOnlyOldTemporariesOfItsFileWhoseProcessIsGone) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, "old");
  const std::string dead = std::to_string(DeadProcessId());
  const std::string alive = std::to_string(platform::CurrentProcessId());
  const auto hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
  auto plant = [&](const std::string& name, bool old) {
    WriteBytes(dir.File(name), "part of a save");
    if (old) fs::last_write_time(dir.File(name), hourAgo);
  };
  plant("~syncthing~d.dat." + dead + "-0-0000000a.tmp", true);
  plant("d.dat.tmp~" + dead + "-1-0000000b", true);
  // Kept: written moments ago (a save on another computer sharing the
  // folder), a process that runs, another file's, and a folder.
  plant("~syncthing~d.dat." + dead + "-2-0000000c.tmp", false);
  plant("~syncthing~d.dat." + alive + "-3-0000000d.tmp", true);
  plant("~syncthing~e.dat." + dead + "-4-0000000e.tmp", true);
  fs::create_directory(dir.File("d.dat.tmp~" + dead + "-5-0000000f"));
  std::error_code ec;  // MinGW's library cannot set a folder's time
  fs::last_write_time(dir.File("d.dat.tmp~" + dead + "-5-0000000f"), hourAgo, ec);

  ASSERT_TRUE(Save(path, "new"));
  EXPECT_EQ(ReadBytes(path), "new");
  std::vector<std::string> kept = {"d.dat", "d.dat.tmp~" + dead + "-5-0000000f",
                                   "~syncthing~d.dat." + dead + "-2-0000000c.tmp",
                                   "~syncthing~d.dat." + alive + "-3-0000000d.tmp",
                                   "~syncthing~e.dat." + dead + "-4-0000000e.tmp"};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Names(dir.Path()), kept);
}

}  // namespace
}  // namespace morna
