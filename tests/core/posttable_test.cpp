#include "core/posttable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morna {
namespace {

using Lines = std::vector<std::string>;

void Put(PostTable& t, int i, std::string text, Lines lines = {}) {
  t.Slot(i).DateTimeText = std::move(text);
  t.Slot(i).Lines = std::move(lines);
}

std::vector<std::string> Texts(const PostTable& t) {
  std::vector<std::string> out;
  for (int i = 0; i < t.DataCnt(); ++i) out.push_back(t.Slot(i).DateTimeText);
  return out;
}

const std::string kToDo(kToDoSentinel);

TEST(TextForms, CompareIsUnsignedBytewiseWithPrefixSmaller) {
  EXPECT_LT(CompareDateTimeText("", "0"), 0);
  EXPECT_EQ(CompareDateTimeText("", ""), 0);
  EXPECT_LT(CompareDateTimeText("2000/12/16", "2000/12/16 09:00"), 0);
  EXPECT_GT(CompareDateTimeText("2000/12/16 09:00", "2000/12/15 18:30"), 0);
  // A Shift-JIS lead byte is above every ASCII digit.
  EXPECT_GT(CompareDateTimeText("\x82\x4f", "9"), 0);
  EXPECT_LT(CompareDateTimeText(kToDoSentinel, "2000/01/01 00:00"), 0);
}

TEST(TextForms, MemoToStrDropsOnlyLineBreaks) {
  EXPECT_EQ(MemoToStr("ab\r\ncd\re\nf"), "abcdef");
  EXPECT_EQ(MemoToStr(""), "");
  EXPECT_EQ(MemoToStr("\x82\xa0 x=\t"), "\x82\xa0 x=\t");
}

TEST(TextForms, SplitAndJoinMessages) {
  EXPECT_EQ(SplitMessage(""), Lines{});
  EXPECT_EQ(SplitMessage("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitMessage("a\rb\nc"), (Lines{"a", "b", "c"}));
  // A final break adds no empty line, but an empty line before it stays.
  EXPECT_EQ(SplitMessage("a\r\n"), Lines{"a"});
  EXPECT_EQ(SplitMessage("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitMessage("\r\n"), Lines{""});
  EXPECT_EQ(SplitMessage("a\r\n\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(JoinMessage({"a", "", "b"}), "a\r\n\r\nb");
  EXPECT_EQ(JoinMessage({}), "");
}

TEST(PostTableShape, DataCntIsBroughtIntoRangeWithSpareSlot) {
  EXPECT_EQ(PostTable(30).DataCnt(), 30);
  EXPECT_EQ(PostTable(0).DataCnt(), 1);
  EXPECT_EQ(PostTable(-5).DataCnt(), 1);
  EXPECT_EQ(PostTable(51).DataCnt(), 50);
  PostTable t(3);
  EXPECT_NO_THROW(t.Slot(3));  // the spare slot
  EXPECT_THROW(t.Slot(4), std::out_of_range);
  EXPECT_EQ(t.LabelCount(), 0);
}

TEST(PostTableShape, ResizeNeverLosesALabel) {
  PostTable t(10);
  Put(t, 2, "2000/01/02 00:00", {"x"});
  Put(t, 7, "2000/01/01 00:00");
  Put(t, 9, kToDo);
  t.Resize(2);  // three labels: shrinking stops at three
  ASSERT_EQ(t.DataCnt(), 3);
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"2000/01/02 00:00", "2000/01/01 00:00", kToDo}));
  EXPECT_EQ(t.Slot(0).Lines, Lines{"x"});
  t.Resize(60);
  ASSERT_EQ(t.DataCnt(), 50);
  EXPECT_EQ(t.LabelCount(), 3);
  EXPECT_TRUE(t.Slot(3).IsFree());
  EXPECT_TRUE(t.SpareSlot().IsFree());
}

TEST(PostDataSetTest, EmptyTableFillsSlotZero) {
  PostTable t(5);
  EditMode edit = EditMode::None;
  EXPECT_EQ(PostDataSet(t, edit, {"2000/12/16 09:00", false, "a\r\nb\r\n"}, {}), 0);
  EXPECT_EQ(t.Slot(0).DateTimeText, "2000/12/16 09:00");
  EXPECT_EQ(t.Slot(0).Lines, (Lines{"a", "b"}));
  EXPECT_EQ(PostDataSet(t, edit, {"2000/12/16 09:00", true, "t"}, {}), 1);
  EXPECT_EQ(t.Slot(1).DateTimeText, kToDo);
}

TEST(PostDataSetTest, FullTableStoresNothing) {
  PostTable t(2);
  Put(t, 0, "2000/01/01 00:00");
  Put(t, 1, "2000/01/02 00:00");
  EditMode edit = EditMode::None;
  EXPECT_EQ(PostDataSet(t, edit, {"2001/01/01 00:00", false, "x"}, {}), -1);
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"2000/01/01 00:00", "2000/01/02 00:00"}));
  EXPECT_TRUE(t.SpareSlot().IsFree());
}

TEST(PostDataSetTest, RoomIsTheFreeSlotsPlusTheLabelBeingModified) {
  PostTable t(3);
  Put(t, 0, "2000/01/01 00:00", {"a"});
  Put(t, 2, "2000/01/02 00:00", {"b"});
  EXPECT_EQ(PostRoom(t, EditMode::None, {}), 1);
  Put(t, 1, kToDo, {"t"});
  EXPECT_EQ(PostRoom(t, EditMode::None, {}), 0);
  EXPECT_EQ(PostRoom(t, EditMode::Modify, {"2000/01/02 00:00", {"b"}}), 1);
  EXPECT_EQ(PostRoom(t, EditMode::Modify, {"2000/01/02 00:00", {"gone"}}), 0);  // stored as a new label
  EXPECT_EQ(PostRoom(t, EditMode::Delete, {"2000/01/02 00:00", {"b"}}), 0);
}

TEST(PostDataSetTest, ModifyReplacesThePopupLabelIgnoringLineBreaks) {
  PostTable t(5);
  Put(t, 0, "2000/12/16 09:00", {"abc", "d"});
  Put(t, 1, kToDo, {"ab", "cd"});
  EditMode edit = EditMode::Modify;
  // The ToDo caption finds the sentinel; "ab"/"cd" equals "abc"/"d" too, but
  // slot 0 is not a ToDo label, so slot 1 is taken.
  EXPECT_EQ(PostDataSet(t, edit, {"2001/01/01 10:00", false, "new"}, {"    ToDo", {"abc", "d"}}), 1);
  EXPECT_EQ(edit, EditMode::None);
  EXPECT_EQ(t.Slot(1).DateTimeText, "2001/01/01 10:00");
  EXPECT_EQ(t.Slot(1).Lines, Lines{"new"});
  EXPECT_EQ(t.Slot(0).Lines, (Lines{"abc", "d"}));
}

TEST(PostDataSetTest, ModifyOfAVanishedLabelAddsANewOneAndKeepsEditMode) {
  PostTable t(5);
  Put(t, 0, "2000/12/16 09:00", {"a"});
  EditMode edit = EditMode::Modify;
  EXPECT_EQ(PostDataSet(t, edit, {"2000/12/17 09:00", false, "b"}, {"2000/12/16 09:00", {"zz"}}), 1);
  EXPECT_EQ(edit, EditMode::Modify);
  EXPECT_EQ(t.Slot(0).Lines, Lines{"a"});
}

TEST(PostDataSortTest, EmptyTableIsUnchanged) {
  PostTable t(4);
  EditMode edit = EditMode::None;
  PostDataSort(t, edit, {}, 1, MakeDateTime(2000, 12, 16, 9, 0));
  EXPECT_EQ(t.LabelCount(), 0);
}

TEST(PostDataSortTest, FreeSlotStaysAndIsRefilledThenOrdered) {
  PostTable t(10);
  for (int i = 0; i < 10; ++i) Put(t, i, "2000/01/0" + std::to_string(i) + " 00:00");
  EditMode edit = EditMode::Delete;
  PostDataSort(t, edit, {"2000/01/03 00:00", {}}, 2, DateTime{});
  EXPECT_EQ(edit, EditMode::None);
  EXPECT_TRUE(t.Slot(3).IsFree());
  EXPECT_EQ(t.Slot(4).DateTimeText, "2000/01/04 00:00");

  EXPECT_EQ(PostDataSet(t, edit, {"2000/02/01 00:00", false, ""}, {}), 3);
  PostDataSort(t, edit, {}, 2, DateTime{});
  std::vector<std::string> want;
  for (int i : {0, 1, 2, 4, 5, 6, 7, 8, 9}) want.push_back("2000/01/0" + std::to_string(i) + " 00:00");
  want.push_back("2000/02/01 00:00");
  EXPECT_EQ(Texts(t), want);
}

TEST(PostDataSortTest, OrdersToDoFirstAndMessagesTravelWithTheirTexts) {
  PostTable t(3);
  Put(t, 0, "2000/12/16 09:00", {"late"});
  Put(t, 1, kToDo, {"todo", "2"});
  Put(t, 2, "2000/12/15 18:30", {"early"});
  EditMode edit = EditMode::None;
  PostDataSort(t, edit, {}, 2, MakeDateTime(2001, 1, 1));
  EXPECT_EQ(Texts(t), (std::vector<std::string>{kToDo, "2000/12/15 18:30", "2000/12/16 09:00"}));
  EXPECT_EQ(t.Slot(0).Lines, (Lines{"todo", "2"}));
  EXPECT_EQ(t.Slot(1).Lines, Lines{"early"});
  EXPECT_EQ(t.Slot(2).Lines, Lines{"late"});
}

TEST(PostDataSortTest, FreeSlotsNeverMove) {
  PostTable t(5);
  Put(t, 0, "2000/01/05 00:00");
  Put(t, 2, "2000/01/01 00:00");
  Put(t, 4, "2000/01/03 00:00");
  EditMode edit = EditMode::None;
  PostDataSort(t, edit, {}, 0, DateTime{});
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"2000/01/01 00:00", "", "2000/01/03 00:00", "",
                                                "2000/01/05 00:00"}));
}

