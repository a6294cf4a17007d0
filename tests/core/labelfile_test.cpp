#include "core/labelfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/datafile.h"
#include "tests/core/tempdir.h"

namespace morna {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const DateTime kNow = MakeDateTime(2030, 6, 15, 8, 54, 40);

std::string Labels(int count) {
  std::string out;
  for (int i = 0; i < count; ++i)
    out += "Time=2030/06/20 09:" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "\r\nMemo=n\r\n";
  return out;
}

TEST(LabelFileTest, AnUnreadableFileIsKeptAsideBeforeItsFirstOverwriteOnly) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  const std::string tooMany = Labels(51);  // more than any table holds
  WriteBytes(path, tooMany);
  LabelFile file(path);
  PostTable t(30);
  EXPECT_FALSE(file.Load(t).ok());
  EXPECT_TRUE(file.LoadFailed());
  EXPECT_FALSE(file.LastSeen());

  ASSERT_TRUE(file.Save(t, kNow).ok());
  EXPECT_EQ(file.KeptAs(), path + ".bak");
  EXPECT_EQ(ReadBytes(path + ".bak"), tooMany);
  EXPECT_EQ(ReadBytes(path), FormatPostData(t));
  ASSERT_TRUE(file.Save(t, kNow).ok());
  EXPECT_FALSE(std::filesystem::exists(path + ".bak2"));
}

TEST(LabelFileTest, AnotherNameIsWrittenWithoutKeepingTheUnreadableFileAside) {
  TempDir dir;
  WriteBytes(dir.File("d.dat"), Labels(51));
  LabelFile file(dir.File("d.dat"));
  PostTable t(30);
  file.Load(t);
  file.SetPath(dir.File("e.dat"));
  ASSERT_TRUE(file.Save(t, kNow).ok());
  EXPECT_EQ(ReadBytes(dir.File("d.dat")), Labels(51));
  EXPECT_FALSE(std::filesystem::exists(dir.File("d.dat.bak")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("e.dat.bak")));
}

TEST(LabelFileTest, AFailedKeepAsideWritesNothing) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, Labels(51));
  for (int n = 1; n <= 99; ++n)
    WriteBytes(path + ".bak" + (n == 1 ? std::string() : std::to_string(n)), "");
  for (int n = 1; n <= 1000; ++n)
    WriteBytes(path + ".bak-20300615-085440" + (n == 1 ? std::string() : "-" + std::to_string(n)),
               "");
  LabelFile file(path);
  PostTable t(30);
  file.Load(t);
  EXPECT_FALSE(file.Save(t, kNow).ok());
  EXPECT_EQ(ReadBytes(path), Labels(51));
}

TEST(LabelFileTest, RemembersTheBytesLastReadOrWritten) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  LabelFile file(path);
  PostTable t(30);
  EXPECT_TRUE(file.Load(t).missing());
  EXPECT_EQ(file.LastSeen(), std::string());  // no file: nothing on disk yet

  WriteBytes(path, Labels(2));
  PostTable u(30);
  ASSERT_TRUE(file.Load(u).ok());
  EXPECT_EQ(file.LastSeen(), Labels(2));

  u.Slot(0).Lines = {"changed"};
  ASSERT_TRUE(file.Save(u, kNow).ok());
  EXPECT_EQ(file.LastSeen(), ReadBytes(path));

  // A failed save leaves what was seen; another name forgets it.
  const std::string seen = *file.LastSeen();
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  EXPECT_FALSE(file.Save(u, kNow).ok());
  EXPECT_EQ(file.LastSeen(), seen);
  file.SetPath(dir.File("e.dat"));
  EXPECT_FALSE(file.LastSeen());
}

PostSlot L(const char* time, std::string line = "m") { return PostSlot{time, {std::move(line)}}; }

std::vector<std::string> Texts(const std::vector<PostSlot>& labels) {
  std::vector<std::string> out;
  for (const PostSlot& l : labels) out.push_back(l.DateTimeText + "|" + JoinMessage(l.Lines));
  return out;
}

