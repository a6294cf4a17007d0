#include "core/session.h"

namespace morna {

PlatformChoice ChoosePlatform(const SessionEnv& env) {
  using Kind = PlatformChoice::Kind;
  if (!env.qpaPlatform.empty() || !env.platformOption.empty()) return {Kind::UserChoice, ""};
  const bool wayland = env.sessionType == "wayland" || !env.waylandDisplay.empty();
  const bool x11 = !env.x11Display.empty();
  if (wayland && x11) return {Kind::X11OnWayland, "xcb"};
  // Named, so that the toolkit does not try X first and give up. A session
  // type left over without a compositor to reach (a terminal login) is no
  // display.
  if (!env.waylandDisplay.empty()) return {Kind::WaylandOnly, "wayland"};
  if (x11) return {Kind::X11, ""};
  return {Kind::NoDisplay, ""};
}

std::string PlatformOption(const std::vector<std::string>& args) {
  std::string value;
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == "-platform" || args[i] == "--platform") value = args[++i];
  }
  return value;
}

}  // namespace morna
