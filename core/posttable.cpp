#include "core/posttable.h"

#include <algorithm>
#include <string>
#include <utility>

namespace morna {

std::string LabelKey(const PostSlot& label) {
  std::string key = label.DateTimeText;
  for (const std::string& line : label.Lines) {
    key += '\0';
    key += std::to_string(line.size());
    key += ':';
    key += line;
  }
  return key;
}

namespace {

int ClampDataCnt(int dataCnt) { return std::clamp(dataCnt, 1, kMaxDataCnt); }

// The key a popup caption stands for: a ToDo label's window shows "    ToDo",
// which is stored as the ToDo sentinel.
std::string PopupKey(const PopupLabel& popup) {
  if (IsToDoCaption(popup.Caption)) return std::string(kToDoSentinel);
  return popup.Caption;
}

}  // namespace

int CompareDateTimeText(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::vector<std::string> SplitMessage(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  // A final line break adds no empty last line.
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinMessage(const std::vector<std::string>& lines) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += lines[i];
  }
  return out;
}

PostTable::PostTable(int dataCnt) : slots_(static_cast<std::size_t>(ClampDataCnt(dataCnt)) + 1) {}

int PostTable::LabelCount() const {
  int n = 0;
  for (int i = 0; i < DataCnt(); ++i) {
    if (!Slot(i).IsFree()) ++n;
  }
  return n;
}

void PostTable::Resize(int dataCnt) {
  int wanted = ClampDataCnt(dataCnt);
  if (wanted == DataCnt()) return;
  if (wanted < DataCnt()) {
    // Pack the labels to the front, keeping their order, so that the slots
    // cut off are all free; never cut below the number of labels held.
    wanted = std::max(wanted, LabelCount());
    std::vector<PostSlot> packed;
    packed.reserve(static_cast<std::size_t>(DataCnt()) + 1);
    for (int i = 0; i < DataCnt(); ++i) {
      if (!Slot(i).IsFree()) packed.push_back(std::move(Slot(i)));
    }
    packed.resize(static_cast<std::size_t>(wanted));
    packed.emplace_back();  // the spare slot
    slots_ = std::move(packed);
    return;
  }
  slots_.back() = PostSlot{};  // the old spare becomes an ordinary free slot
  slots_.resize(static_cast<std::size_t>(wanted) + 1);
}

int FindPopupLabel(const PostTable& table, const PopupLabel& popup) {
  const std::string key = PopupKey(popup);
  const std::string memo = MemoToStr(JoinMessage(popup.Lines));
  for (int i = 0; i < table.DataCnt(); ++i) {
    const PostSlot& slot = table.Slot(i);
    if (slot.DateTimeText == key && MemoToStr(slot.MessageText()) == memo) return i;
  }
  return -1;
}

int PostDataSet(PostTable& table, EditMode& editMode, const PostEntry& entry, const PopupLabel& popup) {
  auto fill = [&entry](PostSlot& slot) {
    slot.DateTimeText = entry.ToDo ? std::string(kToDoSentinel) : entry.PstTime;
    slot.SetMessage(entry.Message);
  };
  if (editMode == EditMode::Modify) {
    const int found = FindPopupLabel(table, popup);
    if (found >= 0) {
      fill(table.Slot(found));
      editMode = EditMode::None;
      return found;
    }
  }
  for (int i = 0; i < table.DataCnt(); ++i) {
    if (table.Slot(i).IsFree()) {
      fill(table.Slot(i));
      return i;
    }
  }
  return -1;  // a full table stores nothing
}

int PostRoom(const PostTable& table, EditMode editMode, const PopupLabel& popup) {
  const int free = table.DataCnt() - table.LabelCount();
  return free + (editMode == EditMode::Modify && FindPopupLabel(table, popup) >= 0 ? 1 : 0);
}

void PostDataSort(PostTable& table, EditMode& editMode, const PopupLabel& popup, int pastData,
                  DateTime now, std::vector<PostSlot>* past) {
  const int n = table.DataCnt();

  if (editMode == EditMode::Delete) {
    const int found = FindPopupLabel(table, popup);
    if (found >= 0) table.Slot(found).Clear();
    editMode = EditMode::None;
  }

  if (pastData == 1) {
    const std::string nowText = FormatDateTimeText(now);
    for (int i = 0; i < n; ++i) {
      PostSlot& slot = table.Slot(i);
      if (slot.IsFree() || slot.IsToDo() || CompareDateTimeText(slot.DateTimeText, nowText) >= 0)
        continue;
      if (past != nullptr) past->push_back(slot);
      slot.Clear();
    }
  }

  // The double walk through the spare slot. It is not stable, and the order
  // of equal texts (several ToDo labels, say) is whatever this walk leaves,
  // so it is kept exactly as it is. The messages move as their lines, which
  // is the same as moving their texts but cannot split a line that holds a
  // bare LF read from the data file.
  PostSlot& spare = table.SpareSlot();
  for (int i = 0; i < n; ++i) {
    if (table.Slot(i).IsFree()) continue;
    for (int j = 0; j < n; ++j) {
      PostSlot& a = table.Slot(i);
      PostSlot& b = table.Slot(j);
      if (CompareDateTimeText(a.DateTimeText, b.DateTimeText) < 0) {
        spare.DateTimeText = a.DateTimeText;
        a.DateTimeText = b.DateTimeText;
        b.DateTimeText = spare.DateTimeText;
        spare.Lines = a.Lines;
        a.Lines = b.Lines;
        b.Lines = spare.Lines;
      }
    }
  }
}

int LastLabelOfDay(const PostTable& table, std::string_view ymd) {
  int last = -1;
  for (int i = 0; i < table.DataCnt(); ++i) {
    if (table.Slot(i).DateTimeText.starts_with(ymd)) last = i;
  }
  return last;
}

}  // namespace morna
