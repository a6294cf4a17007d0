// The label file changed from outside while the program runs (a sync client,
// an editor), and another label file named in the settings dialog.
#include <gtest/gtest.h>

#include <QFileSystemWatcher>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "tests/ui/pmain_fixture.h"
#include "ui/Pinit.h"
#include "ui/PostWindows.h"

namespace morna::ui::testing {
namespace {

const std::string kOne = "Time=2000/12/20 09:00\r\nMemo=here\r\n";
const std::string kTwo = kOne + "Time=2000/12/22 10:00\r\nMemo=from the other computer\r\n";

class LabelFileFollowTest : public PstMainTest {};

TEST_F(LabelFileFollowTest, AFileRenamedOverTheDataFileIsFollowedAndTypingStays) {
  WriteFile("Dpstitdt.dat", kOne);
  TPstMain& m = Start();
  ASSERT_EQ(m.Windows().Count(), 1);
  m.PstMesg->setPlainText("half typed");

  // As a sync client does it: a new file renamed over the old one.
  WriteFile("incoming", kTwo);
  ASSERT_EQ(std::rename(qPrintable(dir_.filePath("incoming")), qPrintable(dir_.filePath("Dpstitdt.dat"))), 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return m.Windows().Count() == 2; }, 5000));
  EXPECT_EQ(Labels(), (std::vector<std::string>{"2000/12/20 09:00|here",
                                                "2000/12/22 10:00|from the other computer"}));
  EXPECT_EQ(m.PstMesg->toPlainText(), "half typed");
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), kTwo);  // followed, not written again

  // Changed again while the watcher is not looking: the tick takes it in.
  m.DataWatcher->blockSignals(true);
  WriteFile("Dpstitdt.dat", kOne);
  m.SchTimerTimer();
  EXPECT_EQ(m.Windows().Count(), 1);
  EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(LabelFileFollowTest, OkWithTheNameOfAnotherLabelFileSwitchesToItAndLosesNothing) {
  WriteFile("Dpstitdt.dat", kOne);
  WriteFile("second.dat", kTwo);
  WriteFile("notes.txt", "not labels\r\n");
  TPstMain& m = Start();
  auto okWithFileName = [&](const QString& name) {
    QTimer::singleShot(0, [&] {
      m.SettingsDialog()->EdFileName->setText(name);
      QTest::mouseClick(m.SettingsDialog()->BtnOK, Qt::LeftButton);
    });
    m.PstVerShowClick();
  };

  okWithFileName("notes.txt");
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_TRUE(sink_.boxes[0].text.contains("notes.txt")) << qPrintable(sink_.boxes[0].text);
  EXPECT_EQ(state_.Settings.FileName, "Dpstitdt.dat");
  EXPECT_EQ(ReadFile("notes.txt"), "not labels\r\n");

  okWithFileName("second.dat");
  EXPECT_EQ(m.Windows().Count(), 2);
  EXPECT_EQ(state_.Settings.FileName, "second.dat");
  EXPECT_EQ(ReadFile("Dpstitdt.dat"), kOne);
  EXPECT_EQ(ReadFile("second.dat"), kTwo);

  okWithFileName("third.dat");  // no file yet: started with the labels held
  EXPECT_EQ(ReadFile("third.dat"), kTwo);
  EXPECT_EQ(ReadFile("second.dat"), kTwo);
}

}  // namespace
}  // namespace morna::ui::testing
