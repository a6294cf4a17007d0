// The registration window: layout, the entry fields, the menu and icon, the
// month grid.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "tests/ui/pmain_fixture.h"
#include "ui/Pcal.h"
#include "ui/Ppsub.h"

namespace morna::ui::testing {
namespace {

TEST_F(PstMainTest, ControlsStandAtTheirPlacesWithTheirTexts) {
  TPstMain& m = Start();
  EXPECT_EQ(m.windowTitle(), "Moranote");
  EXPECT_EQ(m.OuterWidth(), 330);
  EXPECT_EQ(m.OuterHeight(), 150);
  EXPECT_EQ(m.size(), QSize(322, 123));  // the outer size without the 8 x 27 frame
  EXPECT_EQ(m.minimumSize(), m.maximumSize());

  struct Place { const char* name; QRect bounds; QString text; };
  const Place places[] = {
      {"PstVerShow", {128, 0, 173, 18}, "Moranote "},
      {"LblDateTime", {128, 20, 78, 15}, "Date & Time"},
      {"LblMesg", {128, 35, 52, 15}, "Message"},
      {"PstTime", {203, 20, 115, 18}, {}},
      {"SBar", {204, 40, 113, 7}, {}},
      {"PstMesg", {128, 52, 190, 35}, {}},
      {"RbtnSche", {128, 90, 90, 12}, "Schedule-1"},
      {"RbtnTodo", {128, 108, 60, 12}, "ToDo"},
      {"RbtnSche2", {225, 90, 90, 12}, "Schedule-2"},
      {"BtnPost", {205, 106, 50, 16}, "Post"},
      {"BtnEnd", {267, 106, 50, 16}, "End"},
      {"YYMM", {5, 0, 101, 20}, "2000/12"},
      {"UDyymm", {106, 0, 15, 20}, {}},
      {"Week1", {5, 20, 16, 15}, "S"},
      {"Week7", {105, 20, 16, 15}, "S"},
      {"Day1", {5, 35, 16, 14}, ""},
      {"Day9", {21, 49, 16, 14}, "4"},
      {"Day42", {105, 105, 16, 14}, ""},
      {"GroupBox1", {3, 125, 317, 100}, " Schedule-2"},
      {"RbWeekly", {10, 23, 80, 17}, "Weekly"},
      {"RbMonthly1", {10, 48, 80, 17}, "Monthly-1"},
      {"RbMonthly2", {10, 73, 80, 17}, "Monthly-2"},
      {"CbShWeeklyWeek", {145, 20, 90, 20}, "Sunday"},
      {"CbShWeeklyTime", {245, 20, 60, 20}, "00:00"},
      {"CbShMonthlyDay", {100, 45, 35, 20}, "1"},
      {"CbShMonthlyTime1", {245, 45, 60, 20}, "00:00"},
      {"CbShMonthlyWeekNo", {100, 70, 35, 20}, "1"},
      {"CbShMonthlyWeek", {145, 70, 90, 20}, "Sunday"},
      {"CbShMonthlyTime2", {245, 70, 60, 20}, "00:00"},
  };
  for (const Place& p : places) {
    SCOPED_TRACE(p.name);
    auto* w = m.findChild<QWidget*>(QString::fromLatin1(p.name));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), p.bounds);
    if (auto* l = qobject_cast<QLabel*>(w)) {
      EXPECT_EQ(l->text(), p.text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      EXPECT_EQ(b->text(), p.text);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
      EXPECT_EQ(c->currentText(), p.text);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
      EXPECT_EQ(g->title(), p.text);
    }
  }
  for (int k = 1; k <= 42; ++k) {
    auto* d = m.findChild<QLabel*>(QString("Day%1").arg(k));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->geometry(), QRect(m.Week[(k - 1) % 7]->x(), 35 + 14 * ((k - 1) / 7), 16, 14));
    EXPECT_TRUE(d->alignment() & Qt::AlignRight);
  }
  EXPECT_EQ(m.Week[0]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(m.YYMM->palette().color(QPalette::Window), QColor(0, 0, 128));
  EXPECT_EQ(m.YYMM->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_EQ(m.palette().color(QPalette::Window), ToQColor(14745599));  // Ecolor
  EXPECT_EQ(m.PstMesg->font().pixelSize(), 13);
  EXPECT_EQ(m.SBar->minimum(), 0);
  EXPECT_EQ(m.SBar->maximum(), 95);
  EXPECT_EQ(m.SBar->pageStep(), 1);
  EXPECT_EQ(m.GroupBox1->CbShWeeklyTime->count(), 48);
  EXPECT_EQ(m.GroupBox1->CbShWeeklyTime->itemText(47), "23:30");
  EXPECT_FALSE(m.GroupBox1->CbShMonthlyDay->isEnabled());
  EXPECT_TRUE(m.RbtnSche->isChecked());
  EXPECT_TRUE(m.GroupBox1->RbWeekly->isChecked());
  EXPECT_FALSE(m.isVisible());  // start-up hides it; the event loop shows it
  EXPECT_TRUE(m.SchTimer->isActive());
  EXPECT_EQ(m.SchTimer->interval(), 10000);

  QStringList menu;
  for (QAction* a : m.PopupMenu->actions())
    menu << (a->isSeparator() ? QString("-") : a->objectName() + "=" + a->text());
  EXPECT_EQ(menu, (QStringList{"ProgHide=登録画面を閉じる", "ProgShow=登録画面を表示", "-",
                               "CalDisp=カレンダーの表示", "InitDisp=設定画面の表示", "-",
                               "ProgHelp=ヘルプの表示", "-", "IcsExport=iCalendarに書き出す...",
                               "IcsImport=iCalendarを読み込む...", "-", "AutoStart=ログイン時に起動", "-",
                               "ProgExit=プログラムの終了"}));
  EXPECT_EQ(m.TaskTray->TipString(), "Moranote");
  EXPECT_EQ(m.TaskTray->IconID(), 1);
  QTest::qWait(0);  // the icon docks once the event loop runs
  EXPECT_TRUE(m.TaskTray->Registered());
  EXPECT_EQ(m.TaskTray->PopupMenuL(), m.PopupMenu);
  EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(PstMainTest, FormSetRoundsToTheNearestQuarterHour) {
  TPstMain& m = Start();
  struct Case { int minute; const char* text; int pos; };
  for (const Case& c : {Case{7, "2000/12/16 10:00", 40}, Case{8, "2000/12/16 10:15", 41},
                        Case{52, "2000/12/16 10:45", 43}, Case{55, "2000/12/16 11:00", 44}}) {
    SCOPED_TRACE(c.minute);
    now_ = MakeDateTime(2000, 12, 16, 10, c.minute, 59);
    m.PstMesg->setPlainText("typing");
    m.UDyymm->StepUp();
    m.PstMainFormSet();
    EXPECT_EQ(m.PstTime->text(), c.text);
    EXPECT_EQ(m.SBar->value(), c.pos);
    EXPECT_EQ(m.YYMM->text(), "2000/12");
    EXPECT_EQ(m.UDyymm->Position(), 0);
    EXPECT_TRUE(m.PstMesg->toPlainText().isEmpty());
  }
}

TEST_F(PstMainTest, ScrollBarSetsTheTimeAndReportsBadDates) {
  TPstMain& m = Start();
  m.SBar->setValue(95);
  EXPECT_EQ(m.PstTime->text(), "2000/12/16 23:45");
  m.SBar->setValue(0);
  EXPECT_EQ(m.PstTime->text(), "2000/12/16 00:00");
  m.SBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(m.PstTime->text(), "2000/12/16 00:15");
  EXPECT_TRUE(sink_.boxes.empty());

  // The 31st, with November shown: the date cannot be formed.
  now_ = MakeDateTime(2000, 10, 31, 10, 0);
  m.PstMainFormSet();
  m.UDyymm->Up->click();
  EXPECT_EQ(m.YYMM->text(), "2000/11");
  m.SBar->setValue(20);
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].caption, "Moranote");
  EXPECT_EQ(sink_.boxes[0].text, "日付に変換できない値が渡されました");
  EXPECT_EQ(m.PstTime->text(), "2000/10/31 10:00");

  m.PstTime->setText("2000/10/3x 10:00");
  m.SBar->setValue(21);
  ASSERT_EQ(sink_.boxes.size(), 2u);
  EXPECT_EQ(sink_.boxes[1].text, "'3x' は整数ではありません");
  EXPECT_EQ(m.PstTime->text(), "2000/10/3x 10:00");
}

TEST_F(PstMainTest, NarrowWindowWithCaln) {
  WriteIni("[DISP]\r\nCaln=1\r\n");
  TPstMain& m = Start();
  EXPECT_EQ(m.OuterWidth(), 132);
  EXPECT_EQ(m.width(), 124);
  m.ProgShow->trigger();
  EXPECT_TRUE(m.isVisible());
  EXPECT_EQ(m.OuterWidth(), 132);
  // Picking a day opens the entry part.
  QTest::mouseClick(m.Day[20], Qt::MiddleButton);
  EXPECT_EQ(m.OuterWidth(), 330);
  EXPECT_EQ(m.PstTime->text(), "2000/12/16 10:00");  // the middle button picks nothing
  // Cancel in the popup narrows it again.
  m.Popup().BtnCan->click();
  EXPECT_EQ(m.OuterWidth(), 132);
}

TEST_F(PstMainTest, MenuHidesShowsAndOpensHelp) {
  TPstMain& m = Start();
  m.RbtnSche2->click();
  EXPECT_EQ(m.OuterHeight(), 255);
  EXPECT_EQ(m.height(), 228);
  m.PstMesg->setPlainText("draft");
  m.ProgShow->trigger();
  EXPECT_TRUE(m.isVisible());
  EXPECT_TRUE(m.RbtnSche->isChecked());
  EXPECT_EQ(m.OuterHeight(), 150);
  EXPECT_EQ(m.OuterWidth(), 330);
  EXPECT_TRUE(m.PstMesg->toPlainText().isEmpty());
  m.ProgHide->trigger();
  EXPECT_FALSE(m.isVisible());
  m.ProgHelp->trigger();
  EXPECT_EQ(help_.shown, 1);
  m.UDyymm->Up->click();
  m.CalDisp->trigger();
  EXPECT_TRUE(m.Calendar().isVisible());
  EXPECT_EQ(m.Calendar().Panel->text(), "2001/01");
  EXPECT_EQ(state_.CalendarMonth, 1);
  EXPECT_EQ(state_.CalendarAnchor, MakeDateTime(2001, 1, 15));
  main_.reset();
  EXPECT_EQ(help_.quits, 1);
}

TEST_F(PstMainTest, IconPressesSelectScheduleOneAndRightShowsTheWindow) {
  TPstMain& m = Start();
  QMenu* popped = nullptr;
  m.TaskTray->PopupAt = [&](QMenu* menu, QPoint) { popped = menu; };
  m.RbtnSche2->click();
  TTaskTray::ShellMessage(m.TaskTray->IconID(), kLButtonDown);
  EXPECT_TRUE(m.RbtnSche->isChecked());
  EXPECT_EQ(m.OuterHeight(), 150);
  EXPECT_FALSE(m.isVisible());
  EXPECT_EQ(popped, m.PopupMenu);
  m.TaskTrayMouseDown(Qt::RightButton, 0, 0);
  EXPECT_TRUE(m.isVisible());
}

TEST_F(PstMainTest, StartUpAppliesFontsColourAndInputMode) {
  WriteIni("[FORM]\r\nEcolor=255\r\nIMEMode=3\r\n"
           "[DISP]\r\nCaleFontSize=12\r\nCaleFontName=Courier\r\nTitleFontName=Helvetica\r\n");
  TPstMain& m = Start();
  EXPECT_EQ(m.palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_FALSE(m.PstMesg->testAttribute(Qt::WA_InputMethodEnabled));
  state_.Settings.IMEMode = 1;
  m.ApplyImeMode();
  EXPECT_TRUE(m.PstMesg->testAttribute(Qt::WA_InputMethodEnabled));
  for (QLabel* l : m.Day) EXPECT_EQ(l->font().pointSize(), 12);
  for (QLabel* l : m.Week) EXPECT_EQ(l->font().family(), "Courier");
  EXPECT_EQ(m.YYMM->font().family(), "Helvetica");
  EXPECT_EQ(m.YYMM->font().pixelSize(), 16);
  EXPECT_EQ(m.GroupBox1->RbMonthly2->font().pixelSize(), 13);
  EXPECT_EQ(m.PstVerShow->font().pixelSize(), 16);
}

// Every mode sets the box fully: leaving a restricted mode frees it at once.
TEST_F(PstMainTest, InputModeChangesTakeEffectBothWays) {
  TPstMain& m = Start();
  auto mode = [&](int value) {
    state_.Settings.IMEMode = value;
    m.ApplyImeMode();
    return std::pair(m.PstMesg->testAttribute(Qt::WA_InputMethodEnabled),
                     m.PstMesg->inputMethodHints());
  };
  const auto free = std::pair(true, Qt::InputMethodHints(Qt::ImhNone));
  const auto latin = std::pair(true, Qt::InputMethodHints(Qt::ImhLatinOnly));
  EXPECT_EQ(mode(3), std::pair(false, Qt::InputMethodHints(Qt::ImhLatinOnly)));
  EXPECT_EQ(mode(0), free);
  EXPECT_EQ(mode(8), latin);
  EXPECT_EQ(mode(2), free);
  EXPECT_EQ(mode(7), latin);
  EXPECT_EQ(mode(9), latin);  // outside 0..8: left as it was
  EXPECT_EQ(mode(4), free);
}

// A control that is off shows the platform's disabled text, not the colour
// its enabled state was given.
TEST_F(PstMainTest, DisabledRecurringBoxesLookDisabled) {
  TPstMain& m = Start();
  const QColor disabled = QApplication::palette().color(QPalette::Disabled, QPalette::Text);
  ASSERT_NE(disabled, QColor(Qt::black));
  ASSERT_FALSE(m.GroupBox1->CbShMonthlyDay->isEnabled());
  EXPECT_EQ(m.GroupBox1->CbShMonthlyDay->palette().color(QPalette::Disabled, QPalette::Text), disabled);
  EXPECT_EQ(m.GroupBox1->CbShMonthlyDay->palette().color(QPalette::Active, QPalette::Text),
            QColor(Qt::black));
}

TEST_F(PstMainTest, GridShowsTheMonthAndSteps) {
  WriteFile("Dpstitdt.dat", "Time=2000/12/20 09:00\r\nMemo=a\r\nTime=1900/12/01 00:00\r\n");
  TPstMain& m = Start();
  // December 2000 begins on a Friday.
  EXPECT_EQ(m.Day[4]->text(), "");
  EXPECT_EQ(m.Day[5]->text(), "1");
  EXPECT_EQ(m.Day[35]->text(), "31");
  EXPECT_EQ(m.Day[36]->text(), "");
  EXPECT_EQ(m.Day[20]->palette().color(QPalette::Window), QColor(0, 255, 0));  // today
  EXPECT_EQ(m.Day[24]->palette().color(QPalette::WindowText), QColor(0, 0, 255));  // a label
  EXPECT_EQ(m.Day[23]->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(m.Day[22]->palette().color(QPalette::Window), ToQColor(14745599));
  EXPECT_EQ(state_.CalendarMonth, 12);

  for (int i = 0; i < 14; ++i) m.UDyymm->Up->click();
  EXPECT_EQ(m.UDyymm->Position(), 11);
  EXPECT_EQ(m.YYMM->text(), "2001/11");
  EXPECT_EQ(state_.CalendarMonth, 11);
  for (int i = 0; i < 20; ++i) m.UDyymm->Down->click();
  EXPECT_EQ(m.UDyymm->Position(), -2);
  EXPECT_EQ(m.YYMM->text(), "2000/10");
  EXPECT_EQ(m.Day[0]->text(), "1");  // 1 October 2000 is a Sunday
}

TEST_F(PstMainTest, GridShowsNationalHolidaysWhenSwitchedOn) {
  now_ = MakeDateTime(2031, 9, 2, 10, 0);
  WriteIni("[DISP]\r\nNationalHolidays=1\r\n");
  TPstMain& m = Start();
  // September 2031 begins on a Monday: the 15th (Respect for the Aged Day)
  // is cell 15.
  QLabel* day15 = m.Day[15];
  ASSERT_EQ(day15->text(), "15");
  EXPECT_EQ(day15->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(day15->toolTip(), QString::fromUtf8("敬老の日"));
  EXPECT_EQ(m.Day[16]->toolTip(), "");

  // The calendar window shows the same day red, with its name.
  m.CalDispClick();
  TPstCal& cal = m.Calendar();
  QLabel* calDay15 = cal.CalDay[15];
  ASSERT_EQ(calDay15->text(), "15");
  EXPECT_EQ(calDay15->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(calDay15->toolTip(), QString::fromUtf8("敬老の日"));
  cal.hide();

  state_.Settings.NationalHolidays = 0;
  m.UDyymmClick();
  EXPECT_EQ(day15->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(day15->toolTip(), "");
  m.CalDispClick();
  EXPECT_EQ(calDay15->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_EQ(calDay15->toolTip(), "");
  cal.hide();
}

TEST_F(PstMainTest, DayClicksPickTheDateOrOpenItsLastLabel) {
  WriteFile("Dpstitdt.dat",
            "Time=2000/12/20 09:00\r\nMemo=first\r\nTime=2000/12/20 18:30\r\nMemo=second\r\n"
            "Memo=two\r\nTime=2000/12/21 08:00\r\nMemo=other\r\n");
  TPstMain& m = Start();
  // A blank cell does nothing at all.
  m.RbtnSche2->click();
  QTest::mouseClick(m.Day[0], Qt::LeftButton);
  QTest::mouseClick(m.Day[0], Qt::RightButton);
  EXPECT_TRUE(m.RbtnSche2->isChecked());
  EXPECT_FALSE(m.Popup().isVisible());

  QTest::mouseClick(m.Day[24], Qt::LeftButton);
  EXPECT_TRUE(m.RbtnSche->isChecked());
  EXPECT_EQ(m.OuterHeight(), 150);
  EXPECT_EQ(m.PstTime->text(), "2000/12/20 09:00");
  EXPECT_EQ(m.SBar->value(), 36);

  QTest::mouseClick(m.Day[24], Qt::RightButton);
  ASSERT_TRUE(m.Popup().isVisible());
  EXPECT_EQ(m.Popup().Caption(), "2000/12/20 18:30");
  EXPECT_EQ(m.Popup().Lines(), (QStringList{"second", "two"}));

  // In another month the grid's title gives the year and month.
  m.Popup().hide();
  m.UDyymm->Down->click();
  QTest::mouseClick(m.Day[22], Qt::LeftButton);  // 20 November 2000
  EXPECT_EQ(m.PstTime->text(), "2000/11/20 09:00");
  QTest::mouseClick(m.Day[22], Qt::RightButton);
  EXPECT_FALSE(m.Popup().isVisible());
  EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(PstMainTest, AClickOnTheChosenKindKeepsItChosen) {
  TPstMain& m = Start();
  for (QRadioButton* kind : {m.RbtnSche, m.RbtnTodo, m.RbtnSche2}) {
    QTest::mouseClick(kind, Qt::LeftButton);
    QTest::mouseClick(kind, Qt::LeftButton);
    EXPECT_TRUE(kind->isChecked()) << kind->objectName().toStdString();
  }
  EXPECT_TRUE(m.GroupBox1->RbWeekly->isChecked());
}

TEST_F(PstMainTest, GroupRadioButtonsEnableTheirBoxes) {
  TPstMain& m = Start();
  auto enabled = [&] {
    std::string s;
    for (QComboBox* c : {m.GroupBox1->CbShWeeklyWeek, m.GroupBox1->CbShWeeklyTime, m.GroupBox1->CbShMonthlyDay,
                         m.GroupBox1->CbShMonthlyTime1, m.GroupBox1->CbShMonthlyWeekNo, m.GroupBox1->CbShMonthlyWeek,
                         m.GroupBox1->CbShMonthlyTime2})
      s += c->isEnabled() ? '1' : '0';
    return s;
  };
  m.GroupBox1->RbMonthly2->click();
  EXPECT_EQ(enabled(), "0000111");
  m.GroupBox1->RbMonthly1->click();
  EXPECT_EQ(enabled(), "0011000");
  m.GroupBox1->RbWeekly->click();
  EXPECT_EQ(enabled(), "1100000");
}

TEST_F(PstMainTest, TheScheduleTwoGroupShowsWithItsFontsOnlyInTheTallWindow) {
  TPstMain& m = Start();
  m.show();
  EXPECT_FALSE(m.GroupBox1->isVisible());
  m.RbtnSche2->click();
  EXPECT_TRUE(m.GroupBox1->isVisible());
  EXPECT_TRUE(m.GroupBox1->CbShWeeklyTime->isEditable());
  EXPECT_TRUE(m.GroupBox1->CbShMonthlyTime2->isEditable());
  EXPECT_EQ(m.GroupBox1->CbShWeeklyWeek->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
  EXPECT_EQ(m.GroupBox1->CbShMonthlyDay->font().family(), QStringLiteral("ＭＳ ゴシック"));
  EXPECT_EQ(m.GroupBox1->CbShMonthlyDay->font().pixelSize(), 12);
  m.RbtnSche->click();
  EXPECT_FALSE(m.GroupBox1->isVisible());
  m.hide();
}

}  // namespace
}  // namespace morna::ui::testing
