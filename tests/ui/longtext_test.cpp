// Long texts in the memo boxes: the message box takes a bounded amount and
// says when a paste is cut; a word longer than any line makes a box break
// lines anywhere, which the toolkit lays out in time linear in the length.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/pmain_fixture.h"
#include "ui/controls.h"

namespace morna::ui::testing {
namespace {

QMessageBox* Notice() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "Notice" && w->isVisible()) return qobject_cast<QMessageBox*>(w);
  return nullptr;
}

void CloseNotices() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "Notice") delete w;
}

void Paste(QWidget* box, const QString& text) {
  QApplication::clipboard()->setText(text);
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

using LongTextTest = PstMainTest;

TEST_F(LongTextTest, APasteOverTheLimitIsCutWithANotice) {
  Start();
  QPlainTextEdit* box = main_->PstMesg;
  box->setPlainText(QStringLiteral("前置き"));
  box->moveCursor(QTextCursor::End);
  const QString huge(kMessageLimit * 4, QChar('x'));
  Paste(box, huge);
  const QString held = box->toPlainText();
  EXPECT_EQ(held.size(), kMessageLimit);
  EXPECT_TRUE(held.startsWith(QStringLiteral("前置きxxx")));
  EXPECT_EQ(box->wordWrapMode(), QTextOption::WrapAnywhere);
  ASSERT_TRUE(QTest::qWaitFor([] { return Notice() != nullptr; }, 5000));
  EXPECT_EQ(Notice()->text(),
            TLimitedMemo::CutNoticeText(huge.size(), kMessageLimit - 3, kMessageLimit));
  EXPECT_TRUE(Notice()->text().contains(QStringLiteral("65533 文字だけ")));
  EXPECT_FALSE(Notice()->isModal());
  CloseNotices();

  // Full: typing adds nothing more, and a further paste takes nothing.
  QTest::keyClicks(box, QStringLiteral("yz"));
  EXPECT_EQ(box->toPlainText(), held);
  Paste(box, QStringLiteral("more"));
  EXPECT_EQ(box->toPlainText(), held);
  ASSERT_TRUE(QTest::qWaitFor([] { return Notice() != nullptr; }, 5000));
  CloseNotices();

  // The whole of it is posted as one label.
  main_->PstTime->setText(QStringLiteral("2000/12/24 10:00"));
  main_->BtnPost->click();
  ASSERT_EQ(Labels().size(), 1u);
  EXPECT_EQ(Labels()[0].size(), std::string("2000/12/24 10:00|").size() + ToSjis(held).size());
}

TEST_F(LongTextTest, APasteThatFitsInPlaceOfTheSelectionIsTakenWhole) {
  Start();
  QPlainTextEdit* box = main_->PstMesg;
  box->setPlainText(QString(kMessageLimit - 2, QChar('a')));
  box->selectAll();
  // CR LF counts as the one line break the box holds.
  Paste(box, QStringLiteral("b\r\nc"));
  EXPECT_EQ(box->toPlainText(), QStringLiteral("b\nc"));
  box->setPlainText(QString(kMessageLimit - 1, QChar('a')));
  box->moveCursor(QTextCursor::End);
  // One unit of room: a character outside the basic plane is not split.
  Paste(box, QStringLiteral("\U0001F600"));
  EXPECT_EQ(box->toPlainText().size(), kMessageLimit - 1);
  QTest::qWait(10);
  CloseNotices();
  QTest::keyClicks(box, QStringLiteral("z"));
  EXPECT_EQ(box->toPlainText().size(), kMessageLimit);
  EXPECT_EQ(Notice(), nullptr);
}

TEST(MemoWrapTest, OnlyAWordLongerThanAnyLineBreaksLinesAnywhere) {
  EXPECT_EQ(MemoWrapMode(QString()), QTextOption::WrapAtWordBoundaryOrAnywhere);
  QString words;
  while (words.size() < 100000) words += QStringLiteral("word, ");
  EXPECT_EQ(MemoWrapMode(words), QTextOption::WrapAtWordBoundaryOrAnywhere);
  EXPECT_EQ(MemoWrapMode(QString(100000, QChar(u'あ'))), QTextOption::WrapAtWordBoundaryOrAnywhere)
      << "Japanese breaks between its characters";
  EXPECT_EQ(MemoWrapMode(QString(kLongWordChars - 1, QChar('x'))),
            QTextOption::WrapAtWordBoundaryOrAnywhere);
  EXPECT_EQ(MemoWrapMode(words + QString(kLongWordChars, QChar('x')) + words),
            QTextOption::WrapAnywhere);

  // A label window's box follows the text it is given, both ways.
  QPlainTextEdit memo;
  memo.setReadOnly(true);
  SetMemoLines(&memo, {QStringLiteral("short"), QString(1 << 20, QChar('x'))});
  EXPECT_EQ(memo.wordWrapMode(), QTextOption::WrapAnywhere);
  SetMemoLines(&memo, {QStringLiteral("short")});
  EXPECT_EQ(memo.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
}

}  // namespace
}  // namespace morna::ui::testing
