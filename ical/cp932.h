// Shift-JIS (code page 932) bytes and UTF-8 text, for the calendar files.
// The mapping is the same as the program's own text conversion: the NEC and
// IBM extension characters and the fullwidth tilde round-trip byte for byte.
#pragma once

#include <string>
#include <string_view>

namespace morna::ical {

// The UTF-8 form of Shift-JIS bytes. A byte that starts no character of the
// code page comes out as U+FFFD.
std::string SjisToUtf8(std::string_view sjis);

struct SjisText {
  std::string bytes;
  int changed = 0;  // characters replaced by a look-alike or by "?"
};

// The Shift-JIS form of UTF-8 text. Characters the code page lacks become
// the code page's look-alike (the JIS wave dash its fullwidth tilde, ...)
// or "?"; a byte that is not UTF-8 becomes "?" as well.
SjisText Utf8ToSjis(std::string_view utf8);

// Whether `text` is whole UTF-8 without NUL characters; `badOffset` tells
// the first byte that is not.
bool IsUtf8Text(std::string_view text, std::size_t* badOffset = nullptr);

}  // namespace morna::ical
