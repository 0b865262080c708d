#include "platform/text_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zelvora {
namespace {

TEST(TextValue, LeadingNumberOfAText) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"145.500.000", 145.5}, {" 7.1abc", 7.1},  {"abc", 0.0},    {"1E-05", 0.00001}, {"1E-06", 0.000001},
      {"94.4", 94.4},         {"-3.5", -3.5},    {".5", 0.5},     {"", 0.0},          {"12e", 12.0},
      {"0.0125", 0.0125},     {"145,5", 145.0},  {"  +2", 2.0},   {"1e400", 0.0},     {"7.05 MHz", 7.05},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(TextValue, RoundsHalvesToEven) {
  const struct {
    double value;
    std::int64_t rounded;
  } cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {0.5, 0}, {1.5, 2},
               // Beyond the 64-bit range the nearest end, so range checks refuse it.
               {1e19, std::numeric_limits<std::int64_t>::max()}, {-1e19, std::numeric_limits<std::int64_t>::min()},
               {9223372036854775807.0, std::numeric_limits<std::int64_t>::max()},
               {-9223372036854775808.0, std::numeric_limits<std::int64_t>::min()},
               {std::numeric_limits<double>::infinity(), std::numeric_limits<std::int64_t>::max()},
               {std::nan(""), std::numeric_limits<std::int64_t>::min()}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
}

TEST(TextValue, NumberFormats) {
  EXPECT_EQ(FormatFrequencyDisplay(94.4), QStringLiteral("94.400.000"));
  EXPECT_EQ(FormatFrequencyDisplay(0.01), QStringLiteral("0.010.000"));
  EXPECT_EQ(FormatFrequencyDisplay(145.5125), QStringLiteral("145.512.500"));
  EXPECT_EQ(FormatFrequencyDisplay(1300), QStringLiteral("1300.000.000"));
  EXPECT_EQ(FormatFrequencyEntry(94.4), QStringLiteral("94.4000"));
  EXPECT_EQ(FormatFrequencyEntry(7.05), QStringLiteral("7.0500"));
  EXPECT_EQ(FormatFrequencyEntry(1296.1), QStringLiteral("1296.1000"));
  EXPECT_EQ(FormatFrequencyEntry(144.025), QStringLiteral("144.0250"));
  EXPECT_EQ(Format00(7), QStringLiteral("07"));
  EXPECT_EQ(Format00(0), QStringLiteral("00"));
  EXPECT_EQ(Format00(23), QStringLiteral("23"));
  EXPECT_EQ(Hex2(15), QStringLiteral("0F"));
  EXPECT_EQ(Hex2(128), QStringLiteral("80"));
  EXPECT_EQ(Hex2(255), QStringLiteral("FF"));
  EXPECT_EQ(Hex2(0), QStringLiteral("00"));
}

}  // namespace
}  // namespace zelvora
