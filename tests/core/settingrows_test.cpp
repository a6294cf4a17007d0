#include "core/settingrows.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace morna {
namespace {

TEST(SettingRows, EachKeyOnceAndWrittenOnce) {
  std::set<std::string> keys, written;
  for (const SettingRow& r : SettingRows())
    EXPECT_TRUE(keys.insert(std::string(r.section) + "/" + r.key).second) << r.section << "/" << r.key;
  for (const SettingRow* r : SettingRowsInWriteOrder())
    EXPECT_TRUE(written.insert(std::string(r->section) + "/" + r->key).second) << r->key;
  EXPECT_EQ(written, keys);
  EXPECT_EQ(keys.size(), 72u);  // 70 keys, two holiday lists
}

TEST(SettingRows, EveryDialogRowNamesOneFieldAndItsControl) {
  for (const SettingRow& r : SettingRows()) {
    if (r.rule == FormRule::None) continue;
    const int fields = (r.field.text ? 1 : 0) + (r.field.flag ? 1 : 0) + (r.field.radio ? 1 : 0) +
                       (r.field.color ? 1 : 0);
    EXPECT_EQ(fields, 1) << r.key;
    ASSERT_NE(r.control, nullptr) << r.key;
    if (r.rule == FormRule::Swatch) {
      EXPECT_NE(r.own, nullptr) << r.key;
    }
  }
}

}  // namespace
}  // namespace morna
