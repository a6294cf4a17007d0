#include "core/entry.h"

#include <algorithm>

namespace morna {

DateRead ReadTitleDate(std::string_view yymm, std::string_view dayText, int hour, int minute) {
  DateRead r;
  const std::string_view fields[3] = {Chars(yymm, 1, 4), Chars(yymm, 6, 7), dayText};
  int values[3] = {};
  for (int i = 0; i < 3; ++i) {
    const std::optional<int> v = ParseInt(fields[i]);
    if (!v) {
      r.error = DateRead::Error::NotInteger;
      r.bad = std::string(fields[i]);
      return r;
    }
    values[i] = *v;
  }
  const std::optional<DateTime> t = TryMakeDateTime(values[0], values[1], values[2], hour, minute);
  if (!t) {
    r.error = DateRead::Error::InvalidDate;
    return r;
  }
  r.value = *t;
  return r;
}

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
  const int minutes = std::clamp(pos, 0, kSBarMax) * 15;
  const DateRead d = ReadTitleDate(yymm, Chars(pstTime, 9, 10), minutes / 60, minutes % 60);
  switch (d.error) {
    case DateRead::Error::NotInteger: return {SBarResult::Error::NotInteger, d.bad};
    case DateRead::Error::InvalidDate: return {SBarResult::Error::InvalidDate, {}};
    case DateRead::Error::None: break;
  }
  return {SBarResult::Error::None, FormatDateTimeText(d.value)};
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
  const DateRead d = ReadTitleDate(yymm, dayCaption, 9, 0);
  if (d.error != DateRead::Error::None) return std::nullopt;
  return d.value;
}

bool IsFirstLineEmpty(std::string_view message) {
  return message.empty() || message.front() == '\r' || message.front() == '\n';
}

}  // namespace morna
