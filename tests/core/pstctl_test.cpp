#include "core/pstctl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/inifile.h"
#include "tests/core/tempdir.h"

namespace morna {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct Loaded {
  Settings s;
  WindowPos pos;
};

Loaded Load(const std::string& path) {
  Loaded l;
  TPstCtl().LoadSettings(path, l.s, l.pos);
  return l;
}

Loaded LoadText(const TempDir& dir, const std::string& text) {
  const std::string path = dir.File("Morna.ini");
  WriteBytes(path, text);
  return Load(path);
}

// The section names and the "key=value" lines of a file, in file order.
struct Outline {
  std::vector<std::string> sections;
  std::vector<std::vector<std::string>> lines;
};

Outline OutlineOf(const std::string& bytes) {
  Outline o;
  std::istringstream in(bytes);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      o.sections.push_back(line.substr(1, line.size() - 2));
      o.lines.emplace_back();
    } else if (!o.lines.empty()) {
      o.lines.back().push_back(line);
    }
  }
  return o;
}

std::vector<std::string> KeysOf(const std::vector<std::string>& lines) {
  std::vector<std::string> keys;
  for (const auto& l : lines) keys.push_back(l.substr(0, l.find('=')));
  return keys;
}

TEST(ParseIniIntTest, DecimalAndHexadecimalForms) {
  EXPECT_EQ(ParseIniInt("42"), 42);
  EXPECT_EQ(ParseIniInt("+42"), 42);
  EXPECT_EQ(ParseIniInt("-42"), -42);
  EXPECT_EQ(ParseIniInt("007"), 7);
  EXPECT_EQ(ParseIniInt("$FF"), 255);
  EXPECT_EQ(ParseIniInt("0xFF"), 255);
  EXPECT_EQ(ParseIniInt("0Xff"), 255);
  EXPECT_EQ(ParseIniInt("$00E0FFFF"), 14745599);
  EXPECT_EQ(ParseIniInt("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseIniInt("-$10"), -16);
  EXPECT_EQ(ParseIniInt("2147483647"), 2147483647);
  EXPECT_EQ(ParseIniInt("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", "+", "-", "$", "0x", "x10", "2147483648", "-2147483649", "$100000000",
                          "1.5", "1e3", "12a", " 5", "$FG", "99999999999999999999"}) {
    EXPECT_EQ(ParseIniInt(bad), std::nullopt) << bad;
  }
}

TEST(LoadSettingsTest, NoFileGivesEveryDefault) {
  TempDir dir;
  Loaded l = Load(dir.File("none.ini"));
  const Settings d;
  EXPECT_EQ(l.s.FileName, "Dpstitdt.dat");
  EXPECT_EQ(l.s.DataCnt, 30);
  EXPECT_EQ(l.s.Ecolor, 14745599);
  EXPECT_EQ(l.s.DispFontName, d.DispFontName);
  EXPECT_EQ(l.s.Holidays, d.Holidays);
  EXPECT_EQ(l.pos.Top, 0);
  EXPECT_EQ(l.pos.Left, 0);
}

TEST(LoadSettingsTest, EmptyTextOrNumberGivesTheDefault) {
  TempDir dir;
  Loaded l = LoadText(dir,
                      "[FILE]\r\nFileName=\r\nDataCnt=\r\n[FORM]\r\nEcolor=$FF\r\nDcolor=0xFF\r\n"
                      "Tcolor=red\r\nMinute=-3\r\n[DISP]\r\nCaleFontName= \r\n"
                      "[ALARM]\r\nDATime=\r\n");
  EXPECT_EQ(l.s.FileName, "Dpstitdt.dat");
  EXPECT_EQ(l.s.CaleFontName, "Times New Roman");
  EXPECT_EQ(l.s.DATime, "00:00");
  EXPECT_EQ(l.s.DataCnt, 30);
  EXPECT_EQ(l.s.Ecolor, 255);
  EXPECT_EQ(l.s.Dcolor, 255);
  EXPECT_EQ(l.s.Tcolor, 16777152);
  EXPECT_EQ(l.s.Minute, -3);
}

// A file name too long to be read whole would name a file nobody chose:
// it is refused, the default is used, and the user's line stays whole until
// the setting is changed. Other long texts are cut and used.
TEST(LoadSettingsTest, FileNamesTooLongToReadWholeAreRefusedAndTheirLinesKept) {
  TempDir dir;
  const std::string path = dir.File("Morna.ini");
  const std::string longName = std::string(5000, 'n') + ".dat";
  const std::string longWave = "/sounds/" + std::string(2000, 'w') + ".wav";
  const std::string longFont = std::string(1500, 'f');
  const std::string text = "[FILE]\r\nFileName=" + longName + "\r\nWaveFileName=" + longWave +
                           "\r\n[DISP]\r\nDispFontName=" + longFont + "\r\n";
  WriteBytes(path, text);
  Loaded l = Load(path);
  EXPECT_EQ(l.s.FileName, "Dpstitdt.dat");
  EXPECT_EQ(l.s.WaveFileName, "");
  EXPECT_EQ(l.s.DispFontName, std::string(1023, 'f'));
  EXPECT_EQ(l.s.Refused, (std::vector<RefusedSetting>{{"FILE", "FileName", "Dpstitdt.dat"},
                                                      {"FILE", "WaveFileName", ""}}));

  ASSERT_TRUE(TPstCtl().SaveSettings(path, l.s, l.pos).ok());
  const std::string saved = ReadBytes(path);
  for (const std::string& line : {"FileName=" + longName, "WaveFileName=" + longWave,
                                  "DispFontName=" + longFont})
    EXPECT_NE(saved.find("\n" + line + "\r\n"), std::string::npos) << line.substr(0, 20);

  // A name the user then chooses replaces the line.
  l.s.FileName = "chosen.dat";
  ASSERT_TRUE(TPstCtl().SaveSettings(path, l.s, l.pos).ok());
  Loaded again = Load(path);
  EXPECT_EQ(again.s.FileName, "chosen.dat");
  EXPECT_EQ(again.s.Refused, (std::vector<RefusedSetting>{{"FILE", "WaveFileName", ""}}));
  EXPECT_NE(ReadBytes(path).find("WaveFileName=" + longWave + "\r\n"), std::string::npos);
}

TEST(LoadSettingsTest, SameNamedKeysOfDifferentSectionsStayApart) {
  TempDir dir;
  Loaded l = LoadText(dir,
                      "[main]\r\ntop=12\r\nLEFT=-34\r\n[FORM]\r\nArea=4\r\n"
                      "[disp]\r\narea=2\r\nTop=1\r\nLeft=2\r\nRight=3\r\nBottom=4\r\n");
  EXPECT_EQ(l.pos.Top, 12);
  EXPECT_EQ(l.pos.Left, -34);
  EXPECT_EQ(l.s.Area, 4);
  EXPECT_EQ(l.s.DispArea, 2);
  EXPECT_EQ(l.s.DispTop, 1);
  EXPECT_EQ(l.s.DispLeft, 2);
  EXPECT_EQ(l.s.DispRight, 3);
  EXPECT_EQ(l.s.DispBottom, 4);
}

TEST(LoadSettingsTest, ValuesInForceFollowTheValuesRead) {
  TempDir dir;
  Loaded l = LoadText(dir, "[FORM]\r\nDisplayMode=0\r\nDisplayModeDay=70\r\n");
  EXPECT_EQ(l.s.DisplayModeInForce, 0);
  EXPECT_EQ(l.s.DisplayModeDayInForce, 70);
}

TEST(HolidayEntries, ReadAndWrittenAsFourDigitsOnlyForDay01ToDay40) {
  TempDir dir;
  const std::string path = dir.File("Morna.ini");
  WriteBytes(path,
             "[HOLIDAY]\r\nDay00=0202\r\nDay03=0101\r\nDay40=1231\r\nDay41=0303\r\n"
             "[NONHOLIDAY]\r\nDay01=505\r\nDay02=\r\n");
  Settings s;
  s.Holidays[4] = 1103;     // entry 5 is absent: keeps its value
  s.NonHolidays[1] = 1224;  // entry 2 is empty: keeps its value
  WindowPos pos;
  TPstCtl ctl;
  ctl.LoadSettings(path, s, pos);
  EXPECT_EQ(s.Holidays[2], 101);
  EXPECT_EQ(s.Holidays[39], 1231);
  EXPECT_EQ(s.Holidays[4], 1103);
  EXPECT_EQ(s.Holidays[0], 0);
  EXPECT_EQ(s.NonHolidays[0], 505);
  EXPECT_EQ(s.NonHolidays[1], 1224);

  ASSERT_TRUE(ctl.SaveSettings(path, s, pos).ok());
  const std::string saved = ReadBytes(path);
  EXPECT_NE(saved.find("Day03=0101\r\n"), std::string::npos);
  EXPECT_NE(saved.find("Day05=1103\r\n"), std::string::npos);
  EXPECT_NE(saved.find("Day01=\r\n"), std::string::npos);
  // Day00 and Day41 stay as the user left them, and are not added elsewhere.
  EXPECT_NE(saved.find("[HOLIDAY]\r\nDay00=0202\r\n"), std::string::npos);
  EXPECT_NE(saved.find("Day41=0303\r\n"), std::string::npos);
  const Outline o = OutlineOf(saved);
  for (std::size_t i = 0; i < o.sections.size(); ++i) {
    const auto keys = KeysOf(o.lines[i]);
    const auto n00 = std::count(keys.begin(), keys.end(), "Day00");
    const auto n41 = std::count(keys.begin(), keys.end(), "Day41");
    EXPECT_EQ(n00, o.sections[i] == "HOLIDAY" ? 1 : 0);
    EXPECT_EQ(n41, o.sections[i] == "HOLIDAY" ? 1 : 0);
  }
}

TEST(SaveSettingsTest, FirstSaveWritesSectionsAndKeysInWriteOrder) {
  TempDir dir;
  const std::string path = dir.File("Morna.ini");
  Loaded l = Load(path);
  ASSERT_TRUE(TPstCtl().SaveSettings(path, l.s, l.pos).ok());
  const std::string bytes = ReadBytes(path);
  const Outline o = OutlineOf(bytes);
  EXPECT_EQ(o.sections, (std::vector<std::string>{"MAIN", "FILE", "FORM", "DISP", "ALARM",
                                                  "HOLIDAY", "NONHOLIDAY", "ICAL", "CALDAV"}));
  ASSERT_EQ(o.lines.size(), 9u);
  EXPECT_EQ(o.lines[7], std::vector<std::string>{"AllDayTime=09:00"});
  EXPECT_EQ(o.lines[8],
            (std::vector<std::string>{"Address=", "User=", "Collection=", "Sync=0"}));
  EXPECT_EQ(o.lines[0], (std::vector<std::string>{"Top=0", "Left=0", "Language="}));
  EXPECT_EQ(o.lines[1], (std::vector<std::string>{"FileName=Dpstitdt.dat", "WaveFileName=",
                                                  "DataCnt=30", "ScheCnt=6"}));
  EXPECT_EQ(KeysOf(o.lines[2]),
            (std::vector<std::string>{"Ecolor", "Dcolor", "Tcolor", "Acolor", "MFcolor", "MDcolor",
                                      "MTcolor", "Minute", "MAcolor", "Area", "DataSize",
                                      "DataWCheck", "DataWSize", "Beep", "DisplayMode",
                                      "DisplayModeDay", "IMEMode"}));
  EXPECT_EQ(o.lines[2][0], "Ecolor=14745599");
  ASSERT_EQ(o.lines[3].size(), 26u);
  EXPECT_EQ(o.lines[3][0], "PastData=1");
  EXPECT_EQ(o.lines[3][24], "NationalHolidays=0");
  EXPECT_EQ(o.lines[3][25], "ReadableText=0");  // the newest key stands last
  ASSERT_EQ(o.lines[4].size(), 15u);
  EXPECT_EQ(o.lines[4][14], "Notify=0");  // the newest key stands last
  for (int sec : {5, 6}) {
    ASSERT_EQ(o.lines[static_cast<std::size_t>(sec)].size(), 40u);
    EXPECT_EQ(o.lines[static_cast<std::size_t>(sec)][0], "Day01=");
    EXPECT_EQ(o.lines[static_cast<std::size_t>(sec)][39], "Day40=");
  }
  // Every line ends with CR LF.
  std::size_t crlf = 0, lf = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ++lf;
      if (i > 0 && bytes[i - 1] == '\r') ++crlf;
    }
  }
  EXPECT_EQ(crlf, lf);

  // What was written reads back as the same settings.
  Loaded again = Load(path);
  EXPECT_EQ(again.s.DispFontName, l.s.DispFontName);
  EXPECT_EQ(again.s.Tcolor, l.s.Tcolor);
  EXPECT_EQ(again.s.CaleFontName, "Times New Roman");
}