TEST(MergeLabelsTest, EachSideKeepsWhatItAddedAndLosesWhatEitherRemoved) {
  const PostSlot a = L("2030/06/20 09:00"), b = L("2030/06/21 09:00"), c = L("2030/06/22 09:00");
  const PostSlot x = L("2030/07/01 10:00", "theirs"), y = L("2030/07/02 10:00", "ours");
  struct Case {
    const char* what;
    std::vector<PostSlot> base, theirs, ours;
    std::vector<std::string> merged;
  };
  const Case cases[] = {
      {"added on both sides", {a}, {a, x}, {a, y},
       {"2030/06/20 09:00|m", "2030/07/02 10:00|ours", "2030/07/01 10:00|theirs"}},
      {"removed on theirs, kept on ours", {a, b}, {a}, {a, b}, {"2030/06/20 09:00|m"}},
      {"removed on ours, kept on theirs", {a, b}, {a, b}, {b}, {"2030/06/21 09:00|m"}},
      {"removed on both sides", {a, b, c}, {a, c}, {a, c}, {"2030/06/20 09:00|m", "2030/06/22 09:00|m"}},
      {"the same label added on both sides is kept once", {a}, {a, x}, {a, x},
       {"2030/06/20 09:00|m", "2030/07/01 10:00|theirs"}},
      {"a label held twice on one side stays twice", {a}, {a, x, x}, {a},
       {"2030/06/20 09:00|m", "2030/07/01 10:00|theirs", "2030/07/01 10:00|theirs"}},
      {"changed on theirs: removed and added", {a, b}, {a, L("2030/06/21 09:00", "new text")}, {a, b},
       {"2030/06/20 09:00|m", "2030/06/21 09:00|new text"}},
      {"changed on ours while theirs removed it: the change stays", {a, b}, {a},
       {a, L("2030/06/21 09:30")}, {"2030/06/20 09:00|m", "2030/06/21 09:30|m"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Texts(MergeLabels(c.base, c.theirs, c.ours)), c.merged) << c.what;
}

TEST(MergeLabelsTest, ConflictCopyNamesFollowTheDataFileName) {
  for (const char* name : {"Dpstitdt.sync-conflict-20261208-115138-ABCDEF7.dat",
                           "Dpstitdt (conflicted copy 2026-12-08 115138).dat",
                           "Dpstitdt (Hanako's conflicted copy 2026-12-08).dat"})
    EXPECT_TRUE(IsConflictCopyName(name, "Dpstitdt.dat")) << name;
  for (const char* name : {"Dpstitdt.dat", "Dpstitdt.sync-conflict-20261208-115138-ABCDEF7.dat.merged",
                           "Other.sync-conflict-20261208-115138-ABCDEF7.dat",
                           "Dpstitdt.sync-conflict-2026128-115138-ABCDEF7.dat", "Dpstitdt (copy).dat",
                           "Dpstitdt.dat.tmp~123-1-abc"})
    EXPECT_FALSE(IsConflictCopyName(name, "Dpstitdt.dat")) << name;
  EXPECT_TRUE(IsConflictCopyName("labels.sync-conflict-20261208-115138-ABCDEF7", "labels"));
}

// The label file replaced from outside (as a sync client renames a new file
// over it) while the table changed too: a save writes both sides' labels.
TEST(LabelFileSyncTest, ASaveNeverWritesOverAnUnseenChange) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, "Time=2030/06/20 09:00\r\nMemo=both\r\n");
  LabelFile file(path);
  PostTable t(30);
  ASSERT_TRUE(file.Load(t).ok());
  EXPECT_FALSE(file.MayHaveChanged());

  WriteBytes(dir.File("new"), "Time=2030/06/20 09:00\r\nMemo=both\r\nTime=2030/07/01 10:00\r\nMemo=other computer\r\n");
  std::filesystem::rename(dir.File("new"), path);
  EXPECT_TRUE(file.MayHaveChanged());
  t.Slot(1) = L("2030/07/02 10:00", "this computer");
  OutsideChanges outside;
  ASSERT_TRUE(file.Save(t, kNow, &outside).ok());
  EXPECT_TRUE(outside.changed);
  EXPECT_EQ(ReadBytes(path),
            "Time=2030/06/20 09:00\r\nMemo=both\r\nTime=2030/07/02 10:00\r\nMemo=this computer\r\n"
            "Time=2030/07/01 10:00\r\nMemo=other computer\r\n");
  EXPECT_FALSE(file.MayHaveChanged());
}

