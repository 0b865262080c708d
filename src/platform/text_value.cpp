#include "platform/text_value.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace zelvora {

double Val(QStringView text) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && (text[i] == u' ' || text[i] == u'\t')) ++i;
  std::string number;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) number += static_cast<char>(text[i++].unicode());
  const auto isDigit = [&](qsizetype k) { return k < n && text[k] >= u'0' && text[k] <= u'9'; };
  bool digits = false;
  while (isDigit(i)) {
    number += static_cast<char>(text[i++].unicode());
    digits = true;
  }
  if (i < n && text[i] == u'.') {
    number += '.';
    ++i;
    while (isDigit(i)) {
      number += static_cast<char>(text[i++].unicode());
      digits = true;
    }
  }
  if (!digits) return 0.0;
  if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
    qsizetype k = i + 1;
    std::string exponent = "e";
    if (k < n && (text[k] == u'+' || text[k] == u'-')) exponent += static_cast<char>(text[k++].unicode());
    if (isDigit(k)) {
      while (isDigit(k)) exponent += static_cast<char>(text[k++].unicode());
      number += exponent;
    }
  }
  // from_chars ignores the C locale, which Qt sets from the environment.
  double value = 0.0;
  const char* begin = number.data() + (number[0] == '+' ? 1 : 0);
  const auto result = std::from_chars(begin, number.data() + number.size(), value);
  return result.ec == std::errc() && std::isfinite(value) ? value : 0.0;
}

std::int64_t RoundHalfEven(double value) {
  using Limits = std::numeric_limits<std::int64_t>;
  // 2^63 is exact in a double; every double below it converts.
  constexpr double kTop = 9223372036854775808.0;
  // nearbyint follows the default rounding mode, round-to-nearest-even.
  const double rounded = std::nearbyint(value);
  if (std::isnan(rounded) || rounded < -kTop) return Limits::min();
  if (rounded >= kTop) return Limits::max();
  return static_cast<std::int64_t>(rounded);
}

QString FormatFrequencyEntry(double mhz) { return QString::number(mhz, 'f', 4); }

QString FormatFrequencyDisplay(double mhz) {
  QString text = QString::number(mhz, 'f', 6);
  text.insert(text.size() - 3, QLatin1Char('.'));
  return text;
}

QString Format00(std::int64_t value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

QString Hex2(std::int64_t value) {
  return (QStringLiteral("0") + QString::number(value, 16).toUpper()).right(2);
}

}  // namespace zelvora
