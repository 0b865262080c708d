#include "analyzer/fft.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace zelvora {
namespace {

// The analyzer has always rotated its twiddles by this angle; keeping it
// keeps its levels identical to the ones users compare against.
constexpr double kPi = 3.14159;

// Largest transform the analyzer offers.
constexpr int kMaxPoints = 16384;

// The twiddles of every stage, kept from the first transform on: the stage
// with half-length le2 has its le2 twiddles at [le2, 2 le2). Twiddle g is the
// unit vector rotated g times by the stage's angle, the very numbers a
// rotation between the butterflies gives. Fixed storage: transforming a
// block allocates nothing.
struct Twiddles {
  std::array<double, kMaxPoints> real{};
  std::array<double, kMaxPoints> imag{};
  std::array<bool, 15> ready{};

  const double* stage(int l, int le2, bool wantReal) {
    if (!ready[size_t(l)]) {
      const double sr = std::cos(kPi / le2);
      const double si = -std::sin(kPi / le2);
      double ur = 1.0;
      double ui = 0.0;
      for (int g = 0; g < le2; ++g) {
        real[size_t(le2 + g)] = ur;
        imag[size_t(le2 + g)] = ui;
        const double t = ur;
        ur = t * sr - ui * si;
        ui = t * si + ui * sr;
      }
      ready[size_t(l)] = true;
    }
    return (wantReal ? real.data() : imag.data()) + le2;
  }
};
Twiddles g_twiddles;

// The bit-reversed position of every index for the size in use, found by
// the reversed counter; kept until the size changes.
struct BitReversal {
  int size = 0;
  std::array<std::int32_t, kMaxPoints> source{};