TEST(PostDataSortTest, EqualTextsFollowTheDoubleWalk) {
  // Two equal labels ahead of an earlier one: the walk swaps them past each
  // other, so they end in the reverse of their slot order.
  PostTable t(3);
  Put(t, 0, "2000/12/16 09:00", {"a"});
  Put(t, 1, "2000/12/16 09:00", {"b"});
  Put(t, 2, kToDo, {"c"});
  EditMode edit = EditMode::None;
  PostDataSort(t, edit, {}, 2, DateTime{});
  std::vector<std::string> msgs;
  for (int i = 0; i < 3; ++i) msgs.push_back(t.Slot(i).MessageText());
  EXPECT_EQ(msgs, (std::vector<std::string>{"c", "b", "a"}));
}

TEST(PostDataSortTest, PastLabelsGoWithPastDataOneOnly) {
  const DateTime now = MakeDateTime(2000, 12, 16, 9, 0, 40);
  auto fill = [](PostTable& t) {
    Put(t, 0, "2000/12/16 09:00");
    Put(t, 1, "2000/12/16 08:59");
    Put(t, 2, kToDo);
  };
  PostTable t(3);
  fill(t);
  EditMode edit = EditMode::None;
  PostDataSort(t, edit, {}, 1, now);
  EXPECT_EQ(Texts(t), (std::vector<std::string>{kToDo, "", "2000/12/16 09:00"}));

  PostTable keep(3);
  fill(keep);
  PostDataSort(keep, edit, {}, 2, now);
  EXPECT_EQ(keep.LabelCount(), 3);
}

