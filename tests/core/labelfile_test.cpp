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

}  // namespace
}  // namespace morna
