// The calendar window: opened from the month title and the menu, stepped by
// its title panel, hidden by its close box, sized by the settings and the
// user, and filled again when the labels change.
#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "tests/ui/pmain_fixture.h"
#include "ui/Pcal.h"
#include "ui/Ppsub.h"
#include "ui/controls.h"

namespace morna::ui::testing {
namespace {

class CalendarWindowTest : public PstMainTest {
 protected:
  // The cell of day `day` of the displayed month, by its caption.
  int Cell(int day) const {
    TPstCal& cal = main_->Calendar();
    for (int k = 0; k < 42; ++k) {
      if (cal.CalDay[k]->text() == QString::number(day)) return k;
    }
    ADD_FAILURE() << "no cell for day " << day;
    return 0;
  }
  QStringList Memo(int day) const { return MemoLines(main_->Calendar().CalMemo[Cell(day)]); }
  QColor DayColour(int day) const {
    return main_->Calendar().CalDay[Cell(day)]->palette().color(QPalette::WindowText);
  }
};

TEST_F(CalendarWindowTest, MonthTitleOpensItCentredWithTheDaysLabels) {
  WriteFile("Dpstitdt.dat",
            "Time=1900/12/01 00:00\r\nMemo=todo\r\n"
            "Time=2000/12/20 09:00\r\nMemo=dentist\r\nMemo=bring card\r\n"
            "Time=2000/12/20 13:30\r\nMemo=call\r\n");
  TPstMain& m = Start();
  TPstCal& cal = m.Calendar();
  EXPECT_FALSE(cal.isVisible());
  EXPECT_EQ(cal.windowTitle(), "Calendar of Moranote");
  EXPECT_FALSE(cal.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(cal.windowFlags() & Qt::WindowMaximizeButtonHint);

  QTest::mouseClick(m.YYMM, Qt::LeftButton);
  ASSERT_TRUE(cal.isVisible());
  EXPECT_EQ(cal.Panel->text(), "2000/12");
  EXPECT_EQ(cal.size(), QSize(698, 328));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(cal.pos(), QPoint((screen.width() - 706) / 2, (screen.height() - 355) / 2));
  EXPECT_EQ(Memo(20), (QStringList{"09:00", "dentist", "bring card", "13:30", "call"}));
  EXPECT_TRUE(Memo(1).isEmpty());
  // December 2000 begins on a Friday: the cells of November stay hidden.
  EXPECT_FALSE(cal.CalDay[4]->isVisible());
  EXPECT_FALSE(cal.CalMemo[4]->isVisible());
  EXPECT_TRUE(cal.CalMemo[5]->isVisible());
  EXPECT_EQ(DayColour(3), QColor(Qt::red));  // a Sunday
  EXPECT_EQ(DayColour(4), QColor(Qt::white));
  EXPECT_TRUE(cal.CalMemo[0]->isReadOnly());
  EXPECT_EQ(cal.findChild<QWidget*>("CalMemo42"), cal.CalMemo[41]);
}

TEST_F(CalendarWindowTest, PanelStepsMonthsAndAShowRequestOnlyRaises) {
  TPstMain& m = Start();
  TPstCal& cal = m.Calendar();
  m.CalDisp->trigger();
  QTest::mouseClick(cal.Panel, Qt::LeftButton);
  EXPECT_EQ(cal.Panel->text(), "2001/01");
  EXPECT_EQ(state_.CalendarMonth, 1);
  QTest::mouseClick(cal.Panel, Qt::RightButton);
  QTest::mouseClick(cal.Panel, Qt::MiddleButton);
  EXPECT_EQ(cal.Panel->text(), "2000/11");
  EXPECT_EQ(state_.CalendarMonth, 11);
  EXPECT_EQ(state_.CalendarAnchor, MakeDateTime(2000, 11, 15));

  // Opened again while visible: the month shown stays.
  m.CalDisp->trigger();
  EXPECT_EQ(state_.CalendarMonth, 12);
  EXPECT_EQ(cal.Panel->text(), "2000/11");

  // The close box hides it; the next opening fills it for the title's month.
  const QPointer<TPstCal> alive(&cal);
  cal.close();
  QCoreApplication::processEvents();
  ASSERT_FALSE(alive.isNull());
  EXPECT_FALSE(cal.isVisible());
  m.CalDisp->trigger();
  EXPECT_TRUE(cal.isVisible());
  EXPECT_EQ(cal.Panel->text(), "2000/12");
}

// The keys step the months as the panel does, wherever the focus is in the
// window (a memo box would scroll or move its cursor otherwise).
TEST_F(CalendarWindowTest, KeysStepMonthsGoHomeAndClose) {
  TPstMain& m = Start();
  TPstCal& cal = m.Calendar();
  m.CalDisp->trigger();
  QTest::keyClick(&cal, Qt::Key_PageDown);
  EXPECT_EQ(cal.Panel->text(), "2001/01");
  QTest::keyClick(&cal, Qt::Key_Right);
  EXPECT_EQ(cal.Panel->text(), "2001/02");
  EXPECT_EQ(state_.CalendarMonth, 2);
  QPlainTextEdit* memo = cal.CalMemo[17];
  QTest::keyClick(memo, Qt::Key_PageUp);
  QTest::keyClick(memo, Qt::Key_Left);
  QTest::keyClick(memo, Qt::Key_Left);
  EXPECT_EQ(cal.Panel->text(), "2000/11");

  // Home: the month of today (the clock says 2000/12/16).
  QTest::keyClick(memo, Qt::Key_Home);
  EXPECT_EQ(cal.Panel->text(), "2000/12");
  EXPECT_EQ(state_.CalendarAnchor, MakeDateTime(2000, 12, 15, 10, 7, 30));

  // A key with a modifier steps nothing.
  QTest::keyClick(&cal, Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(cal.Panel->text(), "2000/12");

  QTest::keyClick(memo, Qt::Key_Escape);
  EXPECT_FALSE(cal.isVisible());
  EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(CalendarWindowTest, SizesFromTheSettingsAndTheUserMoveTheCells) {
  WriteIni("[DISP]\r\nCalWidthC=1\r\nCalWidth=978\r\n");
  TPstMain& m = Start();
  TPstCal& cal = m.Calendar();
  m.CalDisp->trigger();
  EXPECT_EQ(cal.width(), 978);
  EXPECT_EQ(cal.CalMemo[6]->geometry(), QRect(6 * 140, 54, 138, 32));
  EXPECT_EQ(cal.Panel->width(), 978);

  cal.resize(300, 100);  // below the smallest size
  EXPECT_EQ(cal.size(), QSize(488, 328));
  EXPECT_EQ(cal.Week[6]->width(), 68);

  cal.showMaximized();
  QCoreApplication::processEvents();
  // The screen less the frame the platform draws.
  const QSize max = cal.size();
  EXPECT_GT(max.width(), 700);
  EXPECT_EQ(cal.CalDay[41]->width(), (max.width() - 12) / 7);
  const int memoHeight = (max.height() - 136) / 6;
  EXPECT_EQ(cal.CalMemo[41]->geometry().bottom() + 1, 40 + 6 * 14 + 6 * memoHeight + 10);
  cal.showNormal();

  // Absurd sizes from the settings are brought into bounds, never applied raw.
  cal.hide();
  state_.Settings.CalHeightC = 1;
  state_.Settings.CalHeight = 100000;
  state_.Settings.CalWidth = -5;
  m.CalDisp->trigger();
  EXPECT_EQ(cal.size(), QSize(488, 8192));
  EXPECT_GE(cal.y(), 0);
}

TEST_F(CalendarWindowTest, LabelChangesRefillTheMonthShown) {
  TPstMain& m = Start();
  TPstCal& cal = m.Calendar();
  m.CalDisp->trigger();
  QTest::mouseClick(cal.Panel, Qt::LeftButton);  // January 2001

  m.PstTime->setText("2001/01/09 18:00");
  m.PstMesg->setPlainText("party");
  m.BtnPost->click();
  EXPECT_EQ(state_.CalendarMonth, 12);  // the grid went back to this month
  EXPECT_EQ(cal.Panel->text(), "2001/01");
  EXPECT_EQ(Memo(9), (QStringList{"18:00", "party"}));

  m.Popup().ShowLabel("2001/01/09 18:00", {"party"});
  m.Popup().BtnDel->click();
  EXPECT_TRUE(Memo(9).isEmpty());
  EXPECT_TRUE(sink_.boxes.empty());
}

}  // namespace
}  // namespace morna::ui::testing
