#include "ui/codec.h"

#include <QFile>
#include <QStringDecoder>

#include "core/sjis.h"
#include "ui/sjis/sjistable.h"

namespace morna::ui {

namespace {
constexpr const char* kCodec = "windows-31j";

// ASCII bytes are the same characters in the code page (backslash and tilde
// included, as windows-31j maps them), so most texts -- dates, times, the
// English captions -- need no table at all. Other texts go through the
// tables of ui/sjis; only bytes they do not hold open the toolkit's
// converter, whose tables are large. The code page swaps three control
// codes (1A, 1C, 7F): texts holding them go through the tables.
bool SameAsLatin1(char16_t c) { return c < 0x7F && c != 0x1A && c != 0x1C; }

bool IsPlainAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (!SameAsLatin1(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool IsPlainAscii(const QString& text) {
  for (const QChar c : text) {
    if (!SameAsLatin1(c.unicode())) return false;
  }
  return true;
}

// The text with each character that has a code-page look-alike replaced by
// it, as the code page's own converter expects them.
QString Cp932Mapped(const QString& text) {
  QString mapped;
  mapped.reserve(text.size());
  for (const char32_t c : text.toUcs4()) {
    const char32_t m = Cp932Form(c);
    mapped += QString::fromUcs4(&m, 1);
  }
  return mapped;
}

}  // namespace

QString FromSjis(std::string_view bytes) {
  if (IsPlainAscii(bytes))
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  std::u16string text;
  if (DecodeSjisTable(bytes, text)) return QString::fromStdU16String(text);
  QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string ToSjis(const QString& text) {
  if (IsPlainAscii(text)) {
    const QByteArray latin = text.toLatin1();
    return std::string(latin.constData(), static_cast<std::size_t>(latin.size()));
  }
  const QString mapped = Cp932Mapped(text);
  std::string bytes;
  if (EncodeSjisTable(mapped.toStdU16String(), bytes)) return bytes;
  // A character outside the code page would come out as a byte pair that
  // reads back as no character at all; it is kept as "?" instead.
  bytes.clear();
  for (const char32_t c : mapped.toUcs4()) {
    std::string one;
    const bool fits = c <= 0xFFFF && EncodeSjisTable(std::u16string(1, char16_t(c)), one);
    bytes += fits ? one : std::string("?");
  }
  return bytes;
}

bool FitsSjis(const QString& text) {
  std::string bytes;
  return IsPlainAscii(text) || EncodeSjisTable(Cp932Mapped(text).toStdU16String(), bytes);
}

QStringList FromSjisLines(const std::vector<std::string>& lines) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(lines.size()));
  for (const auto& line : lines) out << FromSjis(line);
  return out;
}

QColor ToQColor(WinColor c) {
  const auto v = static_cast<std::uint32_t>(c);
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF));
}

WinColor FromQColor(const QColor& c) {
  return static_cast<WinColor>(static_cast<std::uint32_t>(c.red()) |
                               static_cast<std::uint32_t>(c.green()) << 8 |
                               static_cast<std::uint32_t>(c.blue()) << 16);
}

std::string NativePath(std::string_view sjisName) {
#ifdef Q_OS_WIN
  // The core opens files with the narrow ANSI functions: the system's code
  // page, which on a Japanese system is Shift-JIS itself.
  const QByteArray local = FromSjis(sjisName).toLocal8Bit();
#else
  const QByteArray local = QFile::encodeName(FromSjis(sjisName));
#endif
  return std::string(local.constData(), static_cast<std::size_t>(local.size()));
}

}  // namespace morna::ui
