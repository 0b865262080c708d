#pragma once

#include <optional>

namespace zelvora {

// What the band plan picks for a frequency: the object names of a mode
// option and a filter option, and a tuning-step entry.
struct BandPlanChoice {
  const char* mode;
  const char* filter;
  const char* step;
};

// The first row whose closed range holds mhz (a boundary belongs to the
// lower row); nothing outside 0.01 .. 1300.
std::optional<BandPlanChoice> BandPlanFor(double mhz);

}  // namespace zelvora
