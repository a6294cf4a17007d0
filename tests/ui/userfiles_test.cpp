// The user's folders, made at start-up when the files live there.
#include "ui/userfiles.h"

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

}  // namespace
}  // namespace morna::ui::testing
