// The user's folders, made at start-up when the files live there.
#include "ui/userfiles.h"

#include "core/platform.h"
#include "tests/ui/pmain_fixture.h"

namespace morna::ui::testing {
namespace {

TEST(MakeUserFolders, MakesMissingFoldersAndReportsThoseThatCannotBeMade) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  RecordingSink sink;
  SetMessageSink(&sink);
  auto native = [&](const QString& name) { return QFile::encodeName(dir.filePath(name)).toStdString(); };

  MakeUserFolders({native("config/Moranote/Morna.ini"), native("share/Moranote"), true});
  EXPECT_TRUE(QFileInfo(dir.filePath("config/Moranote")).isDir());
  EXPECT_TRUE(QFileInfo(dir.filePath("share/Moranote")).isDir());
  EXPECT_TRUE(sink.boxes.empty());

  // A file stands where the folders' parent should be.
  QFile blocker(dir.filePath("home"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  MakeUserFolders({native("home/.config/Moranote/Morna.ini"), native("home/.local/share"), true});
  ASSERT_EQ(sink.boxes.size(), 2u);
  EXPECT_EQ(sink.boxes[0].caption, "Moranote");
  EXPECT_EQ(sink.boxes[0].text, dir.filePath("home/.config/Moranote/Morna.ini") + " に書き込めません");
  EXPECT_EQ(sink.boxes[1].text, dir.filePath("home/.local/share") + " に書き込めません");
  SetMessageSink(nullptr);
}

#ifndef Q_OS_WIN
// The desktop's folders from the environment as the program finds it.
TEST(DesktopFolder, IgnoresRelativeValuesAndFindsTheHomeWithoutHome) {
  const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
  const bool hadHome = qEnvironmentVariableIsSet("HOME");
  const bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
  qputenv("HOME", "/home/tester");
  qputenv("XDG_CONFIG_HOME", "/srv/config");
  EXPECT_EQ(DesktopFolder("XDG_CONFIG_HOME", ".config"), "/srv/config");
  qputenv("XDG_CONFIG_HOME", "relative/config");
  EXPECT_EQ(DesktopFolder("XDG_CONFIG_HOME", ".config"), "/home/tester/.config");
  qunsetenv("HOME");
  EXPECT_EQ(DesktopFolder("XDG_CONFIG_HOME", ".config"), platform::UserDatabaseHome() + "/.config");
  EXPECT_NE(DesktopFolder("XDG_CONFIG_HOME", ".config").rfind("//", 0), 0u);
  if (hadHome) qputenv("HOME", home);
  if (hadConfig) qputenv("XDG_CONFIG_HOME", config);
  else qunsetenv("XDG_CONFIG_HOME");
}
#endif

}  // namespace
}  // namespace morna::ui::testing
