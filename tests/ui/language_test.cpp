// The language of the texts: chosen from the system's languages and the
// setting, the translators it installs, and the windows in each language.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>

#include "core/labelwindows.h"
#include "tests/ui/pmain_fixture.h"
#include "ui/Pinit.h"
#include "ui/Pinit_shared.h"
#include "ui/Ppost.h"
#include "ui/Ppsub.h"
#include "ui/access.h"
#include "ui/language.h"

namespace morna::ui::testing {
namespace {

TEST(LanguageFor, JapaneseOnlyForAJapaneseDesktop) {
  EXPECT_EQ(LanguageFor(QLocale(QStringLiteral("ja_JP")).uiLanguages(), ""), UiLanguage::Japanese);
  EXPECT_EQ(LanguageFor(QLocale(QStringLiteral("de_DE")).uiLanguages(), ""), UiLanguage::English);
  EXPECT_EQ(LanguageFor({QStringLiteral("en")}, ""), UiLanguage::English);
  EXPECT_EQ(LanguageFor(QLocale(QStringLiteral("de_DE")).uiLanguages(), "ja"), UiLanguage::Japanese);
}

// Each case puts a language in use and the program's own (no translator)
// back afterwards, as the other tests expect.
class LanguageTest : public PstMainTest {
 protected:
  void TearDown() override {
    RemoveTranslators();
    PstMainTest::TearDown();
  }
};

// A German desktop reads English.
TEST_F(LanguageTest, EnglishWindowsAndMessages) {
  ASSERT_TRUE(UseLanguage(LanguageFor(QLocale(QStringLiteral("de_DE")).uiLanguages(), "")));
  TPstMain& m = Start();
  EXPECT_EQ(m.InitDisp->text(), "Settings");
  EXPECT_EQ(m.ProgExit->text(), "Quit");
  // A refused post's box.
  m.PstTime->setText(QStringLiteral("2000/13/45 10:00"));
  m.PstMesg->setPlainText(QStringLiteral("memo"));
  m.BtnPostClick();
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].text, QStringLiteral("The Date & Time is not valid.\rPlease correct it."));

  TPstInit dialog(state_);
  dialog.IniFileInfoSet();
  EXPECT_EQ(dialog.BtnWaveDefault->text(), "Default");
  EXPECT_EQ(dialog.BtnWavePlay->text(), "Play");
  EXPECT_EQ(dialog.CmbLanguage->itemText(0), "System");
  // The toolkit's own texts stay English.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

TEST_F(LanguageTest, JapaneseKeepsTheTextsOfTheCodeAndTranslatesTheToolkit) {
  UseLanguage(LanguageFor(QLocale(QStringLiteral("ja_JP")).uiLanguages(), ""));
  TPstMain& m = Start();
  EXPECT_EQ(m.InitDisp->text(), QStringLiteral("設定画面の表示"));
  TPstInit dialog(state_);
  EXPECT_EQ(dialog.BtnWaveDefault->text(), QStringLiteral("既定の音"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
}

// The alarm windows' words: the Japanese ones as core composes them, and
// English with the short weekday names.
TEST_F(LanguageTest, AlarmWindowsInEachLanguage) {
  Settings s;
  s.DailyAlarm = s.WeeklyAlarm = s.MonthlyAlarm1 = s.MonthlyAlarm2 = 1;
  s.WeeklyAlarmW = 2;
  s.WeeklyAlarmT = "09:00";
  s.MonthlyAlarmDay = 25;
  s.MonthlyAlarmWeek = 3;
  s.MonthlyAlarmW = 7;
  int alarms = 0;
  const std::vector<PostWindowPlan> plans =
      DisplayData(s, PostTable(30), now_, now_, Rect{0, 0, 800, 600}, alarms);
  ASSERT_EQ(alarms, 4);
  for (const PostWindowPlan& p : plans)
    EXPECT_EQ(TPstPost::AlarmLine(p.alarmWords), FromSjis(p.lines[0]));
  UseLanguage(UiLanguage::English);
  QStringList english;
  for (const PostWindowPlan& p : plans) english << TPstPost::AlarmLine(p.alarmWords);
  EXPECT_EQ(english, QStringList({"Daily 00:00", "Weekly Mon 09:00", "Monthly day 25 00:00",
                                  "Monthly #3 Sat 00:00"}));
}

// A day cell as a screen reader says it, holiday name and all, in each
// language.
TEST_F(LanguageTest, DayNamesInEachLanguage) {
  DaySpeech day;
  day.date = MakeDateTime(2030, 1, 1);
  day.holidayName = "元日";
  day.labels = 2;
  EXPECT_EQ(DayName(day, false), QStringLiteral("1月1日 (火) 祝日: 元日, 2件のラベル"));
  UseLanguage(UiLanguage::English);
  EXPECT_EQ(DayName(day, false), "1/1 (Tue) holiday: New Year's Day, labels: 2");
  EXPECT_EQ(DayName(day, true), "blank");
}

// The language setting in the dialog: each item stands for its value, and
// a value no item holds is kept through OK.
TEST_F(LanguageTest, TheDialogShowsAndStoresTheLanguageSetting) {
  TPstInit dialog(state_);
  for (const auto& [value, index] :
       std::vector<std::pair<std::string, int>>{{"", 0}, {"ja", 1}, {"en", 2}}) {
    state_.Settings.Language = value;
    dialog.IniFileInfoSet();
    EXPECT_EQ(dialog.CmbLanguage->currentIndex(), index) << value;
  }
  dialog.CmbLanguage->setCurrentIndex(1);
  dialog.IniFileInfoSave();
  EXPECT_EQ(state_.Settings.Language, "ja");
  state_.Settings.Language = "fr";
  dialog.IniFileInfoSet();
  EXPECT_EQ(dialog.CmbLanguage->currentIndex(), -1);
  dialog.IniFileInfoSave();
  EXPECT_EQ(state_.Settings.Language, "fr");
}

// The input-method items of the code are core's items, word for word.
TEST(ImeItems, TheCodesItemsAreCoresItems) {
  for (std::size_t k = 0; k < kImeItems.size(); ++k)
    EXPECT_EQ(pinit::ImeItem(k), FromSjis(kImeItems[k])) << k;
}

// The input-method items show in English; OK still stores their number.
TEST_F(LanguageTest, InputMethodItemsInEnglishKeepTheirNumber) {
  UseLanguage(UiLanguage::English);
  state_.Settings.IMEMode = 4;
  TPstInit dialog(state_);
  dialog.IniFileInfoSet();
  EXPECT_EQ(dialog.CmbIME->currentText(), "4 - Hiragana");
  state_.Settings.IMEMode = 0;
  dialog.IniFileInfoSave();
  EXPECT_EQ(state_.Settings.IMEMode, 4);
}

}  // namespace
}  // namespace morna::ui::testing
