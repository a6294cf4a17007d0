#include "core/language.h"

#include <gtest/gtest.h>

namespace morna {
namespace {

TEST(ChooseLanguage, FollowsTheFirstInterfaceLanguageOnly) {
  EXPECT_EQ(ChooseLanguage({"ja-JP", "ja"}, ""), UiLanguage::Japanese);
  EXPECT_EQ(ChooseLanguage({"ja_JP.UTF-8"}, ""), UiLanguage::Japanese);
  EXPECT_EQ(ChooseLanguage({"en-US", "en"}, ""), UiLanguage::English);
  // A language without a translation of its own reads English, even when
  // Japanese comes later in the list.
  EXPECT_EQ(ChooseLanguage({"de-DE", "ja-JP"}, ""), UiLanguage::English);
  EXPECT_EQ(ChooseLanguage({"C"}, ""), UiLanguage::English);
  EXPECT_EQ(ChooseLanguage({}, ""), UiLanguage::English);
}

TEST(ChooseLanguage, TheSettingOverridesTheSystem) {
  EXPECT_EQ(ChooseLanguage({"de-DE"}, "ja"), UiLanguage::Japanese);
  EXPECT_EQ(ChooseLanguage({"ja-JP"}, "en"), UiLanguage::English);
  EXPECT_EQ(ChooseLanguage({"ja-JP"}, "EN_us"), UiLanguage::English);
  // An empty or unknown value follows the system.
  EXPECT_EQ(ChooseLanguage({"ja-JP"}, "fr"), UiLanguage::Japanese);
  EXPECT_EQ(ChooseLanguage({"ja-JP"}, "jp"), UiLanguage::Japanese);
  EXPECT_EQ(ChooseLanguage({"en-GB"}, "jpn"), UiLanguage::English);
}

}  // namespace
}  // namespace morna
