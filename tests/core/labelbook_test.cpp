#include "core/labelbook.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/core/tempdir.h"

namespace morna {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const DateTime kNow = MakeDateTime(2030, 6, 15, 8, 54, 40);
const std::string kTwo = "Time=2030/06/20 09:00\r\nMemo=b\r\nTime=2030/06/18 09:00\r\nMemo=a\r\n";

std::vector<std::string> Texts(const LabelBook& book) {
  std::vector<std::string> out;
  for (const PostSlot& s : LabelsOf(book.Table())) out.push_back(s.DateTimeText + "|" + s.MessageText());
  return out;
}

struct Road {
  const char* name;
  LabelChange change;
  EditMode mode;
  std::vector<std::string> labels;  // the table afterwards, in order
  int stored, added, removed;
};

// Each change goes the whole road: carried out, ordered, saved; the file
// holds what the table holds and the report counts what changed.
TEST(LabelBookTest, EachChangeIsOrderedSavedAndReported) {
  const PopupLabel a{"2030/06/18 09:00", {"a"}};
  std::vector<Road> roads;
  {
    LabelChange c;
    c.posts = {{"2030/06/19 07:00", false, "new\r\n"}};
    roads.push_back({"post", c, EditMode::None,
                     {"2030/06/18 09:00|a", "2030/06/19 07:00|new", "2030/06/20 09:00|b"}, 1, 1, 0});
  }
  {
    LabelChange c;
    c.popup = a;
    c.posts = {{"2030/06/21 07:00", false, "moved"}};
    roads.push_back({"modify", c, EditMode::Modify,
                     {"2030/06/20 09:00|b", "2030/06/21 07:00|moved"}, 1, 1, 1});
  }
  {
    LabelChange c;
    c.popup = a;
    c.deletePopupLabel = true;
    roads.push_back({"delete", c, EditMode::None, {"2030/06/20 09:00|b"}, 0, 0, 1});
  }
  {
    // A recurring entry: a pending modify is replaced by the first only.
    LabelChange c;
    c.popup = a;
    c.posts = {{"2030/07/01 09:00", false, "r"}, {"2030/06/18 09:00", false, "a"}};
    roads.push_back({"schedule-2", c, EditMode::Modify,
                     {"2030/06/18 09:00|a", "2030/06/20 09:00|b", "2030/07/01 09:00|r"}, 2, 1, 0});
  }
  {
    LabelChange c;
    c.labels = {PostSlot{std::string(kToDoSentinel), {"t"}}};
    roads.push_back({"import", c, EditMode::None,
                     {"1900/12/01 00:00|t", "2030/06/18 09:00|a", "2030/06/20 09:00|b"}, 1, 1, 0});
  }
  for (const Road& road : roads) {
    SCOPED_TRACE(road.name);
    TempDir dir;
    const std::string path = dir.File("d.dat");
    WriteBytes(path, kTwo);
    LabelBook book;
    ASSERT_TRUE(book.Open(path, 30).loaded.ok());
    book.SetMode(road.mode);
    const LabelReport r = book.Apply(road.change, kNow);
    EXPECT_EQ(Texts(book), road.labels);
    EXPECT_EQ(r.stored, road.stored);
    EXPECT_EQ(r.added, road.added);
    EXPECT_EQ(r.removed, road.removed);
    EXPECT_EQ(book.Mode(), EditMode::None);
    EXPECT_TRUE(r.saveTried && r.saved.ok());
    LabelBook reread;
    reread.Open(path, 30);
    EXPECT_EQ(Texts(reread), road.labels);
  }
}

TEST(LabelBookTest, PastLabelsAreKeptBesideTheFileAndReported) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, "Time=2030/06/01 09:00\r\nMemo=old\r\n" + kTwo);
  LabelBook book;
  book.Open(path, 30);
  book.SetPastData(1);
  const LabelReport r = book.Order({}, kNow);
  ASSERT_EQ(r.archived.size(), 1u);
  EXPECT_EQ(r.archived[0].MessageText(), "old");
  EXPECT_EQ(r.removed, 1);
  EXPECT_NE(ReadBytes(path + ".past").find("Memo=old"), std::string::npos);
  EXPECT_EQ(ReadBytes(path), "Time=2030/06/01 09:00\r\nMemo=old\r\n" + kTwo);  // not saved
}

TEST(LabelBookTest, AnOutsideChangeIsMergedWithOursAndNothingNewSavesNothing) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, kTwo);
  LabelBook book;
  book.Open(path, 30);
  LabelChange follow;
  follow.takeInOutside = true;
  EXPECT_FALSE(book.Apply(follow, kNow).saveTried);

  // Another computer adds one label, we add another before we noticed.
  WriteBytes(path, kTwo + "Time=2030/06/25 09:00\r\nMemo=theirs\r\n");
  LabelChange post;
  post.posts = {{"2030/06/19 09:00", false, "ours"}};
  const LabelReport r = book.Apply(post, kNow);
  EXPECT_TRUE(r.outside.changed);
  EXPECT_EQ(r.added, 2);
  EXPECT_EQ(Texts(book), (std::vector<std::string>{"2030/06/18 09:00|a", "2030/06/19 09:00|ours",
                                                   "2030/06/20 09:00|b", "2030/06/25 09:00|theirs"}));
}

