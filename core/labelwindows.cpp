#include "core/labelwindows.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "core/access.h"

namespace morna {

namespace {

// The texts of the alarm windows, as Shift-JIS bytes.
constexpr const char* kDailyText = "\x96\x88\x93\xfa ";        // "毎日 "
constexpr const char* kWeeklyText = "\x96\x88\x8f\x54 ";       // "毎週 "
constexpr const char* kMonthlyText = "\x96\x88\x8c\x8e ";      // "毎月 "
constexpr const char* kDayText = "\x93\xfa ";                  // "日 "
constexpr const char* kOrdinalText = "\x91\xe6";               // "第"
// Weekday names, 1 = Sunday .. 7 = Saturday, each followed by a space.
constexpr const char* kWeekdayNames[7] = {
    "\x93\xfa\x97\x6a\x93\xfa ",  // "日曜日 "
    "\x8c\x8e\x97\x6a\x93\xfa ",  // "月曜日 "
    "\x89\xce\x97\x6a\x93\xfa ",  // "火曜日 "
    "\x90\x85\x97\x6a\x93\xfa ",  // "水曜日 "
    "\x96\xd8\x97\x6a\x93\xfa ",  // "木曜日 "
    "\x8b\xe0\x97\x6a\x93\xfa ",  // "金曜日 "
    "\x93\x79\x97\x6a\x93\xfa ",  // "土曜日 "
};

int ClampToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

struct WindowSize {
  int width, height, shapeWidth, shapeHeight, memoWidth, memoHeight;
};

WindowSize SizeFor(const Settings& s) {
  int height = 0, memoHeight = 0, defaultWidth = 0;
  switch (s.DataSize) {
    case 1: height = 36; memoHeight = 18; defaultWidth = 130; break;
    case 2: height = 44; memoHeight = 26; defaultWidth = 160; break;
    case 3: height = 60; memoHeight = 42; defaultWidth = 200; break;
    default:
      return {kPostDesignWidth,      kPostDesignHeight,   kPostDesignShapeWidth,
              kPostDesignShapeHeight, kPostDesignMemoWidth, kPostDesignMemoHeight};
  }
  // A negative width cannot be shown; it is taken as zero.
  const int width =
      std::clamp(s.DataWCheck == 1 ? s.DataWSize : defaultWidth, 0, kMaxWindowPixels);
  return {width, height, width, height, std::max(0, width - 5), memoHeight};
}

// Places window p along the edge chosen by `area`. The per-line count is at
// least 1, so a work area smaller than one window still places every window
// (one per line) instead of dividing by zero.
void Place(PostWindowPlan& w, int area, const Rect& wa, int p) {
  const std::int64_t L = wa.left, T = wa.top, R = wa.right, B = wa.bottom;
  const std::int64_t stepX = std::int64_t{w.width} + 2;   // width is never negative
  const std::int64_t stepY = std::int64_t{w.height} + 1;
  const std::int64_t perRow = std::max<std::int64_t>(1, (R - L) / stepX);
  const std::int64_t perColumn = std::max<std::int64_t>(1, (B - T) / stepY);
  std::int64_t left = 0, top = 0;
  switch (area) {
    case 1:
      left = L + (p % perRow) * stepX;
      top = T + (p / perRow) * stepY;
      break;
    case 2:
      left = R - (p / perColumn + 1) * stepX;
      top = T + (p % perColumn) * stepY;
      break;
    case 3:
      left = L + (p % perRow) * stepX;
      top = B - (p / perRow + 1) * stepY;
      break;
    case 4:
      left = L + (p / perColumn) * stepX;
      top = T + (p % perColumn) * stepY;
      break;
    default:
      return;  // the design position
  }
  w.left = ClampToInt(left);
  w.top = ClampToInt(top);
}

void SizeAndPlace(PostWindowPlan& w, const Settings& s, const Rect& workArea, int p) {
  const WindowSize size = SizeFor(s);
  w.width = size.width;
  w.height = size.height;
  w.shapeWidth = size.shapeWidth;
  w.shapeHeight = size.shapeHeight;
  w.memoWidth = size.memoWidth;
  w.memoHeight = size.memoHeight;
  w.fontName = s.DispFontName;
  w.fontSize = std::clamp(s.DispFontSize, -kMaxFontSize, kMaxFontSize);
  Place(w, s.Area, workArea, p);
}

const char* WeekdayName(int weekday) {
  return weekday >= 1 && weekday <= 7 ? kWeekdayNames[weekday - 1] : nullptr;
}

// An alarm window; without a text (a weekday outside 1..7) the window keeps
// the design lines of its message box.
PostWindowPlan AlarmWindow(const Settings& s, std::optional<std::string> text,
                           AlarmWords words) {
  PostWindowPlan w;
  w.alarm = true;
  w.caption = std::string(kAlarmCaption);
  if (text) {
    w.lines = {std::move(*text)};
    w.alarmWords = std::move(words);
  } else {
    w.hasMessage = false;
  }
  w.color = s.Tcolor;
  w.captionColor = ReadableTextColor(s, kRed, w.color);
  w.state = LabelState::Alarm;
  return w;
}

void AppendAlarmWindows(const Settings& s, std::vector<PostWindowPlan>& out) {
  if (s.DailyAlarm == 1) {
    out.push_back(AlarmWindow(s, kDailyText + s.DATime,
                              {AlarmWords::Kind::Daily, 0, 0, s.DATime}));
  }
  if (s.WeeklyAlarm == 1) {
    std::optional<std::string> text;
    if (const char* name = WeekdayName(s.WeeklyAlarmW)) {
      text = kWeeklyText + std::string(name) + s.WeeklyAlarmT;
    }
    out.push_back(AlarmWindow(s, std::move(text),
                              {AlarmWords::Kind::Weekly, 0, s.WeeklyAlarmW, s.WeeklyAlarmT}));
  }
  if (s.MonthlyAlarm1 == 1) {
    out.push_back(AlarmWindow(
        s, kMonthlyText + std::to_string(s.MonthlyAlarmDay) + kDayText + s.MonthlyAlarmT1,
        {AlarmWords::Kind::MonthlyDay, s.MonthlyAlarmDay, 0, s.MonthlyAlarmT1}));
  }
  if (s.MonthlyAlarm2 == 1) {
    std::optional<std::string> text;
    if (const char* name = WeekdayName(s.MonthlyAlarmW)) {
      text = kMonthlyText + std::string(kOrdinalText) + std::to_string(s.MonthlyAlarmWeek) +
             name + s.MonthlyAlarmT2;
    }
    out.push_back(AlarmWindow(s, std::move(text),
                              {AlarmWords::Kind::MonthlyWeekday, s.MonthlyAlarmWeek,
                               s.MonthlyAlarmW, s.MonthlyAlarmT2}));
  }
}

void ColorLabel(PostWindowPlan& w, const Settings& s, const PostSlot& slot, DateTime now) {
  w.color = s.Dcolor;
  w.captionColor = kBlack;
  if (slot.IsToDo()) {
    w.captionColor = ReadableTextColor(s, kRed, w.color);
    w.state = LabelState::ToDo;
    return;
  }
  const std::string& t = slot.DateTimeText;
  if (Chars(t, 1, 10) == FormatYMD(now)) {
    w.color = s.Acolor;
    w.state = LabelState::Today;
  }
  // Strictly before the warning moment: the minute itself is the timer's,
  // which compares with "before or equal" and sounds the warning then.
  const std::string soon = FormatDateTimeText(WarningMoment(now, s.Minute));
  if (CompareDateTimeText(t, soon) < 0) {
    w.color = s.Tcolor;
    w.captionColor = kPink;
    w.state = LabelState::Warning;
  }
  if (CompareDateTimeText(t, FormatDateTimeText(now)) < 0) {
    w.color = s.Tcolor;
    w.captionColor = kRed;
    w.state = LabelState::Due;
  }
  w.captionColor = ReadableTextColor(s, w.captionColor, w.color);
}

}  // namespace

std::vector<int> DisplayedSlots(const PostTable& table, int displayMode, int displayModeDay,
                                DateTime base) {
  const std::string limit =
      FormatDateTimeText(AddMillisClamped(base, std::int64_t{displayModeDay} * kMillisPerDay));
  std::vector<int> slots;
  for (int n = 0; n < table.DataCnt(); ++n) {
    const PostSlot& slot = table.Slot(n);
    if (slot.IsFree()) continue;
    // The table is in ascending order, so nothing after the first label
    // beyond the limit can qualify.
    if (displayMode == 0 && CompareDateTimeText(slot.DateTimeText, limit) > 0) break;
    slots.push_back(n);
  }
  return slots;
}

Rect ChooseWorkArea(const Settings& s, const Rect& screenWorkArea) {
  if (s.DispArea != 0) {
    auto coordinate = [](int v) {
      return std::clamp(v, -kMaxScreenCoordinate, kMaxScreenCoordinate);
    };
    return Rect{coordinate(s.DispLeft), coordinate(s.DispTop), coordinate(s.DispRight),
                coordinate(s.DispBottom)};
  }
  return screenWorkArea;
}

std::vector<PostWindowPlan> DisplayData(const Settings& s, const PostTable& table,
                                        DateTime displayBaseTime, DateTime now,
                                        const Rect& workArea, int& alarmWindowCount) {
  std::vector<PostWindowPlan> windows;
  AppendAlarmWindows(s, windows);
  alarmWindowCount = static_cast<int>(windows.size());

  for (int n : DisplayedSlots(table, s.DisplayMode, s.DisplayModeDay, displayBaseTime)) {
    if (static_cast<int>(windows.size()) >= kPostWindowListCapacity) break;
    const PostSlot& slot = table.Slot(n);
    PostWindowPlan w;
    w.slot = n;
    w.caption = slot.IsToDo() ? std::string(kToDoCaption) : slot.DateTimeText;
    w.lines = slot.Lines;
    ColorLabel(w, s, slot, now);
    windows.push_back(std::move(w));
  }

  for (int p = 0; p < static_cast<int>(windows.size()); ++p) {
    SizeAndPlace(windows[static_cast<std::size_t>(p)], s, workArea, p);
  }
  return windows;
}

}  // namespace morna