TEST(LabelFileSyncTest, UnreadableOrMissingTheirsIsNeverTakenAsEmpty) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, Labels(2));
  LabelFile file(path);
  PostTable t(30);
  ASSERT_TRUE(file.Load(t).ok());
  WriteBytes(path, Labels(51));  // cannot be read whole
  OutsideChanges outside = file.TakeInOutsideChanges(t);
  EXPECT_FALSE(outside.read.ok());
  EXPECT_EQ(t.LabelCount(), 2);
  // A save keeps the unreadable file aside before writing.
  ASSERT_TRUE(file.Save(t, kNow).ok());
  EXPECT_EQ(ReadBytes(path + ".bak"), Labels(51));
  EXPECT_EQ(ReadBytes(path), Labels(2));

  std::filesystem::remove(path);
  outside = file.TakeInOutsideChanges(t);
  EXPECT_FALSE(outside.changed);
  EXPECT_EQ(t.LabelCount(), 2);
}

TEST(LabelFileSyncTest, ConflictCopiesAreMergedOnceAndLabelsBeyondTheTableAreKept) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, Labels(2));
  LabelFile file(path);
  PostTable t(3);
  ASSERT_TRUE(file.Load(t).ok());
  const std::string copy = dir.File("d.sync-conflict-20261208-115138-ABCDEF7.dat");
  // The copy lacks the second label (not a removal) and adds 49 of its own.
  std::string copyBytes = Labels(1);
  for (int i = 0; i < 49; ++i)
    copyBytes += "Time=2030/08/01 10:" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "\r\nMemo=c\r\n";
  WriteBytes(copy, copyBytes);
  ASSERT_TRUE(file.MayHaveChanged());
  const OutsideChanges outside = file.TakeInOutsideChanges(t);
  EXPECT_TRUE(outside.changed);
  EXPECT_EQ(outside.mergedCopies, std::vector<std::string>{copy + ".merged"});
  EXPECT_EQ(ReadBytes(copy + ".merged"), copyBytes);
  EXPECT_FALSE(std::filesystem::exists(copy));
  // 2 + 49 labels: the table grows to its maximum of 50, one is kept aside.
  EXPECT_EQ(t.LabelCount(), 50);
  EXPECT_EQ(outside.keptCount, 1);
  EXPECT_EQ(outside.keptFile, path + ".kept");
  EXPECT_EQ(ReadBytes(path + ".kept"), "Time=2030/08/01 10:48\r\nMemo=c\r\n");
  EXPECT_FALSE(file.MayHaveChanged());
}

TEST(LabelFileTest, SwitchingTakesALabelFileAndRefusesAnythingElse) {
  TempDir dir;
  WriteBytes(dir.File("old.dat"), Labels(1));
  WriteBytes(dir.File("other.dat"), Labels(3));
  WriteBytes(dir.File("notes.txt"), "shopping list\r\n");
  WriteBytes(dir.File("empty.dat"), "");
  LabelFile file(dir.File("old.dat"));
  PostTable t(30);
  ASSERT_TRUE(file.Load(t).ok());

  EXPECT_EQ(file.SwitchTo(dir.File("notes.txt"), t).outcome, LabelFile::Switch::Refused);
  EXPECT_EQ(file.SwitchTo(dir.File("notes.txt"), t).refusal, LabelFile::Refusal::NotALabelFile);
  EXPECT_EQ(file.SwitchTo(dir.Path().string(), t).outcome, LabelFile::Switch::Refused);
  EXPECT_EQ(file.Path(), dir.File("old.dat"));
  EXPECT_EQ(t.LabelCount(), 1);

  EXPECT_EQ(file.SwitchTo(dir.File("other.dat"), t).outcome, LabelFile::Switch::Taken);
  EXPECT_EQ(t.LabelCount(), 3);
  EXPECT_EQ(file.Path(), dir.File("other.dat"));
  EXPECT_EQ(ReadBytes(dir.File("old.dat")), Labels(1));
  EXPECT_EQ(file.SwitchTo(dir.File("empty.dat"), t).outcome, LabelFile::Switch::Taken);
  EXPECT_EQ(t.LabelCount(), 0);

  t.Slot(0) = PostSlot{"2030/06/20 09:00", {"kept"}};
  EXPECT_EQ(file.SwitchTo(dir.File("new.dat"), t).outcome, LabelFile::Switch::NewFile);
  EXPECT_EQ(t.LabelCount(), 1);
  ASSERT_TRUE(file.Save(t, kNow).ok());
  EXPECT_EQ(ReadBytes(dir.File("new.dat")), FormatPostData(t));
}

}  // namespace
}  // namespace morna
