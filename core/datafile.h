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
// file leaves the table empty and reports Missing (not an error); a file that
// cannot be opened or read leaves it empty and reports Failed. A file with
// more labels than the table has slots grows the table (never past 50
// slots); beyond 50 the first 50 labels are loaded and the load reports
// Failed ("File too large"), so the file is not overwritten as if it had
// been read whole. Message lines before the first time line are skipped.
FileResult LoadPostDataFile(const std::string& path, PostTable& table);

// Writes every label of `table` in slot order. The file is written to a
// temporary file beside it and then put in place, so a failure never leaves
// a shortened file: it reports Failed and the old file stays as it was.
// A Ctrl-Z (which would end the file on reading) is left out of the texts,
// and a message line holding a CR is written as the lines it splits into.
FileResult SavePostDataFile(const std::string& path, const PostTable& table);

}  // namespace morna