  void prepare(int points) {
    if (points == size) return;
    const int half = points / 2;
    for (int i = 0; i < points; ++i) source[size_t(i)] = i;
    int j = half;
    for (int i = 1; i <= points - 2; ++i) {
      if (i < j) std::swap(source[size_t(i)], source[size_t(j)]);
      int k = half;
      while (k <= j) {
        j -= k;
        k /= 2;
      }
      j += k;
    }
    size = points;
  }
};
BitReversal g_reversal;

// The block after reordering and the first stage, before it goes back into
// the caller's arrays.
std::array<double, kMaxPoints> g_stagedReal;
std::array<double, kMaxPoints> g_stagedImag;

// The butterflies take four numbers at a time where the processor can;
// every lane still does one multiply or add at a time, so the numbers stay
// the same.
#if defined(__x86_64__) && defined(__GNUC__)
#define ZELVORA_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define ZELVORA_WIDE_VECTORS
#endif

// Two stages in one pass over a group of 4 le2: stage l pairs quarter a
// with b and c with d (twiddles w), stage l + 1 then pairs a with c and b
// with d (twiddles v, g and le2 + g). Each number goes through the same
// operations in the same order as in two separate passes, with half the
// trips through memory.
ZELVORA_WIDE_VECTORS void twoStages(double* __restrict aRe, double* __restrict aIm, double* __restrict bRe, double* __restrict bIm,
               double* __restrict cRe, double* __restrict cIm, double* __restrict dRe, double* __restrict dIm,
               const double* __restrict wr, const double* __restrict wi, const double* __restrict vr,
               const double* __restrict vi, int le2) {
  for (int g = 0; g < le2; ++g) {
    double tr = bRe[g] * wr[g] - bIm[g] * wi[g];
    double ti = bRe[g] * wi[g] + bIm[g] * wr[g];
    const double b1r = aRe[g] - tr;
    const double b1i = aIm[g] - ti;
    const double a1r = aRe[g] + tr;
    const double a1i = aIm[g] + ti;
    tr = dRe[g] * wr[g] - dIm[g] * wi[g];
    ti = dRe[g] * wi[g] + dIm[g] * wr[g];
    const double d1r = cRe[g] - tr;
    const double d1i = cIm[g] - ti;
    const double c1r = cRe[g] + tr;
    const double c1i = cIm[g] + ti;

    tr = c1r * vr[g] - c1i * vi[g];
    ti = c1r * vi[g] + c1i * vr[g];
    cRe[g] = a1r - tr;
    cIm[g] = a1i - ti;
    aRe[g] = a1r + tr;
    aIm[g] = a1i + ti;
    const double xr = vr[g + le2];
    const double xi = vi[g + le2];
    tr = d1r * xr - d1i * xi;
    ti = d1r * xi + d1i * xr;
    dRe[g] = b1r - tr;
    dIm[g] = b1i - ti;
    bRe[g] = b1r + tr;
    bIm[g] = b1i + ti;
  }
}

// Reordering and the first G stages in one pass over groups of 2^G: each
// group is gathered from its bit-reversed places (reading scattered is far
// cheaper than exchanging scattered) and goes through its first stages in
// registers. The first stage's twiddle is exactly 1, so its butterflies are
// a plain sum and difference; the later ones take the stage's twiddles.
template <int G>
void gatherFirstStages(int points, const double* real, const double* imag) {
  constexpr int kGroup = 1 << G;
  const std::int32_t* source = g_reversal.source.data();
  // Stage l's twiddles at [2^(l-1), 2^l), as in the table, held locally so
  // that they stay in registers.
  double wr[kGroup]{};
  double wi[kGroup]{};
  for (int l = 2; l <= G; ++l) {
    const int le2 = 1 << (l - 1);
    std::copy_n(g_twiddles.stage(l, le2, true), le2, wr + le2);
    std::copy_n(g_twiddles.stage(l, le2, false), le2, wi + le2);
  }
  for (int i = 0; i < points; i += kGroup) {
    double re[kGroup];
    double im[kGroup];
#pragma GCC unroll 8
    for (int k = 0; k < kGroup; k += 2) {
      const double ar = real[source[i + k]];
      const double ai = imag[source[i + k]];
      const double tr = real[source[i + k + 1]];
      const double ti = imag[source[i + k + 1]];
      re[k] = ar + tr;
      im[k] = ai + ti;
      re[k + 1] = ar - tr;
      im[k + 1] = ai - ti;
    }
#pragma GCC unroll 8
    for (int l = 2; l <= G; ++l) {
      const int le2 = 1 << (l - 1);
#pragma GCC unroll 8
      for (int group = 0; group < kGroup; group += 2 * le2) {
#pragma GCC unroll 8
        for (int g = 0; g < le2; ++g) {
          const int a = group + g;
          const int b = a + le2;
          const double tr = re[b] * wr[le2 + g] - im[b] * wi[le2 + g];
          const double ti = re[b] * wi[le2 + g] + im[b] * wr[le2 + g];
          re[b] = re[a] - tr;
          im[b] = im[a] - ti;
          re[a] += tr;
          im[a] += ti;
        }
      }
    }
    std::copy_n(re, kGroup, g_stagedReal.begin() + i);
    std::copy_n(im, kGroup, g_stagedImag.begin() + i);
  }
}

}  // namespace

void ComputeFft(std::int16_t& n, double* real, double* imag) {
  const int points = n;
  if (points < 2 || points > kMaxPoints) return;
  const int stages = int(std::lround(std::log(double(points)) / std::log(2.0)));

  // Two or three stages go with the reordering, whichever leaves the rest
  // to pair up into two-stage passes.
  g_reversal.prepare(points);
  const int gathered = stages <= 3 ? stages : ((stages - 3) % 2 == 0 ? 3 : 2);
  switch (gathered) {
    case 1: gatherFirstStages<1>(points, real, imag); break;
    case 2: gatherFirstStages<2>(points, real, imag); break;
    default: gatherFirstStages<3>(points, real, imag); break;
  }
  std::copy_n(g_stagedReal.begin(), points, real);
  std::copy_n(g_stagedImag.begin(), points, imag);
  for (int l = gathered + 1; l < stages; l += 2) {
    const int le2 = 1 << (l - 1);
    const double* wr = g_twiddles.stage(l, le2, true);
    const double* wi = g_twiddles.stage(l, le2, false);
    const double* vr = g_twiddles.stage(l + 1, 2 * le2, true);
    const double* vi = g_twiddles.stage(l + 1, 2 * le2, false);
    for (int group = 0; group < points; group += 4 * le2) {
      double* re = real + group;
      double* im = imag + group;
      twoStages(re, im, re + le2, im + le2, re + 2 * le2, im + 2 * le2, re + 3 * le2, im + 3 * le2, wr, wi, vr, vi, le2);
    }
  }
}

}  // namespace zelvora
