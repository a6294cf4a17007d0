// The label data file as the program uses it: where it is, what was last
// read from or written to it, and whether it must be kept aside before it is
// written over. The registration window holds one and only shows its errors.
#pragma once

#include <optional>
#include <string>

#include "core/datetime.h"
#include "core/posttable.h"
#include "core/result.h"

namespace morna {

class LabelFile {
 public:
  LabelFile() = default;
  explicit LabelFile(std::string path) : path_(std::move(path)) {}

  // The file's native path.
  const std::string& Path() const { return path_; }
  // Names another file: what was seen of the old one no longer counts.
  void SetPath(std::string path);

  // Reads the file into the empty `table` (ParsePostData). A missing file in
  // an existing folder leaves the table empty and reports Missing (not an
  // error); a missing folder, or a file that cannot be read or is no regular
  // file (a FIFO is never waited on), leaves it empty and reports Failed
  // with the system's text. A file that is there but could not be read whole
  // is remembered: before it is first written over it is moved aside, since
  // the table lacks some or all of its labels.
  FileResult Load(PostTable& table);

  // Writes the table. An unreadable file found by Load is first moved aside
  // (KeepAside, named after `now` when ".bak" to ".bak99" are taken); when
  // that fails, nothing is written and its reason is returned.
  FileResult Save(const PostTable& table, DateTime now);

  // The last Load failed (the flag stays after the file was kept aside).
  bool LoadFailed() const { return loadFailed_; }
  // Where the unreadable file was moved; empty until then.
  const std::string& KeptAs() const { return keptAs_; }
  // The bytes last read from or written to the file ("" for a file that did
  // not exist); nothing before the first load or save, or after a load that
  // failed.
  const std::optional<std::string>& LastSeen() const { return lastSeen_; }

 private:
  std::string path_;
  bool loadFailed_ = false;
  bool mustKeepAside_ = false;
  std::string keptAs_;
  std::optional<std::string> lastSeen_;
};

}  // namespace morna
