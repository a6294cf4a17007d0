// What screen readers and weak eyes need, decided without a window: contrast
// ratios of colours (WCAG 2.1), a darker shade of a text colour that reads
// against its background, the colour of a focus ring on any fill, and the
// spoken name of a day cell of the month grids.
#pragma once

#include <array>
#include <string>

#include "core/calendar.h"
#include "core/datetime.h"
#include "core/palette.h"
#include "core/settings.h"

namespace morna {

// Relative luminance of a colour, 0 (black) to 1 (white), by WCAG 2.1.
double RelativeLuminance(WinColor c);
// Contrast ratio of two colours, 1 to 21, by WCAG 2.1 (the order does not matter).
double ContrastRatio(WinColor a, WinColor b);

// The ratio at which ordinary text reads (WCAG 2.1 level AA).
inline constexpr double kReadableContrast = 4.5;

// `text` when it reaches `ratio` against `background`; else the lightest
// shade of the same hue (its red, green and blue scaled down together) that
// does, or black where none does. A text lighter than its background is
// left as it is: a darker shade would read worse there.
WinColor DarkenToContrast(WinColor text, WinColor background,
                          double ratio = kReadableContrast);

// The colour a label's text is drawn in: `text` as it is, or with
// ReadableText on, darkened to reach the readable ratio on `background`.
// The background is never changed: the user's colours stay as chosen.
WinColor ReadableTextColor(const Settings& s, WinColor text, WinColor background);

// Black or white, whichever stands out more from `fill`: a focus ring that
// shows on any colour of a label window.
WinColor FocusRingColor(WinColor fill);

// The words of a day cell's spoken name, in the interface's language (the
// window passes them translated). %1 and %2 are filled in as Qt does.
struct DayNameTexts {
  std::string date = "%1月%2日";  // month, day
  std::array<std::string, 7> weekdays = {"日", "月", "火", "水", "木", "金", "土"};
  std::string holiday = "祝日: %1";  // a national holiday's name
  std::string listedHoliday = "休日";  // a holiday of the user's list
  std::string today = "今日";
  std::string labels = "%1件のラベル";
};

// A day cell's name as a screen reader says it (UTF-8):
// "12月24日 (木) 祝日: …, 2件のラベル". A day without labels says nothing of
// them.
std::string DayCellName(const DaySpeech& day, const DayNameTexts& t = {});

}  // namespace morna
