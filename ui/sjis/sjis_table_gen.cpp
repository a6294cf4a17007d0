// Writes the Shift-JIS tables (ui/sjis/sjistable.h) as a C++ source file by
// asking the toolkit's converter for windows-31j about every byte, every
// byte pair and every character: usage morna_sjis_table OUT.cpp
#include <QStringDecoder>
#include <QStringEncoder>
#include <cstdio>

namespace {

constexpr const char* kCodec = "windows-31j";
constexpr unsigned kNone = 0xFFFF;

// The one UTF-16 unit `bytes` read as, or kNone.
unsigned Decode(const QByteArray& bytes) {
  QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
  const QString text = decoder.decode(bytes);
  if (decoder.hasError() || text.size() != 1) return kNone;
  return text.at(0).unicode();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.cpp\n", argv[0]);
    return 2;
  }
  if (!QStringDecoder(kCodec).isValid()) {
    std::fprintf(stderr, "morna_sjis_table: the toolkit has no %s converter\n", kCodec);
    return 1;
  }
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) {
    std::fprintf(stderr, "morna_sjis_table: cannot write %s\n", argv[1]);
    return 1;
  }
  std::fprintf(out, "// Written by morna_sjis_table; do not edit.\n#include \"ui/sjis/sjistable.h\"\n\n"
                    "namespace morna::ui {\n\nconst char16_t kSjisSingle[256] = {");
  for (int b = 0; b < 256; ++b)
    std::fprintf(out, "%s0x%04x,", b % 8 ? "" : "\n", Decode(QByteArray(1, char(b))));
  std::fprintf(out, "};\n\nconst char16_t kSjisDouble[kSjisLeadRows][256] = {");
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    std::fprintf(out, "\n{");
    for (int trail = 0; trail < 256; ++trail) {
      const char pair[2] = {char(lead), char(trail)};
      std::fprintf(out, "%s0x%04x,", trail % 8 ? "" : "\n", Decode(QByteArray(pair, 2)));
    }
    std::fprintf(out, "},");
  }
  std::fprintf(out, "};\n\nconst SjisForm kSjisForms[] = {");
  int count = 0;
  for (unsigned u = 0; u < 0x10000; ++u) {
    if (u >= 0xD800 && u <= 0xDFFF) continue;  // surrogates have no form alone
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(QString(QChar(char16_t(u))));
    if (encoder.hasError() || bytes.isEmpty() || bytes.size() > 2) continue;
    const unsigned value = bytes.size() == 1 ? static_cast<unsigned char>(bytes[0])
                                             : static_cast<unsigned char>(bytes[0]) << 8 |
                                                   static_cast<unsigned char>(bytes[1]);
    std::fprintf(out, "%s{0x%04x,0x%04x},", count++ % 4 ? "" : "\n", u, value);
  }
  std::fprintf(out, "};\n\nconst std::size_t kSjisFormCount = %d;\n\n}  // namespace morna::ui\n", count);
  return std::fclose(out) == 0 ? 0 : 1;
}
