#include "analyzer/spectrum_traces.h"

#include <algorithm>
#include <cmath>

namespace zelvora {
namespace {

// Level to plot y: 125 units per division, levels above the top drawn 50
// units above the top line, levels below the bottom on the bottom line.
double levelToY(double a, float dbPerDiv) { return std::clamp(a / dbPerDiv * 125, -50.0, 1000.0); }

}  // namespace

void SpectrumTraces::clear() { *this = SpectrumTraces(); }

void SpectrumTraces::updateTrace1(int lastBin, TraceMode mode, int averaging) {
  lastBin = std::clamp(lastBin, -1, kMaxTraceIndex);
  for (int i = 0; i <= lastBin; ++i) {
    // The small constant goes onto the magnitude, so silence reads -140 dB.
    const double level = 20 * std::log(std::sqrt(dblReal[i] * dblReal[i] + dblImag[i] * dblImag[i]) + 1e-7) / std::log(10.0);
    double& trace = dblTrace1[i];
    switch (mode) {
      case TraceMode::Normal:
        trace = level;
        break;
      case TraceMode::MaxHold:
        if (level > trace) trace = level;
        break;
      case TraceMode::Average:
        trace = trace + (level - trace) / averaging;
        break;
    }
  }
}

void SpectrumTraces::storeTrace2(int h) {
  h = std::clamp(h, 0, kMaxTraceIndex - 1);
  for (int i = 0; i <= h; ++i) dblTrace2[i] = dblTrace1[i];
  for (int i = h; i <= kMaxTraceIndex - 1; ++i) dblTrace2[i] = dblTrace1[h];
}

void SpectrumTraces::computeTracePoints(int count, const TraceScale& scale) {
  if (scale.fMax <= scale.fMin) return;
  // The end marker follows the last point, so the last point may sit one
  // below the end of the arrays.
  count = std::min(count, kMaxTraceIndex - 1);
  int j = 0;
  for (int i = 0; i <= count; ++i) {
    const double a = scale.traceMath ? scale.refLevel + (dblTrace2[i] - dblTrace1[i]) : (scale.refLevel + 50) - dblTrace1[i];
    dblTrace1Y[j] = levelToY(a, scale.dbPerDiv);
    if (scale.showTrace2)
      dblTrace2Y[j] = levelToY((scale.refLevel + 50) - dblTrace2[i] + scale.t2Offset, scale.dbPerDiv);

    const float f = float(i / scale.fftSize * scale.sampleRate);
    const bool inside = f >= scale.fMin && f <= scale.fMax;
    if (f > scale.fMax) return;
    const double x = inside ? (f - scale.fMin) * 1000 / (scale.fMax - scale.fMin) : 0.0;
    dblTrace1X[j] = x;
    dblTrace1X[j + 1] = kEndMarker;
    dblTrace2X[j] = x;
    dblTrace2X[j + 1] = kEndMarker;
    if (inside) ++j;
  }
}

}  // namespace zelvora
