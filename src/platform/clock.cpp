#include "platform/clock.h"

namespace zelvora {
namespace {

QDateTime& fixedInstant() {
  static QDateTime instant;
  return instant;
}

}  // namespace

QDateTime Clock::nowUtc() {
  const QDateTime& fixed = fixedInstant();
  return fixed.isValid() ? fixed.toUTC() : QDateTime::currentDateTimeUtc();
}

QDateTime Clock::nowLocal() { return nowUtc().toLocalTime(); }

void Clock::set(const QDateTime& instant) { fixedInstant() = instant; }

void Clock::reset() { fixedInstant() = QDateTime(); }

}  // namespace zelvora
