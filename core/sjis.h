// Small rules for texts held as Shift-JIS bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morna {

// The first byte of a double-byte Shift-JIS character.
inline bool IsSjisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// At most `limit` bytes of `s`, cut before a double-byte character that
// would not fit whole.
std::string_view CapSjisBytes(std::string_view s, std::size_t limit);

// The text with every CR and LF removed.
std::string WithoutLineBreaks(std::string_view text);

// Input methods on other systems give these symbols in their JIS forms,
// which the code page lacks; it has the same-looking characters under other
// code points, which is what a Windows input method would have typed. Every
// conversion into Shift-JIS maps them so.
constexpr char32_t Cp932Form(char32_t c) {
  switch (c) {
    case 0x301C: return 0xFF5E;  // wave dash
    case 0x2016: return 0x2225;  // double vertical line
    case 0x2212: return 0xFF0D;  // minus sign
    case 0x2014: return 0x2015;  // em dash
    case 0x00A2: return 0xFFE0;  // cent sign
    case 0x00A3: return 0xFFE1;  // pound sign
    case 0x00AC: return 0xFFE2;  // not sign
    default: return c;
  }
}

}  // namespace morna
