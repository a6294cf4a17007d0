// The registration window: posting, modifying and deleting labels, the
// schedule timer, start-up and end. After every change the data file on disk
// must hold exactly what the table holds.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "tests/ui/pmain_fixture.h"
#include "ui/PostWindows.h"
#include "ui/Ppost.h"
#include "ui/Ppsub.h"

namespace morna::ui::testing {
namespace {

const QString kDateTimeBox = QStringLiteral("Date & Timeの設定がまちがっています。\r修正してください。");

class PstMainPostTest : public PstMainTest {
 protected:
  void Post(const QString& time, const QString& message) {
    main_->PstTime->setText(time);
    main_->PstMesg->setPlainText(message);
    main_->BtnPost->click();
  }
  void ExpectFileMatchesTable() { EXPECT_EQ(ReadFile("Dpstitdt.dat"), TableAsFile()); }
};

TEST_F(PstMainPostTest, PostStoresTheLabelSavesAndResets) {
  TPstMain& m = Start();
  QTest::mouseClick(m.Day[24], Qt::LeftButton);  // 2000/12/20
  m.SBar->setValue(38);
  EXPECT_EQ(m.PstTime->text(), "2000/12/20 09:30");
  m.PstMesg->setPlainText("hello");
  m.BtnPost->click();
  EXPECT_EQ(Labels(), std::vector<std::string>{"2000/12/20 09:30|hello"});
  ExpectFileMatchesTable();
  EXPECT_EQ(m.Windows().Count(), 1);
  EXPECT_EQ(m.PstTime->text(), "2000/12/16 10:00");
  EXPECT_TRUE(m.PstMesg->toPlainText().isEmpty());
  EXPECT_EQ(m.Day[24]->palette().color(QPalette::WindowText), QColor(0, 0, 255));

  // A final line break gives the same single line; ToDo ignores the time.
  Post("2000/12/21 08:00", "world\n");
  m.RbtnTodo->click();
  Post("anything at all, however long", QStringLiteral("買い物\nmilk"));
  EXPECT_EQ(Labels(), (std::vector<std::string>{ToSjis(QStringLiteral("1900/12/01 00:00|買い物|milk")),
                                                "2000/12/20 09:30|hello", "2000/12/21 08:00|world"}));
  ExpectFileMatchesTable();
  EXPECT_EQ(m.Windows().Count(), 3);
  EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(PstMainPostTest, LabelsRemovedAsPastAreKeptBesideTheDataFile) {
  WriteFile("Dpstitdt.dat", "Time=2000/12/16 10:00\r\nMemo=gone\r\nTime=2000/12/20 09:30\r\nMemo=kept\r\n");
  Start();
  EXPECT_EQ(Labels(), std::vector<std::string>{"2000/12/20 09:30|kept"});
  EXPECT_EQ(ReadFile("Dpstitdt.dat.past"), "Time=2000/12/16 10:00\r\nMemo=gone\r\n");
  EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(PstMainPostTest, BadDateTimesAreRefusedWithTheDateTimeBox) {
  WriteIni("[DISP]\r\nPastData=2\r\n");
  TPstMain& m = Start();
  // 2001 is no leap year; a text longer or shorter than "yyyy/mm/dd hh:mm"
  // would not come back from the data file as a time line.
  for (const char* bad : {"2001/02/29 10:00", "2000/12/20 24:00", "2000/12/20 09:00 extra",
                          "2000/12/20 09:0", ""}) {
    SCOPED_TRACE(bad);
    sink_.boxes.clear();
    Post(bad, "note");
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(sink_.boxes[0].caption, kFileBoxCaption);
    EXPECT_EQ(sink_.boxes[0].text, kDateTimeBox);
    EXPECT_EQ(sink_.boxes[0].icon, BoxIcon::Error);
    EXPECT_EQ(m.PstTime->text(), bad);  // left for the user to correct
  }
  EXPECT_TRUE(Labels().empty());
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), "<missing>");

  sink_.boxes.clear();
  Post("2000/02/29 10:00", "leap");
  EXPECT_TRUE(sink_.boxes.empty());
  EXPECT_EQ(Labels(), std::vector<std::string>{"2000/02/29 10:00|leap"});
  ExpectFileMatchesTable();
}

TEST_F(PstMainPostTest, AnEmptyFirstLineIsReplacedByThePrompt) {
  TPstMain& m = Start();
  Post("2000/12/20 09:00", "");
  EXPECT_EQ(m.PstMesg->toPlainText(), "メッセージ入力！！");
  EXPECT_TRUE(Labels().empty());
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), "<missing>");
  m.PstMesg->setPlainText("\nsecond");
  m.BtnPost->click();
  EXPECT_EQ(m.PstMesg->toPlainText(), "メッセージ入力！！\nsecond");
  EXPECT_TRUE(Labels().empty());
  // Pressed again unchanged, the prompt is posted.
  m.BtnPost->click();
  EXPECT_EQ(Labels(), std::vector<std::string>{
                          ToSjis(QStringLiteral("2000/12/20 09:00|メッセージ入力！！|second"))});
  ExpectFileMatchesTable();
}

