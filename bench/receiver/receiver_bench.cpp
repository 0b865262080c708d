// How fast the receiver panel talks to a receiver: signal-meter polls per
// second while the receiver is on, the time from a "FREQUENZ" click to the
// frequency command on the wire, and band-scan steps per second with the
// stations found. The receiver is the simulator on a pseudo-terminal, bare
// or as slow as a real 9600-baud line, directly or through a USB adapter;
// its log stamps every command on arrival at the receiver.

#include "foundlist/form_autoscan.h"
#include "panel_bench.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

namespace zelvora {
namespace {

// The simulator's line: baud rate (0: the bare terminal) and the adapter's
// latency in ms.
struct Line {
  int baud;
  int latencyMs;
  QStringList arguments() const {
    QStringList list;
    if (baud > 0) list << QStringLiteral("--baud") << QString::number(baud);
    if (latencyMs > 0) list << QStringLiteral("--latency") << QString::number(latencyMs);
    return list;
  }
  double characterMs() const { return baud > 0 ? 10000.0 / baud : 0; }
};
constexpr Line kBare{0, 0}, kDirect{9600, 0}, kUsbAdapter{9600, 16};

using Bench = bench::PanelBench;

void BM_SignalMeterPolls(benchmark::State& state, Line line) {
  Bench bench(line.arguments());
  if (!bench.switchedOn()) {
    state.SkipWithError("the receiver did not switch on");
    return;
  }
  double polls = 0, seconds = 0;
  for (auto _ : state) {
    bench.sim->clearLog();
    QElapsedTimer t;
    t.start();
    bench.runEvents(1000);
    seconds += t.nsecsElapsed() / 1e9;
    polls += bench.sim->commands().count(QStringLiteral("I1?"));
    state.SetIterationTime(t.nsecsElapsed() / 1e9);
  }
  state.counters["polls_per_s"] = polls / seconds;
}
BENCHMARK_CAPTURE(BM_SignalMeterPolls, bare, kBare)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SignalMeterPolls, 9600_direct, kDirect)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SignalMeterPolls, 9600_usb_16ms, kUsbAdapter)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void BM_FrequencyClickToWire(benchmark::State& state) {
  Bench bench;
  if (!bench.switchedOn()) {
    state.SkipWithError("the receiver did not switch on");
    return;
  }
  // With the meter polling as it does for the user.
  bench.runEvents(100);
  QLineEdit* entry = bench.panel().Frequenzeingabe();
  QAbstractButton* frequenz = bench.button("but_fqeingabe");
  int n = 0;
  for (auto _ : state) {
    // Two frequencies in one band: one command per click.
    const QString mhz = (n++ % 2) ? QStringLiteral("145.5") : QStringLiteral("145.6125");
    entry->setText(mhz);
    bench.sim->clearLog();
    const double clicked = QDateTime::currentMSecsSinceEpoch();
    frequenz->click();
    double arrived = -1;
    for (int i = 0; i < 200 && arrived < 0; ++i) {
      const QStringList commands = bench.sim->commands();
      const auto stamps = bench.sim->stamps();
      for (int k = 0; k < commands.size() && k < static_cast<int>(stamps.size()); ++k)
        if (commands[k].startsWith(QStringLiteral("K0"))) arrived = stamps[k];
      if (arrived < 0) bench.runEvents(1);
    }
    if (arrived < 0) {
      state.SkipWithError("no frequency command arrived");
      return;
    }
    state.SetIterationTime((arrived - clicked) / 1000.0);
  }
}
BENCHMARK(BM_FrequencyClickToWire)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

// One scan pass over 144 to 146 MHz in 25 kHz steps, with five stations
// above the squelch: steps per second between the first and the last
// frequency command's arrival, and the stations found at their own
// frequency. Beside it the line's own bound for a step: the frequency
// command, the squelch query and its reply one after the other on the
// wire (20 + 5 + 7 characters), the command wait after the receiver has
// the frequency, and on average half the adapter's latency.
void BM_ScanPass(benchmark::State& state, Line line) {
  Bench bench(line.arguments() + bench::ScanBandArguments());
  if (!bench.switchedOn()) {
    state.SkipWithError("the receiver did not switch on");
    return;
  }
  Form_pcr1000& panel = bench.panel();
  bench.setScanBand(0);
  double steps = 0, seconds = 0, finds = 0, passes = 0;
  for (auto _ : state) {
    bench.tuneBandStart();
    bench.runEvents(100);
    bench.sim->clearLog();
    bench.button("Scan")->click();
    QElapsedTimer t;
    t.start();
    while (panel.CurrentFrequency < 146.0 - 1e-9 && t.elapsed() < 30000) bench.runEvents(5);
    bench.runEvents(200);
    bench.button("Scan")->click();
    const auto [count, span] = bench.sim->arrivals(QStringLiteral("K0"));
    if (count < 2) {
      state.SkipWithError("the scan sent no steps");
      return;
    }
    for (int k = 1; k <= 60; ++k) {
      const QString found = form<Form_autoscan>().autscan(k)->text();
      if (found.isEmpty()) continue;
      if (!bench::kScanBandFinds.contains(found)) {
        state.SkipWithError(qPrintable(QStringLiteral("a false find at ") + found));
        return;
      }
      ++finds;
    }
    ++passes;
    steps += count - 1;
    seconds += span;
    state.SetIterationTime(span / (count - 1));
  }
  const double boundMs = (20 + 5 + 7) * line.characterMs() + 10 + line.latencyMs / 2.0;
  state.counters["steps_per_s"] = steps / seconds;
  state.counters["bound_steps_per_s"] = 1000.0 / boundMs;
  state.counters["share_of_bound"] = steps / seconds / (1000.0 / boundMs);
  state.counters["finds_of_5"] = finds / passes;
}
BENCHMARK_CAPTURE(BM_ScanPass, bare, kBare)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScanPass, 9600_direct, kDirect)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScanPass, 9600_usb_16ms, kUsbAdapter)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The main window's start-up loads and unloads the panel; its load reads
// the settings file and must not wait for a receiver.
void BM_PanelLoadAndUnload(benchmark::State& state) {
  QTemporaryDir folder;
  qputenv("ZELVORA_PROGRAM_FOLDER", folder.path().toUtf8());
  qputenv("ZELVORA_COM1", folder.filePath(QStringLiteral("no-receiver")).toUtf8());
  for (auto _ : state) {
    form<Form_pcr1000>().load();
    form<Form_pcr1000>().unload();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  FormRegistry::instance().reset();
}
BENCHMARK(BM_PanelLoadAndUnload)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvora
