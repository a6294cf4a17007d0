// The settings dialog: its handlers on their own, and opened from the
// registration window with OK and Cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "core/settingrows.h"
#include "tests/ui/pmain_fixture.h"
#include "ui/Pinit.h"
#include "ui/PostWindows.h"
#include "ui/Ppost.h"
#include "ui/pickers.h"

namespace morna::ui::testing {
namespace {

class FakePickers : public Pickers {
 public:
  std::optional<QString> OpenFile(QWidget*, const QString& f) override {
    filters.push_back(f);
    return file;
  }
  std::optional<FontChoice> ChooseFont(QWidget*, const FontChoice& initial) override {
    fontInitials.push_back(initial);
    return font;
  }
  std::optional<QColor> ChooseColor(QWidget*, const QColor& initial) override {
    colorInitials.push_back(initial);
    return color;
  }
  std::optional<QString> file;
  std::optional<FontChoice> font;
  std::optional<QColor> color;
  QStringList filters;
  std::vector<FontChoice> fontInitials;
  std::vector<QColor> colorInitials;
};

class PstInitTest : public PstMainTest {
 protected:
  void SetUp() override {
    PstMainTest::SetUp();
    SetPickers(&pickers_);
  }
  void TearDown() override {
    SetPickers(nullptr);
    PstMainTest::TearDown();
  }

  // A dialog shown (not modally) on the current settings.
  TPstInit& Open() {
    dialog_ = std::make_unique<TPstInit>(state_);
    dialog_->show();
    return *dialog_;
  }

  // Opens the settings dialog from the title of the registration window and
  // lets `inside` work on it while it runs modally.
  void OpenFromTitle(TPstMain& m, const std::function<void(TPstInit&)>& inside) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      ASSERT_NE(m.SettingsDialog(), nullptr);
      ran = true;
      inside(*m.SettingsDialog());
    });
    QTest::mouseClick(m.PstVerShow, Qt::LeftButton);
    EXPECT_TRUE(ran);
    EXPECT_EQ(m.SettingsDialog(), nullptr);
  }

  FakePickers pickers_;
  std::unique_ptr<TPstInit> dialog_;
};

TEST_F(PstInitTest, OpensCentredOnTheVersionTabWithTheSystemLines) {
  state_.WorkArea = Rect{1, 2, 803, 604};
  TPstInit& d = Open();
  EXPECT_EQ(d.windowTitle(), "Moranote ");
  EXPECT_EQ(d.size(), QSize(427, 293));
  EXPECT_EQ(d.minimumSize(), d.maximumSize());
  EXPECT_FALSE(d.windowFlags() & Qt::WindowCloseButtonHint);
  const QSize screen = QGuiApplication::primaryScreen()->size();
  EXPECT_EQ(d.pos(), QPoint((screen.width() - 427) / 2, (screen.height() - 293) / 2));
  EXPECT_EQ(d.PageControl1->currentIndex(), 0);
  QStringList tabs;
  for (int i = 0; i < d.PageControl1->count(); ++i) tabs << d.PageControl1->tabText(i);
  EXPECT_EQ(tabs, QStringList({"Version", "Data", "Calendar", "Color", "Display", "Alarm", "CalDAV"}));
  EXPECT_EQ(d.focusWidget(), d.BtnOK);
  // Every combo box takes typed values but the list of languages.
  for (QComboBox* c : d.findChildren<QComboBox*>())
    EXPECT_EQ(c->isEditable(), c != d.CmbLanguage) << qPrintable(c->objectName());
  EXPECT_EQ(d.findChild<QGroupBox*>("GroupBox7")->title(), " * Holiday && Non Holiday ");

  EXPECT_EQ(d.SinfoData[3]->text(), "Left: 1, Top: 2, Right: 803, Bottom: 604");
  EXPECT_TRUE(d.InfoLine(2).contains(QRegularExpression(" , Memory  :  [1-9][0-9]*Mb$")))
      << qPrintable(d.InfoLine(2));
  EXPECT_NE(d.SinfoData[0]->text(), "SinfoData0");
}

// A system line longer than its label ends in an ellipsis, with the whole
// line as its tooltip; a short one shows as it is.
TEST_F(PstInitTest, LongSystemLinesAreElidedWithTheWholeTextAsTooltip) {
  TPstInit& d = Open();
  const QString whole = QStringLiteral("Debian GNU/Linux 12 (bookworm) ") + QString(60, 'x') +
                        QStringLiteral(" 6.1.0-18-amd64");
  d.SetInfoLine(0, whole);
  QLabel* line = d.SinfoData[0];
  EXPECT_TRUE(line->text().startsWith("Debian GNU/Linux 12"));
  EXPECT_TRUE(line->text().endsWith(QChar(0x2026))) << qPrintable(line->text());
  EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->contentsRect().width());
  EXPECT_EQ(line->toolTip(), whole);
  EXPECT_EQ(d.InfoLine(0), whole);

  d.SetInfoLine(0, "Debian");
  EXPECT_EQ(line->text(), "Debian");
  EXPECT_TRUE(line->toolTip().isEmpty());
  EXPECT_EQ(d.InfoLine(0), "Debian");
}

TEST_F(PstInitTest, ShowsTheSettingsAndStoresThemOnOk) {
  state_.Settings.DataCnt = 40;
  state_.Settings.Area = 3;
  state_.Settings.IMEMode = 4;
  state_.Settings.Tcolor = kLightGreen;
  state_.Settings.WeeklyAlarm = 1;
  state_.Settings.WeeklyAlarmW = 3;
  state_.Settings.FileName = "\x82\xa0\xff.dat";  // "あ" and a byte that is no character
  TPstInit& d = Open();
  EXPECT_EQ(d.EdData->currentText(), "40");
  EXPECT_TRUE(d.RbtnArea[2]->isChecked());
  EXPECT_EQ(d.CmbIME->currentText(), QStringLiteral("4 - 全角ひらがな"));
  EXPECT_TRUE(d.Color[kTimerGroup].radio[3]->isChecked());
  EXPECT_EQ(d.CbAlWeeklyWeek->currentText(), "Tuesday");

  d.EdSched->setEditText("12");
  QTest::mouseClick(d.RbtnSize[2], Qt::LeftButton);
  QTest::mouseClick(d.BtnOK, Qt::LeftButton);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(state_.Settings.ScheCnt, 12);
  EXPECT_EQ(state_.Settings.DataSize, 3);
  EXPECT_EQ(state_.Settings.FileName, "\x82\xa0\xff.dat");  // shown, untouched, kept byte for byte
  EXPECT_TRUE(sink_.boxes.empty());
}

// Every field of the record reaches its control and comes back: a field
// missing from the binding table reads back as its designed value. A new
// field gets a value here that differs from its design.
TEST_F(PstInitTest, EveryFieldOfTheFormRoundTripsThroughItsControl) {
  InitForm f;
  f.EdFileName = "\x82\xa0\xff.dat";  // kept byte for byte, even the byte that is no character
  f.EdWaveFile = "bell.wav";
  f.EdData = "45";
  f.EdSched = "12";
  f.RbtnArea = 3;
  f.RbtnPast = 2;
  f.RbtnSize = 1;
  f.CbDataWidth = true;
  f.CbDtWidth = "200";
  f.Beepon = true;
  f.DspDataAll = true;
  f.EdDays = "90";
  f.CmbIME = std::string(kImeItems[7]);
  f.Week = {true, false, true, false, true, false, true, true};
  f.CbCalHeight = true;
  f.CalHeightN = "500";
  f.CbCalWidth = true;
  f.CalWidthN = "628";
  f.CbNational = true;
  f.Colors = {ColorChoice{1, 0x010203}, ColorChoice{5, 0x0a0b0c}, ColorChoice{3, kLightGrey},
              ColorChoice{4, 0xfffefd}};
  f.ChangeMin = "7";
  f.CbReadable = true;
  f.DispCalnCheck = true;
  f.DispAreaCheck = true;
  f.DispEd = {"1", "2", "3", "4"};
  f.DispFont1 = "Arial";
  f.DispSize1 = "11";
  f.DispFont2 = "Courier";
  f.DispFont3 = "\x82\x6c\x82\x72";  // "ＭＳ"
  f.DispSize3 = "12";
  f.CbDaily = true;
  f.CbALDailyTime = "07:30";
  f.CbWeekly = true;
  f.CbAlWeeklyWeek = "Friday";
  f.CbAlWeeklyTime = "08:00";
  f.CbMonthly1 = true;
  f.CbAlMonthlyDay = "31";
  f.CbAlMonthlyTime1 = "09:00";
  f.CbMonthly2 = true;
  f.CbAlMonthlyWeekNo = "4";
  f.CbAlMonthlyWeek = "Monday";
  f.CbAlMonthlyTime2 = "10:30";
  f.CbCntDown = true;
  f.CbDay = "3";
  f.CbNotify = true;

  TPstInit& d = Open();
  d.SetForm(f);
  EXPECT_TRUE(d.Form() == f);
  // And back to the design, radio groups with none checked included.
  d.SetForm(InitForm{});
  EXPECT_TRUE(d.Form() == InitForm{});
}

// The table of settings binds its dialog rows to controls by name: each
// name is a control of the dialog (a radio group's buttons count from 1).
TEST_F(PstInitTest, EverySettingOfTheDialogHasItsControl) {
  TPstInit& d = Open();
  for (const SettingRow& r : SettingRows()) {
    if (r.rule == FormRule::None) continue;
    const QString name = QString::fromLatin1(r.control);
    EXPECT_TRUE(d.findChild<QWidget*>(name) || d.findChild<QRadioButton*>(name + "1"))
        << r.key << " -> " << r.control;
  }
}

TEST_F(PstInitTest, ANonIntegerFieldKeepsTheDialogOpenAndCancelKeepsNothingOfIt) {
  const Settings before = state_.Settings;
  TPstInit& d = Open();
  d.EdFileName->setText("other.dat");  // stored before the bad field
  d.EdData->setEditText("45");
  d.CbDtWidth->setEditText("12a");
  QTest::mouseClick(d.BtnOK, Qt::LeftButton);
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].caption, "Moranote");
  EXPECT_EQ(sink_.boxes[0].text, QStringLiteral("'12a' は整数ではありません"));
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(state_.Settings.FileName, before.FileName);
  EXPECT_EQ(state_.Settings.DataCnt, before.DataCnt);

  QTest::mouseClick(d.BtnCan, Qt::LeftButton);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_EQ(state_.Settings.FileName, before.FileName);
  EXPECT_EQ(state_.Settings.DataCnt, before.DataCnt);
}

TEST_F(PstInitTest, EditsThatChangeTheSettingsAtOnceSurviveCancel) {
  TPstInit& d = Open();
  pickers_.file = "/sounds/\xe8\xa1\xa8/bell.wav";
  QTest::mouseClick(d.BtnWave, Qt::LeftButton);
  EXPECT_TRUE(pickers_.filters.last().contains("*.WAV"));
  EXPECT_EQ(FromSjis(state_.Settings.WaveFileName), QString::fromUtf8("/sounds/表/bell.wav"));
  EXPECT_EQ(d.EdWaveFile->text(), "bell.wav");

  // The own colour of Data: swatch 5 and MDcolor, not the radio button.
  pickers_.color = QColor(1, 2, 3);
  QTest::mouseClick(d.Color[kDataGroup].button, Qt::LeftButton);
  EXPECT_EQ(state_.Settings.MDcolor, 0x030201);
  EXPECT_EQ(d.Color[kDataGroup].swatch[4]->Fill(), QColor(1, 2, 3));
  EXPECT_FALSE(d.Color[kDataGroup].radio[4]->isChecked());
  // The dialog opens on its last choice, whichever button opens it.
  pickers_.color.reset();
  QTest::mouseClick(d.Color[kTodayGroup].button, Qt::LeftButton);
  EXPECT_EQ(pickers_.colorInitials.back(), QColor(1, 2, 3));
  EXPECT_EQ(state_.Settings.MAcolor, kLightGrey);

  QTest::mouseClick(d.DispCalnCheck, Qt::LeftButton);
  EXPECT_EQ(state_.Settings.Caln, 1);

  QTest::keyClick(&d, Qt::Key_Escape);  // as Cancel
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_EQ(state_.Settings.MDcolor, 0x030201);
  EXPECT_EQ(state_.Settings.Dcolor, kLightYellow);
  EXPECT_EQ(state_.Settings.Caln, 1);
  EXPECT_EQ(FileNamePart(state_.Settings.WaveFileName), "bell.wav");
}

TEST_F(PstInitTest, TheAlarmSoundGoesBackToTheChimeAndCanBeHeard) {
  WriteIni("[FILE]\r\nWaveFileName=/sounds/bell.wav\r\n");
  TPstMain& m = Start();
  OpenFromTitle(m, [&](TPstInit& d) {
    d.PageControl1->setCurrentIndex(1);
    EXPECT_EQ(d.EdWaveFile->text(), "bell.wav");
    QTest::mouseClick(d.BtnWavePlay, Qt::LeftButton);
    QTest::mouseClick(d.BtnWaveDefault, Qt::LeftButton);
    EXPECT_TRUE(state_.Settings.WaveFileName.empty());
    EXPECT_TRUE(d.EdWaveFile->text().isEmpty());
    EXPECT_TRUE(d.EdWaveFile->placeholderText().contains("既定の音"));
    QTest::mouseClick(d.BtnWavePlay, Qt::LeftButton);
    // Without any output the user is told at once.
    player_.noOutput = true;
    QTest::mouseClick(d.BtnWavePlay, Qt::LeftButton);
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(sink_.boxes[0].text, "no device");
    EXPECT_TRUE(d.isVisible());
    QTest::mouseClick(d.BtnCan, Qt::LeftButton);
  });
  EXPECT_EQ(player_.played,
            (std::vector<QString>{"/sounds/bell.wav", "<built-in>", "<built-in>"}));
  // Like a chosen file, the change stays after Cancel.
  EXPECT_TRUE(state_.Settings.WaveFileName.empty());
}

TEST_F(PstInitTest, PathsTheSettingsFileCannotHoldAreRefusedKeepingTheEarlierValue) {
  state_.Settings.WaveFileName = "/sounds/bell.wav";
  state_.Settings.FileName = "\x81";  // a byte that is no character, as read
  TPstInit& d = Open();
  const QString cafe = QStringLiteral("/sounds/caf\u00e9/\u2603.wav");
  pickers_.file = cafe;
  QTest::mouseClick(d.BtnWave, Qt::LeftButton);
  QTest::mouseClick(d.BtnFile, Qt::LeftButton);
  ASSERT_EQ(sink_.boxes.size(), 2u);
  for (const Box& box : sink_.boxes) {
    EXPECT_TRUE(box.text.contains("Shift-JIS")) << box.text.toStdString();
    EXPECT_TRUE(box.text.endsWith(cafe));
  }
  EXPECT_EQ(state_.Settings.WaveFileName, "/sounds/bell.wav");
  EXPECT_EQ(d.EdWaveFile->text(), "bell.wav");
  // The untouched bytes from the settings pass OK as they are ...
  d.CbNotify->setChecked(true);
  QTest::mouseClick(d.BtnOK, Qt::LeftButton);
  EXPECT_EQ(sink_.boxes.size(), 2u);
  EXPECT_EQ(state_.Settings.FileName, "\x81");
  EXPECT_EQ(state_.Settings.Notify, 1);
  // ... a typed name that the file cannot hold does not.
  Open();
  EXPECT_TRUE(dialog_->CbNotify->isChecked());
  dialog_->EdFileName->setText(QStringLiteral("donn\u00e9es.dat"));
  QTest::mouseClick(dialog_->BtnOK, Qt::LeftButton);
  ASSERT_EQ(sink_.boxes.size(), 3u);
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_EQ(state_.Settings.FileName, "\x81");
  // Characters of the code page, in their other Unicode forms too, are fine.
  dialog_->EdFileName->setText(QStringLiteral("\u8868\u301c.dat"));
  QTest::mouseClick(dialog_->BtnOK, Qt::LeftButton);
  EXPECT_EQ(sink_.boxes.size(), 3u);
  EXPECT_EQ(state_.Settings.FileName, "\x95\x5c\x81\x60.dat");
}

TEST_F(PstInitTest, HolidayLists) {
  state_.Settings.Holidays[0] = 1224;
  state_.Settings.Holidays[3] = 101;
  state_.Settings.NonHolidays[0] = 505;
  TPstInit& d = Open();
  auto items = [&d] {
    QStringList out;
    for (int i = 0; i < d.LbHoliday->count(); ++i) out << d.LbHoliday->item(i)->text();
    return out;
  };
  // Neither list chosen: the list box belongs to none, Add and Delete wait,
  // and look it: the platform's disabled text, not the tabs' black.
  EXPECT_FALSE(d.BtnCalAdd->isEnabled());
  const QColor disabled = QApplication::palette().color(QPalette::Disabled, QPalette::ButtonText);
  ASSERT_NE(disabled, QColor(Qt::black));
  EXPECT_EQ(d.BtnCalAdd->palette().color(QPalette::Disabled, QPalette::ButtonText), disabled);
  EXPECT_EQ(d.BtnCalAdd->palette().color(QPalette::Active, QPalette::ButtonText),
            QColor(Qt::black));
  d.EdHoliday->setText("0707");
  d.BtnCalAddClick();
  EXPECT_EQ(state_.Settings.NonHolidays[0], 505);
  EXPECT_EQ(state_.Settings.Holidays[0], 1224);

  QTest::mouseClick(d.RbtnHoly, Qt::LeftButton);
  EXPECT_EQ(items(), QStringList({"1224", "0101"}));  // entry order until the first Add
  d.EdHoliday->setText("0229 leap");
  QTest::mouseClick(d.BtnCalAdd, Qt::LeftButton);
  EXPECT_EQ(items(), QStringList({"0101", "0229", "1224"}));
  EXPECT_EQ(state_.Settings.Holidays[0], 101);
  EXPECT_EQ(state_.Settings.Holidays[1], 229);
  EXPECT_EQ(state_.Settings.Holidays[2], 1224);
  EXPECT_EQ(state_.Settings.Holidays[3], 0);
  EXPECT_EQ(d.EdHoliday->text(), "0229 leap");

  // Not a real month and day: refused before it enters the list.
  d.EdHoliday->setText("1301");
  QTest::mouseClick(d.BtnCalAdd, Qt::LeftButton);
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_TRUE(sink_.boxes[0].text.startsWith("'1301'"));
  EXPECT_EQ(items().size(), 3);

  // Delete the selected item of the other list; nothing selected does nothing.
  QTest::mouseClick(d.RbtnNHoly, Qt::LeftButton);
  EXPECT_EQ(items(), QStringList({"0505"}));
  QTest::mouseClick(d.BtnCalDel, Qt::LeftButton);
  EXPECT_EQ(state_.Settings.NonHolidays[0], 505);
  d.LbHoliday->item(0)->setSelected(true);
  QTest::mouseClick(d.BtnCalDel, Qt::LeftButton);
  EXPECT_EQ(items(), QStringList());
  EXPECT_EQ(state_.Settings.NonHolidays[0], 0);
  EXPECT_EQ(state_.Settings.Holidays[1], 229);
}

// A list holds 40 days: the 41st is refused and none is dropped. Enter in
// the entry box adds; Enter elsewhere is OK.
TEST_F(PstInitTest, AFullHolidayListRefusesTheNextDayAndEnterAddsIt) {
  for (std::size_t i = 0; i < kHolidayEntries; ++i)
    state_.Settings.NonHolidays[i] = 101 + static_cast<int>(i);
  state_.Settings.NonHolidays[39] = 1231;
  TPstInit& d = Open();
  QTest::mouseClick(d.RbtnNHoly, Qt::LeftButton);
  ASSERT_EQ(d.LbHoliday->count(), 40);
  const auto before = state_.Settings.NonHolidays;
  d.EdHoliday->setText("0701");
  QTest::keyClick(d.EdHoliday, Qt::Key_Return);
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].icon, BoxIcon::Warning);
  EXPECT_TRUE(sink_.boxes[0].text.startsWith(
      QStringLiteral("日付の数が上限の40件に達しているため、追加できません。")));
  EXPECT_EQ(d.LbHoliday->count(), 40);
  EXPECT_EQ(state_.Settings.NonHolidays, before);
  EXPECT_TRUE(d.isVisible());  // the Enter went to the entry box only

  // With room again, Enter adds the day and the dialog stays open.
  d.LbHoliday->item(0)->setSelected(true);
  QTest::mouseClick(d.BtnCalDel, Qt::LeftButton);
  QTest::keyClick(d.EdHoliday, Qt::Key_Enter);
  EXPECT_EQ(d.LbHoliday->count(), 40);
  EXPECT_EQ(state_.Settings.NonHolidays[39], 1231);
  EXPECT_NE(std::find(state_.Settings.NonHolidays.begin(), state_.Settings.NonHolidays.end(), 701),
            state_.Settings.NonHolidays.end());
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(sink_.boxes.size(), 1u);

  // Enter in another box is the default button's.
  d.EdFileName->setFocus();
  QTest::keyClick(d.EdFileName, Qt::Key_Return);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(PstInitTest, PicturesSwatchesFileAndFontButtons) {
  TPstInit& d = Open();
  QTest::mouseClick(d.Image[3], Qt::LeftButton);
  EXPECT_TRUE(d.RbtnArea[3]->isChecked());
  QTest::mousePress(d.Color[kTimerGroup].swatch[2], Qt::LeftButton);
  EXPECT_TRUE(d.Color[kTimerGroup].radio[2]->isChecked());

  pickers_.file = "/data/labels.dat";
  QTest::mouseClick(d.BtnFile, Qt::LeftButton);
  EXPECT_EQ(d.EdFileName->text(), "/data/labels.dat");

  pickers_.font = FontChoice{"Arial", 14};
  QTest::mouseClick(d.BtnFont[0], Qt::LeftButton);
  EXPECT_EQ(pickers_.fontInitials.back().points, 9);
  EXPECT_EQ(d.DispFont1->text(), "Arial");
  EXPECT_EQ(d.DispSize1->text(), "14");
  QTest::mouseClick(d.BtnFont[1], Qt::LeftButton);  // the title: the name only
  EXPECT_EQ(d.DispFont2->text(), "Arial");
  EXPECT_EQ(d.DispSize3->text(), "10");

  QTest::mouseClick(d.BtnOK, Qt::LeftButton);
  EXPECT_EQ(state_.Settings.Area, 4);
  EXPECT_EQ(state_.Settings.Tcolor, kLightRed);
  EXPECT_EQ(state_.Settings.FileName, "/data/labels.dat");
  EXPECT_EQ(state_.Settings.DispFontSize, 14);
  EXPECT_EQ(state_.Settings.TitleFontName, "Arial");
}

TEST_F(PstInitTest, OkFromTheTitleReappliesAndSaves) {
  WriteFile("Dpstitdt.dat",
            "Time=2000/12/20 10:00\r\nMemo=a\r\nTime=2000/12/21 10:00\r\nMemo=b\r\n"
            "Time=2000/12/22 10:00\r\nMemo=c\r\n");
  TPstMain& m = Start();
  ASSERT_EQ(m.Windows().Count(), 3);
  OpenFromTitle(m, [&](TPstInit& d) {
    EXPECT_EQ(d.LblVersion2->text(), "Product Version  V1.20 00.12.16");
    QTest::mouseClick(d.Image[3], Qt::LeftButton);        // left edge
    d.EdData->setEditText("2");                           // fewer slots than labels
    QTest::mouseClick(d.Color[kEntryGroup].radio[1], Qt::LeftButton);  // light cyan
    QTest::mouseClick(d.BtnOK, Qt::LeftButton);
  });
  EXPECT_EQ(state_.Settings.Area, 4);
  EXPECT_EQ(state_.Settings.DataCnt, 2);
  EXPECT_EQ(state_.Labels.Table().LabelCount(), 3);  // no label lost
  ASSERT_EQ(m.Windows().Count(), 3);
  EXPECT_EQ(m.Windows().At(0)->x(), 0);
  EXPECT_EQ(m.palette().color(QPalette::Window), ToQColor(kLightCyan));
  const std::string ini = ReadFile("Morna.ini");
  EXPECT_NE(ini.find("[FORM]"), std::string::npos);
  EXPECT_NE(ini.find("Area=4"), std::string::npos);
  EXPECT_NE(ini.find("DataCnt=2"), std::string::npos);
  EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(PstInitTest, OkRefillsTheMonthGridAndKeepsWhatIsTyped) {
  TPstMain& m = Start();
  m.PstMesg->setPlainText("half typed");
  auto dayColor = [&m](const QString& day) {
    for (TClickLabel* cell : m.Day)
      if (cell->text() == day) return cell->palette().color(QPalette::WindowText);
    return QColor();
  };
  const QColor plain = dayColor("26");
  ASSERT_EQ(dayColor("25"), plain);  // a Monday
  OpenFromTitle(m, [&](TPstInit& d) {
    QTest::mouseClick(d.RbtnHoly, Qt::LeftButton);
    d.EdHoliday->setText("1225");
    QTest::mouseClick(d.BtnCalAdd, Qt::LeftButton);
    QTest::mouseClick(d.BtnOK, Qt::LeftButton);
  });
  EXPECT_NE(dayColor("25"), plain);
  EXPECT_EQ(m.PstMesg->toPlainText(), "half typed");
}

TEST_F(PstInitTest, CancelFromTheMenuWritesNothing) {
  TPstMain& m = Start();
  bool ran = false;
  QTimer::singleShot(0, [&] {
    ASSERT_NE(m.SettingsDialog(), nullptr);
    ran = true;
    m.SettingsDialog()->DispAreaCheck->setChecked(true);
    QTest::mouseClick(m.SettingsDialog()->BtnCan, Qt::LeftButton);
  });
  m.InitDisp->trigger();
  EXPECT_TRUE(ran);
  EXPECT_EQ(ReadFile("Morna.ini"), "<missing>");
  EXPECT_EQ(state_.Settings.DispArea, 0);
}

TEST_F(PstInitTest, OutOfRangeValuesAndAFileThatCannotBeWritten) {
  WriteFile("Dpstitdt.dat", "Time=2000/12/20 10:00\r\nMemo=a\r\n");
  TPstMain& m = Start();
  state_.SettingsFile = ToSjis(dir_.filePath("missing/Morna.ini"));
  OpenFromTitle(m, [&](TPstInit& d) {
    d.EdData->setEditText("5000");
    d.CbDataWidth->setChecked(true);
    d.CbDtWidth->setEditText("-3");
    d.DispSize1->setText("0");
    d.DispAreaCheck->setChecked(true);
    for (QLineEdit* e : d.DispEd) e->setText("0");
    QTest::mouseClick(d.Color[kEntryGroup].radio[3], Qt::LeftButton);  // light green
    QTest::mouseClick(d.BtnOK, Qt::LeftButton);
  });
  // Stored as typed; the table holds what it can.
  EXPECT_EQ(state_.Settings.DataCnt, 5000);
  EXPECT_EQ(state_.Settings.DataWSize, -3);
  EXPECT_EQ(state_.Labels.Table().DataCnt(), kMaxDataCnt);
  EXPECT_EQ(m.Windows().Count(), 1);
  // Applied on screen, then the write failed with its message.
  EXPECT_EQ(m.palette().color(QPalette::Window), ToQColor(kLightGreen));
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_TRUE(sink_.boxes[0].text.endsWith(
      QStringLiteral("missing/Morna.ini に書き込めません\nNo such file or directory")))
      << qPrintable(sink_.boxes[0].text);
}

}  // namespace
}  // namespace morna::ui::testing
