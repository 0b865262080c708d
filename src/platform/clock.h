#pragma once

#include <QDateTime>

namespace zelvora {

// Every reading of the time goes through here, so tests can set the clock.
class Clock {
 public:
  static QDateTime nowUtc();
  static QDateTime nowLocal();

  // Fixes the clock at the given instant until reset() (tests).
  static void set(const QDateTime& instant);
  static void reset();
};

}  // namespace zelvora