TEST(PostDataSortTest, LabelsRemovedAsPastAreReportedWithTheirMessagesButNotADelete) {
  PostTable t(4);
  Put(t, 0, "2000/12/16 09:30", {"later"});
  Put(t, 1, "2000/12/16 08:00", {"gone", "two lines"});
  Put(t, 2, "2000/12/15 10:00", {"deleted"});
  Put(t, 3, kToDo, {"todo"});
  EditMode edit = EditMode::Delete;
  std::vector<PostSlot> past;
  PostDataSort(t, edit, {"2000/12/15 10:00", {"deleted"}}, 1, MakeDateTime(2000, 12, 16, 9, 0),
               &past);
  ASSERT_EQ(past.size(), 1u);
  EXPECT_EQ(past[0].DateTimeText, "2000/12/16 08:00");
  EXPECT_EQ(past[0].Lines, (Lines{"gone", "two lines"}));
  EXPECT_EQ(t.LabelCount(), 2);
}

TEST(PostDataSortTest, DeleteFreesOnlyTheLowerOfTwoEqualLabels) {
  PostTable t(4);
  Put(t, 1, "2000/12/16 09:00", {"same"});
  Put(t, 3, "2000/12/16 09:00", {"same"});
  EditMode edit = EditMode::Delete;
  PostDataSort(t, edit, {"2000/12/16 09:00", {"same"}}, 2, DateTime{});
  EXPECT_EQ(edit, EditMode::None);
  EXPECT_TRUE(t.Slot(1).IsFree());
  EXPECT_EQ(t.Slot(3).DateTimeText, "2000/12/16 09:00");
}

TEST(PostDataSortTest, DeleteOfAMissingLabelOnlyResetsEditMode) {
  PostTable t(2);
  Put(t, 0, "2000/12/16 09:00", {"x"});
  EditMode edit = EditMode::Delete;
  PostDataSort(t, edit, {"2000/12/16 09:00", {"y"}}, 2, DateTime{});
  EXPECT_EQ(edit, EditMode::None);
  EXPECT_EQ(t.LabelCount(), 1);
}

TEST(PostDataSortTest, ALineHoldingABareLineFeedSurvivesAnExchange) {
  PostTable t(2);
  Put(t, 0, "2000/12/17 00:00", {"a\nb"});
  Put(t, 1, "2000/12/16 00:00", {"c"});
  EditMode edit = EditMode::None;
  PostDataSort(t, edit, {}, 2, DateTime{});
  EXPECT_EQ(t.Slot(1).Lines, Lines{"a\nb"});
}

}  // namespace
}  // namespace morna

namespace morna {
namespace {

TEST(LastLabelOfDayTest, TheLastOfTheDayInTableOrderAndNoneForAnEmptyDay) {
  PostTable table(5);
  table.Slot(0).DateTimeText = "2000/12/16 09:00";
  table.Slot(2).DateTimeText = "2000/12/16 18:30";
  table.Slot(3).DateTimeText = "2000/12/17 09:00";
  EXPECT_EQ(LastLabelOfDay(table, "2000/12/16"), 2);
  EXPECT_EQ(LastLabelOfDay(table, "2000/12/18"), -1);
}

}  // namespace
}  // namespace morna
