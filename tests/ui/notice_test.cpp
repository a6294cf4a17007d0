// What the user is told about settings that could not be used.
#include <gtest/gtest.h>

#include "ui/notice.h"

namespace morna::ui::testing {
namespace {

TEST(RefusedSettingsNotice, NamesTheFileTheKeyAndWhatIsUsedInstead) {
  Settings s;
  EXPECT_TRUE(RefusedSettingsNoticeText(s, "/home/u/Morna.ini").isEmpty());

  s.Refused = {{"FILE", "FileName", "Dpstitdt.dat"}, {"FILE", "WaveFileName", ""}};
  EXPECT_EQ(RefusedSettingsNoticeText(s, "/home/u/Morna.ini"),
            QStringLiteral("設定ファイル /home/u/Morna.ini の [FILE] FileName は長すぎる（1023 バイトを超える）"
                           "ため使いません。ラベルは Dpstitdt.dat に保存します。"
                           "設定ファイルのこの行は、設定画面で変えるまで書き換えません。\n\n"
                           "設定ファイル /home/u/Morna.ini の [FILE] WaveFileName は長すぎる（1023 バイトを超える）"
                           "ため使いません。アラームには内蔵の音を鳴らします。"
                           "設定ファイルのこの行は、設定画面で変えるまで書き換えません。"));
}

}  // namespace
}  // namespace morna::ui::testing