TEST_F(PstMainPostTest, ModifyReplacesTheSameLabel) {
  WriteFile("Dpstitdt.dat",
            "Time=2000/12/18 09:37\r\nMemo=a\r\nTime=2000/12/19 12:00\r\nMemo=b\r\n"
            "Time=1900/12/01 00:00\r\nMemo=t\r\n");
  TPstMain& m = Start();
  ASSERT_EQ(m.Windows().Count(), 3);
  emit m.Windows().At(1)->modifyRequested();  // the label of 12/18
  ASSERT_TRUE(m.Popup().isVisible());
  m.RbtnSche2->click();
  m.Popup().BtnMod->click();
  EXPECT_EQ(state_.Labels.Mode(), EditMode::Modify);
  EXPECT_TRUE(m.RbtnSche->isChecked());
  EXPECT_EQ(m.OuterHeight(), 150);
  EXPECT_EQ(m.SBar->value(), 38);
  EXPECT_EQ(m.PstTime->text(), "2000/12/18 09:37");
  EXPECT_EQ(m.PstMesg->toPlainText(), "a");
  EXPECT_TRUE(m.isVisible());
  EXPECT_FALSE(m.Popup().isVisible());

  Post("2000/12/25 08:00", "a changed");
  EXPECT_EQ(state_.Labels.Mode(), EditMode::None);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"1900/12/01 00:00|t", "2000/12/19 12:00|b",
                                                "2000/12/25 08:00|a changed"}));
  ExpectFileMatchesTable();
  EXPECT_EQ(m.Windows().Count(), 3);

  // A ToDo label comes back as ToDo; a late time takes the last position.
  m.Popup().ShowLabel("    ToDo", {"t"});
  m.Popup().BtnMod->click();
  EXPECT_TRUE(m.RbtnTodo->isChecked());
  EXPECT_EQ(m.PstTime->text(), "    ToDo");
  // After a ToDo label PstTime reads "    ToDo"; taking back a dated label
  // must not trip over it.
  m.Popup().ShowLabel("2000/12/19 23:53", {"b"});
  m.Popup().BtnMod->click();
  EXPECT_EQ(m.SBar->value(), 95);
  EXPECT_TRUE(m.RbtnSche->isChecked());
  EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(PstMainPostTest, LabelsWhoseBytesDoNotSurviveTheScreenAreFound) {
  // ED40 is shown as a character that the code page writes as FA5C, and a
  // lone byte 80 shows as no character at all: the popup compares the bytes
  // of the window it was opened on.
  WriteFile("Dpstitdt.dat",
            "Time=2000/12/18 09:00\r\nMemo=\xED\x40\r\n"
            "Time=2000/12/19 09:00\r\nMemo=a\x80z\r\n");
  TPstMain& m = Start();
  emit m.Windows().At(0)->modifyRequested();
  m.Popup().BtnMod->click();
  Post("2000/12/18 10:00", m.PstMesg->toPlainText());
  EXPECT_EQ(state_.Labels.Table().LabelCount(), 2);  // replaced, not added
  emit m.Windows().At(1)->modifyRequested();
  m.Popup().BtnDel->click();
  EXPECT_EQ(Labels(), std::vector<std::string>{"2000/12/18 10:00|\xFA\x5C"});
  ExpectFileMatchesTable();
}

TEST_F(PstMainPostTest, ModifyOfAnUnreadableTimeBeginsNothing) {
  // A hand-edited time with a leading blank in its hour reads as the classic
  // conversion reads it; one that is no number leaves everything as it was.
  WriteFile("Dpstitdt.dat", "Time=2000/12/18  9:05\r\nMemo=a\r\nTime=2000/12/18 xx:05\r\nMemo=b\r\n");
  WriteIni("[DISP]\r\nPastData=2\r\n");
  TPstMain& m = Start();
  emit m.Windows().At(0)->modifyRequested();
  m.Popup().BtnMod->click();
  EXPECT_EQ(m.SBar->value(), 36);
  EXPECT_EQ(m.PstTime->text(), "2000/12/18  9:05");
  EXPECT_TRUE(sink_.boxes.empty());

  state_.Labels.SetMode(EditMode::None);
  m.PstMesg->setPlainText("typing");
  emit m.Windows().At(1)->modifyRequested();
  Guard([&] { m.BtnModClick(); });
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].text, "'xx' は整数ではありません");
  EXPECT_EQ(state_.Labels.Mode(), EditMode::None);
  EXPECT_EQ(m.PstMesg->toPlainText(), "typing");
}

TEST_F(PstMainPostTest, AnEmptyLastMessageLineSurvivesModifyAndCopy) {
  WriteFile("Dpstitdt.dat", "Time=2000/12/20 09:00\r\nMemo=a\r\nMemo=\r\n");
  TPstMain& m = Start();
  ASSERT_EQ(Labels(), std::vector<std::string>{"2000/12/20 09:00|a|"});

  emit m.Windows().At(0)->mesgClicked();
  EXPECT_EQ(m.PstMesg->toPlainText(), "a\n\n");

  emit m.Windows().At(0)->modifyRequested();
  m.Popup().BtnMod->click();
  EXPECT_EQ(m.PstMesg->toPlainText(), "a\n\n");
  m.BtnPost->click();
  EXPECT_EQ(Labels(), std::vector<std::string>{"2000/12/20 09:00|a|"});
  ExpectFileMatchesTable();
}

TEST_F(PstMainPostTest, ModifyLeavesTheMessageBoxReadyForTyping) {
  WriteFile("Dpstitdt.dat", "Time=2000/12/20 09:00\r\nMemo=a\r\n");
  TPstMain& m = Start();
  m.ProgShow->trigger();  // the window stays open behind the popup
  QApplication::processEvents();
  emit m.Windows().At(0)->modifyRequested();
  QApplication::processEvents();
  m.Popup().BtnMod->click();
  QApplication::processEvents();
  EXPECT_TRUE(m.isVisible());
  EXPECT_EQ(QApplication::activeWindow(), &m);
  EXPECT_EQ(QApplication::focusWidget(), m.PstMesg);
  EXPECT_EQ(m.PstMesg->textCursor().position(), 0);
}

TEST_F(PstMainPostTest, DeleteRemovesOneOfTwoIdenticalLabels) {
  WriteFile("Dpstitdt.dat",
            "Time=2000/12/20 09:00\r\nMemo=same\r\nTime=2000/12/20 09:00\r\nMemo=same\r\n");
  TPstMain& m = Start();
  ASSERT_EQ(m.Windows().Count(), 2);
  emit m.Windows().At(1)->modifyRequested();
  m.Popup().BtnDel->click();
  EXPECT_EQ(state_.Labels.Mode(), EditMode::None);
  EXPECT_EQ(Labels(), std::vector<std::string>{"2000/12/20 09:00|same"});
  EXPECT_EQ(m.Windows().Count(), 1);
  EXPECT_FALSE(m.Popup().isVisible());
  ExpectFileMatchesTable();

  // Cancel leaves everything, a pending modify included.
  state_.Labels.SetMode(EditMode::Modify);
  m.RbtnSche2->click();
  emit m.Windows().At(0)->modifyRequested();
  m.Popup().BtnCan->click();
  EXPECT_EQ(state_.Labels.Mode(), EditMode::Modify);
  EXPECT_TRUE(m.RbtnSche2->isChecked());
  EXPECT_EQ(m.OuterHeight(), 150);
  EXPECT_FALSE(m.Popup().isVisible());
  EXPECT_EQ(Labels().size(), 1u);
}

TEST_F(PstMainPostTest, AlarmWindowsOpenNoPopupButGiveTheirMessage) {
  WriteIni("[ALARM]\r\nDailyAlarm=1\r\nDATime=12:00\r\n");
  TPstMain& m = Start();
  ASSERT_EQ(state_.AlarmWindowCount, 1);
  TPstPost* alarm = m.Windows().At(0);
  ASSERT_NE(alarm, nullptr);
  EXPECT_EQ(alarm->Caption(), "    Alarm");
  emit alarm->modifyRequested();
  EXPECT_FALSE(m.Popup().isVisible());
  m.RbtnSche2->click();
  m.PstTime->setText("kept");
  emit alarm->mesgClicked();
  EXPECT_EQ(m.PstMesg->toPlainText(), alarm->Lines().join('\n'));
  EXPECT_FALSE(m.PstMesg->toPlainText().isEmpty());
  EXPECT_EQ(m.PstTime->text(), "kept");
  EXPECT_TRUE(m.RbtnSche2->isChecked());
}

TEST_F(PstMainPostTest, TimerTickRecoloursAndSounds) {
  WriteIni("[FILE]\r\nWaveFileName=/sounds/bell.wav\r\n");
  WriteFile("Dpstitdt.dat", "Time=2000/12/16 10:15\r\nMemo=m\r\n");
  TPstMain& m = Start();
  ASSERT_EQ(m.Windows().Count(), 1);
  now_ = MakeDateTime(2000, 12, 16, 10, 10, 5);
  m.SchTimerTimer();
  EXPECT_EQ(player_.played, std::vector<QString>{"/sounds/bell.wav"});
  EXPECT_EQ(m.Windows().At(0)->Color(), ToQColor(16777152));
  EXPECT_EQ(m.Windows().At(0)->CaptionColor(), ToQColor(16728319));
  EXPECT_EQ(state_.Timer.LastTickTime, now_);
  // The same minute again: nothing.
  now_ = MakeDateTime(2000, 12, 16, 10, 10, 15);
  m.SchTimerTimer();
  EXPECT_EQ(player_.played.size(), 1u);

  // The first tick of a new date resets the window, message and all.
  m.PstMesg->setPlainText("typing");
  now_ = MakeDateTime(2000, 12, 17, 0, 0, 10);
  m.SchTimerTimer();
  EXPECT_EQ(m.PstTime->text(), "2000/12/17 00:00");
  EXPECT_TRUE(m.PstMesg->toPlainText().isEmpty());
  EXPECT_EQ(state_.Timer.DisplayBaseTime, now_);
}

