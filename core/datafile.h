// The label data file: "Time=" and "Memo=" lines of Shift-JIS bytes.
#pragma once

#include <string>

#include "core/posttable.h"

namespace morna {

struct FileResult {
  enum class Status { Ok, Missing, Failed };
  Status status = Status::Ok;
  // For Failed: the system's message text, its trailing blanks, control
  // characters and periods removed.
  std::string systemMessage;
  bool ok() const { return status != Status::Failed; }
};

// Reads the file at `path` (native path) into the empty `table`. A missing
// file leaves the table empty and reports Missing (not an error).
FileResult LoadPostDataFile(const std::string& path, PostTable& table);

// Writes every label of `table` in slot order. The file is written to a
// temporary file beside it and then put in place, so a failure never leaves
// a shortened file.
FileResult SavePostDataFile(const std::string& path, const PostTable& table);

}  // namespace morna
