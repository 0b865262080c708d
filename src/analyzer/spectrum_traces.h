#pragma once

#include <array>
#include <cstdint>

namespace zelvora {

// Largest FFT size the analyzer offers and the highest bin it shows.
inline constexpr int kMaxFftSize = 16384;
inline constexpr int kMaxTraceIndex = 8193;
// A point list ends at the first x of this value; real points lie in 0..1000.
inline constexpr double kEndMarker = 9999.0;

enum class TraceMode { Normal, MaxHold, Average };

// How levels and frequencies are turned into plot units (0..1000 both ways,
// eight divisions of 125 down).
struct TraceScale {
  float refLevel = 0;
  float t2Offset = 0;
  float dbPerDiv = 10;
  bool showTrace2 = false;
  bool traceMath = false;
  double fMin = 0;
  double fMax = 0;
  double fftSize = 0;
  std::int32_t sampleRate = 0;
};

// The analyzer's fixed arrays: the FFT block, the two traces in dB and their
// plot points. Allocated once; processing a block allocates nothing.
struct SpectrumTraces {
  std::array<double, kMaxFftSize + 1> dblReal{};
  std::array<double, kMaxFftSize + 1> dblImag{};
  std::array<double, kMaxTraceIndex + 1> dblTrace1{};
  std::array<double, kMaxTraceIndex + 1> dblTrace2{};
  std::array<double, kMaxTraceIndex + 1> dblTrace1X{};
  std::array<double, kMaxTraceIndex + 1> dblTrace1Y{};
  std::array<double, kMaxTraceIndex + 1> dblTrace2X{};
  std::array<double, kMaxTraceIndex + 1> dblTrace2Y{};

  void clear();
  // Levels of bins 0..lastBin from the transformed block into trace 1,
  // following the trace mode; `averaging` is the factor of the average mode.
  void updateTrace1(int lastBin, TraceMode mode, int averaging);
  // Trace 2 = trace 1 up to bin h, and the level of bin h above it.
  void storeTrace2(int h);
  // Plot points of bins 0..count inside [fMin, fMax], ended by the marker.
  // Leaves every point as it was when fMax <= fMin.
  void computeTracePoints(int count, const TraceScale& scale);
};

}  // namespace zelvora
