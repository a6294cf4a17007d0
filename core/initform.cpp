#include "core/initform.h"

#include <cstddef>

#include "core/calendar.h"
#include "core/datetime.h"
#include "core/sjis.h"

namespace morna {

const std::array<std::string_view, 9> kImeItems = {
    "0 - \x82\xc8\x82\xb5",                                  // "0 - なし"
    "1 - \xb5\xdd",                                          // "1 - ｵﾝ"
    "2 - \xb5\xcc",                                          // "2 - ｵﾌ"
    "3 - \xb5\xcc\x8c\xc5\x92\xe8",                          // "3 - ｵﾌ固定"
    "4 - \x91S\x8ap\x82\xd0\x82\xe7\x82\xaa\x82\xc8",        // "4 - 全角ひらがな"
    "5 - \x91S\x8ap\xb6\xc0\xb6\xc5",                        // "5 - 全角ｶﾀｶﾅ"
    "6 - \x94\xbc\x8ap\xb6\xc0\xb6\xc5",                     // "6 - 半角ｶﾀｶﾅ"
    "7 - \x91S\x8ap\x89p\x90\x94",                           // "7 - 全角英数"
    "8 - \x94\xbc\x8ap\x89p\x90\x94",                        // "8 - 半角英数"
};

namespace {

// A numeric field that is not an integer ends the save; its text is the
// message's subject.
struct NotInteger {
  std::string text;
};

int IntOf(const std::string& text) {
  const std::optional<int> v = ParseInt(text);
  if (!v) throw NotInteger{text};
  return *v;
}

int Flag(bool on) { return on ? 1 : 0; }

// The first character of a Shift-JIS text (one or two bytes).
std::string FirstChar(std::string_view text) {
  if (text.empty()) return {};
  const std::size_t n =
      IsSjisLeadByte(static_cast<unsigned char>(text[0])) && text.size() > 1 ? 2 : 1;
  return std::string(text.substr(0, n));
}

void SetColor(WinColor& setting, const ColorChoice& choice, WinColor own) {
  if (choice.checked != 0) setting = SwatchColor(choice.checked, own);
}

ColorChoice ChoiceFor(WinColor setting, WinColor own, ColorChoice designed) {
  const int k = CheckedSwatch(setting, own);
  if (k != 0) designed.checked = k;
  designed.own = own;
  return designed;
}

}  // namespace

int CheckedSwatch(WinColor setting, WinColor own) {
  int checked = 0;
  for (int k = 1; k <= 4; ++k) {
    if (kSwatchColors[static_cast<std::size_t>(k - 1)] == setting) checked = k;
  }
  if (setting == own) checked = 5;
  return checked;
}

WinColor SwatchColor(int k, WinColor own) {
  if (k >= 1 && k <= 4) return kSwatchColors[static_cast<std::size_t>(k - 1)];
  return own;
}

std::string FileNamePart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (IsSjisLeadByte(static_cast<unsigned char>(c)) && i + 1 < path.size()) {
      ++i;  // its trail byte may be 0x5C, which is no backslash here
      continue;
    }
    if (c == '\\' || c == ':' || c == '/') start = i + 1;
  }
  return std::string(path.substr(start));
}

