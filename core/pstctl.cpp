#include "core/pstctl.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>

#include "core/datetime.h"
#include "core/inifile.h"

namespace morna {

static_assert(std::is_same_v<WinColor, int>, "colours share the integer fields' member pointers");

namespace {

enum class Kind { Text, Int, Color, Pos };

// One key of the settings file and the field it fills. The default of a key
// is the value its field has in a default-constructed Settings.
struct KeyDef {
  const char* section;
  const char* key;
  Kind kind;
  std::string Settings::*text = nullptr;
  int Settings::*num = nullptr;
  int WindowPos::*pos = nullptr;
  // A value too long to be read whole is refused and the default used.
  bool refuseCut = false;
};

constexpr KeyDef T(const char* sec, const char* key, std::string Settings::*f) {
  return {sec, key, Kind::Text, f, nullptr, nullptr};
}
constexpr KeyDef Path(const char* sec, const char* key, std::string Settings::*f) {
  return {sec, key, Kind::Text, f, nullptr, nullptr, true};
}
constexpr KeyDef I(const char* sec, const char* key, int Settings::*f) {
  return {sec, key, Kind::Int, nullptr, f, nullptr};
}
constexpr KeyDef C(const char* sec, const char* key, int Settings::*f) {
  return {sec, key, Kind::Color, nullptr, f, nullptr};
}
constexpr KeyDef P(const char* key, int WindowPos::*f) {
  return {"MAIN", key, Kind::Pos, nullptr, nullptr, f};
}

using S = Settings;

// Every key in the order it is read. Writing uses the same order except
// that Minute goes between MTcolor and MAcolor (see WriteOrder).
constexpr std::array kKeys = {
    P("Top", &WindowPos::Top),
    P("Left", &WindowPos::Left),

    Path("FILE", "FileName", &S::FileName),
    Path("FILE", "WaveFileName", &S::WaveFileName),
    I("FILE", "DataCnt", &S::DataCnt),
    I("FILE", "ScheCnt", &S::ScheCnt),

    C("FORM", "Ecolor", &S::Ecolor),
    C("FORM", "Dcolor", &S::Dcolor),
    C("FORM", "Tcolor", &S::Tcolor),
    C("FORM", "Acolor", &S::Acolor),
    C("FORM", "MFcolor", &S::MFcolor),
    C("FORM", "MDcolor", &S::MDcolor),
    C("FORM", "MTcolor", &S::MTcolor),
    C("FORM", "MAcolor", &S::MAcolor),
    I("FORM", "Minute", &S::Minute),
    I("FORM", "Area", &S::Area),
    I("FORM", "DataSize", &S::DataSize),
    I("FORM", "DataWCheck", &S::DataWCheck),
    I("FORM", "DataWSize", &S::DataWSize),
    I("FORM", "Beep", &S::Beep),
    I("FORM", "DisplayMode", &S::DisplayMode),
    I("FORM", "DisplayModeDay", &S::DisplayModeDay),
    I("FORM", "IMEMode", &S::IMEMode),

    I("DISP", "PastData", &S::PastData),
    I("DISP", "Sunday", &S::Sunday),
    I("DISP", "Monday", &S::Monday),
    I("DISP", "Tuesday", &S::Tuesday),
    I("DISP", "Wednesday", &S::Wednesday),
    I("DISP", "Thursday", &S::Thursday),
    I("DISP", "Friday", &S::Friday),
    I("DISP", "Saturday", &S::Saturday),
    I("DISP", "Holiday", &S::Holiday),
    I("DISP", "CalHeightC", &S::CalHeightC),
    I("DISP", "CalHeight", &S::CalHeight),
    I("DISP", "CalWidthC", &S::CalWidthC),
    I("DISP", "CalWidth", &S::CalWidth),
    I("DISP", "Caln", &S::Caln),
    I("DISP", "Area", &S::DispArea),
    I("DISP", "Top", &S::DispTop),
    I("DISP", "Left", &S::DispLeft),
    I("DISP", "Right", &S::DispRight),
    I("DISP", "Bottom", &S::DispBottom),
    T("DISP", "DispFontName", &S::DispFontName),
    I("DISP", "DispFontSize", &S::DispFontSize),
    T("DISP", "TitleFontName", &S::TitleFontName),
    T("DISP", "CaleFontName", &S::CaleFontName),
    I("DISP", "CaleFontSize", &S::CaleFontSize),
    I("DISP", "NationalHolidays", &S::NationalHolidays),  // last: older files keep their order

    I("ALARM", "DailyAlarm", &S::DailyAlarm),
    T("ALARM", "DATime", &S::DATime),
    I("ALARM", "WeeklyAlarm", &S::WeeklyAlarm),
    I("ALARM", "WeeklyAlarmW", &S::WeeklyAlarmW),
    T("ALARM", "WeeklyAlarmT", &S::WeeklyAlarmT),
    I("ALARM", "MonthlyAlarm1", &S::MonthlyAlarm1),
    I("ALARM", "MonthlyAlarmDay", &S::MonthlyAlarmDay),
    T("ALARM", "MonthlyAlarmT1", &S::MonthlyAlarmT1),
    I("ALARM", "MonthlyAlarm2", &S::MonthlyAlarm2),
    I("ALARM", "MonthlyAlarmWeek", &S::MonthlyAlarmWeek),
    I("ALARM", "MonthlyAlarmW", &S::MonthlyAlarmW),
    T("ALARM", "MonthlyAlarmT2", &S::MonthlyAlarmT2),
    I("ALARM", "CountDown", &S::CountDown),
    I("ALARM", "CountDownN", &S::CountDownN),
    I("ALARM", "Notify", &S::Notify),  // last: older files keep their order
};

constexpr std::size_t IndexOf(std::string_view section, std::string_view key) {
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (section == kKeys[i].section && key == kKeys[i].key) return i;
  }
  return kKeys.size();
}

constexpr std::size_t kMinute = IndexOf("FORM", "Minute");
constexpr std::size_t kMTcolor = IndexOf("FORM", "MTcolor");
static_assert(kMinute < kKeys.size() && kMTcolor < kMinute);

// The write order: the read order with Minute moved to just after MTcolor.
constexpr std::array<std::size_t, kKeys.size()> WriteOrder() {
  std::array<std::size_t, kKeys.size()> order{};
  std::size_t n = 0;
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (i == kMinute) continue;
    order[n++] = i;
    if (i == kMTcolor) order[n++] = kMinute;
  }
  return order;
}

