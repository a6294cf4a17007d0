// The kept copy of labels removed as past: a file beside the data file,
// "<data file>.past", in the data file's own format, to which every label
// that PostDataSort removes as past is appended. A clock that was wrong for
// a moment can then cost no label for good.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/posttable.h"
#include "core/result.h"

namespace morna {

inline constexpr std::string_view kPastLabelsSuffix = ".past";
// Beyond this size the oldest labels make way: some thousands of labels.
inline constexpr std::size_t kPastLabelsCap = 1024 * 1024;

// The kept file's bytes once `labels` are appended to `old` (its bytes so
// far). When the whole would exceed `cap`, whole labels are dropped from the
// front, the oldest first, until it fits; the labels appended now always
// stay, even beyond `cap`.
std::string AppendPastLabels(std::string_view old, const std::vector<PostSlot>& labels,
                             std::size_t cap = kPastLabelsCap);

// Appends `labels` to the file at `path` in the data file's form, the
// oldest labels dropped beyond `cap` (AppendPastLabels). A file that exists
// but cannot be read is left alone and the result is Failed.
FileResult AppendLabelsToFile(const std::string& path, const std::vector<PostSlot>& labels,
                              std::size_t cap);

// Appends `labels` to the kept file beside the data file at `dataPath`
// (beside the file a link names). A kept file that exists but cannot be
// read is left alone and the result is Failed.
FileResult KeepPastLabels(const std::string& dataPath, const std::vector<PostSlot>& labels);

}  // namespace morna
