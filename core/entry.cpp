#include "core/entry.h"

#include <algorithm>
#include <cstdio>

namespace morna {

namespace {

std::string TwoDigits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

}  // namespace

FormSetValues PstMainFormSet(DateTime now) {
  const CivilTime c = ToCivil(now);
  // The nearest quarter hour. From 23:53 on the nearest one is midnight of
  // the next day, which neither the scroll bar (it ends at 23:45) nor the
  // month title (today's month) can show; those minutes keep today at 23:45.
  const int position = std::min(c.hour * 4 + (c.minute + 7) / 15, kSBarMax);
  FormSetValues v;
  v.yymm = FormatYM(now);
  v.pstTime = FormatYMD(now) + " " + TwoDigits(position / 4) + ":" + TwoDigits(position % 4 * 15);
  v.sbar = position;
  return v;
}

SBarResult SBarChange(std::string_view yymm, std::string_view pstTime, int pos) {
  SBarResult r;
  const std::string_view fields[3] = {Chars(yymm, 1, 4), Chars(yymm, 6, 7), Chars(pstTime, 9, 10)};
  int values[3] = {};
  for (int i = 0; i < 3; ++i) {
    const std::optional<int> v = ParseInt(fields[i]);
    if (!v) {
      r.error = SBarResult::Error::NotInteger;
      r.text = std::string(fields[i]);
      return r;
    }
    values[i] = *v;
  }
  if (!IsValidDate(values[0], values[1], values[2])) {
    r.error = SBarResult::Error::InvalidDate;
    return r;
  }
  const int minutes = std::clamp(pos, 0, kSBarMax) * 15;
  r.text = FormatDateTimeText(MakeDateTime(values[0], values[1], values[2], minutes / 60,
                                           minutes % 60));
  return r;
}

bool IsValidPostDateTime(std::string_view pstTime) {
  const std::optional<int> year = ParseInt(Chars(pstTime, 1, 4));
  const std::optional<int> month = ParseInt(Chars(pstTime, 6, 7));
  const std::optional<int> day = ParseInt(Chars(pstTime, 9, 10));
  const std::optional<int> hour = ParseInt(Chars(pstTime, 12, 13));
  const std::optional<int> minute = ParseInt(Chars(pstTime, 15, 16));
  if (!year || !month || !day || !hour || !minute) return false;
  if (!IsValidDate(*year, *month, *day) || !IsValidTime(*hour, *minute)) return false;
  // The label is stored, ordered, compared and saved as this very text, and
  // the data file only reads back 16-character date-time texts: anything but
  // the exact form "yyyy/mm/dd hh:mm" (a sign, a missing digit, another
  // separator, trailing characters) would sort wrongly or be lost on reload.
  return pstTime == FormatDateTimeText(MakeDateTime(*year, *month, *day, *hour, *minute));
}

std::optional<int> SBarForCaption(std::string_view caption) {
  const std::optional<int> hour = ParseInt(Chars(caption, 12, 13));
  const std::optional<int> minute = ParseInt(Chars(caption, 15, 16));
  if (!hour || !minute) return std::nullopt;
  return std::clamp(*hour * 4 + (*minute + 7) / 15, 0, kSBarMax);
}

std::optional<DateTime> DayCellDate(std::string_view yymm, std::string_view dayCaption) {
  const std::optional<int> year = ParseInt(Chars(yymm, 1, 4));
  const std::optional<int> month = ParseInt(Chars(yymm, 6, 7));
  const std::optional<int> day = ParseInt(dayCaption);
  if (!year || !month || !day) return std::nullopt;
  return TryMakeDateTime(*year, *month, *day, 9, 0);
}

}  // namespace morna
