#include "core/cmdline.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace morna {

namespace {

// Toolkit options that take a value and are handed on to it: the platform
// and display to use, the widget style, and the session a session manager
// restores.
constexpr std::array<std::string_view, 4> kToolkitOptions = {"platform", "display", "style",
                                                             "session"};

bool IsToolkitOption(std::string_view arg) {
  if (arg.size() < 2 || arg[0] != '-') return false;
  arg.remove_prefix(arg[1] == '-' ? 2 : 1);  // the toolkit takes "-x" and "--x" alike
  for (std::string_view o : kToolkitOptions)
    if (arg == o) return true;
  return false;
}

CommandLine Refused(std::string error) {
  CommandLine line;
  line.action = CommandLine::Action::Error;
  line.error = std::move(error);
  return line;
}

bool IsToDoWord(std::string_view word) {
  if (word.size() != 4) return false;
  for (std::size_t i = 0; i < 4; ++i)
    if ((word[i] | 0x20) != "todo"[i]) return false;
  return true;
}

// The commands and how many values each takes.
struct CommandName {
  std::string_view name;
  CommandRequest::Kind kind;
  std::size_t values;
};
constexpr std::array<CommandName, 4> kCommands = {{{"--add", CommandRequest::Kind::Add, 2},
                                                   {"--list", CommandRequest::Kind::List, 0},
                                                   {"--export", CommandRequest::Kind::Export, 1},
                                                   {"--import", CommandRequest::Kind::Import, 1}}};

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return {CommandLine::Action::Help, {}, {}};
    if (arg == "--version") return {CommandLine::Action::Version, {}, {}};
    if (IsToolkitOption(arg)) {
      if (++i == args.size()) return Refused("option '" + arg + "' needs a value");
      continue;
    }
    const auto command = std::find_if(kCommands.begin(), kCommands.end(),
                                      [&arg](const CommandName& c) { return c.name == arg; });
    if (command != kCommands.end()) {
      if (line.action == CommandLine::Action::Command)
        return Refused("only one command at a time ('" + arg + "' after another)");
      if (args.size() - i - 1 < command->values)
        return Refused("option '" + arg + "' needs " +
                       (command->values == 1 ? std::string("a file name")
                                             : std::string("a date-time (or 'todo') and a message")));
      CommandRequest& r = line.request;
      r.kind = command->kind;
      if (r.kind == CommandRequest::Kind::Add) {
        r.toDo = IsToDoWord(args[i + 1]);
        if (!r.toDo) r.when = args[i + 1];
        r.message = args[i + 2];
      } else if (command->values == 1) {
        r.file = args[i + 1];
        if (r.file.empty()) return Refused("option '" + arg + "' needs a file name");
      }
      i += command->values;
      line.action = CommandLine::Action::Command;
      continue;
    }
    if (!arg.empty() && arg[0] == '-') return Refused("unknown option '" + arg + "'");
    return Refused("unexpected argument '" + arg + "'");
  }
  return line;
}

std::string UsageText(const std::string& program) {
  return "Usage: " + program + " [--help | --version]\n"
         "       " + program + " --add \"yyyy/mm/dd hh:mm\" \"message\"\n"
         "       " + program + " --add todo \"message\"\n"
         "       " + program + " --list | --export FILE.ics | --import FILE.ics\n"
         "\n"
         "Moranote, a desktop reminder: labels with a date and time stand on the\n"
         "desktop as small windows, change colour and sound an alarm when their\n"
         "time comes. The program lives in the notification area.\n"
         "\n"
         "  -h, --help   show this text and exit\n"
         "  --version    show the version and exit\n"
         "\n"
         "Commands for scripts (no window or display needed):\n"
         "  --add \"yyyy/mm/dd hh:mm\" \"message\"   add a label at that date and time\n"
         "  --add todo \"message\"                 add a ToDo label\n"
         "  --list               print every label, one a line: date-time (or ToDo),\n"
         "                       a tab and the message's first line\n"
         "  --export FILE.ics    write every label to an iCalendar file\n"
         "  --import FILE.ics    add the events and to-dos of an iCalendar file;\n"
         "                       prints what came of it in one line\n"
         "Texts are UTF-8. Exit status: 0 done, 1 refused or failed (the reason\n"
         "on standard error), 2 a wrong command line.\n"
         "\n"
         "The toolkit's -platform, -display, -style and -session options, each\n"
         "with its value, are passed on to it.\n"
         "\n"
         "Files: the settings file is Morna.ini beside the program when it can be\n"
         "written there; otherwise it is kept in the user's config folder\n"
         "(~/.config/Moranote/) and the labels in the user's data folder\n"
         "(~/.local/share/Moranote/).\n";
}

// The fields one after the other, each ended by a NUL byte: the kind, the
// ToDo flag, the date-time, the message and the file.
std::string EncodeRequest(const CommandRequest& request) {
  std::string bytes;
  for (const std::string& field :
       {std::to_string(static_cast<int>(request.kind)), std::string(request.toDo ? "1" : "0"),
        request.when, request.message, request.file}) {
    bytes += field;
    bytes += '\0';
  }
  return bytes;
}

std::optional<CommandRequest> DecodeRequest(std::string_view bytes) {
  std::vector<std::string> fields;
  for (std::size_t end; (end = bytes.find('\0')) != std::string_view::npos;
       bytes.remove_prefix(end + 1))
    fields.emplace_back(bytes.substr(0, end));
  if (fields.size() != 5 || !bytes.empty() || fields[0].size() != 1 || fields[1].size() != 1)
    return std::nullopt;
  const int kind = fields[0][0] - '0';
  if (kind < 0 || kind > static_cast<int>(CommandRequest::Kind::Import)) return std::nullopt;
  CommandRequest request;
  request.kind = static_cast<CommandRequest::Kind>(kind);
  request.toDo = fields[1] == "1";
  request.when = std::move(fields[2]);
  request.message = std::move(fields[3]);
  request.file = std::move(fields[4]);
  return request;
}

}  // namespace morna