TEST(LabelBookTest, ASwitchIsTakenOrRefusedAndTheNamedFileFollows) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  WriteBytes(path, kTwo);
  WriteBytes(dir.File("notes.txt"), "my important notes");
  WriteBytes(dir.File("other.dat"), "Time=2031/01/01 09:00\r\nMemo=o\r\n");
  LabelBook book;
  book.Open(path, 30);

  LabelChange refused;
  refused.switchTo = dir.File("notes.txt");
  LabelReport r = book.Apply(refused, kNow);
  ASSERT_TRUE(r.switched);
  EXPECT_EQ(r.switched->refusal, LabelFile::Refusal::NotALabelFile);
  EXPECT_EQ(book.Path(), path);
  EXPECT_EQ(ReadBytes(dir.File("notes.txt")), "my important notes");

  book.SetMode(EditMode::Modify);
  LabelChange taken;
  taken.switchTo = dir.File("other.dat");
  taken.dataCnt = 40;
  r = book.Apply(taken, kNow);
  EXPECT_EQ(r.switched->outcome, LabelFile::Switch::Taken);
  EXPECT_EQ(book.Mode(), EditMode::None);  // the modify was of the other file's label
  EXPECT_EQ(book.Table().DataCnt(), 40);
  EXPECT_EQ(Texts(book), std::vector<std::string>{"2031/01/01 09:00|o"});
  // Naming the same file again is no switch.
  EXPECT_FALSE(book.Apply(taken, kNow).switched);
}

TEST(LabelBookTest, AFailedSaveKeepsTheTableAndReportsTheReason) {
  TempDir dir;
  const std::string path = dir.File("gone/d.dat");
  LabelBook book;
  EXPECT_FALSE(book.Open(path, 30).loaded.ok());
  LabelChange post;
  post.posts = {{"2030/06/19 09:00", false, "kept"}};
  const LabelReport r = book.Apply(post, kNow);
  EXPECT_TRUE(r.saveTried);
  EXPECT_FALSE(r.saved.ok());
  EXPECT_FALSE(r.saved.systemMessage.empty());
  EXPECT_EQ(Texts(book), std::vector<std::string>{"2030/06/19 09:00|kept"});
}

TEST(LabelBookTest, LabelsBeyondTheTableGoToTheKeptFile) {
  TempDir dir;
  const std::string path = dir.File("d.dat");
  LabelBook book;
  book.Open(path, 50);
  LabelChange many;
  for (int i = 0; i < 52; ++i)
    many.labels.push_back(PostSlot{"2030/07/01 09:" + std::string(i < 10 ? "0" : "") +
                                       std::to_string(i),
                                   {"n"}});
  const LabelReport r = book.Apply(many, kNow);
  EXPECT_EQ(r.stored, 50);
  EXPECT_EQ(r.keptCount, 2);
  EXPECT_EQ(r.keptFile, path + ".kept");
  EXPECT_NE(ReadBytes(path + ".kept").find("2030/07/01 09:51"), std::string::npos);
}

// A file that holds text but no label is not a label file: it is never
// written over, and the labels live beside it.
TEST(LabelBookTest, AFileWithTextButNoLabelIsLeftAloneAndTheLabelsGoBesideIt) {
  TempDir dir;
  const std::string notes = dir.File("notes.txt");
  WriteBytes(notes, "my important notes");
  LabelBook book;
  const OpenReport opened = book.Open(notes, 30);
  EXPECT_EQ(opened.notALabelFile, notes);
  EXPECT_EQ(book.Path(), notes + ".labels");
  LabelChange post;
  post.posts = {{"2030/06/19 09:00", false, "x"}};
  book.Apply(post, kNow);
  book.Save(kNow);
  EXPECT_EQ(ReadBytes(notes), "my important notes");
  EXPECT_EQ(ReadBytes(notes + ".labels"), "Time=2030/06/19 09:00\r\nMemo=x\r\n");
  // The next start finds them there; the settings dialog's OK with the same
  // name is no switch.
  LabelBook again;
  again.Open(notes, 30);
  EXPECT_EQ(Texts(again), std::vector<std::string>{"2030/06/19 09:00|x"});
  LabelChange same;
  same.switchTo = notes;
  EXPECT_FALSE(again.Apply(same, kNow).switched);
  // An empty file is a label file with no labels yet.
  WriteBytes(dir.File("empty.dat"), "\r\n");
  EXPECT_TRUE(again.Open(dir.File("empty.dat"), 30).notALabelFile.empty());
}

}  // namespace
}  // namespace morna
