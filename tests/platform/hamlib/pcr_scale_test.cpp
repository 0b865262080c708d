#include "platform/hamlib/pcr_scale.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(PcrScale, StrengthOverS9BecomesThePcr1000sRawLevel) {
  struct Case {
    int db;
    int raw;
  };
  // S9 - 60 dB is the bottom of the scale, S9 its middle, S9 + 60 dB its
  // top; beyond both ends the scale stays at its end.
  const Case cases[] = {{-200, 0}, {-61, 0}, {-60, 0}, {-59, 2}, {-37, 49}, {-8, 111},
                        {0, 128},  {1, 130}, {59, 253}, {60, 255}, {61, 255}, {200, 255}};
  for (const Case& c : cases) EXPECT_EQ(PcrStrength(c.db), c.raw) << c.db << " dB";
}

TEST(PcrScale, IfShiftPositionsReachTheRigsRangeEitherWay) {
  struct Case {
    int position;
    int maxHz;
    int hz;
  };
  // On the PCR1000's own range (1270 Hz) every position is 10 Hz from the
  // centre's neighbour, as the receiver counts them.
  const Case cases[] = {{128, 1270, 0},     {129, 1270, 10},     {200, 1270, 720},   {255, 1270, 1270},
                        {1, 1270, -1270},   {0, 1270, -1270},    {128, 10000, 0},    {255, 10000, 10000},
                        {0, 10000, -10000}, {64, 10000, -5039}};
  for (const Case& c : cases) EXPECT_EQ(IfShiftHz(c.position, c.maxHz), c.hz) << c.position << " of " << c.maxHz;
}

TEST(PcrScale, SliderPositionsSpanTheLevelRange) {
  EXPECT_DOUBLE_EQ(ScaledLevel(0, 0, 1), 0);
  EXPECT_DOUBLE_EQ(ScaledLevel(255, 0, 1), 1);
  EXPECT_DOUBLE_EQ(ScaledLevel(51, 0, 1), 0.2);
  EXPECT_DOUBLE_EQ(ScaledLevel(51, -1, 1), -0.6);
}

TEST(PcrScale, FilterCodesHaveThePcr1000sPassbands) {
  const int passbands[] = {2800, 6000, 15000, 50000, 230000};
  for (int code = 0; code < 5; ++code) EXPECT_EQ(FilterPassbandHz(code), passbands[code]);
  EXPECT_EQ(FilterPassbandHz(5), 0);
  EXPECT_EQ(FilterPassbandHz(-1), 0);
}

}  // namespace
}  // namespace zelvora
