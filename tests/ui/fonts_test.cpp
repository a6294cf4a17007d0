#include "ui/fonts.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>

namespace morna::ui {
namespace {

// The Japanese design fonts show as the IPA fonts the packages install.
TEST(FontsTest, MissingWindowsFontsShowAsTheirInstalledStandIns) {
  InstallFontStandIns();
  const struct {
    const char* design;
    const char* standIn;
  } cases[] = {{"ＭＳ明朝", "IPAMincho"}, {"ＭＳ 明朝", "IPAMincho"},
               {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ ゴシック", "IPAGothic"}};
  for (const auto& c : cases) {
    QFont f(QString::fromUtf8(c.design));
    f.setPixelSize(13);
    EXPECT_EQ(QFontInfo(f).family().toStdString(), c.standIn) << c.design;
    EXPECT_EQ(f.family().toStdString(), c.design);  // the name asked for stays
  }
}

}  // namespace
}  // namespace morna::ui
