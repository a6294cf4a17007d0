#include "core/access.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>


namespace morna {

namespace {

struct Rgb {
  int r, g, b;
};

// $00BBGGRR: red in the low byte.
Rgb Split(WinColor c) {
  const auto v = static_cast<std::uint32_t>(c);
  return {static_cast<int>(v & 0xff), static_cast<int>((v >> 8) & 0xff),
          static_cast<int>((v >> 16) & 0xff)};
}

WinColor Join(Rgb c) {
  return static_cast<WinColor>(static_cast<std::uint32_t>(c.r) |
                               (static_cast<std::uint32_t>(c.g) << 8) |
                               (static_cast<std::uint32_t>(c.b) << 16));
}

double Linear(int channel) {
  const double v = channel / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double Luminance(Rgb c) {
  return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b);
}

double Ratio(double a, double b) {
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Rgb Scaled(Rgb c, int numerator) {
  auto scale = [numerator](int v) { return v * numerator / 255; };
  return {scale(c.r), scale(c.g), scale(c.b)};
}

// Replaces %n by `arg`, as QString::arg does for one number.
std::string Arg(std::string text, const std::string& placeholder, const std::string& arg) {
  if (const auto at = text.find(placeholder); at != std::string::npos)
    text.replace(at, placeholder.size(), arg);
  return text;
}

}  // namespace

double RelativeLuminance(WinColor c) { return Luminance(Split(c)); }

double ContrastRatio(WinColor a, WinColor b) {
  return Ratio(RelativeLuminance(a), RelativeLuminance(b));
}

WinColor DarkenToContrast(WinColor text, WinColor background, double ratio) {
  const Rgb t = Split(text);
  const double back = RelativeLuminance(background);
  if (Ratio(Luminance(t), back) >= ratio || Luminance(t) > back) return text;
  // The scale falls with the luminance: the largest one that reads is
  // found by halving the range (255 steps, eight looks).
  int lo = 0, hi = 255;  // Scaled(t, lo) reads (or is black); Scaled(t, hi) does not
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    if (Ratio(Luminance(Scaled(t, mid)), back) >= ratio)
      lo = mid;
    else
      hi = mid;
  }
  return Join(Scaled(t, lo));
}

WinColor ReadableTextColor(const Settings& s, WinColor text, WinColor background) {
  return s.ReadableText == 1 ? DarkenToContrast(text, background) : text;
}

WinColor FocusRingColor(WinColor fill) {
  return ContrastRatio(kBlack, fill) >= ContrastRatio(kWhite, fill) ? kBlack : kWhite;
}

std::string DayCellName(const DaySpeech& day, const DayNameTexts& t) {
  std::string name = Arg(Arg(t.date, "%1", std::to_string(MonthOf(day.date))), "%2",
                         std::to_string(DayOfMonth(day.date)));
  const int weekday = WeekdayNumber(day.date);
  if (weekday >= 1 && weekday <= 7)
    name += " (" + t.weekdays[static_cast<std::size_t>(weekday - 1)] + ")";

  std::vector<std::string> parts;
  if (!day.holidayName.empty())
    parts.push_back(Arg(t.holiday, "%1", day.holidayName));
  else if (day.listedHoliday)
    parts.push_back(t.listedHoliday);
  if (day.today) parts.push_back(t.today);
  if (day.labels > 0) parts.push_back(Arg(t.labels, "%1", std::to_string(day.labels)));
  for (std::size_t i = 0; i < parts.size(); ++i) name += (i == 0 ? " " : ", ") + parts[i];
  return name;
}

}  // namespace morna