InitForm IniFileInfoSet(const Settings& s, InitForm f) {
  // Files and counts.
  f.EdFileName = s.FileName;
  f.EdWaveFile = FileNamePart(s.WaveFileName);
  f.EdData = std::to_string(s.DataCnt);
  f.EdSched = std::to_string(s.ScheCnt);
  // Area, past data and size: out-of-range values check nothing.
  if (s.Area >= 1 && s.Area <= 4) f.RbtnArea = s.Area;
  if (s.PastData == 1 || s.PastData == 2) f.RbtnPast = s.PastData;
  if (s.DataSize >= 1 && s.DataSize <= 3) f.RbtnSize = s.DataSize;
  // Label width.
  if (s.DataWCheck == 1) f.CbDataWidth = true;
  f.CbDtWidth = std::to_string(s.DataWSize);
  // Sound and display mode.
  if (s.Beep == 0) f.Beepon = false;
  if (s.Beep == 1) f.Beepon = true;
  if (s.DisplayMode == 1) f.DspDataAll = true;
  f.EdDays = std::to_string(s.DisplayModeDay);
  // Input mode.
  if (s.IMEMode >= 0 && s.IMEMode <= 8) f.CmbIME = kImeItems[static_cast<std::size_t>(s.IMEMode)];
  // Weekday colours and holidays.
  const int week[8] = {s.Sunday,   s.Monday, s.Tuesday,  s.Wednesday,
                       s.Thursday, s.Friday, s.Saturday, s.Holiday};
  for (std::size_t i = 0; i < 8; ++i) {
    if (week[i] == 1) f.Week[i] = true;
  }
  if (s.NationalHolidays == 1) f.CbNational = true;
  // Calendar window size.
  if (s.CalHeightC == 1) f.CbCalHeight = true;
  f.CalHeightN = std::to_string(s.CalHeight);
  if (s.CalWidthC == 1) f.CbCalWidth = true;
  f.CalWidthN = std::to_string(s.CalWidth);
  // Colour groups.
  f.Colors[kEntryGroup] = ChoiceFor(s.Ecolor, s.MFcolor, f.Colors[kEntryGroup]);
  f.Colors[kDataGroup] = ChoiceFor(s.Dcolor, s.MDcolor, f.Colors[kDataGroup]);
  f.Colors[kTimerGroup] = ChoiceFor(s.Tcolor, s.MTcolor, f.Colors[kTimerGroup]);
  f.ChangeMin = std::to_string(s.Minute);
  f.Colors[kTodayGroup] = ChoiceFor(s.Acolor, s.MAcolor, f.Colors[kTodayGroup]);
  // Narrow window and display area.
  if (s.Caln == 1) f.DispCalnCheck = true;
  if (s.DispArea == 1) f.DispAreaCheck = true;
  f.DispEd = {std::to_string(s.DispTop), std::to_string(s.DispLeft), std::to_string(s.DispRight),
              std::to_string(s.DispBottom)};
  // Fonts.
  f.DispFont1 = s.DispFontName;
  f.DispSize1 = std::to_string(s.DispFontSize);
  f.DispFont2 = s.TitleFontName;
  f.DispFont3 = s.CaleFontName;
  f.DispSize3 = std::to_string(s.CaleFontSize);
  // Alarms: the details of an alarm that is off keep their designed texts.
  if (s.DailyAlarm == 1) {
    f.CbDaily = true;
    f.CbALDailyTime = s.DATime;
  }
  if (s.WeeklyAlarm == 1) {
    f.CbWeekly = true;
    if (s.WeeklyAlarmW >= 1 && s.WeeklyAlarmW <= 7)
      f.CbAlWeeklyWeek = kWeekdayNames[static_cast<std::size_t>(s.WeeklyAlarmW - 1)];
    f.CbAlWeeklyTime = s.WeeklyAlarmT;
  }
  if (s.MonthlyAlarm1 == 1) {
    f.CbMonthly1 = true;
    f.CbAlMonthlyDay = std::to_string(s.MonthlyAlarmDay);
    f.CbAlMonthlyTime1 = s.MonthlyAlarmT1;
  }
  if (s.MonthlyAlarm2 == 1) {
    f.CbMonthly2 = true;
    f.CbAlMonthlyWeekNo = std::to_string(s.MonthlyAlarmWeek);
    if (s.MonthlyAlarmW >= 1 && s.MonthlyAlarmW <= 7)
      f.CbAlMonthlyWeek = kWeekdayNames[static_cast<std::size_t>(s.MonthlyAlarmW - 1)];
    f.CbAlMonthlyTime2 = s.MonthlyAlarmT2;
  }
  if (s.CountDown == 1) {
    f.CbCntDown = true;
    f.CbDay = std::to_string(s.CountDownN);
  }
  if (s.Notify == 0) f.CbNotify = false;
  if (s.Notify == 1) f.CbNotify = true;
  return f;
}