TEST_F(PstMainPostTest, EndSavesBothFilesAndQuits) {
  WriteFile("Dpstitdt.dat", "Time=2000/12/20 09:00\r\nMemo=x\r\n");
  TPstMain& m = Start();
  m.move(60, 40);
  m.BtnEnd->click();
  EXPECT_EQ(quits_, 1);
  ExpectFileMatchesTable();
  const std::string ini = ReadFile("Morna.ini");
  EXPECT_NE(ini.find("Top=40"), std::string::npos);
  EXPECT_NE(ini.find("Left=60"), std::string::npos);
  EXPECT_TRUE(sink_.boxes.empty());

  // The position comes back at the next start.
  main_.reset();
  TPstMain& again = Start();
  EXPECT_EQ(again.pos(), QPoint(60, 40));
  EXPECT_EQ(Labels(), std::vector<std::string>{"2000/12/20 09:00|x"});
}

TEST_F(PstMainPostTest, SettingsOutOfRangeWorkAndGoBackAsWritten) {
  const std::string values[] = {"DataCnt=0", "DataWSize=0", "Minute=99999999",
                                "CalHeight=0", "DispFontSize=-12"};
  WriteIni("[FILE]\r\n" + values[0] + "\r\n[FORM]\r\nDataWCheck=1\r\n" + values[1] +
           "\r\n" + values[2] + "\r\n[DISP]\r\n" + values[3] + "\r\n" + values[4] + "\r\n");
  WriteFile("Dpstitdt.dat", "Time=2000/12/20 09:00\r\nMemo=x\r\n");
  TPstMain& m = Start();
  ASSERT_EQ(m.Windows().Count(), 1);
  EXPECT_EQ(m.Windows().At(0)->width(), 1);  // a window keeps one pixel
  EXPECT_EQ(m.Windows().At(0)->PostMesg->font().pixelSize(), 12);
  now_ = MakeDateTime(2000, 12, 16, 10, 9, 5);
  m.SchTimerTimer();  // the huge warning lead reaches the label: pink
  EXPECT_EQ(m.Windows().At(0)->CaptionColor(), ToQColor(kPink));
  m.BtnEnd->click();
  EXPECT_EQ(quits_, 1);
  const std::string ini = ReadFile("Morna.ini");
  for (const std::string& v : values) EXPECT_NE(ini.find(v + "\r\n"), std::string::npos) << v;
  ExpectFileMatchesTable();
}

TEST_F(PstMainPostTest, AnUnwritableSettingsFileIsToldAndTheProgramStillEnds) {
  state_.SettingsFile = ToSjis(dir_.filePath("no/such/dir/Morna.ini"));
  TPstMain& m = Start();
  m.ProgExit->trigger();
  EXPECT_EQ(quits_, 1);
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].caption, "Moranote");
  EXPECT_EQ(sink_.boxes[0].text,
            dir_.filePath("no/such/dir/Morna.ini") + " に書き込めません\nNo such file or directory");
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), "");  // the labels were written first
}

TEST_F(PstMainPostTest, AFileThatIsNoLabelFileIsToldAtStartAndLeftAlone) {
  WriteIni("[FILE]\r\nFileName=notes.txt\r\n");
  WriteFile("notes.txt", "my important notes");
  TPstMain& m = Start();
  QTest::qWait(0);
  const QMessageBox* notice = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "Notice") notice = qobject_cast<QMessageBox*>(w);
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(notice->text().contains("notes.txt.labels"));
  Post("2000/12/21 10:00", "kept");
  m.BtnEnd->click();
  EXPECT_EQ(ReadFile("notes.txt"), "my important notes");
  EXPECT_EQ(ReadFile("notes.txt.labels"), "Time=2000/12/21 10:00\r\nMemo=kept\r\n");
  delete notice;
}

TEST_F(PstMainPostTest, CloseBoxQuitsWithoutSaving) {
  TPstMain& m = Start();
  m.show();
  m.close();
  EXPECT_EQ(quits_, 1);
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), "<missing>");
  EXPECT_EQ(ReadFile("Morna.ini"), "<missing>");
}

