#include "core/desktopentry.h"

namespace morna {

namespace {

// Characters that make an Exec argument need quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// The escapes of every string value in a desktop entry.
std::string EscapeValue(std::string_view value) {
  std::string out;
  for (char c : value) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string DesktopExecArg(std::string_view arg) {
  const bool quote = arg.empty() || arg.find_first_of(kReserved) != std::string_view::npos;
  // The Exec line's own quoting first; the string escapes come on top.
  std::string exec;
  if (quote) exec += '"';
  for (char c : arg) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) exec += '\\';
    exec += c;
    if (c == '%') exec += '%';
  }
  if (quote) exec += '"';
  return EscapeValue(exec);
}

std::string AutostartEntryText(std::string_view exePath, std::string_view iconName) {
  std::string text = "[Desktop Entry]\nType=Application\nName=Moranote\n";
  text += "Comment=Desktop reminder: labels that stand on the desktop and sound an alarm\n";
  text += "Exec=" + DesktopExecArg(exePath) + "\n";
  // Skipped without a word once the program has been removed.
  text += "TryExec=" + EscapeValue(exePath) + "\n";
  text += "Icon=" + std::string(iconName) + "\n";
  text += "Terminal=false\nX-GNOME-Autostart-enabled=true\n";
  return text;
}

bool AutostartEntryActive(std::string_view text) {
  bool inMainGroup = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.front() == '[') {
      inMainGroup = line == "[Desktop Entry]";
      continue;
    }
    const std::size_t eq = line.find('=');
    if (!inMainGroup || eq == std::string_view::npos) continue;
    if (Trim(line.substr(0, eq)) == "Hidden" && Trim(line.substr(eq + 1)) == "true") return false;
  }
  return true;
}

}  // namespace morna
