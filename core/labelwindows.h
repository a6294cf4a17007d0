// Which label windows stand on the desktop, and how each one looks and where
// it stands. The windows themselves are drawn by ui from this list.
#pragma once

#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/geometry.h"
#include "core/posttable.h"
#include "core/settings.h"

namespace morna {

// The design of a label window, used when a setting leaves a value alone.
inline constexpr int kPostDesignLeft = 212, kPostDesignTop = 119;
inline constexpr int kPostDesignWidth = 176, kPostDesignHeight = 59;
inline constexpr int kPostDesignShapeWidth = 175, kPostDesignShapeHeight = 44;
inline constexpr int kPostDesignMemoWidth = 170, kPostDesignMemoHeight = 26;
// Room in the window list: the four fixed alarms and a full table.
inline constexpr int kPostWindowListCapacity = 4 + kMaxDataCnt;

// What a label window tells by its colours, for those who do not see them:
// a dated label (later than today, or today), its warning time come, its
// time come or past, a ToDo label, a fixed alarm.
enum class LabelState { Plain, Today, Warning, Due, ToDo, Alarm };

// What an alarm window says, in parts, so that it can be put in words of the
// user's language; `PostWindowPlan::lines` holds the Japanese words.
struct AlarmWords {
  enum class Kind { None, Daily, Weekly, MonthlyDay, MonthlyWeekday };
  Kind kind = Kind::None;
  int number = 0;    // MonthlyDay: the day of the month; MonthlyWeekday: the week (1..5)
  int weekday = 0;   // Weekly, MonthlyWeekday: 1 = Sunday .. 7 = Saturday
  std::string time;  // the alarm's time as set (Shift-JIS)
  friend bool operator==(const AlarmWords&, const AlarmWords&) = default;
};

struct PostWindowPlan {
  bool alarm = false;        // an alarm window (caption "    Alarm")
  int slot = -1;             // the label's slot; -1 for an alarm window
  std::string caption;       // "yyyy/mm/dd hh:mm", "    ToDo" or "    Alarm"
  bool hasMessage = true;    // false: keep the design lines (alarm with a bad weekday)
  std::vector<std::string> lines;  // message lines, Shift-JIS
  AlarmWords alarmWords;     // an alarm window's message in parts (Kind::None otherwise)
  WinColor color = 0;        // window and frame fill
  WinColor captionColor = 0; // colour of the date-time text
  LabelState state = LabelState::Plain;
  int width = kPostDesignWidth, height = kPostDesignHeight;
  int shapeWidth = kPostDesignShapeWidth, shapeHeight = kPostDesignShapeHeight;
  int memoWidth = kPostDesignMemoWidth, memoHeight = kPostDesignMemoHeight;
  std::string fontName;      // DispFontName, Shift-JIS
  int fontSize = 9;          // points; pixels when negative; 0 keeps the design size
  int left = kPostDesignLeft, top = kPostDesignTop;
};

// The slots that get a window, in order: a free slot is skipped, and with
// displayMode 0 the walk ends at the first label later than base plus
// displayModeDay days.
std::vector<int> DisplayedSlots(const PostTable& table, int displayMode, int displayModeDay,
                                DateTime base);

// The work area of a build: the DISP rectangle (its coordinates within
// +-kMaxScreenCoordinate) when DispArea is non-zero, else the screen's.
Rect ChooseWorkArea(const Settings& s, const Rect& screenWorkArea);

// The whole set of windows of one build: the alarm windows first, then one
// per displayed slot. `alarmWindowCount` receives the number of alarm windows.
std::vector<PostWindowPlan> DisplayData(const Settings& s, const PostTable& table,
                                        DateTime displayBaseTime, DateTime now,
                                        const Rect& workArea, int& alarmWindowCount);

}  // namespace morna
