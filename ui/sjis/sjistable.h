// Shift-JIS (Windows code page 932) as the toolkit's converter reads and
// writes it, from tables written at build time by asking that converter
// about every code (morna_sjis_table). The converter's own tables cost more
// than a megabyte of memory once opened; these serve every valid text, and
// the converter is left for what they do not hold (damaged bytes,
// characters without a Shift-JIS form), so that results stay the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace morna::ui {

inline constexpr char16_t kSjisNone = 0xFFFF;  // no character

// Each byte alone; kSjisNone for a lead byte or a byte without a character.
extern const char16_t kSjisSingle[256];
// The first byte of a pair: 0x81-0x9F as rows 0-30, 0xE0-0xFC as 31-59.
inline constexpr int kSjisLeadRows = 60;
extern const char16_t kSjisDouble[kSjisLeadRows][256];
// A character's bytes (one byte as 0x00XX, a pair as lead << 8 | trail),
// ordered by the character.
struct SjisForm {
  char16_t unicode;
  std::uint16_t bytes;
};
extern const SjisForm kSjisForms[];
extern const std::size_t kSjisFormCount;

// The text of `bytes`, false where they hold what the tables do not.
bool DecodeSjisTable(std::string_view bytes, std::u16string& out);
// The bytes of `text`, false where it holds a character the tables do not.
bool EncodeSjisTable(std::u16string_view text, std::string& out);

}  // namespace morna::ui
