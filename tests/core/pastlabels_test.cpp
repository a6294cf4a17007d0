#include "core/pastlabels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/datafile.h"
#include "tests/core/tempdir.h"

namespace morna {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

PostSlot Label(std::string time, std::vector<std::string> lines) {
  PostSlot slot;
  slot.DateTimeText = std::move(time);
  slot.Lines = std::move(lines);
  return slot;
}

const std::string kFirst = "Time=2030/01/01 10:00\r\nMemo=first\r\n";
const std::string kSecond = "Time=2030/01/02 10:00\r\nMemo=second\r\nMemo=two lines\r\n";

TEST(PastLabelsTest, LabelsAreAppendedInTheDataFileFormat) {
  const std::vector<PostSlot> labels = {Label("2030/01/02 10:00", {"second", "two lines"}),
                                        Label("2030/01/03 10:00", {})};
  const std::string out = AppendPastLabels(kFirst, labels);
  EXPECT_EQ(out, kFirst + kSecond + "Time=2030/01/03 10:00\r\n");
  PostTable back(5);
  ASSERT_TRUE(ParsePostData(out, back).ok());
  EXPECT_EQ(back.LabelCount(), 3);

  // A file that lost its last line break (edited by hand) gets one back, so
  // the next label still begins a line.
  EXPECT_EQ(AppendPastLabels("Time=2030/01/01 10:00\r\nMemo=first", {Label("2030/01/02 10:00", {})}),
            "Time=2030/01/01 10:00\r\nMemo=first\r\nTime=2030/01/02 10:00\r\n");
}

TEST(PastLabelsTest, BeyondTheCapWholeOldLabelsGoFromTheFrontButNewOnesStay) {
  const std::string old = kFirst + kSecond;
  const std::vector<PostSlot> third = {Label("2030/01/03 10:00", {"third"})};
  const std::string thirdBytes = "Time=2030/01/03 10:00\r\nMemo=third\r\n";
  // Room for all: nothing goes.
  EXPECT_EQ(AppendPastLabels(old, third, old.size() + thirdBytes.size()), old + thirdBytes);
  // One byte short: the whole first label goes, not just one byte of it.
  EXPECT_EQ(AppendPastLabels(old, third, old.size() + thirdBytes.size() - 1), kSecond + thirdBytes);
  // Room for the new label alone: every old one goes.
  EXPECT_EQ(AppendPastLabels(old, third, thirdBytes.size()), thirdBytes);
  // Less room than the new labels need: they stay whole all the same.
  EXPECT_EQ(AppendPastLabels(old, third, 10), thirdBytes);
}

TEST(PastLabelsTest, TheKeptFileBesideTheDataFileGrowsWithEachRemoval) {
  TempDir dir;
  const std::string data = dir.File("d.dat");
  ASSERT_TRUE(KeepPastLabels(data, {Label("2030/01/01 10:00", {"first"})}).ok());
  ASSERT_TRUE(KeepPastLabels(data, {Label("2030/01/02 10:00", {"second", "two lines"})}).ok());
  EXPECT_EQ(ReadBytes(dir.File("d.dat.past")), kFirst + kSecond);
  EXPECT_FALSE(std::filesystem::exists(data));

  // A kept file that cannot be read is never replaced.
  TempDir other;
  std::filesystem::create_directory(other.File("d.dat.past"));
  EXPECT_FALSE(KeepPastLabels(other.File("d.dat"), {Label("2030/01/01 10:00", {})}).ok());
  EXPECT_TRUE(std::filesystem::is_directory(other.File("d.dat.past")));
}

}  // namespace
}  // namespace morna
