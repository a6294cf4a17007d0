#include "core/datafile.h"

#include <string_view>

#include "core/files.h"

namespace morna {

namespace {

constexpr char kCtrlZ = 26;
constexpr std::string_view kTimeTag = "Time=";
constexpr std::string_view kMemoTag = "Memo=";
constexpr std::size_t kTimeLineLength = 21;

// A text as it can stand in the file: a Ctrl-Z would end the file when it is
// read back, so it is left out.
std::string Storable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != kCtrlZ) out.push_back(c);
  }
  return out;
}

void AppendMemoLines(std::string& out, std::string_view line) {
  // A CR would end the line when it is read back and cost the next part its
  // first five bytes, so a line holding one is written as the lines it
  // splits into. A bare LF is an ordinary byte of the file and stays.
  std::size_t start = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && line[i] != '\r') continue;
    out += kMemoTag;
    out += Storable(line.substr(start, i - start));
    out += "\r\n";
    if (i + 1 < line.size() && line[i + 1] == '\n') ++i;
    start = i + 1;
    if (start >= line.size()) break;
  }
}

}  // namespace

FileResult ParsePostData(std::string_view data, PostTable& table) {
  if (const std::size_t eof = data.find(kCtrlZ); eof != std::string::npos) data = data.substr(0, eof);

  int labels = 0;     // time lines seen so far
  bool tooMany = false;
  auto handleLine = [&](std::string_view line) {
    if (line.size() == kTimeLineLength && line.substr(0, kTimeTag.size()) == kTimeTag) {
      ++labels;
      if (labels > table.DataCnt() && table.DataCnt() < kMaxDataCnt) table.Resize(labels);
      if (labels > table.DataCnt()) {
        tooMany = true;
        return;
      }
      table.Slot(labels - 1).DateTimeText = std::string(line.substr(kTimeTag.size()));
      return;
    }
    // Lines before the first time line, and those of labels beyond the
    // table, belong to no slot.
    if (labels == 0 || labels > table.DataCnt()) return;
    table.Slot(labels - 1).Lines.emplace_back(line.size() > 5 ? line.substr(5) : std::string_view{});
  };

  // A line ends at CR, and an LF right after it belongs to that end; an LF
  // anywhere else is an ordinary byte.
  const std::string_view all = data;
  std::size_t start = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i] != '\r') continue;
    handleLine(all.substr(start, i - start));
    if (i + 1 < all.size() && all[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < all.size()) handleLine(all.substr(start));

  // More labels than the table can ever hold: the first ones are loaded, and
  // the load is reported as failed so that the file is not simply
  // overwritten by the next save.
  if (tooMany) return FileResult::Fail(SystemMessage(platform::FileTooLargeCode()));
  return {};
}

void AppendLabelBytes(std::string& out, const PostSlot& label) {
  out += kTimeTag;
  out += Storable(label.DateTimeText);
  out += "\r\n";
  for (const std::string& line : label.Lines) AppendMemoLines(out, line);
}

std::string FormatPostData(const PostTable& table) {
  std::string out;
  for (int i = 0; i < table.DataCnt(); ++i) {
    if (!table.Slot(i).IsFree()) AppendLabelBytes(out, table.Slot(i));
  }
  return out;
}

}  // namespace morna
