#include "core/alarmreport.h"

#include <gtest/gtest.h>

namespace morna {
namespace {

constexpr AlarmOutcome kPlayed{};
constexpr AlarmOutcome kFileFails{true, false};
constexpr AlarmOutcome kNoOutput{false, true};
constexpr AlarmTell kNothing{};
constexpr AlarmTell kFile{true, false};
constexpr AlarmTell kOutput{false, true};

TEST(AlarmReports, AFailingFileIsToldOncePerChangeOfTheSetting) {
  AlarmReports r;
  EXPECT_EQ(r.After("gone.wav", kFileFails), kFile);
  r.Closed(kFile);
  // Every later minute, and a second alarm in the same minute: quiet.
  EXPECT_EQ(r.After("gone.wav", kFileFails), kNothing);
  EXPECT_EQ(r.After("gone.wav", kFileFails), kNothing);
  // Another file that fails too is told, and so is the first one chosen again.
  EXPECT_EQ(r.After("other.wav", kFileFails), kFile);
  r.Closed(kFile);
  EXPECT_EQ(r.After("gone.wav", kFileFails), kFile);
  r.Closed(kFile);
  // A file that played and then went missing is told again.
  EXPECT_EQ(r.After("gone.wav", kPlayed), kNothing);
  EXPECT_EQ(r.After("gone.wav", kFileFails), kFile);
}

TEST(AlarmReports, NoOutputIsToldOnceUntilASoundPlays) {
  AlarmReports r;
  EXPECT_EQ(r.After("", kNoOutput), kOutput);
  r.Closed(kOutput);
  EXPECT_EQ(r.After("", kNoOutput), kNothing);
  EXPECT_EQ(r.After("bell.wav", kNoOutput), kNothing);  // still the same device
  EXPECT_EQ(r.After("bell.wav", kPlayed), kNothing);
  EXPECT_EQ(r.After("bell.wav", kNoOutput), kOutput);
}

TEST(AlarmReports, BothCausesAtOnceAndNoSecondReportWhileOneIsOpen) {
  AlarmReports r;
  EXPECT_EQ(r.After("gone.wav", (AlarmOutcome{true, true})), (AlarmTell{true, true}));
  // Still open: the output came back and went again, the setting changed
  // and back; nothing stacks up until the reports are closed.
  EXPECT_EQ(r.After("gone.wav", kPlayed), kNothing);
  EXPECT_EQ(r.After("new.wav", (AlarmOutcome{true, true})), kNothing);
  r.Closed(kFile);
  EXPECT_EQ(r.After("other.wav", kFileFails), kFile);
  EXPECT_EQ(r.After("other.wav", kPlayed), kNothing);
  EXPECT_EQ(r.After("other.wav", kNoOutput), kNothing);  // its report is still open
  r.Closed(kOutput);
  EXPECT_EQ(r.After("other.wav", kPlayed), kNothing);
  EXPECT_EQ(r.After("other.wav", kNoOutput), kOutput);
}

}  // namespace
}  // namespace morna