TEST(SaveSettingsTest, SavingTwiceChangesNothingAndForeignLinesStay) {
  TempDir dir;
  const std::string path = dir.File("Morna.ini");
  const std::string original =
      "; kept comment\n[form]\necolor = $FF\nMyOwnKey=abc\n\n[Plugins]\nx=1\n"
      "[file]\nfilename=data.dat\r\n";
  WriteBytes(path, original);
  TPstCtl ctl;
  Loaded l = Load(path);
  l.s.DATime = "07:30";
  l.pos = {40, 50};
  ASSERT_TRUE(ctl.SaveSettings(path, l.s, l.pos).ok());
  const std::string first = ReadBytes(path);
  EXPECT_EQ(first.rfind("; kept comment\n[form]\necolor =255\nMyOwnKey=abc\n", 0), 0u) << first;
  EXPECT_NE(first.find("\n\n[Plugins]\nx=1\n[file]\nfilename=data.dat\r\n"), std::string::npos);
  EXPECT_NE(first.find("DATime=07:30\r\n"), std::string::npos);

  Loaded l2 = Load(path);
  EXPECT_EQ(l2.s.FileName, "data.dat");
  EXPECT_EQ(l2.pos.Top, 40);
  ASSERT_TRUE(ctl.SaveSettings(path, l2.s, l2.pos).ok());
  EXPECT_EQ(ReadBytes(path), first);
}