const Settings& Defaults() {
  static const Settings d;
  return d;
}

std::string HolidayKey(int entry) { return "Day" + TwoDigits(entry); }

// Four digits with leading zeros; an empty entry is an empty value.
std::string HolidayText(int value) { return value == 0 ? std::string() : FourDigits(value); }

// A refused value whose stand-in is still in force keeps the user's line.
bool KeepsRefusedLine(const IniFile& ini, const Settings& s, const KeyDef& k) {
  if (!ini.IsCut(k.section, k.key)) return false;
  for (const RefusedSetting& r : s.Refused) {
    if (r.section == k.section && r.key == k.key && r.standIn == s.*k.text) return true;
  }
  return false;
}

int ReadInt(const IniFile& ini, const char* section, std::string_view key, int fallback) {
  const auto text = ini.Read(section, key);
  if (!text) return fallback;
  return ParseIniInt(*text).value_or(fallback);
}

}  // namespace

std::optional<int> ParseIniInt(std::string_view text) {
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    digits.remove_prefix(2);  // 0x is read as $
  } else if (digits.starts_with('$')) {
    digits.remove_prefix(1);
  } else {
    return ParseDecimal(text);
  }
  // Up to 32 bits, which are the integer's bits ($FFFFFFFF is -1).
  if (digits.empty()) return std::nullopt;
  std::uint64_t v = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return std::nullopt;
    v = v * 16 + static_cast<std::uint64_t>(d);
    if (v > 0xFFFFFFFFu) return std::nullopt;
  }
  const auto bits = static_cast<std::uint32_t>(v);
  const auto result = static_cast<std::uint32_t>(negative ? 0u - bits : bits);
  return static_cast<int>(static_cast<std::int32_t>(result));
}

void TPstCtl::LoadSettings(const std::string& path, Settings& s, WindowPos& pos) const {
  IniFile ini;
  ini.Load(path);  // a missing or unreadable file gives every default
  ReadSettings(ini, s, pos);
}

void TPstCtl::ReadSettings(const IniFile& ini, Settings& s, WindowPos& pos) const {
  const Settings& d = Defaults();
  const WindowPos dpos;
  s.Refused.clear();
  for (const KeyDef& k : kKeys) {
    switch (k.kind) {
      case Kind::Text: {
        // An empty text takes the default, as an empty number does.
        const auto text = ini.Read(k.section, k.key);
        s.*k.text = text && !text->empty() ? *text : d.*k.text;
        if (k.refuseCut && ini.IsCut(k.section, k.key)) {
          s.*k.text = d.*k.text;
          s.Refused.push_back({k.section, k.key, d.*k.text});
        }
        break;
      }
      case Kind::Int:
      case Kind::Color:
        s.*k.num = ReadInt(ini, k.section, k.key, d.*k.num);
        if (k.num == &Settings::DisplayModeDay) {
          s.DisplayModeInForce = s.DisplayMode;
          s.DisplayModeDayInForce = s.DisplayModeDay;
        }
        break;
      case Kind::Pos:
        pos.*k.pos = ReadInt(ini, k.section, k.key, dpos.*k.pos);
        break;
    }
  }
  for (int i = 1; i <= kHolidayEntries; ++i) {
    const std::string key = HolidayKey(i);
    int& h = s.Holidays[static_cast<std::size_t>(i - 1)];
    h = ReadInt(ini, "HOLIDAY", key, h);
    int& n = s.NonHolidays[static_cast<std::size_t>(i - 1)];
    n = ReadInt(ini, "NONHOLIDAY", key, n);
  }
}

FileResult TPstCtl::SaveSettings(const std::string& path, const Settings& s,
                                 const WindowPos& pos) const {
  IniFile ini;
  // A file that exists but cannot be read is not replaced: its other
  // sections would be lost.
  if (FileResult read = ini.Load(path); !read.ok()) return read;
  WriteSettings(ini, s, pos);
  return ini.Save();
}

void TPstCtl::WriteSettings(IniFile& ini, const Settings& s, const WindowPos& pos) const {
  for (std::size_t i : WriteOrder()) {
    const KeyDef& k = kKeys[i];
    switch (k.kind) {
      case Kind::Text:
        if (!KeepsRefusedLine(ini, s, k)) ini.Write(k.section, k.key, s.*k.text);
        break;
      case Kind::Int:
      case Kind::Color:
        ini.Write(k.section, k.key, std::to_string(s.*k.num));
        break;
      case Kind::Pos:
        ini.Write(k.section, k.key, std::to_string(pos.*k.pos));
        break;
    }
  }
  for (int i = 1; i <= kHolidayEntries; ++i) {
    const std::string key = HolidayKey(i);
    ini.Write("HOLIDAY", key, HolidayText(s.Holidays[static_cast<std::size_t>(i - 1)]));
    ini.Write("NONHOLIDAY", key, HolidayText(s.NonHolidays[static_cast<std::size_t>(i - 1)]));
  }
}

}  // namespace morna
