// The transform and the level and plot-point arithmetic, on the analyzer's
// own arrays.
#include "analyzer/fft.h"
#include "analyzer/spectrum_traces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

namespace zelvora {
namespace {

class SpectrumMathTest : public ::testing::Test {
 protected:
  // A transformed block of n samples, levels of bins 0..n/2 in trace 1.
  void transform(int n, TraceMode mode = TraceMode::Normal, int averaging = 5) {
    auto points = std::int16_t(n);
    ComputeFft(points, t->dblReal.data(), t->dblImag.data());
    t->updateTrace1(n / 2, mode, averaging);
  }
  void sineOnBin(int n, int bin, double amplitude) {
    for (int i = 0; i < n; ++i) {
      t->dblReal[i] = amplitude * std::sin(2 * std::numbers::pi * bin * i / n);
      t->dblImag[i] = 0;
    }
  }
  // Puts a level in dB on one bin of an otherwise transformed block.
  void levelOnBin(int bin, double db) {
    t->dblReal[bin] = std::pow(10.0, db / 20) - 1e-7;
    t->dblImag[bin] = 0;
  }

  std::unique_ptr<SpectrumTraces> t = std::make_unique<SpectrumTraces>();
};

// The transform as the analyzer has always done it, step by step: every
// faster arrangement must give the very same numbers.
void referenceFft(int n, std::vector<double>& re, std::vector<double>& im) {
  const int half = n / 2;
  const int stages = int(std::lround(std::log(double(n)) / std::log(2.0)));
  int j = half;
  for (int i = 1; i <= n - 2; ++i) {
    if (i < j) {
      std::swap(re[i], re[j]);
      std::swap(im[i], im[j]);
    }
    int k = half;
    while (k <= j) {
      j -= k;
      k /= 2;
    }
    j += k;
  }
  for (int l = 1; l <= stages; ++l) {
    const int le = 1 << l;
    const int le2 = le / 2;
    double ur = 1, ui = 0;
    const double sr = std::cos(3.14159 / le2), si = -std::sin(3.14159 / le2);
    for (int g = 1; g <= le2; ++g) {
      for (int i = g - 1; i <= n - 1; i += le) {
        const int p = i + le2;
        const double tr = re[p] * ur - im[p] * ui;
        const double ti = re[p] * ui + im[p] * ur;
        re[p] = re[i] - tr;
        im[p] = im[i] - ti;
        re[i] = re[i] + tr;
        im[i] = im[i] + ti;
      }
      const double t = ur;
      ur = t * sr - ui * si;
      ui = t * si + ui * sr;
    }
  }
}

TEST_F(SpectrumMathTest, TransformGivesTheNumbersOfTheStepByStepAlgorithm) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> sample(-1.0, 1.0);
  // Sizes in an order that switches back and forth, as the size box does.
  for (int n : {2048, 64, 16384, 128, 256, 8192, 512, 1024, 4096, 2048}) {
    SCOPED_TRACE(n);
    std::vector<double> re(static_cast<size_t>(n)), im(static_cast<size_t>(n), 0.0);
    for (auto& v : re) v = std::round(sample(random) * 32767) / 32768;
    std::copy(re.begin(), re.end(), t->dblReal.begin());
    std::fill(t->dblImag.begin(), t->dblImag.end(), 0.0);
    auto points = std::int16_t(n);
    ComputeFft(points, t->dblReal.data(), t->dblImag.data());
    referenceFft(n, re, im);
    for (int i = 0; i < n; ++i) {
      ASSERT_EQ(t->dblReal[i], re[size_t(i)]) << i;
      ASSERT_EQ(t->dblImag[i], im[size_t(i)]) << i;
    }
  }
}

TEST_F(SpectrumMathTest, FullScaleSineOnABinReadsSixtyDbThere) {
  for (int bin : {1, 64, 128, 1000}) {
    SCOPED_TRACE(bin);
    t->clear();
    sineOnBin(2048, bin, 1.0);
    transform(2048);
    EXPECT_NEAR(t->dblTrace1[bin], 20 * std::log10(1024.0), 0.1);
    const auto peak = std::max_element(t->dblTrace1.begin(), t->dblTrace1.begin() + 1025);
    EXPECT_EQ(peak - t->dblTrace1.begin(), bin);
  }
}

TEST_F(SpectrumMathTest, SizesFromSixtyFourToSixteenThousandFindTheirBin) {
  for (int n = 64; n <= kMaxFftSize; n *= 2) {
    SCOPED_TRACE(n);
    t->clear();
    const int bin = n / 8 + 1;
    sineOnBin(n, bin, 0.5);
    transform(n);
    EXPECT_NEAR(t->dblTrace1[bin], 20 * std::log10(0.5 * n / 2), 0.2);
    // Away from the tone the level is far below it.
    EXPECT_LT(t->dblTrace1[bin + n / 8], t->dblTrace1[bin] - 60);
  }
}

TEST_F(SpectrumMathTest, SilenceIsMinus140DbInEveryBin) {
  transform(2048);
  for (int i = 0; i <= 1024; ++i) ASSERT_DOUBLE_EQ(t->dblTrace1[i], -140.0) << i;
}

TEST_F(SpectrumMathTest, MaxHoldNeverLowersABinAndAverageMovesAFifthAtATime) {
  // Normal takes each block as it comes.
  levelOnBin(3, 40);
  t->updateTrace1(4, TraceMode::Normal, 5);
  EXPECT_NEAR(t->dblTrace1[3], 40, 1e-9);
  levelOnBin(3, 20);
  t->updateTrace1(4, TraceMode::MaxHold, 5);
  EXPECT_NEAR(t->dblTrace1[3], 40, 1e-9);
  levelOnBin(3, 45);
  t->updateTrace1(4, TraceMode::MaxHold, 5);
  EXPECT_NEAR(t->dblTrace1[3], 45, 1e-9);

  levelOnBin(7, 0);
  t->updateTrace1(8, TraceMode::Normal, 5);
  levelOnBin(7, 10);
  t->updateTrace1(8, TraceMode::Average, 5);
  EXPECT_NEAR(t->dblTrace1[7], 2.0, 1e-6);
  t->updateTrace1(8, TraceMode::Average, 5);
  EXPECT_NEAR(t->dblTrace1[7], 3.6, 1e-6);
  t->updateTrace1(8, TraceMode::Average, 1);
  EXPECT_NEAR(t->dblTrace1[7], 10.0, 1e-6);
}

TEST_F(SpectrumMathTest, StoredTraceRepeatsItsLastBinUpToTheEnd) {
  for (int i = 0; i <= kMaxTraceIndex; ++i) t->dblTrace1[i] = i;
  t->storeTrace2(32);
  for (int i = 0; i <= 32; ++i) ASSERT_EQ(t->dblTrace2[i], i);
  for (int i = 33; i <= 8192; ++i) ASSERT_EQ(t->dblTrace2[i], 32) << i;
}

TEST_F(SpectrumMathTest, PointsOfTheDefaultWindowEndWithTheMarkerAfterBin128) {
  TraceScale scale{.refLevel = 0, .dbPerDiv = 10, .fMin = 0, .fMax = 3000, .fftSize = 2048, .sampleRate = 48000};
  t->computeTracePoints(1024, scale);
  for (int i = 0; i <= 128; ++i) ASSERT_NEAR(t->dblTrace1X[i], i * 1000.0 / 128, 1e-9) << i;
  EXPECT_EQ(t->dblTrace1X[129], kEndMarker);
  EXPECT_EQ(t->dblTrace2X[129], kEndMarker);
  // 0 dB with the default scale lies five divisions down.
  EXPECT_DOUBLE_EQ(t->dblTrace1Y[0], 625);

  // A window that ends below 0 Hz stores nothing and keeps the old points.
  scale.fMin = -10;
  scale.fMax = -5;
  t->computeTracePoints(1024, scale);
  EXPECT_EQ(t->dblTrace1X[129], kEndMarker);
  EXPECT_NEAR(t->dblTrace1X[128], 1000, 1e-9);

  // Bins below the window fold onto its left edge and are overwritten.
  scale.fMin = 1000;
  scale.fMax = 2000;
  t->computeTracePoints(1024, scale);
  EXPECT_NEAR(t->dblTrace1X[0], (1007.8125 - 1000) * 1000 / 1000, 1e-3);
  EXPECT_EQ(t->dblTrace1X[43], kEndMarker);
}

TEST_F(SpectrumMathTest, LevelsMapToYAndClampAtBothEnds) {
  struct Case {
    double trace1, trace2;
    float ref, div;
    bool math;
    double y;
  };
  const Case cases[] = {
      {0, 0, 0, 10, false, 625},        // 0 dB, default scale
      {60.2, 0, 0, 10, false, -50},     // above the top: 50 units over it
      {-140, 0, 0, 10, false, 1000},    // below the bottom: on the bottom line
      {-10, 0, -10, 5, false, 1000},    // 1250 clamped to the bottom
      {25, 0, 10, 5, false, 875},
      {30, 30, 0, 10, true, 0},         // equal traces, difference mode: ref/div x 125
      {-70, -70, 20, 10, true, 250},
      {-70, -70, -2, 2, true, -50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.trace1 << " " << c.ref << " " << c.div << " " << c.math);
    std::fill(t->dblTrace1.begin(), t->dblTrace1.end(), c.trace1);
    std::fill(t->dblTrace2.begin(), t->dblTrace2.end(), c.trace2);
    TraceScale scale{.refLevel = c.ref, .dbPerDiv = c.div, .traceMath = c.math, .fMin = 0, .fMax = 3000,
                     .fftSize = 2048, .sampleRate = 48000};
    t->computeTracePoints(1024, scale);
    for (int i = 0; i <= 128; ++i) ASSERT_DOUBLE_EQ(t->dblTrace1Y[i], c.y) << i;
  }
}

TEST_F(SpectrumMathTest, TraceTwoPointsMoveDownByTheirOffsetWhileShown) {
  std::fill(t->dblTrace2.begin(), t->dblTrace2.end(), 10.0);
  TraceScale scale{.refLevel = 0, .t2Offset = 20, .dbPerDiv = 10, .showTrace2 = false, .fMin = 0, .fMax = 3000,
                   .fftSize = 2048, .sampleRate = 48000};
  t->computeTracePoints(1024, scale);
  EXPECT_DOUBLE_EQ(t->dblTrace2Y[5], 0);
  scale.showTrace2 = true;
  t->computeTracePoints(1024, scale);
  EXPECT_DOUBLE_EQ(t->dblTrace2Y[5], (50 - 10 + 20) / 10.0 * 125);
}

TEST_F(SpectrumMathTest, LargestSizeWithWideWindowStaysInsideTheArrays) {
  TraceScale scale{.dbPerDiv = 2, .fMin = 0, .fMax = 1e9, .fftSize = 16384, .sampleRate = 48000};
  t->computeTracePoints(8192, scale);
  EXPECT_NEAR(t->dblTrace1X[8192], 24000 * 1000 / 1e9, 1e-9);
  EXPECT_EQ(t->dblTrace1X[8193], kEndMarker);
}

}  // namespace
}  // namespace zelvora
