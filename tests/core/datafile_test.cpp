#include "core/datafile.h"
#include "core/labelfile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/files.h"
#include "tests/core/tempdir.h"

namespace morna {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Lines = std::vector<std::string>;
using Status = FileResult::Status;

PostTable LoadBytes(const std::string& bytes, int dataCnt = 30, FileResult* result = nullptr) {
  PostTable t(dataCnt);
  const FileResult r = ParsePostData(bytes, t);
  if (result != nullptr) *result = r;
  return t;
}

TEST(LoadDataFile, EmptyAndMissingFilesGiveNoLabels) {
  TempDir dir;
  FileResult r;
  PostTable t = LoadBytes("", 30, &r);
  EXPECT_EQ(r.status, Status::Ok);
  EXPECT_EQ(t.LabelCount(), 0);
  WriteBytes(dir.File("empty.dat"), "");
  EXPECT_EQ(LabelFile(dir.File("empty.dat")).Load(t).status, Status::Ok);
  EXPECT_EQ(t.LabelCount(), 0);

  PostTable m(30);
  r = LabelFile(dir.File("none.dat")).Load(m);
  EXPECT_EQ(r.status, Status::Missing);
  EXPECT_TRUE(r.ok());
  EXPECT_TRUE(r.systemMessage.empty());
  EXPECT_EQ(m.LabelCount(), 0);
}

TEST(LoadDataFile, AnUnreadableFileFailsWithTheSystemText) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("folder.dat"));
  PostTable t(30);
  const FileResult r = LabelFile(dir.File("folder.dat")).Load(t);
  EXPECT_EQ(r.status, Status::Failed);
  EXPECT_FALSE(r.ok());
#ifdef _WIN32
  EXPECT_EQ(r.systemMessage, "Not a regular file");
#else
  EXPECT_EQ(r.systemMessage, "Is a directory");
#endif
  EXPECT_EQ(t.LabelCount(), 0);
}

TEST(LoadDataFile, AFileInAMissingFolderIsAnErrorNotAFirstStart) {
  TempDir dir;
  PostTable t(30);
  const FileResult r = LabelFile(dir.File("gone/Dpstitdt.dat")).Load(t);
  EXPECT_EQ(r.status, Status::Failed);
  EXPECT_FALSE(r.systemMessage.empty());
  EXPECT_EQ(t.LabelCount(), 0);
}

TEST(LoadDataFile, EmptyMessageLinesRoundTripByteForByte) {
  TempDir dir;
  const std::string bytes = "Time=2000/12/16 09:00\r\nMemo=a\r\nMemo=\r\nMemo=b\r\n";
  PostTable t = LoadBytes(bytes);
  ASSERT_EQ(t.LabelCount(), 1);
  EXPECT_EQ(t.Slot(0).DateTimeText, "2000/12/16 09:00");
  EXPECT_EQ(t.Slot(0).Lines, (Lines{"a", "", "b"}));
  const std::string out = dir.File("out.dat");
  ASSERT_EQ(LabelFile(out).Save(t, DateTime{}).status, Status::Ok);
  EXPECT_EQ(ReadBytes(out), bytes);
  PostTable back(30);
  ASSERT_EQ(LabelFile(out).Load(back).status, Status::Ok);
  EXPECT_EQ(back.Slot(0).Lines, (Lines{"a", "", "b"}));
}

TEST(LoadDataFile, OnlyA21ByteTimeLineStartsALabel) {
  PostTable t = LoadBytes(
                          "Time=1900/12/01 00:00\r\nMemo=x\r\nTime=2000/12/16 9:00\r\n"
                          "Xxxx=y=z\r\nMem\r\nTime=2000/12/16 09:00:00\r\n");
  ASSERT_EQ(t.LabelCount(), 1);
  EXPECT_TRUE(t.Slot(0).IsToDo());
  EXPECT_EQ(t.Slot(0).Lines, (Lines{"x", "2000/12/16 9:00", "y=z", "", "2000/12/16 09:00:00"}));
}

TEST(LoadDataFile, LineEndsAreCrWithAnOptionalLfAndCtrlZEndsTheFile) {
  // LF alone is an ordinary byte: the whole file is one line.
  PostTable lf = LoadBytes("Time=2000/12/16 09:00\nMemo=a\n");
  EXPECT_EQ(lf.LabelCount(), 0);

  PostTable cr = LoadBytes("Time=2000/12/16 09:00\rMemo=a\nb\rMemo=c");
  ASSERT_EQ(cr.LabelCount(), 1);
  EXPECT_EQ(cr.Slot(0).Lines, (Lines{"a\nb", "c"}));

  PostTable z = LoadBytes("Time=2000/12/16 09:00\r\nMemo=a\x1a\r\nTime=2000/12/17 09:00\r\n");
  ASSERT_EQ(z.LabelCount(), 1);
  EXPECT_EQ(z.Slot(0).Lines, Lines{"a"});
}

