#include "core/userfiles.h"

#include <gtest/gtest.h>

namespace morna {
namespace {

FileFacts Installed() {
  FileFacts f;
  f.exeIniPath = "/usr/bin/Morna.ini";
  f.userConfigDir = "/home/u/.config/Moranote";
  f.userDataDir = "/home/u/.local/share/Moranote";
  return f;
}

TEST(ChooseFilePlaces, StaysBesideTheExecutableWhenTheFileOrFolderCanBeWritten) {
  FileFacts writableFile = Installed();  // a prepared file in a read-only folder
  writableFile.exeIniExists = writableFile.exeIniWritable = true;
  FileFacts writableFolder = Installed();  // a fresh copy: the file can be made
  writableFolder.exeDirWritable = true;
  FileFacts readOnlyFileInWritableFolder = writableFolder;
  readOnlyFileInWritableFolder.exeIniExists = true;

  for (const FileFacts& f : {writableFile, writableFolder, readOnlyFileInWritableFolder}) {
    const FilePlaces p = ChooseFilePlaces(f);
    EXPECT_EQ(p.iniPath, "/usr/bin/Morna.ini");
    EXPECT_EQ(p.dataDir, "");
    EXPECT_FALSE(p.perUser);
  }
}

TEST(ChooseFilePlaces, MovesToTheUsersFoldersWhenNothingBesideCanBeWritten) {
  FileFacts readOnlyFile = Installed();
  readOnlyFile.exeIniExists = true;
  for (const FileFacts& f : {Installed(), readOnlyFile}) {
    const FilePlaces p = ChooseFilePlaces(f);
    EXPECT_EQ(p.iniPath, "/home/u/.config/Moranote/Morna.ini");
    EXPECT_EQ(p.dataDir, "/home/u/.local/share/Moranote");
    EXPECT_TRUE(p.perUser);
  }
  // A renamed program keeps its own settings file name there too.
  FileFacts renamed = Installed();
  renamed.exeIniPath = "/opt/tools/morna-test.ini";
  EXPECT_EQ(ChooseFilePlaces(renamed).iniPath, "/home/u/.config/Moranote/morna-test.ini");
}

TEST(ResolveDataFile, OnlyRelativeNamesMoveIntoTheDataFolder) {
  const std::string dir = "/home/u/.local/share/Moranote";
  EXPECT_EQ(ResolveDataFile("Dpstitdt.dat", dir), dir + "/Dpstitdt.dat");
  EXPECT_EQ(ResolveDataFile("sub/labels.dat", dir), dir + "/sub/labels.dat");
  EXPECT_EQ(ResolveDataFile("/srv/shared/labels.dat", dir), "/srv/shared/labels.dat");
  EXPECT_EQ(ResolveDataFile("", dir), "");
  // Beside the executable the name stays as written: the current folder.
  EXPECT_EQ(ResolveDataFile("Dpstitdt.dat", ""), "Dpstitdt.dat");
}

}  // namespace
}  // namespace morna