TEST_F(PstMainPostTest, StartUpPlacesTheWindowOnTheDesktop) {
  WriteIni("[MAIN]\r\nTop=5000\r\nLeft=-3000\r\n");
  TPstMain& m = Start();
  EXPECT_EQ(m.pos(), QPoint(0, 600 - 150));
}

TEST_F(PstMainPostTest, CountDownSoundsOnceAtStartUp) {
  WriteIni("[FILE]\r\nWaveFileName=bell.wav\r\n[DISP]\r\nPastData=2\r\n[ALARM]\r\nCountDown=1\r\n");
  WriteFile("Dpstitdt.dat", "Time=2000/12/10 09:00\r\nMemo=x\r\nTime=2000/12/20 09:00\r\nMemo=y\r\n");
  Start();
  EXPECT_EQ(player_.played, std::vector<QString>{"bell.wav"});
}

TEST_F(PstMainPostTest, AnUnreadableDataFileIsKeptAsideBeforeTheFirstSave) {
  // More labels than the table can hold: the load reports a failure.
  std::string original;
  for (int i = 0; i < 51; ++i)
    original += "Time=2000/12/20 09:" + std::string(i < 10 ? "0" : "") + std::to_string(i) +
                "\r\nMemo=n\r\n";
  WriteFile("Dpstitdt.dat", original);
  TPstMain& m = Start();
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].caption, kFileBoxCaption);
  EXPECT_TRUE(sink_.boxes[0].text.startsWith("ファイルの読込みで[ "));
  EXPECT_TRUE(sink_.boxes[0].text.endsWith(" ] のエラーが発生しました。\n" +
                                           QString::fromLocal8Bit(state_.Labels.Path())));
  EXPECT_TRUE(state_.Labels.File().LoadFailed());

  emit m.Windows().At(0)->modifyRequested();
  m.Popup().BtnDel->click();
  EXPECT_EQ(ReadFile("Dpstitdt.dat.bak"), original);
  ExpectFileMatchesTable();
  // Only the first save keeps a copy.
  Post("2000/12/21 10:00", "new");
  ExpectFileMatchesTable();
  EXPECT_EQ(ReadFile("Dpstitdt.dat.bak"), original);
  EXPECT_EQ(ReadFile("Dpstitdt.dat.bak2"), "<missing>");
  EXPECT_EQ(sink_.boxes.size(), 1u);
}

TEST_F(PstMainPostTest, ADataFileInAMissingFolderIsReportedAndStartUpGoesOn) {
  WriteIni("[FILE]\r\nFileName=no/such/folder/Dpstitdt.dat\r\n");
  TPstMain& m = Start();
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].caption, kFileBoxCaption);
  EXPECT_EQ(sink_.boxes[0].text,
            "ファイルの読込みで[ No such file or directory ] のエラーが発生しました。\n" +
                QString::fromLocal8Bit(state_.Labels.Path()));
  EXPECT_EQ(m.YYMM->text(), "2000/12");
}

TEST_F(PstMainPostTest, ScheduleTwoFailingPartWayStillShowsAndSavesWhatWasStored) {
  TPstMain& m = Start();
  m.RbtnSche2->click();
  m.GroupBox1->RbMonthly1->click();
  m.GroupBox1->CbShMonthlyDay->setCurrentText("31");
  m.GroupBox1->CbShMonthlyTime1->setCurrentText("08:00");
  Post("2001/01/20 15:20", "monthly");  // 31 February ends the run
  ASSERT_EQ(sink_.boxes.size(), 1u);
  // The date-time box, and how many went in before the error.
  EXPECT_EQ(sink_.boxes[0].text,
            kDateTimeBox + "\n6件のうち1件を登録したところでエラーになりました。");
  EXPECT_EQ(Labels(), std::vector<std::string>{"2001/01/31 08:00|monthly"});
  EXPECT_EQ(m.Windows().Count(), 1);
  ExpectFileMatchesTable();
  EXPECT_EQ(m.PstTime->text(), "2001/01/31 08:00");  // the last occurrence written

  // An error before the first label: the date-time box alone.
  sink_.boxes.clear();
  m.GroupBox1->CbShMonthlyDay->setCurrentText("3l");
  Post("2001/01/20 15:20", "none");
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].text, kDateTimeBox);
  EXPECT_EQ(Labels().size(), 1u);
}

