#include "ui/codec.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace morna::ui {

namespace {
constexpr const char* kCodec = "windows-31j";
}

QString FromSjis(std::string_view bytes) {
  QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string ToSjis(const QString& text) {
  QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
  const QByteArray bytes = encoder.encode(text);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
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

std::string NativePath(std::string_view sjisName) {
  const QByteArray local = QFile::encodeName(FromSjis(sjisName));
  return std::string(local.constData(), static_cast<std::size_t>(local.size()));
}

}  // namespace morna::ui
