#include "core/initform.h"

#include <cstddef>

#include "core/calendar.h"
#include "core/datetime.h"
#include "core/settingrows.h"
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
  for (const SettingRow& r : SettingRows()) {
    if (r.rule == FormRule::None) continue;
    // The details of an alarm that is off keep their designed texts.
    if (r.onlyWhen && s.*r.onlyWhen != 1) continue;
    const auto inBounds = [&](int v) { return v >= r.min && v <= r.max; };
    switch (r.rule) {
      case FormRule::None: break;
      case FormRule::Text: r.field.text(f) = s.*r.text; break;
      case FormRule::Number: r.field.text(f) = std::to_string(s.*r.num); break;
      case FormRule::FileNamePart: r.field.text(f) = FileNamePart(s.*r.text); break;
      case FormRule::Check:
        if (s.*r.num == 1) r.field.flag(f) = true;
        break;
      case FormRule::CheckOrClear:
        if (s.*r.num == 0) r.field.flag(f) = false;
        if (s.*r.num == 1) r.field.flag(f) = true;
        break;
      // Out-of-range values check nothing and choose no item.
      case FormRule::Radio:
        if (inBounds(s.*r.num)) r.field.radio(f) = s.*r.num;
        break;
      case FormRule::ItemNumber:
        if (inBounds(s.*r.num)) r.field.text(f) = kImeItems[static_cast<std::size_t>(s.*r.num)];
        break;
      case FormRule::Weekday:
        if (inBounds(s.*r.num))
          r.field.text(f) = kWeekdayNames[static_cast<std::size_t>(s.*r.num - 1)];
        break;
      case FormRule::Swatch:
        r.field.color(f) = ChoiceFor(s.*r.num, s.*r.own, r.field.color(f));
        break;
    }
  }
  return f;
}

std::optional<std::string> IniFileInfoSave(const InitForm& form, Settings& s) {
  // The rows reach the form's fields through the functions that fill them.
  InitForm f = form;
  try {
    for (const SettingRow* row : SettingRowsInWriteOrder()) {
      const SettingRow& r = *row;
      switch (r.rule) {
        case FormRule::None:
        case FormRule::FileNamePart: break;  // changed by the dialog at once
        case FormRule::Text: s.*r.text = r.field.text(f); break;
        case FormRule::Number: s.*r.num = IntOf(r.field.text(f)); break;
        case FormRule::Check:
        case FormRule::CheckOrClear: s.*r.num = Flag(r.field.flag(f)); break;
        case FormRule::Radio: {
          const int checked = r.field.radio(f);
          if (checked >= r.min && checked <= r.max) s.*r.num = checked;
          else if (r.unchecked != 0) s.*r.num = r.unchecked;
          break;
        }
        case FormRule::ItemNumber:
          // The item's number is its first character.
          if (!r.field.text(f).empty()) s.*r.num = IntOf(FirstChar(r.field.text(f)));
          break;
        case FormRule::Weekday:
          // A weekday text that is no weekday name leaves its setting.
          if (const int w = WeekdayFromName(r.field.text(f)); w != 0) s.*r.num = w;
          break;
        case FormRule::Swatch: SetColor(s.*r.num, r.field.color(f), s.*r.own); break;
      }
    }
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
