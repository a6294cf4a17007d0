#include "core/desktopentry.h"

#include <gtest/gtest.h>

namespace morna {
namespace {

TEST(DesktopExecArg, QuotesAndEscapesOnlyWhatNeedsIt) {
  EXPECT_EQ(DesktopExecArg("/usr/bin/Morna"), "/usr/bin/Morna");
  EXPECT_EQ(DesktopExecArg("/home/u/My Tools/Morna"), "\"/home/u/My Tools/Morna\"");
  // '%' would start a field code.
  EXPECT_EQ(DesktopExecArg("/opt/100%/Morna"), "/opt/100%%/Morna");
  // Inside quotes " ` $ \ take a backslash, and every backslash is then
  // escaped once more as a string value.
  EXPECT_EQ(DesktopExecArg("/a \"b\"/$x`y`"), "\"/a \\\\\"b\\\\\"/\\\\$x\\\\`y\\\\`\"");
  EXPECT_EQ(DesktopExecArg("/a\\b"), "\"/a\\\\\\\\b\"");
  // A line break cannot end the Exec line early.
  EXPECT_EQ(DesktopExecArg("/a\nb"), "\"/a\\nb\"");
  EXPECT_EQ(DesktopExecArg("/opt/モラノート/Morna"), "/opt/モラノート/Morna");
}

TEST(AutostartEntryText, StartsTheGivenExecutable) {
  const std::string text = AutostartEntryText("/home/u/My Tools/Morna", "io.example.Icon");
  EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
  EXPECT_NE(text.find("\nExec=\"/home/u/My Tools/Morna\"\n"), std::string::npos);
  EXPECT_NE(text.find("\nTryExec=/home/u/My Tools/Morna\n"), std::string::npos);
  EXPECT_NE(text.find("\nIcon=io.example.Icon\n"), std::string::npos);
  EXPECT_TRUE(AutostartEntryActive(text));
}

TEST(AutostartEntryActive, HiddenInTheMainGroupSwitchesItOff) {
  EXPECT_FALSE(AutostartEntryActive("[Desktop Entry]\nExec=x\nHidden=true\n"));
  EXPECT_FALSE(AutostartEntryActive("[Desktop Entry]\r\nHidden = true \r\n"));
  EXPECT_TRUE(AutostartEntryActive("[Desktop Entry]\nHidden=false\n"));
  EXPECT_TRUE(AutostartEntryActive("[Desktop Entry]\nX-Hidden=true\n"));
  EXPECT_TRUE(AutostartEntryActive("[Desktop Action x]\nHidden=true\n"));
  EXPECT_TRUE(AutostartEntryActive(""));
}

}  // namespace
}  // namespace morna
