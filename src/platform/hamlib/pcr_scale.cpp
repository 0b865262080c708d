#include "platform/hamlib/pcr_scale.h"

#include <algorithm>
#include <cmath>

namespace zelvora {

int PcrStrength(int dbOverS9) {
  const long raw = std::lround((dbOverS9 + 60) * 255.0 / 120.0);
  return static_cast<int>(std::clamp(raw, 0L, 255L));
}

double ScaledLevel(int position, double min, double max) { return min + (max - min) * position / 255.0; }

int IfShiftHz(int position, int maxHz) {
  const long hz = std::lround((position - 128) * static_cast<double>(maxHz) / 127.0);
  return static_cast<int>(std::clamp(hz, -static_cast<long>(maxHz), static_cast<long>(maxHz)));
}

int FilterPassbandHz(int filterCode) {
  static constexpr int kPassbands[] = {2800, 6000, 15000, 50000, 230000};
  return filterCode >= 0 && filterCode < 5 ? kPassbands[filterCode] : 0;
}

}  // namespace zelvora
