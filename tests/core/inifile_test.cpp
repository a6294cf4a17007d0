#include "core/inifile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/core/tempdir.h"

namespace morna {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

IniFile LoadFrom(std::string_view bytes) {
  IniFile ini;
  ini.Parse(bytes);
  return ini;
}

TEST(IniRead, NamesMatchWithoutRegardToAsciiCase) {
  IniFile ini = LoadFrom("[form]\r\necolor=5\r\n[\x83\x41]\r\nk=1\r\n");
  EXPECT_EQ(ini.Read("FORM", "ECOLOR"), "5");
  EXPECT_EQ(ini.Read("Form", "Ecolor"), "5");
  // The second byte of a double-byte character is not an ASCII letter.
  EXPECT_EQ(ini.Read("\x83\x41", "K"), "1");
  EXPECT_EQ(ini.Read("\x83\x61", "k"), std::nullopt);
}

TEST(IniRead, ValuesLoseSurroundingBlanksAndEmptyIsNotAbsent) {
  IniFile ini = LoadFrom(
      "[S]\n  a  =  x y \t\nb=\nc = p=q\n;d=comment\nnoequals\n"
      "[T]\na=other\n[S]\ne=second\n");
  EXPECT_EQ(ini.Read("S", "a"), "x y");
  EXPECT_EQ(ini.Read("S", "b"), "");
  EXPECT_EQ(ini.Read("S", "c"), "p=q");
  EXPECT_EQ(ini.Read("S", "d"), std::nullopt);
  EXPECT_EQ(ini.Read("S", ";d"), std::nullopt);
  EXPECT_EQ(ini.Read("S", "missing"), std::nullopt);
  EXPECT_EQ(ini.Read("T", "a"), "other");
  EXPECT_EQ(ini.ReadString("S", "missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("S", "b", "dflt"), "");
  EXPECT_EQ(ini.Read("Nope", "a"), std::nullopt);
}

TEST(IniRead, ValuesAreReadUpTo1023BytesWithoutBlanksAtEitherEnd) {
  const std::string longValue(1500, 'v');
  // 1022 single bytes then a double-byte character that would straddle the limit.
  const std::string straddling = std::string(1022, 'w') + "\x82\xa0" + "tail";
  // A cut that ends in a blank loses it, so the value reads back the same.
  const std::string blankAtCut = std::string(1021, 'b') + " " + "\x82\xa0";
  IniFile ini = LoadFrom("[S]\r\nlong=" + longValue + "\r\nsj=" + straddling + "\r\ncut=" +
                         blankAtCut + "\r\n");
  EXPECT_EQ(ini.Read("S", "long"), std::string(1023, 'v'));
  EXPECT_EQ(ini.Read("S", "sj"), std::string(1022, 'w'));
  EXPECT_EQ(ini.Read("S", "cut"), std::string(1021, 'b'));
}

TEST(IniWrite, ReplacesInPlaceAndKeepsEveryOtherLine) {
  TempDir dir;
  const std::string before =
      "; my settings\n[MAIN]\nTop = 5\nleft=7\r\n\r\n[Other]\nx=1\r\n; end";
  const std::string path = dir.File("t.ini");
  WriteBytes(path, before);
  IniFile ini;
  ASSERT_EQ(ini.Load(path).status, FileResult::Status::Ok);
  ini.Write("MAIN", "Top", "5");  // unchanged: the line keeps its blanks
  EXPECT_FALSE(ini.Changed());
  ini.Write("main", "LEFT", "9");
  ASSERT_TRUE(ini.Save().ok());
  EXPECT_EQ(ReadBytes(path),
            "; my settings\n[MAIN]\nTop = 5\nleft=9\r\n\r\n[Other]\nx=1\r\n; end");
}

TEST(IniWrite, AValueCutAtReadingIsNeverWrittenBackCut) {
  const std::string whole = "  " + std::string(5000, 'p') + "  ";
  IniFile ini = LoadFrom("[S]\r\nlong=" + whole + "\r\nshort=" + std::string(1023, 'q') + "\r\n");
  EXPECT_TRUE(ini.IsCut("s", "LONG"));
  EXPECT_FALSE(ini.IsCut("S", "short"));
  EXPECT_FALSE(ini.IsCut("S", "missing"));
  // Writing back what was read keeps the whole line.
  ini.Write("S", "long", *ini.Read("S", "long"));
  EXPECT_FALSE(ini.Changed());
  EXPECT_NE(ini.Contents().find("long=" + whole + "\r\n"), std::string::npos);
  // Any other value replaces it.
  ini.Write("S", "long", "new");
  EXPECT_EQ(ini.Contents(), "[S]\r\nlong=new\r\nshort=" + std::string(1023, 'q') + "\r\n");
  EXPECT_FALSE(ini.IsCut("S", "long"));
}

TEST(IniWrite, NewKeysGoAfterTheLastKeyAndNewSectionsAtTheEnd) {
  IniFile ini = LoadFrom("[A]\r\na=1\r\n; note\r\n\r\n[B]\r\n[C]\r\nc=1");
  ini.Write("A", "b", "2");
  ini.Write("B", "x", "");
  ini.Write("D", "d", "4");
  EXPECT_EQ(ini.Contents(),
            "[A]\r\na=1\r\nb=2\r\n; note\r\n\r\n[B]\r\nx=\r\n[C]\r\nc=1\r\n[D]\r\nd=4\r\n");
}

TEST(IniWrite, AMissingFileIsCreatedAndAnUnchangedOneIsNotTouched) {
  TempDir dir;
  const std::string path = dir.File("new.ini");
  IniFile ini;
  EXPECT_EQ(ini.Load(path).status, FileResult::Status::Missing);
  ini.Write("S", "k", "v");
  ASSERT_TRUE(ini.Save().ok());
  EXPECT_EQ(ReadBytes(path), "[S]\r\nk=v\r\n");

  IniFile again;
  ASSERT_EQ(again.Load(path).status, FileResult::Status::Ok);
  again.Write("s", "K", "v");
  std::filesystem::remove(path);  // a write would bring it back
  EXPECT_TRUE(again.Save().ok());
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(IniWrite, LineBreaksCannotEnterAValue) {
  IniFile ini = LoadFrom("");
  ini.Write("S", "k", "a\r\n[Evil]\r\nx=1");
  EXPECT_EQ(ini.Contents(), "[S]\r\nk=a[Evil]x=1\r\n");
}

TEST(IniWrite, AFailedSaveLeavesTheOldFileAndSaysWhy) {
  TempDir dir;
  // The file's directory does not exist.
  IniFile ini;
  ini.Load(dir.File("no/such/dir.ini"));
  ini.Write("S", "k", "v");
  const FileResult saved = ini.Save();
  const std::string& error = saved.systemMessage;
  EXPECT_FALSE(saved.ok());
#ifndef _WIN32
  EXPECT_EQ(error, "No such file or directory");
#else
  EXPECT_FALSE(error.empty());
#endif
}

TEST(IniWrite, AnUnreadableFileIsNeverReplaced) {
  TempDir dir;
  const std::string path = dir.File("d.ini");
  std::filesystem::create_directory(path);
  IniFile ini;
  EXPECT_EQ(ini.Load(path).status, FileResult::Status::Failed);
  ini.Write("S", "k", "v");
  const FileResult saved = ini.Save();
  const std::string& error = saved.systemMessage;
  EXPECT_FALSE(saved.ok());
#ifndef _WIN32
  EXPECT_EQ(error, "Is a directory");
#else
  EXPECT_EQ(error, "Not a regular file");
#endif
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(IniWrite, ASymbolicLinkKeepsPointingAtTheRealFile) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links need special rights on Windows";
#endif
  TempDir dir;
  const std::string real = dir.File("real.ini");
  const std::string link = dir.File("link.ini");
  WriteBytes(real, "[S]\r\nk=1\r\n");
  std::filesystem::create_symlink(real, link);
  IniFile ini;
  ASSERT_EQ(ini.Load(link).status, FileResult::Status::Ok);
  ini.Write("S", "k", "2");
  ASSERT_TRUE(ini.Save().ok());
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "[S]\r\nk=2\r\n");
}

}  // namespace
}  // namespace morna
