// Text typed into the windows as the Shift-JIS bytes the files keep.
#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>
#include <string>

#include "core/sjis.h"
#include "ui/codec.h"
#include "ui/sjis/sjistable.h"

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

TEST(CodecTest, TablesReadAndWriteEveryCodeAsTheToolkitsConverter) {
  // The program converts through tables of its own, written at build time;
  // every byte, byte pair and character must come out as the toolkit's
  // converter gives it.
  // A converter of its own for each text: the toolkit's cannot be reset.
  bool failed = false;
  auto viaCodePage = [&](const std::string& bytes) {
    QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(QByteArray::fromStdString(bytes));
    failed = decoder.hasError();
    return text;
  };
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(FromSjis(one), viaCodePage(one)) << b;
  }
  int pairs = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0; trail < 256; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const QString expected = viaCodePage(pair);
      EXPECT_EQ(FromSjis(pair), expected) << lead << " " << trail;
      // Every pair the converter reads is in the tables.
      std::u16string fromTable;
      if (!failed && IsSjisLeadByte(static_cast<unsigned char>(lead))) {
        ++pairs;
        EXPECT_TRUE(DecodeSjisTable(pair, fromTable)) << lead << " " << trail;
      }
    }
  }
  // JIS X 0208 with the NEC and IBM extensions and the user-defined area.
  EXPECT_EQ(pairs, 9604);

  // Writing: each character alone as the converter writes it, "?" where it
  // has no form; the JIS forms of seven symbols as their look-alikes.
  for (char32_t u = 0x80; u < 0x10000; ++u) {
    // Surrogates have no form alone; a byte-order mark is dropped (below).
    if ((u >= 0xD800 && u <= 0xDFFF) || u == 0xFEFF) continue;
    const char16_t c = static_cast<char16_t>(Cp932Form(u));
    QStringEncoder encoder("windows-31j", QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(QStringView(&c, 1));
    const std::string expected = encoder.hasError() ? "?" : bytes.toStdString();
    const QString text(QChar(static_cast<char16_t>(u)));
    ASSERT_EQ(ToSjis(text), expected) << std::hex << static_cast<unsigned>(u);
    ASSERT_EQ(FitsSjis(text), !encoder.hasError()) << std::hex << static_cast<unsigned>(u);
  }
  EXPECT_EQ(ToSjis(QStringLiteral("a\uFEFFb")), "ab");
}

}  // namespace
}  // namespace morna::ui
