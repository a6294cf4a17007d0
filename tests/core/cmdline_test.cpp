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

TEST(ParseCommandLine, CommandsTakeTheirValues) {
  const CommandLine add = ParseCommandLine({"--add", "2030/06/15 09:00", "会議\n資料"});
  ASSERT_EQ(add.action, Action::Command);
  EXPECT_EQ(add.request.kind, CommandRequest::Kind::Add);
  EXPECT_FALSE(add.request.toDo);
  EXPECT_EQ(add.request.when, "2030/06/15 09:00");
  EXPECT_EQ(add.request.message, "会議\n資料");

  for (const char* word : {"todo", "ToDo", "TODO"}) {
    const CommandLine todo = ParseCommandLine({"--add", word, "buy milk"});
    EXPECT_TRUE(todo.request.toDo) << word;
    EXPECT_EQ(todo.request.when, "");
  }
  // A message that looks like an option is still the message.
  EXPECT_EQ(ParseCommandLine({"--add", "todo", "--list"}).request.message, "--list");

  EXPECT_EQ(ParseCommandLine({"--list"}).request.kind, CommandRequest::Kind::List);
  const CommandLine out = ParseCommandLine({"-platform", "xcb", "--export", "a.ics"});
  EXPECT_EQ(out.request.kind, CommandRequest::Kind::Export);
  EXPECT_EQ(out.request.file, "a.ics");
  EXPECT_EQ(ParseCommandLine({"--import", "b.ics"}).request.kind, CommandRequest::Kind::Import);
}

TEST(ParseCommandLine, CommandsMissingValuesOrTwoCommandsAreRefused) {
  EXPECT_EQ(ParseCommandLine({"--add", "todo"}).error,
            "option '--add' needs a date-time (or 'todo') and a message");
  EXPECT_EQ(ParseCommandLine({"--export"}).error, "option '--export' needs a file name");
  EXPECT_EQ(ParseCommandLine({"--import", ""}).action, Action::Error);
  EXPECT_EQ(ParseCommandLine({"--list", "--list"}).action, Action::Error);
  EXPECT_EQ(ParseCommandLine({"--list", "extra"}).error, "unexpected argument 'extra'");
}

// A request handed to the running program comes out as it went in, and
// bytes that are no request are refused.
TEST(CommandRequestBytes, RoundTripAndRefuseDamage) {
  CommandRequest r;
  r.kind = CommandRequest::Kind::Add;
  r.toDo = true;
  r.when = "2090/05/06 10:00";
  r.message = "two\nlines \xe2\x91\xa0";
  r.file = "";
  const std::optional<CommandRequest> back = DecodeRequest(EncodeRequest(r));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->kind, r.kind);
  EXPECT_TRUE(back->toDo);
  EXPECT_EQ(back->when, r.when);
  EXPECT_EQ(back->message, r.message);
  for (const std::string& bad : {std::string(""), std::string("9\0\0\0\0\0", 6),
                                std::string("0\0" "0\0\0\0", 6), EncodeRequest(r) + "x"})
    EXPECT_FALSE(DecodeRequest(bad)) << bad;
}

}  // namespace
}  // namespace morna
