#include "receiver/setting_values.h"

#include <QRegularExpression>

#include <cmath>

namespace zelvora {
namespace {

QString trimZeros(QString digits) {
  if (!digits.contains(QLatin1Char('.'))) return digits;
  while (digits.endsWith(QLatin1Char('0'))) digits.chop(1);
  if (digits.endsWith(QLatin1Char('.'))) digits.chop(1);
  return digits;
}

}  // namespace

QString SettingNumberText(double value) {
  if (value == 0) return QStringLiteral("0");
  const double magnitude = std::fabs(value);
  if (magnitude < 0.0001 || magnitude >= 1e15) {
    // "1E-05": mantissa without trailing zeros, signed exponent of at
    // least two digits.
    const QString e = QString::number(value, 'E', 14);
    const qsizetype at = e.indexOf(QLatin1Char('E'));
    const int exponent = e.mid(at + 1).toInt();
    return trimZeros(e.left(at)) + QLatin1Char('E') + (exponent < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
  }
  const int integerDigits = magnitude >= 1 ? static_cast<int>(std::floor(std::log10(magnitude))) + 1 : 0;
  return trimZeros(QString::number(value, 'f', std::max(0, 15 - integerDigits)));
}

QString SettingBooleanText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

std::optional<bool> SettingBoolean(const QString& text) {
  const QString t = text.trimmed();
  if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
      t.compare(QLatin1String("Wahr"), Qt::CaseInsensitive) == 0)
    return true;
  if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 ||
      t.compare(QLatin1String("Falsch"), Qt::CaseInsensitive) == 0)
    return false;
  static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
  if (!number.match(t).hasMatch()) return std::nullopt;
  return t.toDouble() != 0;
}

}  // namespace zelvora
