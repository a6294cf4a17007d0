#include "ui/sjis/sjistable.h"

#include <algorithm>

#include "core/sjis.h"

namespace morna::ui {

namespace {

int LeadRow(unsigned char b) {
  if (!IsSjisLeadByte(b)) return -1;
  return b <= 0x9F ? b - 0x81 : b - 0xE0 + 31;
}

}  // namespace

bool DecodeSjisTable(std::string_view bytes, std::u16string& out) {
  out.clear();
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (kSjisSingle[b] != kSjisNone) {
      out += kSjisSingle[b];
      continue;
    }
    const int row = LeadRow(b);
    if (row < 0 || i + 1 == bytes.size()) return false;
    const char16_t c = kSjisDouble[row][static_cast<unsigned char>(bytes[i + 1])];
    if (c == kSjisNone) return false;
    out += c;
    ++i;
  }
  return true;
}

bool EncodeSjisTable(std::u16string_view text, std::string& out) {
  out.clear();
  out.reserve(text.size() * 2);
  const SjisForm* const end = kSjisForms + kSjisFormCount;
  for (const char16_t c : text) {
    const SjisForm* f = std::lower_bound(
        kSjisForms, end, c, [](const SjisForm& form, char16_t u) { return form.unicode < u; });
    if (f == end || f->unicode != c) return false;
    if (f->bytes > 0xFF) out += static_cast<char>(f->bytes >> 8);
    out += static_cast<char>(f->bytes & 0xFF);
  }
  return true;
}

}  // namespace morna::ui
