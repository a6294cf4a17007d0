#include "core/pastlabels.h"

#include "core/datafile.h"
#include "core/files.h"
#include "core/platform.h"

namespace morna {

namespace {

// Whether a label's time line begins at `pos`: "Time=" at the start of a
// line (lines end at CR, LF or both).
bool LabelStartsAt(std::string_view bytes, std::size_t pos) {
  return bytes.substr(pos, 5) == "Time=" &&
         (pos == 0 || bytes[pos - 1] == '\r' || bytes[pos - 1] == '\n');
}

}  // namespace

std::string AppendPastLabels(std::string_view old, const std::vector<PostSlot>& labels,
                             std::size_t cap) {
  std::string added;
  for (const PostSlot& label : labels) AppendLabelBytes(added, label);
  // A file edited by hand may end without a line break; the first new time
  // line must still begin a line of its own.
  const bool needsBreak = !old.empty() && old.back() != '\r' && old.back() != '\n';
  const std::size_t whole = old.size() + (needsBreak ? 2 : 0) + added.size();
  std::size_t cut = 0;
  if (whole > cap) {
    cut = old.size();  // everything old, unless a later label start is enough
    for (std::size_t pos = whole - cap; pos < old.size(); ++pos) {
      if (LabelStartsAt(old, pos)) {
        cut = pos;
        break;
      }
    }
  }
  std::string out(old.substr(cut));
  if (!out.empty() && out.back() != '\r' && out.back() != '\n') out += "\r\n";
  out += added;
  return out;
}

FileResult AppendLabelsToFile(const std::string& path, const std::vector<PostSlot>& labels,
                              std::size_t cap) {
  if (labels.empty()) return FileResult::Done();
  std::string old;
  const platform::ReadResult read = platform::ReadRegularFile(path, old);
  if (read.error != 0 && !read.missing) return FileResult::Fail(SystemMessage(read.error));
  return SaveWholeFile(path, AppendPastLabels(old, labels, cap));
}

FileResult KeepPastLabels(const std::string& dataPath, const std::vector<PostSlot>& labels) {
  return AppendLabelsToFile(platform::FollowLinks(dataPath) + std::string(kPastLabelsSuffix), labels,
                            kPastLabelsCap);
}

}  // namespace morna
