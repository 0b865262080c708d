#include "receiver/band_plan.h"

#include <array>

namespace zelvora {
namespace {

struct Row {
  double from, to;
  BandPlanChoice choice;
};

constexpr std::array<Row, 13> kRows = {{
    {0.01, 0.153, {"USB", "Filter1", "10 Hz"}},
    {0.153, 0.531, {"AM", "Filter2", "9 KHz"}},
    {0.531, 1.62, {"AM", "Filter2", "9 KHz"}},
    {1.62, 3.8, {"USB", "Filter1", "10 Hz"}},
    {3.8, 30, {"AM", "Filter2", "100 Hz"}},
    {30, 76, {"FM", "Filter3", "10 KHz"}},
    {76, 108, {"WFM", "Filter5", "10 KHz"}},
    {108, 136, {"AM", "Filter2", "1 KHz"}},
    {136, 170, {"FM", "Filter3", "12.5 KHz"}},
    {170, 225, {"WFM", "Filter5", "50 KHz"}},
    {225, 800, {"FM", "Filter2", "12.5 KHz"}},
    {800, 950, {"FM", "Filter3", "12.5 KHz"}},
    {950, 1300, {"FM", "Filter3", "10 KHz"}},
}};

}  // namespace

std::optional<BandPlanChoice> BandPlanFor(double mhz) {
  for (const Row& row : kRows)
    if (mhz >= row.from && mhz <= row.to) return row.choice;
  return std::nullopt;
}

}  // namespace zelvora
