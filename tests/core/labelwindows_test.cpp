#include "core/labelwindows.h"

#include "core/access.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <climits>
#include <string>
#include <vector>

namespace morna {
namespace {

// UTF-8 to Shift-JIS through the C library (the system's code page 932 on
// Windows), independent of the program's own byte literals.
#ifdef _WIN32
std::string Sjis(const std::string& utf8) {
  std::wstring wide(utf8.size() + 1, L'\0');
  wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(
      CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), static_cast<int>(wide.size()))));
  std::string out(wide.size() * 2 + 8, '\0');
  out.resize(static_cast<std::size_t>(::WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()),
                                                            out.data(), static_cast<int>(out.size()),
                                                            nullptr, nullptr)));
  return out;
}
#else
std::string Sjis(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string in = utf8, out(utf8.size() * 2 + 8, '\0');
  char* inp = in.data();
  char* outp = out.data();
  size_t inLeft = in.size(), outLeft = out.size();
  iconv(cd, &inp, &inLeft, &outp, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}
#endif

const DateTime kNow = MakeDateTime(2030, 6, 15, 8, 54, 40);
const Rect kScreen{0, 0, 1024, 738};

PostTable Table(const std::vector<std::string>& texts, int dataCnt = 30) {
  PostTable t(dataCnt);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    t.Slot(static_cast<int>(i)).DateTimeText = texts[i];
    t.Slot(static_cast<int>(i)).Lines = {"memo" + std::to_string(i)};
  }
  return t;
}

std::vector<PostWindowPlan> Build(const Settings& s, const PostTable& t, int& alarms,
                                  const Rect& area = kScreen) {
  return DisplayData(s, t, kNow, kNow, area, alarms);
}

TEST(LabelWindowsAlarms, EmptyTableAndNoAlarmsGiveNoWindows) {
  int alarms = -1;
  EXPECT_TRUE(Build(Settings{}, PostTable(30), alarms).empty());
  EXPECT_EQ(alarms, 0);
}

TEST(LabelWindowsAlarms, AlarmWindowsComeFirstInFixedOrder) {
  Settings s;
  s.DailyAlarm = 1;
  s.DATime = "07:30";
  s.MonthlyAlarm2 = 1;
  s.MonthlyAlarmWeek = 2;
  s.MonthlyAlarmW = 6;
  s.MonthlyAlarmT2 = "18:00";
  s.WeeklyAlarmW = 3;  // not used by the monthly window
  int alarms = 0;
  const auto w = Build(s, Table({"2030/07/01 10:00"}), alarms);
  ASSERT_EQ(w.size(), 3u);
  EXPECT_EQ(alarms, 2);
  EXPECT_TRUE(w[0].alarm);
  EXPECT_EQ(w[0].caption, "    Alarm");
  EXPECT_EQ(w[0].lines, std::vector<std::string>{Sjis("毎日 07:30")});
  EXPECT_EQ(w[1].lines, std::vector<std::string>{Sjis("毎月 第2金曜日 18:00")});
  EXPECT_EQ(w[0].color, s.Tcolor);
  EXPECT_EQ(w[0].captionColor, 255);
  EXPECT_EQ(w[0].state, LabelState::Alarm);
  EXPECT_FALSE(w[2].alarm);
  EXPECT_EQ(w[2].slot, 0);
  EXPECT_EQ(w[2].caption, "2030/07/01 10:00");
  EXPECT_EQ(w[2].lines, std::vector<std::string>{"memo0"});
}