std::optional<std::string> IniFileInfoSave(const InitForm& f, Settings& s) {
  try {
    // Files and counts.
    s.FileName = f.EdFileName;
    s.DataCnt = IntOf(f.EdData);
    s.ScheCnt = IntOf(f.EdSched);
    // Area, past data and size.
    if (f.RbtnArea != 0) s.Area = f.RbtnArea;
    s.PastData = f.RbtnPast == 1 ? 1 : 2;
    s.DataSize = f.RbtnSize == 1 ? 1 : f.RbtnSize == 3 ? 3 : 2;
    // Label width.
    s.DataWCheck = Flag(f.CbDataWidth);
    s.DataWSize = IntOf(f.CbDtWidth);
    // Sound and display mode.
    s.Beep = Flag(f.Beepon);
    s.DisplayMode = Flag(f.DspDataAll);
    s.DisplayModeDay = IntOf(f.EdDays);
    // Input mode: the item's number is its first character.
    if (!f.CmbIME.empty()) s.IMEMode = IntOf(FirstChar(f.CmbIME));
    // Weekday colours and holidays.
    int* week[8] = {&s.Sunday,   &s.Monday, &s.Tuesday,  &s.Wednesday,
                    &s.Thursday, &s.Friday, &s.Saturday, &s.Holiday};
    for (std::size_t i = 0; i < 8; ++i) *week[i] = Flag(f.Week[i]);
    s.NationalHolidays = Flag(f.CbNational);
    // Calendar window size.
    s.CalHeightC = Flag(f.CbCalHeight);
    s.CalHeight = IntOf(f.CalHeightN);
    s.CalWidthC = Flag(f.CbCalWidth);
    s.CalWidth = IntOf(f.CalWidthN);
    // Colour groups.
    SetColor(s.Ecolor, f.Colors[kEntryGroup], s.MFcolor);
    SetColor(s.Dcolor, f.Colors[kDataGroup], s.MDcolor);
    SetColor(s.Tcolor, f.Colors[kTimerGroup], s.MTcolor);
    s.Minute = IntOf(f.ChangeMin);
    SetColor(s.Acolor, f.Colors[kTodayGroup], s.MAcolor);
    // Narrow window and display area.
    s.Caln = Flag(f.DispCalnCheck);
    s.DispArea = Flag(f.DispAreaCheck);
    s.DispTop = IntOf(f.DispEd[0]);
    s.DispLeft = IntOf(f.DispEd[1]);
    s.DispRight = IntOf(f.DispEd[2]);
    s.DispBottom = IntOf(f.DispEd[3]);
    // Fonts.
    s.DispFontName = f.DispFont1;
    s.DispFontSize = IntOf(f.DispSize1);
    s.TitleFontName = f.DispFont2;
    s.CaleFontName = f.DispFont3;
    s.CaleFontSize = IntOf(f.DispSize3);
    // Alarms: a weekday text that is no weekday name leaves its setting.
    s.DailyAlarm = Flag(f.CbDaily);
    s.DATime = f.CbALDailyTime;
    s.WeeklyAlarm = Flag(f.CbWeekly);
    if (const int w = WeekdayFromName(f.CbAlWeeklyWeek); w != 0) s.WeeklyAlarmW = w;
    s.WeeklyAlarmT = f.CbAlWeeklyTime;
    s.MonthlyAlarm1 = Flag(f.CbMonthly1);
    s.MonthlyAlarmDay = IntOf(f.CbAlMonthlyDay);
    s.MonthlyAlarmT1 = f.CbAlMonthlyTime1;
    s.MonthlyAlarm2 = Flag(f.CbMonthly2);
    s.MonthlyAlarmWeek = IntOf(f.CbAlMonthlyWeekNo);
    if (const int w = WeekdayFromName(f.CbAlMonthlyWeek); w != 0) s.MonthlyAlarmW = w;
    s.MonthlyAlarmT2 = f.CbAlMonthlyTime2;
    s.CountDown = Flag(f.CbCntDown);
    s.CountDownN = IntOf(f.CbDay);
    s.Notify = Flag(f.CbNotify);
  } catch (const NotInteger& e) {
    return e.text;
  }
  return std::nullopt;
}

std::vector<std::string> HolidayItems(const std::array<int, kHolidayEntries>& list) {
  std::vector<std::string> items;
  for (int v : list) {
    if (v != 0) items.push_back(FourDigits(v));
  }
  return items;
}

std::optional<int> HolidayEntry(std::string_view text) {
  if (text.size() != 4) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  const int month = (text[0] - '0') * 10 + (text[1] - '0');
  const int day = (text[2] - '0') * 10 + (text[3] - '0');
  // A leap year, so that February 29 counts.
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(2000, month)) return std::nullopt;
  return month * 100 + day;
}

std::optional<std::string> RewriteHolidays(const std::vector<std::string>& items,
                                           std::array<int, kHolidayEntries>& list) {
  std::array<int, kHolidayEntries> out{};
  for (std::size_t i = 0; i < out.size() && i < items.size(); ++i) {
    const std::optional<int> v = ParseInt(items[i]);
    if (!v) return items[i];
    out[i] = *v;
  }
  list = out;
  return std::nullopt;
}

std::uint64_t MemoryMegabytes(std::uint64_t totalBytes) {
  constexpr std::uint64_t kMb = 1048576;
  return totalBytes / kMb + (totalBytes > kMb ? 1 : 0);
}

std::string ProcessorLine(const std::string& processor, std::uint64_t totalBytes) {
  return processor + " , Memory  :  " + std::to_string(MemoryMegabytes(totalBytes)) + "Mb";
}

std::string WorkAreaLine(const Rect& r) {
  return "Left: " + std::to_string(r.left) + ", Top: " + std::to_string(r.top) +
         ", Right: " + std::to_string(r.right) + ", Bottom: " + std::to_string(r.bottom);
}

std::optional<std::string> WindowsVersionLine(int platform, int major, int minor, int build,
                                              const std::string& servicePack) {
  // The build is the low word: the Windows 95 family keeps the version in
  // the high word. (Masking with 2047 instead would cut NT builds above 2047,
  // 2195 showing as 147.)
  const std::string version = std::to_string(major) + "." + std::to_string(minor) + "." +
                              std::to_string(build & 0xFFFF) + servicePack;
  switch (platform) {
    case 0: return "Windows 3.1" + version;
    case 1: return "Windows 95 " + version;
    case 2: return "Windows NT " + version;
    default: return std::nullopt;
  }
}

std::optional<std::string> WindowsProcessorText(int processorType) {
  switch (processorType) {
    case 386: return "Intel 386 ";
    case 486: return "Intel 486 ";
    case 586: return "Intel Pentiam ";
    default: return std::nullopt;
  }
}

}  // namespace morna
