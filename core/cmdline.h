// The program's command line: --help and --version, which answer without a
// display, and the few toolkit options that are passed on to it. Anything
// else is refused, so a mistyped option is not silently ignored.
#pragma once

#include <string>
#include <vector>

namespace morna {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::string error;  // for Error: what was wrong, one line
};

// `args` are the arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text of --help; `program` is the name the program was started by.
std::string UsageText(const std::string& program);

}  // namespace morna