TEST(LabelWindowsAlarms, EveryAlarmTextAndBadWeekdays) {
  Settings s;
  s.DailyAlarm = s.WeeklyAlarm = s.MonthlyAlarm1 = s.MonthlyAlarm2 = 1;
  s.WeeklyAlarmW = 2;
  s.WeeklyAlarmT = "09:00";
  s.MonthlyAlarmDay = 25;
  s.MonthlyAlarmT1 = "10:00";
  s.MonthlyAlarmW = 1;
  s.MonthlyAlarmWeek = 5;
  int alarms = 0;
  auto w = Build(s, PostTable(30), alarms);
  ASSERT_EQ(alarms, 4);
  EXPECT_EQ(w[1].lines[0], Sjis("毎週 月曜日 09:00"));
  EXPECT_EQ(w[2].lines[0], Sjis("毎月 25日 10:00"));
  EXPECT_EQ(w[3].lines[0], Sjis("毎月 第5日曜日 00:00"));
  // The same in parts, for the other languages' words.
  using K = AlarmWords::Kind;
  EXPECT_EQ(w[0].alarmWords, (AlarmWords{K::Daily, 0, 0, "00:00"}));
  EXPECT_EQ(w[1].alarmWords, (AlarmWords{K::Weekly, 0, 2, "09:00"}));
  EXPECT_EQ(w[2].alarmWords, (AlarmWords{K::MonthlyDay, 25, 0, "10:00"}));
  EXPECT_EQ(w[3].alarmWords, (AlarmWords{K::MonthlyWeekday, 5, 1, "00:00"}));
  const char* names[] = {"日", "月", "火", "水", "木", "金", "土"};
  for (int d = 1; d <= 7; ++d) {
    s.WeeklyAlarmW = d;
    w = Build(s, PostTable(30), alarms);
    EXPECT_EQ(w[1].lines[0], Sjis(std::string("毎週 ") + names[d - 1] + "曜日 09:00"));
  }
  // A weekday outside 1..7 keeps the design lines of the message box.
  s.WeeklyAlarmW = 0;
  s.MonthlyAlarmW = 8;
  w = Build(s, PostTable(30), alarms);
  ASSERT_EQ(alarms, 4);
  EXPECT_FALSE(w[1].hasMessage);
  EXPECT_FALSE(w[3].hasMessage);
  EXPECT_EQ(w[3].alarmWords.kind, AlarmWords::Kind::None);
  EXPECT_TRUE(w[0].hasMessage);
  EXPECT_TRUE(w[2].hasMessage);
}

