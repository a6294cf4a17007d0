#include "core/cmdline.h"

#include <gtest/gtest.h>

namespace morna {
namespace {

using Action = CommandLine::Action;

TEST(ParseCommandLine, HelpAndVersionAnswerWhateverFollows) {
  EXPECT_EQ(ParseCommandLine({}).action, Action::Run);
  EXPECT_EQ(ParseCommandLine({"--help"}).action, Action::Help);
  EXPECT_EQ(ParseCommandLine({"-h", "extra"}).action, Action::Help);
  EXPECT_EQ(ParseCommandLine({"--version"}).action, Action::Version);
  EXPECT_EQ(ParseCommandLine({"-platform", "xcb", "--version"}).action, Action::Version);
}

TEST(ParseCommandLine, ToolkitOptionsNeedTheirValue) {
  EXPECT_EQ(ParseCommandLine({"-platform", "offscreen"}).action, Action::Run);
  EXPECT_EQ(ParseCommandLine({"--display", ":1", "-style", "fusion"}).action, Action::Run);
  // The value is taken as it stands, even when it looks like an option.
  EXPECT_EQ(ParseCommandLine({"-session", "-x"}).action, Action::Run);

  const CommandLine missing = ParseCommandLine({"-platform"});
  EXPECT_EQ(missing.action, Action::Error);
  EXPECT_EQ(missing.error, "option '-platform' needs a value");
}

TEST(ParseCommandLine, AnythingElseIsRefusedByName) {
  const CommandLine unknown = ParseCommandLine({"--verbose"});
  EXPECT_EQ(unknown.action, Action::Error);
  EXPECT_EQ(unknown.error, "unknown option '--verbose'");
  // An option-like word of the toolkit that is not passed on.
  EXPECT_EQ(ParseCommandLine({"-reverse"}).error, "unknown option '-reverse'");
  EXPECT_EQ(ParseCommandLine({"--version=1"}).action, Action::Error);
  EXPECT_EQ(ParseCommandLine({"labels.dat"}).error, "unexpected argument 'labels.dat'");
  EXPECT_EQ(ParseCommandLine({""}).action, Action::Error);
  EXPECT_EQ(ParseCommandLine({"-"}).action, Action::Error);
  // The first fault is reported, before a later --help.
  EXPECT_EQ(ParseCommandLine({"-x", "--help"}).action, Action::Error);
}

}  // namespace
}  // namespace morna
