// One block from the capture buffer to the drawn plot: GetAudio (samples
// and transform), DrawSpectrum (levels, points, grid and traces drawn into
// the picture), as a share of the block's duration at 48 kHz.
#include "analyzer/audio_capture.h"
#include "analyzer/form_analyzer.h"
#include "analyzer/picture_box.h"
#include "platform/form_registry.h"
#include "platform/sound/test_wave_input.h"

#include <benchmark/benchmark.h>

#include <QComboBox>

#include <chrono>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace zelvora;

void blockPath(benchmark::State& state, const char* fMax) {
  const int n = int(state.range(0));
  TestWaveInput device;
  device.setSine(1500, 8192);
  Form_analyzer& analyzer = form<Form_analyzer>();
  analyzer.show();
  analyzer.ui().cboBins->setEditText(QString::number(n));
  emit analyzer.ui().cboBins->activated(0);
  analyzer.ui().txtFMax->setText(QString::fromLatin1(fMax));
  AudioCapture& capture = AudioCapture::instance();
  capture.StartCapture();
  const auto begin = std::chrono::steady_clock::now();
  for (auto _ : state) {
    analyzer.GetAudio();
    analyzer.DrawSpectrum();
    benchmark::DoNotOptimize(analyzer.ui().Picture1->picture().constBits());
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  capture.StopCapture();
  const double blockSeconds = n / 48000.0;
  state.counters["pct_of_block"] = 100.0 * seconds / double(state.iterations()) / blockSeconds;
  FormRegistry::instance().reset();
}

// The window as it opens: 0 to 3000 Hz.
void BM_BlockPath(benchmark::State& state) { blockPath(state, "3000"); }
// The whole band up to half the rate: the most segments to draw.
void BM_BlockPathFullBand(benchmark::State& state) { blockPath(state, "24000"); }

BENCHMARK(BM_BlockPath)->RangeMultiplier(2)->Range(64, 16384)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BlockPathFullBand)->RangeMultiplier(2)->Range(64, 16384)->Unit(benchmark::kMicrosecond);

}  // namespace
