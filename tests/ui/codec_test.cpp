// Text typed into the windows as the Shift-JIS bytes the files keep.
#include <gtest/gtest.h>

#include <QStringDecoder>
#include <string>

#include "ui/codec.h"

namespace morna::ui {
namespace {

TEST(CodecTest, JisFormsOfSymbolsBecomeTheCodePagesOwn) {
  // Input methods on other systems give the wave dash, minus and the like
  // in their JIS forms; they are stored as the characters that look the same.
  EXPECT_EQ(ToSjis(QStringLiteral("10時〜12時")), "10\x8E\x9E\x81\x60" "12\x8E\x9E");
  EXPECT_EQ(ToSjis(QString(QChar(0x2212))), "\x81\x7C");
  EXPECT_EQ(ToSjis(QString(QChar(0x2016))), "\x81\x61");
  EXPECT_EQ(ToSjis(QString(QChar(0x2014))), "\x81\x5C");
  EXPECT_EQ(ToSjis(QString(QChar(0x00A2)) + QChar(0x00A3) + QChar(0x00AC)),
            "\x81\x91\x81\x92\x81\xCA");
  EXPECT_EQ(FromSjis(ToSjis(QStringLiteral("〜"))), QStringLiteral("～"));
}

TEST(CodecTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(ToSjis(QStringLiteral("a😀b")), "a?b");
  EXPECT_EQ(ToSjis(QStringLiteral("café")), "caf?");
  // Everything the code page holds passes unchanged.
  EXPECT_EQ(ToSjis(QStringLiteral("あ～ｱ①")), "\x82\xA0\x81\x60\xB1\x87\x40");
  EXPECT_EQ(FromSjis(ToSjis(QStringLiteral("あ～ｱ①"))), QStringLiteral("あ～ｱ①"));
}

TEST(CodecTest, AsciiTextsNeedNoConverterAndConvertAsTheCodePageDoes) {
  std::string ascii;
  for (int c = 0; c < 0x80; ++c) ascii.push_back(static_cast<char>(c));
  QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
  const QString viaCodePage = decoder.decode(QByteArray::fromStdString(ascii));
  EXPECT_EQ(FromSjis(ascii), viaCodePage);
  EXPECT_EQ(ToSjis(viaCodePage), ascii);
  // A text with one byte beyond ASCII still goes through the code page.
  EXPECT_EQ(FromSjis("\\\x82\xA0~"), QStringLiteral("\\あ~"));
}

}  // namespace
}  // namespace morna::ui
