// The program's command line: --help and --version, which answer without a
// display; the commands for scripts (--add, --list, --export, --import),
// which change or read the labels without a window; and the few toolkit
// options that are passed on to it. Anything else is refused, so a mistyped
// option is not silently ignored.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morna {

// A request of a script: one label to add, the labels to list, or the
// labels to write to or read from a calendar file. Texts are as given
// (UTF-8 on this system).
struct CommandRequest {
  enum class Kind { Add, List, Export, Import };
  Kind kind = Kind::List;
  bool toDo = false;     // Add: "todo" instead of a date-time
  std::string when;      // Add: "yyyy/mm/dd hh:mm" as given
  std::string message;   // Add
  std::string file;      // Export, Import: the calendar file as given
};

struct CommandLine {
  enum class Action { Run, Help, Version, Command, Error };
  Action action = Action::Run;
  std::string error;  // for Error: what was wrong, one line
  CommandRequest request;  // for Command
};

// A request as bytes and back, to hand it to the running program; none for
// bytes that are no request.
std::string EncodeRequest(const CommandRequest& request);
std::optional<CommandRequest> DecodeRequest(std::string_view bytes);

// `args` are the arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text of --help; `program` is the name the program was started by.
std::string UsageText(const std::string& program);

}  // namespace morna
