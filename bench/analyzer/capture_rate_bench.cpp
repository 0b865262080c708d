// Blocks per second the window's timer cycle gets out of a private sound
// server fed in real time, against the ideal rate / size.
#include "analyzer/audio_capture.h"
#include "analyzer/form_analyzer.h"
#include "counting_wave_input.h"
#include "platform/classic_timer.h"
#include "platform/events.h"
#include "platform/form_registry.h"
#include "private_sound_server.h"

#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QPushButton>

#include <memory>

namespace {

using namespace zelvora;

// One server for the run: the sound layer connects to it once. It is ended
// while the application object still stands.
test::PrivateSoundServer& server() {
  static test::PrivateSoundServer* instance = [] {
    auto* created = new test::PrivateSoundServer;
    qAddPostRoutine([] { delete instance; });
    return created;
  }();
  return *instance;
}

void BM_CaptureBlockRate(benchmark::State& state) {
  const int n = int(state.range(0));
  if (!server().failure().isEmpty()) {
    state.SkipWithError(server().failure().toStdString().c_str());
    return;
  }
  server().feedSine(1500, 8192);
  test::CountingWaveInput device;
  Form_analyzer& analyzer = form<Form_analyzer>();
  analyzer.show();
  // Activation comes queued and resets the window; it must be over before
  // the size is picked and the capture started.
  WaitUntil([&] { return analyzer.Timer1()->enabled(); }, 2000);
  analyzer.ui().cboBins->setEditText(QString::number(n));
  emit analyzer.ui().cboBins->activated(0);
  analyzer.ui().CmdSwitch->click();
  if (!AudioCapture::instance().blnCapturing) {
    state.SkipWithError("the capture does not start");
    FormRegistry::instance().reset();
    server().stopFeeding();
    return;
  }
  double seconds = 0;
  int blocks = 0;
  for (auto _ : state) {
    // Count the blocks of a few seconds.
    const int before = device.fullBlocks();
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer::singleShot(4000, &loop, &QEventLoop::quit);
    loop.exec();
    seconds = double(clock.nsecsElapsed()) / 1e9;
    blocks = device.fullBlocks() - before;
  }
  analyzer.ui().CmdSwitch->click();
  FormRegistry::instance().reset();
  server().stopFeeding();
  const double ideal = 48000.0 / n;
  state.counters["blocks_per_s"] = blocks / seconds;
  state.counters["ideal_per_s"] = ideal;
  state.counters["pct_of_ideal"] = 100.0 * blocks / seconds / ideal;
}
BENCHMARK(BM_CaptureBlockRate)->RangeMultiplier(4)->Range(512, 8192)->Arg(2048)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
