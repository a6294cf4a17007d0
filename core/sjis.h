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

}  // namespace morna
