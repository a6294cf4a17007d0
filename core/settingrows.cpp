#include "core/settingrows.h"

#include <cstddef>
#include <string_view>

namespace morna {

namespace {

using S = Settings;
using F = InitForm;

// The dialog's fields, as functions that reach them in a form.
template <auto M>
auto& Member(InitForm& f) {
  return f.*M;
}
template <auto M, std::size_t I>
auto& Element(InitForm& f) {
  return (f.*M)[I];
}
template <auto M>
constexpr FormField Txt() { return {&Member<M>, nullptr, nullptr, nullptr}; }
template <auto M, std::size_t I>
constexpr FormField TxtAt() { return {&Element<M, I>, nullptr, nullptr, nullptr}; }
template <auto M>
constexpr FormField Box() { return {nullptr, &Member<M>, nullptr, nullptr}; }
template <auto M, std::size_t I>
constexpr FormField BoxAt() { return {nullptr, &Element<M, I>, nullptr, nullptr}; }
template <auto M>
constexpr FormField Group() { return {nullptr, nullptr, &Member<M>, nullptr}; }
template <std::size_t I>
constexpr FormField Swatches() { return {nullptr, nullptr, nullptr, &Element<&F::Colors, I>}; }

constexpr SettingRow Row(const char* sec, const char* key, SettingType type) {
  SettingRow r;
  r.section = sec;
  r.key = key;
  r.type = type;
  return r;
}
constexpr SettingRow Text(const char* sec, const char* key, std::string S::*f, const char* def) {
  SettingRow r = Row(sec, key, SettingType::Text);
  r.text = f;
  r.textDefault = def;
  return r;
}
constexpr SettingRow Int(const char* sec, const char* key, int S::*f, int def) {
  SettingRow r = Row(sec, key, SettingType::Int);
  r.num = f;
  r.numDefault = def;
  return r;
}
constexpr SettingRow Color(const char* sec, const char* key, int S::*f, WinColor def) {
  SettingRow r = Int(sec, key, f, def);
  r.type = SettingType::Color;
  return r;
}
constexpr SettingRow Pos(const char* key, int WindowPos::*f) {
  SettingRow r = Row("MAIN", key, SettingType::Pos);
  r.pos = f;
  return r;
}
constexpr SettingRow List(const char* sec, std::array<int, kHolidayEntries> S::*f) {
  SettingRow r = Row(sec, "Day", SettingType::HolidayList);
  r.list = f;
  return r;
}

using R = FormRule;

constexpr SettingRow kRows[] = {
    Pos("Top", &WindowPos::Top),
    Pos("Left", &WindowPos::Left),
    // The language of the program's texts; empty follows the system.
    Text("MAIN", "Language", &S::Language, "")
        .Shows(R::Text, Txt<&F::CmbLanguage>(), "CmbLanguage"),

    Text("FILE", "FileName", &S::FileName, "Dpstitdt.dat").Refused()
        .Shows(R::Text, Txt<&F::EdFileName>(), "EdFileName"),
    Text("FILE", "WaveFileName", &S::WaveFileName, "").Refused()
        .Shows(R::FileNamePart, Txt<&F::EdWaveFile>(), "EdWaveFile"),
    Int("FILE", "DataCnt", &S::DataCnt, 30).Shows(R::Number, Txt<&F::EdData>(), "EdData"),
    Int("FILE", "ScheCnt", &S::ScheCnt, 6).Shows(R::Number, Txt<&F::EdSched>(), "EdSched"),

    Color("FORM", "Ecolor", &S::Ecolor, kLightYellow).Own(&S::MFcolor)
        .Shows(R::Swatch, Swatches<kEntryGroup>(), "GbColor1"),
    Color("FORM", "Dcolor", &S::Dcolor, kLightYellow).Own(&S::MDcolor)
        .Shows(R::Swatch, Swatches<kDataGroup>(), "GbColor2"),
    Color("FORM", "Tcolor", &S::Tcolor, kLightCyan).Own(&S::MTcolor)
        .Shows(R::Swatch, Swatches<kTimerGroup>(), "GbColor3"),
    Color("FORM", "Acolor", &S::Acolor, kLightYellow).Own(&S::MAcolor)
        .Shows(R::Swatch, Swatches<kTodayGroup>(), "GbColor4"),
    // The own colours: the dialog changes them at once.
    Color("FORM", "MFcolor", &S::MFcolor, kLightGrey),
    Color("FORM", "MDcolor", &S::MDcolor, kLightGrey),
    Color("FORM", "MTcolor", &S::MTcolor, kLightGrey),
    Color("FORM", "MAcolor", &S::MAcolor, kLightGrey),
    Int("FORM", "Minute", &S::Minute, 5).Shows(R::Number, Txt<&F::ChangeMin>(), "ChangeMin"),
    Int("FORM", "Area", &S::Area, 2).Shows(R::Radio, Group<&F::RbtnArea>(), "RbtnArea").Within(1, 4),
    Int("FORM", "DataSize", &S::DataSize, 1)
        .Shows(R::Radio, Group<&F::RbtnSize>(), "RbtnSize").Within(1, 3, 2),
    Int("FORM", "DataWCheck", &S::DataWCheck, 0)
        .Shows(R::Check, Box<&F::CbDataWidth>(), "CbDataWidth"),
    Int("FORM", "DataWSize", &S::DataWSize, 130).Shows(R::Number, Txt<&F::CbDtWidth>(), "CbDtWidth"),
    Int("FORM", "Beep", &S::Beep, 1).Shows(R::CheckOrClear, Box<&F::Beepon>(), "Beepon"),
    Int("FORM", "DisplayMode", &S::DisplayMode, 1)
        .Shows(R::Check, Box<&F::DspDataAll>(), "DspDataAll"),
    Int("FORM", "DisplayModeDay", &S::DisplayModeDay, 30)
        .Shows(R::Number, Txt<&F::EdDays>(), "EdDays"),
    Int("FORM", "IMEMode", &S::IMEMode, 0)
        .Shows(R::ItemNumber, Txt<&F::CmbIME>(), "CmbIME").Within(0, 8),

    Int("DISP", "PastData", &S::PastData, 1)
        .Shows(R::Radio, Group<&F::RbtnPast>(), "RbtnPast").Within(1, 2, 2),
    Int("DISP", "Sunday", &S::Sunday, 1).Shows(R::Check, BoxAt<&F::Week, 0>(), "Week1"),
    Int("DISP", "Monday", &S::Monday, 0).Shows(R::Check, BoxAt<&F::Week, 1>(), "Week2"),
    Int("DISP", "Tuesday", &S::Tuesday, 0).Shows(R::Check, BoxAt<&F::Week, 2>(), "Week3"),
    Int("DISP", "Wednesday", &S::Wednesday, 0).Shows(R::Check, BoxAt<&F::Week, 3>(), "Week4"),
    Int("DISP", "Thursday", &S::Thursday, 0).Shows(R::Check, BoxAt<&F::Week, 4>(), "Week5"),
    Int("DISP", "Friday", &S::Friday, 0).Shows(R::Check, BoxAt<&F::Week, 5>(), "Week6"),
    Int("DISP", "Saturday", &S::Saturday, 1).Shows(R::Check, BoxAt<&F::Week, 6>(), "Week7"),
    Int("DISP", "Holiday", &S::Holiday, 1).Shows(R::Check, BoxAt<&F::Week, 7>(), "Week8"),
    Int("DISP", "CalHeightC", &S::CalHeightC, 0)
        .Shows(R::Check, Box<&F::CbCalHeight>(), "CbCalHeight"),
    Int("DISP", "CalHeight", &S::CalHeight, 355)
        .Shows(R::Number, Txt<&F::CalHeightN>(), "CalHeightN"),
    Int("DISP", "CalWidthC", &S::CalWidthC, 0).Shows(R::Check, Box<&F::CbCalWidth>(), "CbCalWidth"),
    Int("DISP", "CalWidth", &S::CalWidth, 496).Shows(R::Number, Txt<&F::CalWidthN>(), "CalWidthN"),
    Int("DISP", "Caln", &S::Caln, 0).Shows(R::Check, Box<&F::DispCalnCheck>(), "DispCalnCheck"),
    Int("DISP", "Area", &S::DispArea, 0).Shows(R::Check, Box<&F::DispAreaCheck>(), "DispAreaCheck"),
    Int("DISP", "Top", &S::DispTop, 0).Shows(R::Number, TxtAt<&F::DispEd, 0>(), "DispEd1"),
    Int("DISP", "Left", &S::DispLeft, 0).Shows(R::Number, TxtAt<&F::DispEd, 1>(), "DispEd2"),
    Int("DISP", "Right", &S::DispRight, 0).Shows(R::Number, TxtAt<&F::DispEd, 2>(), "DispEd3"),
    Int("DISP", "Bottom", &S::DispBottom, 0).Shows(R::Number, TxtAt<&F::DispEd, 3>(), "DispEd4"),
    Text("DISP", "DispFontName", &S::DispFontName, "\x82\x6c\x82\x72\x96\xbe\x92\xa9")  // "ＭＳ明朝"
        .Shows(R::Text, Txt<&F::DispFont1>(), "DispFont1"),
    Int("DISP", "DispFontSize", &S::DispFontSize, 9).Shows(R::Number, Txt<&F::DispSize1>(), "DispSize1"),
    Text("DISP", "TitleFontName", &S::TitleFontName, "Arial")
        .Shows(R::Text, Txt<&F::DispFont2>(), "DispFont2"),
    Text("DISP", "CaleFontName", &S::CaleFontName, "Times New Roman")
        .Shows(R::Text, Txt<&F::DispFont3>(), "DispFont3"),
    Int("DISP", "CaleFontSize", &S::CaleFontSize, 10).Shows(R::Number, Txt<&F::DispSize3>(), "DispSize3"),
    // Last: older files keep their order.
    Int("DISP", "NationalHolidays", &S::NationalHolidays, 0)
        .Shows(R::Check, Box<&F::CbNational>(), "CbNational"),
    Int("DISP", "ReadableText", &S::ReadableText, 0)
        .Shows(R::Check, Box<&F::CbReadable>(), "CbReadable"),

    Int("ALARM", "DailyAlarm", &S::DailyAlarm, 0).Shows(R::Check, Box<&F::CbDaily>(), "CbDaily"),
    Text("ALARM", "DATime", &S::DATime, "00:00")
        .Shows(R::Text, Txt<&F::CbALDailyTime>(), "CbALDailyTime").While(&S::DailyAlarm),
    Int("ALARM", "WeeklyAlarm", &S::WeeklyAlarm, 0).Shows(R::Check, Box<&F::CbWeekly>(), "CbWeekly"),
    Int("ALARM", "WeeklyAlarmW", &S::WeeklyAlarmW, 1)
        .Shows(R::Weekday, Txt<&F::CbAlWeeklyWeek>(), "CbAlWeeklyWeek").Within(1, 7)
        .While(&S::WeeklyAlarm),
    Text("ALARM", "WeeklyAlarmT", &S::WeeklyAlarmT, "00:00")
        .Shows(R::Text, Txt<&F::CbAlWeeklyTime>(), "CbAlWeeklyTime").While(&S::WeeklyAlarm),
    Int("ALARM", "MonthlyAlarm1", &S::MonthlyAlarm1, 0)
        .Shows(R::Check, Box<&F::CbMonthly1>(), "CbMonthly1"),
    Int("ALARM", "MonthlyAlarmDay", &S::MonthlyAlarmDay, 0)
        .Shows(R::Number, Txt<&F::CbAlMonthlyDay>(), "CbAlMonthlyDay").While(&S::MonthlyAlarm1),
    Text("ALARM", "MonthlyAlarmT1", &S::MonthlyAlarmT1, "00:00")
        .Shows(R::Text, Txt<&F::CbAlMonthlyTime1>(), "CbAlMonthlyTime1").While(&S::MonthlyAlarm1),
    Int("ALARM", "MonthlyAlarm2", &S::MonthlyAlarm2, 0)
        .Shows(R::Check, Box<&F::CbMonthly2>(), "CbMonthly2"),
    Int("ALARM", "MonthlyAlarmWeek", &S::MonthlyAlarmWeek, 0)
        .Shows(R::Number, Txt<&F::CbAlMonthlyWeekNo>(), "CbAlMonthlyWeekNo").While(&S::MonthlyAlarm2),
    Int("ALARM", "MonthlyAlarmW", &S::MonthlyAlarmW, 1)
        .Shows(R::Weekday, Txt<&F::CbAlMonthlyWeek>(), "CbAlMonthlyWeek").Within(1, 7)
        .While(&S::MonthlyAlarm2),
    Text("ALARM", "MonthlyAlarmT2", &S::MonthlyAlarmT2, "00:00")
        .Shows(R::Text, Txt<&F::CbAlMonthlyTime2>(), "CbAlMonthlyTime2").While(&S::MonthlyAlarm2),
    Int("ALARM", "CountDown", &S::CountDown, 0).Shows(R::Check, Box<&F::CbCntDown>(), "CbCntDown"),
    Int("ALARM", "CountDownN", &S::CountDownN, 10)
        .Shows(R::Number, Txt<&F::CbDay>(), "CbDay").While(&S::CountDown),
    // Last: older files keep their order.
    Int("ALARM", "Notify", &S::Notify, 0).Shows(R::CheckOrClear, Box<&F::CbNotify>(), "CbNotify"),

    // The holiday lists: the dialog's list box changes them at once.
    List("HOLIDAY", &S::Holidays),
    List("NONHOLIDAY", &S::NonHolidays),

    // Last, in a section of its own: older versions pass it over.
    Text("ICAL", "AllDayTime", &S::AllDayTime, "09:00"),

    // The calendar server, after everything older versions know.
    Text("CALDAV", "Address", &S::CalDavAddress, "").Refused(),
    Text("CALDAV", "User", &S::CalDavUser, "").Refused(),
    Text("CALDAV", "Collection", &S::CalDavCollection, "").Refused(),
    Int("CALDAV", "Sync", &S::CalDavSync, 0),
};

constexpr std::size_t kRowCount = std::size(kRows);

std::size_t IndexOf(std::string_view section, std::string_view key) {
  for (std::size_t i = 0; i < kRowCount; ++i) {
    if (section == kRows[i].section && key == kRows[i].key) return i;
  }
  return kRowCount;
}

std::array<const SettingRow*, kRowCount> MakeWriteOrder() {
  const std::size_t minute = IndexOf("FORM", "Minute");
  const std::size_t mtcolor = IndexOf("FORM", "MTcolor");
  std::array<const SettingRow*, kRowCount> order{};
  std::size_t n = 0;
  for (std::size_t i = 0; i < kRowCount; ++i) {
    if (i == minute) continue;
    order[n++] = &kRows[i];
    if (i == mtcolor) order[n++] = &kRows[minute];
  }
  return order;
}

}  // namespace

std::span<const SettingRow> SettingRows() { return kRows; }

std::span<const SettingRow* const> SettingRowsInWriteOrder() {
  static const std::array<const SettingRow*, kRowCount> order = MakeWriteOrder();
  return order;
}

// The defaults of the stored settings are those of the rows.
Settings::Settings() {
  for (const SettingRow& r : kRows) {
    switch (r.type) {
      case SettingType::Text: this->*r.text = r.textDefault; break;
      case SettingType::Int:
      case SettingType::Color: this->*r.num = r.numDefault; break;
      case SettingType::Pos: break;
      case SettingType::HolidayList: (this->*r.list).fill(0); break;
    }
  }
  DisplayModeInForce = DisplayMode;
  DisplayModeDayInForce = DisplayModeDay;
}

}  // namespace morna
