// The in-memory table of labels.
//
// Every label is one slot: a date-time text and the lines of its message,
// both held as the Shift-JIS bytes the user typed or the data file held.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/datetime.h"
#include "core/settings.h"
#include "core/sjis.h"

namespace morna {

inline constexpr std::string_view kToDoSentinel = "1900/12/01 00:00";
// How a label window captions a ToDo label and an alarm window.
inline constexpr std::string_view kToDoCaption = "    ToDo";
inline constexpr std::string_view kAlarmCaption = "    Alarm";

// Byte-wise comparison as unsigned values; a prefix is the smaller, the empty
// text the smallest of all. Returns <0, 0 or >0.
int CompareDateTimeText(std::string_view a, std::string_view b);

// The text with every CR and LF removed, so messages compare regardless of
// where their line breaks fall.
inline std::string MemoToStr(std::string_view text) { return WithoutLineBreaks(text); }

// Whether a label window's caption stands for a ToDo label (its window shows
// "    ToDo"; the table holds the ToDo sentinel).
inline bool IsToDoCaption(std::string_view caption) {
  return caption.find("ToDo") != std::string_view::npos;
}

// Splits a message text into lines at CR LF, a lone CR or a lone LF. A final
// line break adds no empty last line; the empty text has no lines.
std::vector<std::string> SplitMessage(std::string_view text);
// The lines joined with CR LF (no line break after the last line).
std::string JoinMessage(const std::vector<std::string>& lines);

struct PostSlot {
  std::string DateTimeText;         // empty: the slot is free
  std::vector<std::string> Lines;   // the message

  bool IsFree() const { return DateTimeText.empty(); }
  bool IsToDo() const { return DateTimeText == kToDoSentinel; }
  std::string MessageText() const { return JoinMessage(Lines); }
  void SetMessage(std::string_view text) { Lines = SplitMessage(text); }
  void Clear() { DateTimeText.clear(); Lines.clear(); }
  bool operator==(const PostSlot&) const = default;
};

// One text per label, equal exactly when date-time and lines are equal: the
// key by which labels are counted and matched.
std::string LabelKey(const PostSlot& label);

// The label shown in the modify/delete popup: its caption ("yyyy/mm/dd hh:mm"
// or "    ToDo") and its message lines.
struct PopupLabel {
  std::string Caption;
  std::vector<std::string> Lines;
};

// What is pending on the popup's label: nothing, a modify (the next post
// replaces it) or a delete (the next ordering removes it).
enum class EditMode { None, Modify, Delete };

// What the registration window holds when Post is pressed.
struct PostEntry {
  std::string PstTime;   // the date-time field's text
  bool ToDo = false;     // the ToDo radio button is checked
  std::string Message;   // the whole text of the message box (CR LF lines)
};

class PostTable {
 public:
  // `dataCnt` slots (brought into 1..50) plus the spare slot.
  explicit PostTable(int dataCnt = 30);

  int DataCnt() const { return static_cast<int>(slots_.size()) - 1; }
  PostSlot& Slot(int i) { return slots_.at(static_cast<std::size_t>(i)); }
  const PostSlot& Slot(int i) const { return slots_.at(static_cast<std::size_t>(i)); }
  PostSlot& SpareSlot() { return slots_.back(); }
  int LabelCount() const;

  // Follows a new DataCnt while the program runs without losing a label:
  // growing adds free slots; shrinking first packs the labels to the front
  // and never drops below the number of labels held.
  void Resize(int dataCnt);

 private:
  std::vector<PostSlot> slots_;
};

// The slot of the popup's label: the first slot whose date-time text equals
// the caption (the ToDo sentinel when the caption contains "ToDo") and whose
// message equals the popup's regardless of line breaks; -1 when none.
int FindPopupLabel(const PostTable& table, const PopupLabel& popup);

// The last slot in table order whose date-time text begins with `ymd`
// ("yyyy/mm/dd"); -1 when the day has no label.
int LastLabelOfDay(const PostTable& table, std::string_view ymd);

// Stores one entry. With a pending modify it replaces the popup's label (and the
// pending edit ends); otherwise, or when that label is gone, it fills the first
// free slot. A full table stores nothing. Returns the slot used, or -1.
int PostDataSet(PostTable& table, EditMode& editMode, const PostEntry& entry, const PopupLabel& popup);

// How many entries PostDataSet can still store: the free slots, plus the
// slot of the label being modified, which a post replaces.
int PostRoom(const PostTable& table, EditMode editMode, const PopupLabel& popup);

// Applies a pending delete, removes past labels when pastData
// is 1, and orders the table by the double walk through the spare slot. The
// labels removed as past are added to `past`, when given, in table order.
void PostDataSort(PostTable& table, EditMode& editMode, const PopupLabel& popup, int pastData,
                  DateTime now, std::vector<PostSlot>* past = nullptr);

}  // namespace morna
