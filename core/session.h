// Which windowing platform the toolkit is to run on, chosen from the
// session's environment before the application object is made.
//
// The label windows must stand at the places the settings give them, which
// only X lets a client decide. A Wayland session nearly always offers X as
// well (XWayland, with DISPLAY set); there the program runs on X. A platform
// the user named in QT_QPA_PLATFORM is always taken as given.
#pragma once

#include <string>
#include <vector>

namespace morna {

// The environment variables that decide it; an unset variable is empty.
struct SessionEnv {
  std::string qpaPlatform;     // QT_QPA_PLATFORM
  std::string sessionType;     // XDG_SESSION_TYPE
  std::string waylandDisplay;  // WAYLAND_DISPLAY
  std::string x11Display;      // DISPLAY
  // A platform named on the command line ("-platform NAME"): the user's
  // choice as much as QT_QPA_PLATFORM.
  std::string platformOption;
};

struct PlatformChoice {
  enum class Kind {
    UserChoice,   // QT_QPA_PLATFORM or -platform is given: left alone
    X11,          // an X session: the toolkit's own choice is X
    X11OnWayland, // a Wayland session with X beside it: run on X
    WaylandOnly,  // Wayland and no X: run natively, windows cannot be placed
    NoDisplay,    // neither: a desktop program cannot run
  };
  Kind kind = Kind::NoDisplay;
  // The platform to hand to the toolkit; empty: leave its own choice.
  std::string platform;
};

PlatformChoice ChoosePlatform(const SessionEnv& env);

// The value of the last "-platform" or "--platform" option in `args` (the
// arguments after the program name), or empty.
std::string PlatformOption(const std::vector<std::string>& args);

}  // namespace morna
