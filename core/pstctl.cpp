#include "core/pstctl.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/datetime.h"
#include "core/inifile.h"
#include "core/settingrows.h"

namespace morna {

namespace {

std::string HolidayKey(int entry) { return "Day" + TwoDigits(entry); }

// Four digits with leading zeros; an empty entry is an empty value.
std::string HolidayText(int value) { return value == 0 ? std::string() : FourDigits(value); }

// A refused value whose stand-in is still in force keeps the user's line.
bool KeepsRefusedLine(const IniFile& ini, const Settings& s, const SettingRow& k) {
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
  s.Refused.clear();
  for (const SettingRow& k : SettingRows()) {
    switch (k.type) {
      case SettingType::Text: {
        // An empty text takes the default, as an empty number does.
        const auto text = ini.Read(k.section, k.key);
        s.*k.text = text && !text->empty() ? *text : std::string(k.textDefault);
        if (k.refuseCut && ini.IsCut(k.section, k.key)) {
          s.*k.text = k.textDefault;
          s.Refused.push_back({k.section, k.key, k.textDefault});
        }
        break;
      }
      case SettingType::Int:
      case SettingType::Color:
        s.*k.num = ReadInt(ini, k.section, k.key, k.numDefault);
        break;
      case SettingType::Pos:
        pos.*k.pos = ReadInt(ini, k.section, k.key, k.numDefault);
        break;
      case SettingType::HolidayList:
        // A missing entry keeps what the list had.
        for (int i = 1; i <= kHolidayEntries; ++i) {
          int& entry = (s.*k.list)[static_cast<std::size_t>(i - 1)];
          entry = ReadInt(ini, k.section, HolidayKey(i), entry);
        }
        break;
    }
  }
  s.DisplayModeInForce = s.DisplayMode;
  s.DisplayModeDayInForce = s.DisplayModeDay;
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
  for (const SettingRow* row : SettingRowsInWriteOrder()) {
    const SettingRow& k = *row;
    switch (k.type) {
      case SettingType::Text:
        if (!KeepsRefusedLine(ini, s, k)) ini.Write(k.section, k.key, s.*k.text);
        break;
      case SettingType::Int:
      case SettingType::Color:
        ini.Write(k.section, k.key, std::to_string(s.*k.num));
        break;
      case SettingType::Pos:
        ini.Write(k.section, k.key, std::to_string(pos.*k.pos));
        break;
      case SettingType::HolidayList:
        for (int i = 1; i <= kHolidayEntries; ++i)
          ini.Write(k.section, HolidayKey(i), HolidayText((s.*k.list)[static_cast<std::size_t>(i - 1)]));
        break;
    }
  }
}

}  // namespace morna
