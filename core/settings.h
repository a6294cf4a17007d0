// The user's preferences: one field per key of the settings file. Each
// field's key, default and dialog field are one row of core/settingrows.
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
  // Every stored setting at its default (core/settingrows: the table of
  // settings holds the defaults).
  Settings();

  // [MAIN] (besides the registration window's place)
  std::string Language;  // "ja", "en", or empty to follow the system
  // [FILE]
  std::string FileName;
  std::string WaveFileName;
  int DataCnt;
  int ScheCnt;
  // [FORM]
  WinColor Ecolor;
  WinColor Dcolor;
  WinColor Tcolor;
  WinColor Acolor;
  WinColor MFcolor;
  WinColor MDcolor;
  WinColor MTcolor;
  WinColor MAcolor;
  int Minute;
  int Area;
  int DataSize;
  int DataWCheck;
  int DataWSize;
  int Beep;
  int DisplayMode;
  int DisplayModeDay;
  int IMEMode;
  // [DISP]
  int PastData;
  int Sunday;
  int Monday;
  int Tuesday;
  int Wednesday;
  int Thursday;
  int Friday;
  int Saturday;
  int Holiday;
  int CalHeightC;
  int CalHeight;
  int CalWidthC;
  int CalWidth;
  int Caln;
  int DispArea;    // key Area
  int DispTop;     // key Top
  int DispLeft;    // key Left
  int DispRight;   // key Right
  int DispBottom;  // key Bottom
  std::string DispFontName;
  int DispFontSize;
  std::string TitleFontName;
  std::string CaleFontName;
  int CaleFontSize;
  int NationalHolidays;  // 1: Japan's national holidays count as holidays
  int ReadableText;  // 1: label texts below the readable contrast are drawn darker
  // [ALARM]
  int DailyAlarm;
  std::string DATime;
  int WeeklyAlarm;
  int WeeklyAlarmW;
  std::string WeeklyAlarmT;
  int MonthlyAlarm1;
  int MonthlyAlarmDay;
  std::string MonthlyAlarmT1;
  int MonthlyAlarm2;
  int MonthlyAlarmWeek;
  int MonthlyAlarmW;
  std::string MonthlyAlarmT2;
  int CountDown;
  int CountDownN;
  int Notify;  // 1: a label's warning and due moments also send a desktop notification
  // [HOLIDAY], [NONHOLIDAY]: month * 100 + day, 0 = empty entry.
  std::array<int, kHolidayEntries> Holidays;
  std::array<int, kHolidayEntries> NonHolidays;
  // [ICAL]: the time of day ("hh:mm") at which an imported all-day event
  // stands as a label.
  std::string AllDayTime;
  // [CALDAV]: the calendar server the labels are kept in step with (the
  // password lives in the system's secret store, never here).
  std::string CalDavAddress;     // the address the user gave (server or collection)
  std::string CalDavUser;
  std::string CalDavCollection;  // the calendar collection's URL
  int CalDavSync;                // 1: kept in step

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
