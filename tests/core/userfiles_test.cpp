#include "core/userfiles.h"

#include <gtest/gtest.h>

#include "core/platform.h"

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

TEST(UserFolders, RelativeXdgValuesAreIgnoredAndAMissingHomeComesFromTheUserDatabase) {
  EXPECT_EQ(XdgBaseFolder("/srv/cfg", "/home/u", ".config"), "/srv/cfg");
  for (const char* ignored : {"", "cfg", "./cfg", "~/cfg"})
    EXPECT_EQ(XdgBaseFolder(ignored, "/home/u", ".config"), "/home/u/.config") << ignored;
  EXPECT_EQ(XdgBaseFolder("rel", "/home/u/", ".local/share"), "/home/u/.local/share");

  int asked = 0;
  const auto database = [&asked] {
    ++asked;
    return std::string("/home/fromdb");
  };
  EXPECT_EQ(HomeFolder("/home/u", database), "/home/u");
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(HomeFolder("", database), "/home/fromdb");
  EXPECT_EQ(asked, 1);
}

#ifndef _WIN32
TEST(UserFolders, TheUserDatabaseKnowsThisUsersHome) {
  const std::string home = platform::UserDatabaseHome();
  EXPECT_FALSE(home.empty());
  EXPECT_EQ(home.front(), '/');
}
#endif

}  // namespace
}  // namespace morna