TEST(LoadDataFile, MessageLinesBeforeTheFirstTimeLineAreSkipped) {
  PostTable t = LoadBytes("Memo=stray\r\nTime=2000/12/16 09:00\r\nMemo=kept\r\n");
  ASSERT_EQ(t.LabelCount(), 1);
  EXPECT_EQ(t.Slot(0).Lines, Lines{"kept"});
}

std::string ManyLabels(int n) {
  std::string bytes;
  for (int i = 0; i < n; ++i) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "Time=2001/01/%02d 09:00\r\nMemo=%d\r\n", i % 28 + 1, i);
    bytes += buf;
  }
  return bytes;
}

TEST(LoadDataFile, MoreLabelsThanSlotsGrowTheTableUpTo50) {
  FileResult r;
  PostTable t = LoadBytes(ManyLabels(12), 10, &r);
  EXPECT_EQ(r.status, Status::Ok);
  EXPECT_EQ(t.DataCnt(), 12);
  EXPECT_EQ(t.LabelCount(), 12);
  EXPECT_EQ(t.Slot(11).Lines, Lines{"11"});
  EXPECT_TRUE(t.SpareSlot().IsFree());
}

TEST(LoadDataFile, MoreThan50LabelsLoadTheFirst50AndReportFailure) {
  FileResult r;
  PostTable t = LoadBytes(ManyLabels(53), 30, &r);
  EXPECT_EQ(r.status, Status::Failed);
  EXPECT_EQ(r.systemMessage, SystemMessage(platform::FileTooLargeCode()));
#ifndef _WIN32
  EXPECT_EQ(r.systemMessage, "File too large");
#endif
  EXPECT_EQ(t.DataCnt(), 50);
  EXPECT_EQ(t.LabelCount(), 50);
  EXPECT_EQ(t.Slot(49).Lines, Lines{"49"});
  EXPECT_TRUE(t.SpareSlot().IsFree());
}

TEST(SaveDataFile, WritesLabelsInSlotOrderWithoutFreeSlots) {
  TempDir dir;
  PostTable t(5);
  t.Slot(1).DateTimeText = "2000/12/16 09:00";
  t.Slot(3).DateTimeText = std::string(kToDoSentinel);
  t.Slot(3).Lines = {"x"};
  t.Slot(4).DateTimeText = "2000/12/16 09:00 extra";
  t.SpareSlot().DateTimeText = "never written";
  const std::string path = dir.File("d.dat");
  ASSERT_EQ(LabelFile(path).Save(t, DateTime{}).status, Status::Ok);
  EXPECT_EQ(ReadBytes(path),
            "Time=2000/12/16 09:00\r\nTime=1900/12/01 00:00\r\nMemo=x\r\n"
            "Time=2000/12/16 09:00 extra\r\n");

  PostTable back(5);
  ASSERT_EQ(LabelFile(path).Load(back).status, Status::Ok);
  EXPECT_EQ(back.Slot(0).DateTimeText, "2000/12/16 09:00");
  EXPECT_TRUE(back.Slot(0).Lines.empty());
  EXPECT_TRUE(back.Slot(1).IsToDo());
  // The over-long time line reads back as a message line of the label before.
  EXPECT_EQ(back.Slot(1).Lines, (Lines{"x", "2000/12/16 09:00 extra"}));
  EXPECT_EQ(back.LabelCount(), 2);
}

TEST(SaveDataFile, TextsThatWouldNotReadBackAreMadeSafe) {
  PostTable t(2);
  t.Slot(0).DateTimeText = "2000/12/16 09:00";
  t.Slot(0).Lines = {"a\r\nb", "c\x1a" "d", "e\nf"};
  t.Slot(1).DateTimeText = "2000/12/17 09:00";
  PostTable back(2);
  ASSERT_EQ(ParsePostData(FormatPostData(t), back).status, Status::Ok);
  EXPECT_EQ(back.Slot(0).Lines, (Lines{"a", "b", "cd", "e\nf"}));
  EXPECT_EQ(back.Slot(1).DateTimeText, "2000/12/17 09:00");
}

TEST(SaveDataFile, AFailedSaveReportsTheSystemText) {
  TempDir dir;
  PostTable t(2);
  t.Slot(0).DateTimeText = "2000/12/16 09:00";

  FileResult r = LabelFile(dir.File("no/such/d.dat")).Save(t, DateTime{});
  EXPECT_EQ(r.status, Status::Failed);
#ifndef _WIN32
  EXPECT_EQ(r.systemMessage, "No such file or directory");
#else
  EXPECT_FALSE(r.systemMessage.empty());
#endif
}

}  // namespace
}  // namespace morna