TEST(LabelWindowsSelection, DisplayModeZeroStopsAfterTheLimit) {
  // Limit: 2030/06/15 08:54 + 30 days = 2030/07/15 08:54.
  PostTable t = Table({"1900/12/01 00:00", "2030/06/20 10:00", "", "2030/07/15 08:54",
                       "2030/07/15 08:55", "2031/01/01 00:00"});
  t.Slot(2).Clear();
  EXPECT_EQ(DisplayedSlots(t, 0, 30, kNow), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(DisplayedSlots(t, 1, 30, kNow), (std::vector<int>{0, 1, 3, 4, 5}));
  EXPECT_EQ(DisplayedSlots(t, 2, 0, kNow), (std::vector<int>{0, 1, 3, 4, 5}));
  // Absurd day counts neither crash nor wrap around.
  EXPECT_EQ(DisplayedSlots(t, 0, INT_MAX, kNow).size(), 5u);
  EXPECT_TRUE(DisplayedSlots(t, 0, INT_MIN, kNow).empty());

  Settings s;
  s.DisplayMode = 0;
  int alarms = 0;
  const auto w = Build(s, t, alarms);
  ASSERT_EQ(w.size(), 3u);
  EXPECT_EQ(w[2].slot, 3);
}

TEST(LabelWindowsColours, ByTimeOfTheLabel) {
  Settings s;
  s.Dcolor = 1;
  s.Acolor = 2;
  s.Tcolor = 3;
  s.Minute = 5;
  // now 08:54:40; the warning threshold is 08:59:40 less 0.02 s: "08:59".
  const auto w = [&] {
    int alarms = 0;
    return Build(s, Table({"1900/12/01 00:00", "2030/06/14 23:00", "2030/06/15 08:53",
                           "2030/06/15 08:54", "2030/06/15 08:58", "2030/06/15 08:59",
                           "2030/06/15 12:00", "2030/06/16 08:00"}),
                 alarms);
  }();
  using St = LabelState;
  struct Want { WinColor color, caption; LabelState state; };
  const Want want[] = {
      {1, 255, St::ToDo},            // ToDo: red caption on Dcolor
      {3, 255, St::Due},             // yesterday: past
      {3, 255, St::Due},             // earlier today: past
      {3, 16728319, St::Warning},    // this very minute: not yet past, but due soon
      {3, 16728319, St::Warning},    // within the lead
      {2, 0, St::Today},             // the threshold's own minute is not yet due soon
      {2, 0, St::Today},             // later today
      {1, 0, St::Plain},             // a later day
  };
  ASSERT_EQ(w.size(), 8u);
  EXPECT_EQ(w[0].caption, "    ToDo");
  for (std::size_t i = 0; i < w.size(); ++i) {
    EXPECT_EQ(w[i].color, want[i].color) << i;
    EXPECT_EQ(w[i].captionColor, want[i].caption) << i;
    EXPECT_EQ(w[i].state, want[i].state) << i;
  }
}

// With ReadableText on, a caption below the readable ratio is drawn in a
// darker shade of its hue; black captions and every background stay.
TEST(LabelWindowsColours, ReadableTextDarkensOnlyTheCaptionsThatNeedIt) {
  Settings s;
  s.Minute = 5;
  s.ReadableText = 1;
  int alarms = 0;
  const auto w = Build(s, Table({"1900/12/01 00:00", "2030/06/14 23:00", "2030/06/15 08:58",
                                 "2030/06/16 08:00"}),
                       alarms);
  ASSERT_EQ(w.size(), 4u);
  EXPECT_EQ(w[0].captionColor, DarkenToContrast(kRed, s.Dcolor));   // ToDo
  EXPECT_EQ(w[1].captionColor, DarkenToContrast(kRed, s.Tcolor));   // past
  EXPECT_EQ(w[2].captionColor, DarkenToContrast(kPink, s.Tcolor));  // warning
  EXPECT_EQ(w[3].captionColor, kBlack);
  const WinColor backs[] = {s.Dcolor, s.Tcolor, s.Tcolor, s.Dcolor};
  for (std::size_t i = 0; i < w.size(); ++i) {
    EXPECT_EQ(w[i].color, backs[i]) << i;
    EXPECT_GE(ContrastRatio(w[i].captionColor, w[i].color), kReadableContrast) << i;
  }
}

TEST(LabelWindowsLayout, WorkedPlacements) {
  Settings s;
  s.Area = 2;
  s.DataSize = 1;
  s.DataWCheck = 0;
  std::vector<std::string> texts(20, "2031/01/01 00:00");
  int alarms = 0;
  auto w = Build(s, Table(texts), alarms);
  ASSERT_EQ(w.size(), 20u);
  EXPECT_EQ(w[0].width, 130);
  EXPECT_EQ(w[0].height, 36);
  EXPECT_EQ(w[0].memoWidth, 125);
  EXPECT_EQ(w[0].memoHeight, 18);
  EXPECT_EQ(w[0].shapeWidth, 130);
  EXPECT_EQ(w[0].shapeHeight, 36);
  EXPECT_EQ(std::make_pair(w[0].left, w[0].top), std::make_pair(892, 0));
  EXPECT_EQ(std::make_pair(w[18].left, w[18].top), std::make_pair(892, 666));
  EXPECT_EQ(std::make_pair(w[19].left, w[19].top), std::make_pair(760, 0));

  s.Area = 3;
  s.DataSize = 3;
  s.DataWCheck = 1;
  s.DataWSize = 250;
  texts.resize(4);
  w = Build(s, Table(texts), alarms, Rect{0, 0, 800, 570});
  ASSERT_EQ(w.size(), 4u);
  EXPECT_EQ(w[0].width, 250);
  EXPECT_EQ(w[0].height, 60);
  EXPECT_EQ(w[0].memoHeight, 42);
  EXPECT_EQ(std::make_pair(w[0].left, w[0].top), std::make_pair(0, 509));
  EXPECT_EQ(std::make_pair(w[2].left, w[2].top), std::make_pair(504, 509));
  EXPECT_EQ(std::make_pair(w[3].left, w[3].top), std::make_pair(0, 448));
}

TEST(LabelWindowsLayout, TopAndLeftEdgesAndTheDispRectangle) {
  Settings s;
  s.DataSize = 2;  // 160 x 44
  s.DispArea = 1;
  s.DispLeft = 10;
  s.DispTop = 20;
  s.DispRight = 500;   // 3 per row
  s.DispBottom = 200;  // 4 per column
  const Rect area = ChooseWorkArea(s, kScreen);
  EXPECT_EQ(area, (Rect{10, 20, 500, 200}));
  s.DispArea = 0;
  EXPECT_EQ(ChooseWorkArea(s, kScreen), kScreen);

  std::vector<std::string> texts(5, "2031/01/01 00:00");
  int alarms = 0;
  s.Area = 1;
  auto w = Build(s, Table(texts), alarms, area);
  EXPECT_EQ(std::make_pair(w[2].left, w[2].top), std::make_pair(10 + 2 * 162, 20));
  EXPECT_EQ(std::make_pair(w[3].left, w[3].top), std::make_pair(10, 20 + 45));
  s.Area = 4;
  w = Build(s, Table(texts), alarms, area);
  EXPECT_EQ(std::make_pair(w[3].left, w[3].top), std::make_pair(10, 20 + 3 * 45));
  EXPECT_EQ(std::make_pair(w[4].left, w[4].top), std::make_pair(172, 20));
}

TEST(LabelWindowsLayout, OutOfRangeAreaAndDataSizeKeepTheDesign) {
  Settings s;
  s.Area = 0;
  s.DataSize = 0;
  s.DataWCheck = 1;
  s.DataWSize = 300;
  s.DispFontName = "Arial";
  s.DispFontSize = 14;
  int alarms = 0;
  const auto w = Build(s, Table({"2031/01/01 00:00", "2031/01/02 00:00"}), alarms);
  for (const auto& x : w) {
    EXPECT_EQ(std::make_pair(x.left, x.top), std::make_pair(212, 119));
    EXPECT_EQ(std::make_pair(x.width, x.height), std::make_pair(176, 59));
    EXPECT_EQ(std::make_pair(x.shapeWidth, x.shapeHeight), std::make_pair(175, 44));
    EXPECT_EQ(std::make_pair(x.memoWidth, x.memoHeight), std::make_pair(170, 26));
    EXPECT_EQ(x.fontName, "Arial");
    EXPECT_EQ(x.fontSize, 14);
  }
}

TEST(LabelWindowsLayout, AreaSmallerThanOneWindowPlacesOnePerLine) {
  Settings s;
  s.DispArea = 1;  // a zero DISP rectangle
  s.DataSize = 1;
  std::vector<std::string> texts(3, "2031/01/01 00:00");
  const Rect area = ChooseWorkArea(s, kScreen);
  int alarms = 0;
  s.Area = 1;
  auto w = Build(s, Table(texts), alarms, area);
  EXPECT_EQ(std::make_pair(w[2].left, w[2].top), std::make_pair(0, 74));
  s.Area = 2;
  w = Build(s, Table(texts), alarms, area);
  EXPECT_EQ(std::make_pair(w[1].left, w[1].top), std::make_pair(-264, 0));
  s.Area = 3;
  w = Build(s, Table(texts), alarms, area);
  EXPECT_EQ(std::make_pair(w[1].left, w[1].top), std::make_pair(0, -74));
  s.Area = 4;  // right-to-left inverted rectangle: negative height
  w = Build(s, Table(texts), alarms, Rect{0, 100, 0, 0});
  EXPECT_EQ(std::make_pair(w[2].left, w[2].top), std::make_pair(264, 100));
}

TEST(LabelWindowsLayout, AbsurdSettingsDoNotOverflow) {
  Settings s;
  s.DailyAlarm = s.WeeklyAlarm = s.MonthlyAlarm1 = s.MonthlyAlarm2 = 1;
  s.MonthlyAlarmDay = INT_MIN;
  s.MonthlyAlarmWeek = INT_MAX;
  s.DataSize = 3;
  s.DataWCheck = 1;
  s.Minute = INT_MAX;
  const PostTable full = Table(std::vector<std::string>(50, "2031/01/01 00:00"), 50);
  for (int width : {INT_MAX, INT_MIN, -3, 0}) {
    for (int area = 1; area <= 4; ++area) {
      s.DataWSize = width;
      s.Area = area;
      int alarms = 0;
      const auto w = Build(s, full, alarms, Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
      EXPECT_EQ(w.size(), static_cast<std::size_t>(kPostWindowListCapacity));
      EXPECT_GE(w[0].width, 0);
      EXPECT_GE(w[0].memoWidth, 0);
    }
  }
  s.Minute = INT_MIN;
  int alarms = 0;
  EXPECT_EQ(Build(s, full, alarms)[4].captionColor, 0);
}

}  // namespace
}  // namespace morna