// A key newer than the file is added after the keys the file already has
// in its section, which keep their bytes.
TEST(SaveSettingsTest, NewerKeysAreAddedAfterTheKeysOfAnOlderFile) {
  const struct {
    const char* older;
    int Settings::*key;
    const char* kept;   // the start of the saved file
    const char* added;  // where the key went
  } cases[] = {
      {"[DISP]\r\nHoliday=1\r\nCaleFontSize=10\r\n[ALARM]\r\nBeep=1\r\n",
       &Settings::ReadableText, "[DISP]\r\nHoliday=1\r\nCaleFontSize=10\r\n",
       "NationalHolidays=0\r\nReadableText=1\r\n[ALARM]"},
      {"[ALARM]\r\nCountDown=1\r\nCountDownN=7\r\n[HOLIDAY]\r\nDay01=0101\r\n",
       &Settings::Notify, "[ALARM]\r\nCountDown=1\r\nCountDownN=7\r\n",
       "MonthlyAlarmT2=00:00\r\nNotify=1\r\n[HOLIDAY]"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir.File("Morna.ini");
    WriteBytes(path, c.older);
    Loaded l = Load(path);
    EXPECT_EQ(l.s.*c.key, 0) << c.added;
    l.s.*c.key = 1;
    ASSERT_TRUE(TPstCtl().SaveSettings(path, l.s, l.pos).ok());
    const std::string saved = ReadBytes(path);
    EXPECT_EQ(saved.rfind(c.kept, 0), 0u) << saved;
    EXPECT_NE(saved.find(c.added), std::string::npos) << saved;
    EXPECT_EQ(Load(path).s.*c.key, 1) << c.added;
  }
}

TEST(SaveSettingsTest, AFileThatCannotBeWrittenIsReportedAndKept) {
  TempDir dir;
  Settings s;
  s.DataCnt = 40;
  WindowPos pos;
  TPstCtl ctl;
  EXPECT_FALSE(ctl.SaveSettings(dir.File("missing/Morna.ini"), s, pos).ok());

  const std::string dirPath = dir.File("Dir.ini");
  std::filesystem::create_directory(dirPath);
  EXPECT_FALSE(ctl.SaveSettings(dirPath, s, pos).ok());
}

TEST(LoadSettingsTest, ValuesOutOfRangeAreKeptAsWritten) {
  TempDir dir;
  const std::string text =
      "[FILE]\r\nDataCnt=0\r\nScheCnt=2000000000\r\n"
      "[FORM]\r\nMinute=2147483647\r\nArea=7\r\nDataSize=9\r\nDataWSize=0\r\n"
      "DisplayModeDay=99999999\r\nIMEMode=9\r\n"
      "[DISP]\r\nCalHeight=-5\r\nCalWidth=99999\r\nDispFontSize=-12\r\n"
      "CaleFontSize=100000\r\nTop=-2147483648\r\n"
      "[ALARM]\r\nWeeklyAlarmW=9\r\nMonthlyAlarmWeek=2147483647\r\n"
      "MonthlyAlarmW=-2147483648\r\n";
  Loaded l = LoadText(dir, text);
  EXPECT_EQ(l.s.DataCnt, 0);
  EXPECT_EQ(l.s.ScheCnt, 2000000000);
  EXPECT_EQ(l.s.Minute, 2147483647);
  EXPECT_EQ(l.s.DataWSize, 0);
  EXPECT_EQ(l.s.DisplayModeDay, 99999999);
  EXPECT_EQ(l.s.DisplayModeDayInForce, 99999999);
  EXPECT_EQ(l.s.CalHeight, -5);
  EXPECT_EQ(l.s.CalWidth, 99999);
  EXPECT_EQ(l.s.DispFontSize, -12);
  EXPECT_EQ(l.s.CaleFontSize, 100000);
  EXPECT_EQ(l.s.DispTop, -2147483647 - 1);
  EXPECT_EQ(l.s.MonthlyAlarmWeek, 2147483647);
  EXPECT_EQ(l.s.MonthlyAlarmW, -2147483647 - 1);
  EXPECT_EQ(l.s.Area, 7);
  EXPECT_EQ(l.s.DataSize, 9);
  EXPECT_EQ(l.s.IMEMode, 9);
  EXPECT_EQ(l.s.WeeklyAlarmW, 9);

  // A save writes every one of them back as it was.
  const std::string path = dir.File("Morna.ini");
  ASSERT_TRUE(TPstCtl().SaveSettings(path, l.s, l.pos).ok());
  Loaded again = LoadText(dir, ReadBytes(path));
  EXPECT_EQ(again.s.DataCnt, 0);
  EXPECT_EQ(again.s.DispFontSize, -12);
  EXPECT_EQ(again.s.MonthlyAlarmW, -2147483647 - 1);
}

}  // namespace
}  // namespace morna
