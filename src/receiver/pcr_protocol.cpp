#include "receiver/pcr_protocol.h"

#include "platform/text_value.h"

#include <algorithm>
#include <cmath>

namespace zelvora {

qint64 WholeHz(double mhz) { return std::llround(mhz * 1e6); }

QString FrequencyCommand(double mhz, const QString& modeCode, const QString& filterCode) {
  // Four integer digits with leading zeros and six decimals, rounded to Hz.
  const QString digits = QStringLiteral("%1").arg(WholeHz(mhz), 10, 10, QLatin1Char('0'));
  return QStringLiteral("K0") + digits + modeCode + filterCode + QStringLiteral("00");
}

QString LevelCommand(const char* prefix, int position) { return QLatin1String(prefix) + Hex2(position); }

QString SwitchCommand(const char* prefix, bool on) {
  return QLatin1String(prefix) + (on ? QStringLiteral("01") : QStringLiteral("00"));
}

std::optional<int> SignalReading(const QString& received) {
  const qsizetype p = received.indexOf(QStringLiteral("I1"));
  if (p < 0) return std::nullopt;
  const QString digits = received.mid(p + 2, 2);
  // A plain character-order comparison, so "0" followed by anything up to
  // "F" passes the first test; the hexadecimal conversion then decides.
  if (digits.size() < 2 || digits > QStringLiteral("FF") || digits < QStringLiteral("00")) return std::nullopt;
  bool ok = false;
  const int raw = digits.toInt(&ok, 16);
  if (!ok) return std::nullopt;
  return raw;
}

int MeterLevel(int raw) {
  const int half = raw / 2;
  return half == 0 ? 0 : std::min(10 + half, 89);
}

}  // namespace zelvora
