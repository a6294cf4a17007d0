#include "ical/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <optional>
#include <stdexcept>

#include "core/sjis.h"

namespace morna::ical {

namespace {

// The C library's converter for one direction, closed when it goes.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("no text converter from ") + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much of `in` as it can, appending to `out`; `in` is left at
  // the first byte it could not convert (empty when all went).
  void Convert(std::string_view& in, std::string& out) {
    char buffer[256];
    while (!in.empty()) {
      char* src = const_cast<char*>(in.data());
      std::size_t srcLeft = in.size();
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      const int err = errno;
      out.append(buffer, sizeof buffer - dstLeft);
      in.remove_prefix(in.size() - srcLeft);
      if (r == static_cast<std::size_t>(-1) && err != E2BIG) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        return;
      }
    }
  }

 private:
  iconv_t cd_;
};

// The code page's name in the C library. Its table is Microsoft's, the same
// as the toolkit's "windows-31j" apart from the three control codes that
// one swaps (1A, 1C, 7F), which never reach a calendar.
constexpr const char* kCodePage = "CP932";


// Characters the C library writes as an ASCII byte that reads back as
// another character (yen sign as backslash, overline as tilde); the
// program's own conversion gives "?" for them, and so does this one.
bool IsAsciiStandIn(char32_t c) { return c == 0x00A5 || c == 0x203E; }

// One UTF-8 character at the front of `s`: its code point and length, or
// nothing when the bytes are no well-formed character.
struct Decoded {
  char32_t c;
  std::size_t length;
};
std::optional<Decoded> DecodeOne(std::string_view s) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  if (b0 < 0x80) return Decoded{b0, 1};
  std::size_t n;
  char32_t c;
  char32_t min;
  if ((b0 & 0xE0) == 0xC0) { n = 2; c = b0 & 0x1F; min = 0x80; }
  else if ((b0 & 0xF0) == 0xE0) { n = 3; c = b0 & 0x0F; min = 0x800; }
  else if ((b0 & 0xF8) == 0xF0) { n = 4; c = b0 & 0x07; min = 0x10000; }
  else return std::nullopt;
  if (s.size() < n) return std::nullopt;
  for (std::size_t i = 1; i < n; ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return Decoded{c, n};
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  Converter conv("UTF-8", kCodePage);
  std::string out;
  out.reserve(sjis.size() * 3 / 2);
  while (!sjis.empty()) {
    conv.Convert(sjis, out);
    if (sjis.empty()) break;
    // A byte of no character (or a lead byte cut off at the end): one
    // replacement character, and on with the next byte.
    AppendUtf8(out, 0xFFFD);
    sjis.remove_prefix(1);
  }
  return out;
}

SjisText Utf8ToSjis(std::string_view utf8) {
  Converter conv(kCodePage, "UTF-8");
  SjisText result;
  result.bytes.reserve(utf8.size());
  std::string one;
  while (!utf8.empty()) {
    const std::optional<Decoded> d = DecodeOne(utf8);
    if (!d) {
      result.bytes += '?';
      ++result.changed;
      utf8.remove_prefix(1);
      continue;
    }
    utf8.remove_prefix(d->length);
    if (d->c < 0x80) {  // ASCII is the same byte in the code page
      result.bytes += static_cast<char>(d->c);
      continue;
    }
    const char32_t mapped = Cp932Form(d->c);
    if (mapped != d->c) ++result.changed;
    one.clear();
    AppendUtf8(one, mapped);
    std::string_view in = one;
    const std::size_t before = result.bytes.size();
    if (!IsAsciiStandIn(mapped)) conv.Convert(in, result.bytes);
    if (IsAsciiStandIn(mapped) || !in.empty()) {
      result.bytes.resize(before);
      result.bytes += '?';
      if (mapped == d->c) ++result.changed;
    }
  }
  return result;
}

bool IsUtf8Text(std::string_view text, std::size_t* badOffset) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::optional<Decoded> d = DecodeOne(text.substr(i));
    if (!d || d->c == 0) {
      if (badOffset != nullptr) *badOffset = i;
      return false;
    }
    i += d->length;
  }
  return true;
}

}  // namespace morna::ical