TEST_F(PstMainPostTest, ScheduleTwoPostsEachKindThroughTheGroup) {
  WriteIni("[FILE]\r\nScheCnt=3\r\n");
  TPstMain& m = Start();
  QTest::mouseClick(m.RbtnSche2, Qt::LeftButton);
  EXPECT_EQ(m.OuterHeight(), 255);

  // Weekly, picked from the lists: from Wednesday 2000/12/20.
  m.GroupBox1->CbShWeeklyWeek->setCurrentIndex(m.GroupBox1->CbShWeeklyWeek->findText("Friday"));
  m.GroupBox1->CbShWeeklyTime->setCurrentIndex(m.GroupBox1->CbShWeeklyTime->findText("08:30"));
  Post("2000/12/20 15:20", "weekly");
  EXPECT_TRUE(m.PstMesg->toPlainText().isEmpty());  // posted and reset

  // Monthly-1 and Monthly-2 typed into the boxes.
  QTest::mouseClick(m.GroupBox1->RbMonthly1, Qt::LeftButton);
  m.GroupBox1->CbShMonthlyDay->clearEditText();
  QTest::keyClicks(m.GroupBox1->CbShMonthlyDay, "25");
  m.GroupBox1->CbShMonthlyTime1->clearEditText();
  QTest::keyClicks(m.GroupBox1->CbShMonthlyTime1, "12:00");
  Post("2000/12/20 15:20", "day");
  QTest::mouseClick(m.GroupBox1->RbMonthly2, Qt::LeftButton);
  m.GroupBox1->CbShMonthlyWeekNo->clearEditText();
  QTest::keyClicks(m.GroupBox1->CbShMonthlyWeekNo, "5");
  m.GroupBox1->CbShMonthlyWeek->setCurrentIndex(m.GroupBox1->CbShMonthlyWeek->findText("Friday"));
  m.GroupBox1->CbShMonthlyTime2->clearEditText();
  QTest::keyClicks(m.GroupBox1->CbShMonthlyTime2, "10:00");
  Post("2000/12/20 15:20", "fifth");

  // January and February 2001 have four Fridays: each spills into the next month.
  EXPECT_EQ(Labels(), (std::vector<std::string>{
                          "2000/12/22 08:30|weekly", "2000/12/25 12:00|day",
                          "2000/12/29 08:30|weekly", "2000/12/29 10:00|fifth",
                          "2001/01/05 08:30|weekly", "2001/01/25 12:00|day",
                          "2001/02/02 10:00|fifth", "2001/02/25 12:00|day",
                          "2001/03/02 10:00|fifth"}));
  ExpectFileMatchesTable();
  EXPECT_EQ(m.Windows().Count(), 9);
  EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(PstMainPostTest, AFullTableKeepsTheTypedEntryAndSaysHowToMakeRoom) {
  const std::string file = "Time=2000/12/18 09:37\r\nMemo=a\r\nTime=2000/12/19 12:00\r\nMemo=b\r\n";
  WriteIni("[FILE]\r\nDataCnt=2\r\nScheCnt=2\r\n");
  WriteFile("Dpstitdt.dat", file);
  TPstMain& m = Start();
  TPstPost* const first = m.Windows().At(0);
  for (QRadioButton* kind : {m.RbtnSche, m.RbtnTodo, m.RbtnSche2}) {
    SCOPED_TRACE(kind->objectName().toStdString());
    sink_.boxes.clear();
    kind->click();  // Schedule-1 is already chosen: the click keeps it so
    Post("2000/12/24 10:00", "keep me");
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(sink_.boxes[0].caption, kFileBoxCaption);
    EXPECT_EQ(sink_.boxes[0].icon, BoxIcon::Warning);
    EXPECT_TRUE(sink_.boxes[0].text.startsWith("ラベルの数が上限の2件に達しているため、登録できません。\n"));
    EXPECT_TRUE(sink_.boxes[0].text.contains("「設定画面の表示」の「Data」タブ"));
    EXPECT_EQ(m.PstTime->text(), "2000/12/24 10:00");
    EXPECT_EQ(m.PstMesg->toPlainText(), "keep me");
    EXPECT_TRUE(kind->isChecked());
  }
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), file);
  EXPECT_EQ(m.Windows().At(0), first);  // the label windows were left standing

  // A modify replaces its own label, so it fits; of a recurring entry only
  // the first label does.
  emit m.Windows().At(0)->modifyRequested();
  m.Popup().BtnMod->click();
  sink_.boxes.clear();
  m.RbtnSche2->click();
  m.GroupBox1->CbShWeeklyWeek->setCurrentText("Monday");
  m.GroupBox1->CbShWeeklyTime->setCurrentText("09:00");
  Post("2000/12/18 09:37", "a changed");
  EXPECT_EQ(Labels(), (std::vector<std::string>{"2000/12/18 09:00|a changed", "2000/12/19 12:00|b"}));
  ExpectFileMatchesTable();
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].icon, BoxIcon::Warning);
  EXPECT_TRUE(sink_.boxes[0].text.startsWith("ラベルの数が上限の2件に達したため、2件のうち1件だけ登録しました。"));
  EXPECT_TRUE(m.PstMesg->toPlainText().isEmpty());
}

