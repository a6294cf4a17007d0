// The user's preferences: one field per key of the settings file.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/palette.h"

namespace morna {

inline constexpr int kMaxDataCnt = 50;
inline constexpr int kHolidayEntries = 40;
// Font sizes from the settings (points, or pixels when negative) are used
// within -kMaxFontSize..kMaxFontSize, so none asks for an enormous glyph.
inline constexpr int kMaxFontSize = 500;

// A text of the settings file too long to be read whole (see IniFile) that
// is not used: a file name cut short would name a file nobody chose.
struct RefusedSetting {
  std::string section;
  std::string key;
  std::string standIn;  // the value used in its place: the setting's default

  bool operator==(const RefusedSetting&) const = default;
};

struct Settings {
  // [FILE]
  std::string FileName = "Dpstitdt.dat";
  std::string WaveFileName;
  int DataCnt = 30;
  int ScheCnt = 6;
  // [FORM]
  WinColor Ecolor = kLightYellow;
  WinColor Dcolor = kLightYellow;
  WinColor Tcolor = kLightCyan;
  WinColor Acolor = kLightYellow;
  WinColor MFcolor = kLightGrey;
  WinColor MDcolor = kLightGrey;
  WinColor MTcolor = kLightGrey;
  WinColor MAcolor = kLightGrey;
  int Minute = 5;
  int Area = 2;
  int DataSize = 1;
  int DataWCheck = 0;
  int DataWSize = 130;
  int Beep = 1;
  int DisplayMode = 1;
  int DisplayModeDay = 30;
  int IMEMode = 0;
  // [DISP]
  int PastData = 1;
  int Sunday = 1;
  int Monday = 0;
  int Tuesday = 0;
  int Wednesday = 0;
  int Thursday = 0;
  int Friday = 0;
  int Saturday = 1;
  int Holiday = 1;
  int CalHeightC = 0;
  int CalHeight = 355;
  int CalWidthC = 0;
  int CalWidth = 496;
  int Caln = 0;
  int DispArea = 0;    // key Area
  int DispTop = 0;     // key Top
  int DispLeft = 0;    // key Left
  int DispRight = 0;   // key Right
  int DispBottom = 0;  // key Bottom
  std::string DispFontName = "\x82\x6c\x82\x72\x96\xbe\x92\xa9";  // "ＭＳ明朝" in Shift-JIS
  int DispFontSize = 9;
  std::string TitleFontName = "Arial";
  std::string CaleFontName = "Times New Roman";
  int CaleFontSize = 10;
  int NationalHolidays = 0;  // 1: Japan's national holidays count as holidays
  // [ALARM]
  int DailyAlarm = 0;
  std::string DATime = "00:00";
  int WeeklyAlarm = 0;
  int WeeklyAlarmW = 1;
  std::string WeeklyAlarmT = "00:00";
  int MonthlyAlarm1 = 0;
  int MonthlyAlarmDay = 0;
  std::string MonthlyAlarmT1 = "00:00";
  int MonthlyAlarm2 = 0;
  int MonthlyAlarmWeek = 0;
  int MonthlyAlarmW = 1;
  std::string MonthlyAlarmT2 = "00:00";
  int CountDown = 0;
  int CountDownN = 10;
  int Notify = 0;  // 1: a label's warning and due moments also send a desktop notification
  // [HOLIDAY], [NONHOLIDAY]: month * 100 + day, 0 = empty entry.
  std::array<int, kHolidayEntries> Holidays{};
  std::array<int, kHolidayEntries> NonHolidays{};

  // Not stored: the DisplayMode and DisplayModeDay with which the label
  // windows now on screen were built.
  int DisplayModeInForce = 1;
  int DisplayModeDayInForce = 30;
  // Not stored: the values refused at reading. While a setting keeps its
  // stand-in, saving leaves the user's line in the file as it is.
  std::vector<RefusedSetting> Refused;

  bool operator==(const Settings&) const = default;
};

// The registration window's position, kept in [MAIN] of the same file.
struct WindowPos {
  int Top = 0;
  int Left = 0;

  bool operator==(const WindowPos&) const = default;
};

}  // namespace morna
