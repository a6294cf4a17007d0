#include "core/cmdline.h"

#include <array>
#include <string_view>

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

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return {CommandLine::Action::Help, {}};
    if (arg == "--version") return {CommandLine::Action::Version, {}};
    if (IsToolkitOption(arg)) {
      if (++i == args.size())
        return {CommandLine::Action::Error, "option '" + arg + "' needs a value"};
      continue;
    }
    if (!arg.empty() && arg[0] == '-')
      return {CommandLine::Action::Error, "unknown option '" + arg + "'"};
    return {CommandLine::Action::Error, "unexpected argument '" + arg + "'"};
  }
  return {};
}

std::string UsageText(const std::string& program) {
  return "Usage: " + program + " [--help | --version]\n"
         "\n"
         "Moranote, a desktop reminder: labels with a date and time stand on the\n"
         "desktop as small windows, change colour and sound an alarm when their\n"
         "time comes. The program lives in the notification area.\n"
         "\n"
         "  -h, --help   show this text and exit\n"
         "  --version    show the version and exit\n"
         "\n"
         "The toolkit's -platform, -display, -style and -session options, each\n"
         "with its value, are passed on to it.\n"
         "\n"
         "Files: the settings file is Morna.ini beside the program when it can be\n"
         "written there; otherwise it is kept in the user's config folder\n"
         "(~/.config/Moranote/) and the labels in the user's data folder\n"
         "(~/.local/share/Moranote/).\n";
}

}  // namespace morna
