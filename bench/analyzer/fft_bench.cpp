// The analyzer's transform beside FFTW (estimate plan) on the same input.
#include "analyzer/fft.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <ctime>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

std::vector<double> testSignal(int n) {
  std::vector<double> signal(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) signal[size_t(i)] = 0.5 * std::sin(0.1234 * i) + 0.25 * std::sin(1.987 * i);
  return signal;
}

// One transform of the input on each side, copying the input in first.
struct OwnFft {
  explicit OwnFft(const std::vector<double>& input)
      : input(input), real(input.size() + 1), imag(input.size() + 1) {}
  void operator()() {
    std::memcpy(real.data(), input.data(), input.size() * sizeof(double));
    std::memset(imag.data(), 0, input.size() * sizeof(double));
    auto points = std::int16_t(input.size());
    zelvora::ComputeFft(points, real.data(), imag.data());
    benchmark::DoNotOptimize(real[1]);
  }
  const std::vector<double>& input;
  std::vector<double> real, imag;
};

struct Fftw {
  explicit Fftw(const std::vector<double>& input)
      : input(input),
        data(fftw_alloc_complex(input.size())),
        plan(fftw_plan_dft_1d(int(input.size()), data, data, FFTW_FORWARD, FFTW_ESTIMATE)) {}
  ~Fftw() {
    fftw_destroy_plan(plan);
    fftw_free(data);
  }
  void operator()() {
    for (size_t i = 0; i < input.size(); ++i) {
      data[i][0] = input[i];
      data[i][1] = 0;
    }
    fftw_execute(plan);
    benchmark::DoNotOptimize(data[1][0]);
  }
  const std::vector<double>& input;
  fftw_complex* data;
  fftw_plan plan;
};

// CPU time of this thread: the machine's other work does not count.
double threadNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

template <class F>
double batchNanoseconds(F& transform, int rounds) {
  const double begin = threadNanoseconds();
  for (int r = 0; r < rounds; ++r) transform();
  return (threadNanoseconds() - begin) / rounds;
}

void BM_ComputeFft(benchmark::State& state) {
  const int n = int(state.range(0));
  const std::vector<double> input = testSignal(n);
  OwnFft own(input);
  Fftw fftw(input);
  for (auto _ : state) own();

  // The ratio: both sides in turns, the best batch of each, so that load
  // from elsewhere on the machine does not tilt it.
  const int rounds = std::max(50, (1 << 20) / n);
  double ownBest = std::numeric_limits<double>::max();
  double fftwBest = std::numeric_limits<double>::max();
  for (int turn = 0; turn < 15; ++turn) {
    ownBest = std::min(ownBest, batchNanoseconds(own, rounds));
    fftwBest = std::min(fftwBest, batchNanoseconds(fftw, rounds));
  }
  state.counters["own_ns"] = ownBest;
  state.counters["fftw_ns"] = fftwBest;
  state.counters["x_fftw"] = ownBest / fftwBest;
}
BENCHMARK(BM_ComputeFft)->RangeMultiplier(2)->Range(64, 16384);

}  // namespace
