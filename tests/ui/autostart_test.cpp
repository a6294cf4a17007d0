// The icon menu's start-at-login item against a temporary config folder.
#include "ui/autostart.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include "tests/ui/pmain_fixture.h"

namespace morna::ui::testing {
namespace {

class AutostartTest : public PstMainTest {
 protected:
  void SetUp() override {
    PstMainTest::SetUp();
    oldConfig_ = qgetenv("XDG_CONFIG_HOME");
    hadConfig_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toLocal8Bit());
  }
  void TearDown() override {
    if (hadConfig_)
      qputenv("XDG_CONFIG_HOME", oldConfig_);
    else
      qunsetenv("XDG_CONFIG_HOME");
    PstMainTest::TearDown();
  }
  QString Entry() const { return dir_.filePath("config/autostart/" MORNA_APP_ID ".desktop"); }

  QByteArray oldConfig_;
  bool hadConfig_ = false;
};

TEST_F(AutostartTest, MenuItemWritesAndRemovesTheEntry) {
  TPstMain& m = Start();
  ASSERT_EQ(AutostartEntryPath(), Entry());
  EXPECT_TRUE(m.AutoStart->isCheckable());
  EXPECT_FALSE(m.AutoStart->isChecked());

  m.AutoStart->trigger();  // the folder does not exist yet
  EXPECT_TRUE(m.AutoStart->isChecked());
  QFile file(Entry());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
  EXPECT_TRUE(text.contains("\nExec=" + QCoreApplication::applicationFilePath() + "\n")) << text.toStdString();

  m.AutoStart->trigger();
  EXPECT_FALSE(m.AutoStart->isChecked());
  EXPECT_FALSE(QFile::exists(Entry()));
  EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(AutostartTest, CheckMarkIsReadAgainWhenTheMenuOpens) {
  TPstMain& m = Start();
  ASSERT_TRUE(QDir().mkpath(dir_.filePath("config/autostart")));
  WriteFile("config/autostart/" MORNA_APP_ID ".desktop", "[Desktop Entry]\nExec=/x\n");
  emit m.PopupMenu->aboutToShow();
  EXPECT_TRUE(m.AutoStart->isChecked());

  ASSERT_TRUE(QFile::remove(Entry()));  // removed by the desktop's own settings
  emit m.PopupMenu->aboutToShow();
  EXPECT_FALSE(m.AutoStart->isChecked());
}

TEST_F(AutostartTest, AnEntryThatCannotBeWrittenIsShownAndLeftUnchecked) {
  TPstMain& m = Start();
  WriteFile("config", "a file where the folder should be");
  m.AutoStart->trigger();
  EXPECT_FALSE(m.AutoStart->isChecked());
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].caption, "Moranote");
  EXPECT_EQ(sink_.boxes[0].text, Entry() + " に書き込めません");
}

}  // namespace
}  // namespace morna::ui::testing
