// Every setting once: its place in the settings file (section and key), its
// kind, its default, and the settings dialog's field that shows it with the
// rule by which the dialog fills and stores it. The settings file's read and
// write (core/pstctl), the dialog's fill and store (core/initform) and the
// dialog's controls (ui/Pinit, by objectName) all walk this table, so a new
// setting is one row here, its field in Settings and InitForm, and its
// control.
#pragma once

#include <array>
#include <span>
#include <string>

#include "core/initform.h"
#include "core/settings.h"

namespace morna {

enum class SettingType {
  Text,         // a text (Shift-JIS bytes)
  Int,          // a decimal or hexadecimal integer
  Color,        // a colour, written in decimal like an integer
  Pos,          // the registration window's position ([MAIN])
  HolidayList,  // Day01..Day40, each month * 100 + day as four digits, empty for none
};

// How the dialog fills a field from the setting and stores it back.
enum class FormRule {
  None,          // not in the dialog
  Text,          // a text box: the text as it is
  Number,        // a text box with the number in decimal; OK stops at a text that is no integer
  FileNamePart,  // shows only the name after the folders; the dialog changes the setting at once
  Check,         // a check box, checked at 1 (other values leave it as it is); OK stores 1 or 0
  CheckOrClear,  // the same, also cleared at 0
  Radio,         // a radio group: button k for k within the bounds; OK stores the checked
                 // button, or `unchecked` when none is (0: the setting stays)
  ItemNumber,    // a combo box of items "k - ..." (kImeItems), item k within the bounds;
                 // OK stores the number the text starts with, unless the text is empty
  Weekday,       // a combo box of weekday names, day k (1..7) within the bounds; OK stores
                 // the day of a name and leaves the setting for any other text
  Swatch,        // a colour group: the swatch showing the setting, or swatch 5 for the own
                 // colour `own`; OK stores the checked swatch's colour
};

// The dialog's field of a row: one of these points into InitForm.
struct FormField {
  std::string& (*text)(InitForm&) = nullptr;
  bool& (*flag)(InitForm&) = nullptr;
  int& (*radio)(InitForm&) = nullptr;
  ColorChoice& (*color)(InitForm&) = nullptr;
};

struct SettingRow {
  const char* section = "";
  const char* key = "";
  SettingType type = SettingType::Int;
  // The setting: one of these, after `type`.
  std::string Settings::*text = nullptr;
  int Settings::*num = nullptr;
  int WindowPos::*pos = nullptr;
  std::array<int, kHolidayEntries> Settings::*list = nullptr;
  // The default: `textDefault` for Text, `numDefault` for Int, Color and Pos;
  // a list is all empty.
  const char* textDefault = "";
  int numDefault = 0;
  // A value too long to be read whole is refused and the default used.
  bool refuseCut = false;

  // The dialog.
  FormRule rule = FormRule::None;
  FormField field;
  // The control's objectName; for a radio group the stem of its buttons'
  // names (stem1, stem2, ...), for a colour group its group box's name.
  const char* control = nullptr;
  // Radio, ItemNumber, Weekday: the values that have a button or item.
  int min = 0;
  int max = 0;
  int unchecked = 0;                    // Radio: stored when no button is checked
  int Settings::*onlyWhen = nullptr;    // filled only while this setting is 1 (an alarm's details)
  int Settings::*own = nullptr;         // Swatch: the group's own colour

  // Modifiers, so that a row reads as one line of the table.
  constexpr SettingRow Refused() const {
    SettingRow r = *this;
    r.refuseCut = true;
    return r;
  }
  constexpr SettingRow Shows(FormRule how, FormField f, const char* name) const {
    SettingRow r = *this;
    r.rule = how;
    r.field = f;
    r.control = name;
    return r;
  }
  constexpr SettingRow Within(int lo, int hi, int none = 0) const {
    SettingRow r = *this;
    r.min = lo;
    r.max = hi;
    r.unchecked = none;
    return r;
  }
  constexpr SettingRow While(int Settings::*on) const {
    SettingRow r = *this;
    r.onlyWhen = on;
    return r;
  }
  constexpr SettingRow Own(int Settings::*ownColor) const {
    SettingRow r = *this;
    r.own = ownColor;
    return r;
  }
};

// The rows in the order the file is read.
std::span<const SettingRow> SettingRows();
// The rows in the order the file is written: the read order, except that
// Minute goes between MTcolor and MAcolor.
std::span<const SettingRow* const> SettingRowsInWriteOrder();

}  // namespace morna
