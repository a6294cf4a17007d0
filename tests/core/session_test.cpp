#include "core/session.h"

#include <gtest/gtest.h>

namespace morna {
namespace {

using Kind = PlatformChoice::Kind;

TEST(ChoosePlatform, WaylandSessionWithXRunsOnX) {
  // Either sign of Wayland is enough: GNOME and KDE set both, some
  // compositors started by hand only WAYLAND_DISPLAY.
  for (const SessionEnv& env : {SessionEnv{"", "wayland", "wayland-0", ":0", ""},
                               SessionEnv{"", "", "wayland-1", ":1", ""},
                               SessionEnv{"", "wayland", "", ":0", ""}}) {
    const PlatformChoice c = ChoosePlatform(env);
    EXPECT_EQ(c.kind, Kind::X11OnWayland);
    EXPECT_EQ(c.platform, "xcb");
  }
}

TEST(ChoosePlatform, TheUsersPlatformWins) {
  for (const char* given : {"wayland", "xcb", "offscreen"}) {
    const PlatformChoice c = ChoosePlatform({given, "wayland", "wayland-0", ":0", ""});
    EXPECT_EQ(c.kind, Kind::UserChoice);
    EXPECT_EQ(c.platform, "");
  }
  // Even where nothing else would run.
  EXPECT_EQ(ChoosePlatform({"offscreen", "", "", "", ""}).kind, Kind::UserChoice);
  // Named on the command line.
  const PlatformChoice c = ChoosePlatform({"", "wayland", "wayland-0", ":0", "wayland"});
  EXPECT_EQ(c.kind, Kind::UserChoice);
  EXPECT_EQ(c.platform, "");
}

TEST(PlatformOption, TheLastOneCounts) {
  EXPECT_EQ(PlatformOption({}), "");
  EXPECT_EQ(PlatformOption({"-style", "fusion"}), "");
  EXPECT_EQ(PlatformOption({"-platform", "wayland"}), "wayland");
  EXPECT_EQ(PlatformOption({"--platform", "xcb", "-platform", "offscreen", ""}), "offscreen");
  EXPECT_EQ(PlatformOption({"-platform"}), "");  // refused before this is asked
}

TEST(ChoosePlatform, WaylandWithoutXRunsNatively) {
  const PlatformChoice c = ChoosePlatform({"", "wayland", "wayland-0", "", ""});
  EXPECT_EQ(c.kind, Kind::WaylandOnly);
  EXPECT_EQ(c.platform, "wayland");
  EXPECT_EQ(ChoosePlatform({"", "tty", "wayland-0", "", ""}).kind, Kind::WaylandOnly);
}

TEST(ChoosePlatform, XSessionsAndNoDisplay) {
  // An X session keeps the toolkit's choice; a stale "x11" session type
  // with no display at all is no display.
  EXPECT_EQ(ChoosePlatform({"", "x11", "", ":0", ""}).kind, Kind::X11);
  EXPECT_EQ(ChoosePlatform({"", "x11", "", ":0", ""}).platform, "");
  EXPECT_EQ(ChoosePlatform({"", "", "", ":5", ""}).kind, Kind::X11);
  EXPECT_EQ(ChoosePlatform({"", "x11", "", "", ""}).kind, Kind::NoDisplay);
  EXPECT_EQ(ChoosePlatform({"", "", "", "", ""}).kind, Kind::NoDisplay);
  EXPECT_EQ(ChoosePlatform({"", "wayland", "", "", ""}).kind, Kind::NoDisplay);
}

}  // namespace
}  // namespace morna
