#include "platform/legacy_text.h"

#include "platform/program_folder.h"
#include "platform/regular_file.h"

#include <QStringDecoder>

namespace zelvora {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString fromWindows1252(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    text.append(b >= 0x80 && b < 0xA0 ? QChar(kCp1252High[b - 0x80]) : QChar(b));
  }
  return text;
}

}  // namespace

std::optional<QString> ReadLegacyText(const QString& path) {
  const auto bytes = ReadRegularFile(NativePath(path));
  if (!bytes) return std::nullopt;
  return DecodeLegacyText(*bytes);
}

QString DecodeLegacyText(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) return fromWindows1252(bytes);
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  return text;
}

QStringList SplitLines(const QString& text) {
  QString normalized = text;
  normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QStringList lines = normalized.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace zelvora
