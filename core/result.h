// The one result of reading or writing a file, from the platform seam up to
// the message box: done, nothing there (a file that does not exist yet), or
// failed with the system's reason.
#pragma once

#include <string>
#include <utility>

namespace morna {

struct FileResult {
  enum class Status { Ok, Missing, Failed };
  Status status = Status::Ok;
  // For Failed: the system's message text, its trailing blanks, control
  // characters and periods removed.
  std::string systemMessage;

  bool ok() const { return status != Status::Failed; }
  bool missing() const { return status == Status::Missing; }

  static FileResult Done() { return {}; }
  static FileResult NotThere() { return {Status::Missing, {}}; }
  static FileResult Fail(std::string reason) { return {Status::Failed, std::move(reason)}; }
};

}  // namespace morna
