#include "core/initform.h"

#include <gtest/gtest.h>

namespace morna {
namespace {

// Settings far from the defaults, every value valid, all alarms off with
// details of their own.
Settings Custom() {
  Settings s;
  s.FileName = "D:\\\x95\x5c\\labels.dat";  // "表" ends in the byte of "\"
  s.WaveFileName = "C:\\sounds\\bell.wav";
  s.DataCnt = 45;
  s.ScheCnt = 12;
  s.Ecolor = kLightCyan;
  s.Dcolor = kLightRed;
  s.Tcolor = kLightGreen;
  s.Acolor = 123456;
  s.MAcolor = 123456;
  s.Minute = 15;
  s.Area = 3;
  s.DataSize = 3;
  s.DataWCheck = 1;
  s.DataWSize = 200;
  s.Beep = 0;
  s.DisplayMode = 0;
  s.DisplayModeDay = 60;
  s.IMEMode = 6;
  s.PastData = 2;
  s.Sunday = 0;
  s.Wednesday = 1;
  s.CalHeightC = 1;
  s.CalHeight = 500;
  s.CalWidth = 698;
  s.Caln = 1;
  s.DispArea = 1;
  s.DispTop = 10;
  s.DispLeft = 20;
  s.DispRight = 800;
  s.DispBottom = 600;
  s.DispFontName = "Arial";
  s.DispFontSize = 11;
  s.TitleFontName = "Times New Roman";
  s.CaleFontName = "Arial";
  s.CaleFontSize = 12;
  s.NationalHolidays = 1;
  s.DATime = "07:30";
  s.WeeklyAlarmW = 4;
  s.WeeklyAlarmT = "08:00";
  s.MonthlyAlarmDay = 25;
  s.MonthlyAlarmT1 = "09:00";
  s.MonthlyAlarmWeek = 3;
  s.MonthlyAlarmW = 6;
  s.MonthlyAlarmT2 = "10:00";
  s.CountDownN = 20;
  return s;
}

TEST(IniFileInfo, OkUntouchedKeepsEveryValueButTheDetailsOfAlarmsThatAreOff) {
  const Settings before = Custom();
  Settings s = before;
  ASSERT_EQ(IniFileInfoSave(IniFileInfoSet(s), s), std::nullopt);

  Settings expected = before;
  expected.DATime = "00:00";
  expected.WeeklyAlarmW = 1;
  expected.WeeklyAlarmT = "00:00";
  expected.MonthlyAlarmDay = 1;
  expected.MonthlyAlarmT1 = "00:00";
  expected.MonthlyAlarmWeek = 1;
  expected.MonthlyAlarmW = 1;
  expected.MonthlyAlarmT2 = "00:00";
  expected.CountDownN = 10;
  EXPECT_TRUE(s == expected);

  // Alarms that are on keep their details too.
  Settings on = before;
  on.DailyAlarm = on.WeeklyAlarm = on.MonthlyAlarm1 = on.MonthlyAlarm2 = on.CountDown = 1;
  on.Notify = 1;
  Settings after = on;
  ASSERT_EQ(IniFileInfoSave(IniFileInfoSet(after), after), std::nullopt);
  EXPECT_TRUE(after == on);
}

TEST(IniFileInfo, ColourGroups) {
  // A colour that no swatch shows checks nothing, and OK leaves it.
  Settings s;
  s.Dcolor = 42;
  InitForm f = IniFileInfoSet(s);
  EXPECT_EQ(f.Colors[kDataGroup].checked, 0);
  ASSERT_EQ(IniFileInfoSave(f, s), std::nullopt);
  EXPECT_EQ(s.Dcolor, 42);

  // A preset that is also the own colour ends on radio button 5.
  s.Tcolor = s.MTcolor = kLightRed;
  EXPECT_EQ(IniFileInfoSet(s).Colors[kTimerGroup].checked, 5);
  EXPECT_EQ(CheckedSwatch(kLightRed, kLightGrey), 3);

  // Swatch 5 shows the own colour and gives it on OK.
  f = IniFileInfoSet(s);
  EXPECT_EQ(f.Colors[kEntryGroup].own, s.MFcolor);
  f.Colors[kEntryGroup].checked = 5;
  s.MFcolor = 777;  // chosen with "Color.." while the dialog was open
  ASSERT_EQ(IniFileInfoSave(f, s), std::nullopt);
  EXPECT_EQ(s.Ecolor, 777);
}

TEST(IniFileInfo, InputModeItem) {
  Settings s;
  InitForm f = IniFileInfoSet(s);
  EXPECT_EQ(f.CmbIME, kImeItems[0]);
  f.CmbIME = "3";
  ASSERT_EQ(IniFileInfoSave(f, s), std::nullopt);
  EXPECT_EQ(s.IMEMode, 3);
  f.CmbIME = std::string(kImeItems[5]);
  ASSERT_EQ(IniFileInfoSave(f, s), std::nullopt);
  EXPECT_EQ(s.IMEMode, 5);
  f.CmbIME = "\x82\xc8x";  // "なx": its first character is no digit
  EXPECT_EQ(IniFileInfoSave(f, s), "\x82\xc8");

  // 9 is no item: the box opens empty and OK leaves the 9.
  s.IMEMode = 9;
  f = IniFileInfoSet(s);
  EXPECT_EQ(f.CmbIME, "");
  ASSERT_EQ(IniFileInfoSave(f, s), std::nullopt);
  EXPECT_EQ(s.IMEMode, 9);
}

TEST(IniFileInfo, ValuesThatCheckNothing) {
  Settings s;
  s.DispArea = 2;  // uses the rectangle, but is not the dialog's 1
  s.Area = 7;
  s.DataSize = 0;
  s.Beep = 5;
  InitForm f = IniFileInfoSet(s);
  EXPECT_FALSE(f.DispAreaCheck);
  EXPECT_EQ(f.RbtnArea, 0);
  EXPECT_EQ(f.RbtnSize, 0);
  ASSERT_EQ(IniFileInfoSave(f, s), std::nullopt);
  EXPECT_EQ(s.DispArea, 0);
  EXPECT_EQ(s.Area, 7);      // no radio checked: unchanged
  EXPECT_EQ(s.DataSize, 2);  // neither Small nor Large: Normal
  EXPECT_EQ(s.Beep, 0);

  // A weekday text that is not one of the names, exactly, leaves the day.
  s.WeeklyAlarmW = 3;
  s.MonthlyAlarmW = 5;
  f.CbAlWeeklyWeek = "sunday";
  f.CbAlMonthlyWeek = "Mon";
  ASSERT_EQ(IniFileInfoSave(f, s), std::nullopt);
  EXPECT_EQ(s.WeeklyAlarmW, 3);
  EXPECT_EQ(s.MonthlyAlarmW, 5);
  f.CbAlWeeklyWeek = "Friday";
  ASSERT_EQ(IniFileInfoSave(f, s), std::nullopt);
  EXPECT_EQ(s.WeeklyAlarmW, 6);
}

TEST(IniFileInfo, SaveStopsAtTheFirstFieldThatIsNotAnInteger) {
  Settings s;
  InitForm f = IniFileInfoSet(s);
  f.EdFileName = "new.dat";
  f.EdData = "40";
  f.CbDtWidth = "12a";
  f.EdDays = "x";  // later: not reached
  f.CbCntDown = true;
  EXPECT_EQ(IniFileInfoSave(f, s), "12a");
  EXPECT_EQ(s.FileName, "new.dat");
  EXPECT_EQ(s.DataCnt, 40);
  EXPECT_EQ(s.CountDown, 0);

  for (const char* bad : {"", "5 ", "3.5", "99999999999", "-"}) {
    f = IniFileInfoSet(Settings{});
    f.DispEd[3] = bad;
    Settings t;
    EXPECT_EQ(IniFileInfoSave(f, t), bad);
  }
  // Out-of-range integers are stored as typed.
  f = IniFileInfoSet(Settings{});
  f.EdData = "5000";
  f.DispSize1 = "0";
  f.CbDtWidth = "-3";
  ASSERT_EQ(IniFileInfoSave(f, s), std::nullopt);
  EXPECT_EQ(s.DataCnt, 5000);
  EXPECT_EQ(s.DispFontSize, 0);
  EXPECT_EQ(s.DataWSize, -3);
}

TEST(HolidayList, ItemsEntriesAndRewrite) {
  std::array<int, kHolidayEntries> list{};
  list[2] = 101;
  list[5] = 1224;
  EXPECT_EQ(HolidayItems(list), (std::vector<std::string>{"0101", "1224"}));

  ASSERT_EQ(RewriteHolidays({"0101", "1224"}, list), std::nullopt);
  std::array<int, kHolidayEntries> expected{};
  expected[0] = 101;
  expected[1] = 1224;
  EXPECT_EQ(list, expected);

  // More than 40 items: the first 40 are kept.
  std::vector<std::string> many(45, "0505");
  many[39] = "1231";
  ASSERT_EQ(RewriteHolidays(many, list), std::nullopt);
  EXPECT_EQ(list[39], 1231);

  // An item that is not an integer changes nothing.
  EXPECT_EQ(RewriteHolidays({"0101", "12x4"}, list), "12x4");
  EXPECT_EQ(list[0], 505);

  EXPECT_EQ(HolidayEntry("0229"), 229);
  EXPECT_EQ(HolidayEntry("1231"), 1231);
  for (const char* bad : {"0230", "0431", "1301", "0001", "0100", "101", "01011", "01a1", "+101",
                          "\x82\x4f\x82\x50"}) {
    EXPECT_EQ(HolidayEntry(bad), std::nullopt) << bad;
  }
}

TEST(InitFormText, FileNamePart) {
  EXPECT_EQ(FileNamePart("C:\\sounds\\bell.wav"), "bell.wav");
  EXPECT_EQ(FileNamePart("C:bell.wav"), "bell.wav");
  EXPECT_EQ(FileNamePart("/home/u/bell.wav"), "bell.wav");
  EXPECT_EQ(FileNamePart("C:\\\x95\x5c.wav"), "\x95\x5c.wav");  // "表.wav"
  EXPECT_EQ(FileNamePart("C:\\dir\\"), "");
  EXPECT_EQ(FileNamePart(""), "");
}

TEST(InitFormText, SystemInformationLines) {
  EXPECT_EQ(MemoryMegabytes(0), 0u);
  EXPECT_EQ(MemoryMegabytes(1048576), 1u);
  EXPECT_EQ(MemoryMegabytes(1048577), 2u);
  EXPECT_EQ(MemoryMegabytes(8ull << 30), 8193u);
  EXPECT_EQ(ProcessorLine("Intel Pentiam ", 64ull << 20), "Intel Pentiam  , Memory  :  65Mb");
  EXPECT_EQ(WorkAreaLine(Rect{0, 0, 1024, 740}), "Left: 0, Top: 0, Right: 1024, Bottom: 740");
  EXPECT_EQ(WindowsVersionLine(2, 5, 0, 2195, " Service Pack 1"),
            "Windows NT 5.0.2195 Service Pack 1");
  EXPECT_EQ(WindowsVersionLine(1, 4, 10, (4 << 24) | (10 << 16) | 2222, " A"),
            "Windows 95 4.10.2222 A");
  EXPECT_EQ(WindowsVersionLine(0, 3, 10, 0, ""), "Windows 3.13.10.0");
  EXPECT_EQ(WindowsVersionLine(3, 1, 0, 0, ""), std::nullopt);
  EXPECT_EQ(WindowsProcessorText(586), "Intel Pentiam ");
  EXPECT_EQ(WindowsProcessorText(8664), std::nullopt);
}

}  // namespace
}  // namespace morna
