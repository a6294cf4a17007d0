// The settings dialog's decisions without its window: the controls' values
// as a plain record, how the settings fill it and how it is stored back,
// the holiday lists, and the system-information lines.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/geometry.h"
#include "core/palette.h"
#include "core/settings.h"

namespace morna {

// The colours of swatches 1 to 4 of every colour group; swatch 5 shows the
// group's own colour.
inline constexpr std::array<WinColor, 4> kSwatchColors = {kLightYellow, kLightCyan, kLightRed,
                                                         kLightGreen};

// The items of the input-method combo box, item k for IMEMode k (Shift-JIS).
extern const std::array<std::string_view, 9> kImeItems;

// One colour group: which of its five radio buttons is checked (0 none) and
// the colour of swatch 5.
struct ColorChoice {
  int checked = 0;
  WinColor own = kLightGrey;
  friend bool operator==(const ColorChoice&, const ColorChoice&) = default;
};

// The colour groups in the order of the tab: Entry (Ecolor), Data (Dcolor),
// Timer (Tcolor), Today (Acolor).
enum ColorGroup { kEntryGroup = 0, kDataGroup, kTimerGroup, kTodayGroup };

// What the dialog's controls show. Texts are Shift-JIS bytes; a radio group
// is the number of its checked button, 0 when none is. A default-made form
// is the dialog as designed.
struct InitForm {
  // Data
  std::string EdFileName;
  std::string EdWaveFile;
  std::string EdData = "30";
  std::string EdSched = "6";
  int RbtnArea = 0;  // 1..4
  int RbtnPast = 0;  // 1 Auto, 2 User
  int RbtnSize = 0;  // 1..3
  bool CbDataWidth = false;
  std::string CbDtWidth = "130";
  bool Beepon = false;
  bool DspDataAll = false;
  std::string EdDays = "20";
  std::string CmbIME;
  // Calendar
  std::array<bool, 8> Week{};  // Sunday .. Saturday, Holiday
  bool CbCalHeight = false;
  std::string CalHeightN;
  bool CbCalWidth = false;
  std::string CalWidthN;
  bool CbNational = false;
  // Color
  std::array<ColorChoice, 4> Colors{};
  std::string ChangeMin = "5";
  bool CbReadable = false;  // texts darkened to the readable contrast
  // Display
  bool DispCalnCheck = false;
  bool DispAreaCheck = false;
  std::array<std::string, 4> DispEd = {"0", "0", "1024", "768"};  // top, left, right, bottom
  std::string DispFont1, DispSize1, DispFont2, DispFont3, DispSize3;
  std::string CmbLanguage;  // the Language setting as it stands
  // Alarm
  bool CbDaily = false;
  std::string CbALDailyTime = "00:00";
  bool CbWeekly = false;
  std::string CbAlWeeklyWeek = "Sunday";
  std::string CbAlWeeklyTime = "00:00";
  bool CbMonthly1 = false;
  std::string CbAlMonthlyDay = "1";
  std::string CbAlMonthlyTime1 = "00:00";
  bool CbMonthly2 = false;
  std::string CbAlMonthlyWeekNo = "1";
  std::string CbAlMonthlyWeek = "Sunday";
  std::string CbAlMonthlyTime2 = "00:00";
  bool CbCntDown = false;
  std::string CbDay = "10";
  bool CbNotify = false;

  friend bool operator==(const InitForm&, const InitForm&) = default;
};

// The radio button a colour group checks for `setting`: the swatch of that
// colour, or 5 when it is the own colour too (the last one checked stays);
// 0 when no swatch shows it.
int CheckedSwatch(WinColor setting, WinColor own);
// The colour of swatch k (1..5) of a group.
WinColor SwatchColor(int k, WinColor own);

// The text after the last path separator ("\", ":" or "/"); a Shift-JIS
// trail byte that looks like "\" is part of its character, not a separator.
std::string FileNamePart(std::string_view path);

// Fills `designed` from the settings, each field by the rule of its row in
// the table of settings (core/settingrows.h); what a setting does not speak of keeps
// its designed value (the details of an alarm that is off, a radio group
// whose value is out of range, an IMEMode outside 0..8).
InitForm IniFileInfoSet(const Settings& s, InitForm designed = {});

// Stores the form into `s` field by field, in the order of the settings
// file. At the first numeric field that is not a decimal integer it stops
// and returns that field's text; fields before it are already stored. WaveFileName, the own colours and the
// holiday lists are not touched (the dialog changes them at once).
std::optional<std::string> IniFileInfoSave(const InitForm& form, Settings& s);

// The holiday list box: the non-zero entries in entry order, four digits each.
std::vector<std::string> HolidayItems(const std::array<int, kHolidayEntries>& list);

// A new holiday entry: four digits of a real month and day (0229 counts),
// as month * 100 + day; nothing for anything else.
std::optional<int> HolidayEntry(std::string_view text);

// The list that the list box's items make: entry i is item i as an integer,
// 0 beyond the last item; items after the 40th are not kept. An item that
// is not an integer leaves `list` as it was and is returned.
std::optional<std::string> RewriteHolidays(const std::vector<std::string>& items,
                                           std::array<int, kHolidayEntries>& list);

// System information lines. The texts pass through unchanged, whatever
// their encoding.
// The memory size in megabytes: whole megabytes, plus one when the total
// exceeds one megabyte.
std::uint64_t MemoryMegabytes(std::uint64_t totalBytes);
// "<processor> , Memory  :  <N>Mb".
std::string ProcessorLine(const std::string& processor, std::uint64_t totalBytes);
// "Left: %d, Top: %d, Right: %d, Bottom: %d".
std::string WorkAreaLine(const Rect& r);
// The Windows version line: "Windows 3.1", "Windows 95 " or "Windows NT "
// for platforms 0, 1, 2, then "major.minor.build" (the build's low word) and
// the service-pack text; nothing for another platform.
std::optional<std::string> WindowsVersionLine(int platform, int major, int minor, int build,
                                              const std::string& servicePack);
// The processor text of a Windows processor type (386, 486, 586), or
// nothing for another type.
std::optional<std::string> WindowsProcessorText(int processorType);

}  // namespace morna