TEST_F(PstMainPostTest, ScheduleTwoIntoTooFewFreeSlotsStoresWhatFits) {
  WriteIni("[FILE]\r\nDataCnt=50\r\n");
  std::string file;
  for (int i = 0; i < 47; ++i) file += "Time=2001/06/01 00:00\r\nMemo=x\r\n";
  WriteFile("Dpstitdt.dat", file);
  TPstMain& m = Start();
  state_.Settings.ScheCnt = 2'000'000'000;  // as a hand-edited settings file may hold it
  m.RbtnSche2->click();
  Post("2000/12/20 15:20", "weekly");
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].text,
            "ラベルの数が上限の50件に達したため、2000000000件のうち3件だけ登録しました。\n"
            "ラベルを削除してください。");
  const std::vector<std::string> labels = Labels();
  ASSERT_EQ(labels.size(), 50u);
  EXPECT_EQ(labels[0], "2000/12/24 00:00|weekly");  // Sunday at 00:00, as the group starts
  EXPECT_EQ(labels[2], "2001/01/07 00:00|weekly");
  ExpectFileMatchesTable();
  EXPECT_EQ(m.Windows().Count(), 50);
}

TEST_F(PstMainPostTest, ScheduleTwoNeverOverwritesItsOwnLabelsWhenTheModifiedOneIsGone) {
  WriteIni("[FILE]\r\nScheCnt=2\r\n");
  TPstMain& m = Start();
  // A modify is pending on a label that no longer exists and that the first
  // label of the run will look exactly like.
  m.Popup().ShowLabel("2000/12/18 09:00", {"a"});
  m.Popup().hide();
  state_.Labels.SetMode(EditMode::Modify);
  m.RbtnSche2->click();
  m.GroupBox1->CbShWeeklyWeek->setCurrentText("Monday");
  m.GroupBox1->CbShWeeklyTime->setCurrentText("09:00");
  Post("2000/12/18 09:00", "a");
  EXPECT_EQ(Labels(), (std::vector<std::string>{"2000/12/18 09:00|a", "2000/12/25 09:00|a"}));
  EXPECT_EQ(state_.Labels.Mode(), EditMode::Modify);
  ExpectFileMatchesTable();
}

}  // namespace
}  // namespace morna::ui::testing
