// How fast the receiver panel talks to a receiver: signal-meter polls per
// second while the receiver is on, the time from a "FREQUENZ" click to the
// frequency command on the wire, and band-scan steps per second. The receiver is the simulator on a
// pseudo-terminal; its log stamps every command on arrival.

#include "platform/classic_timer.h"
#include "platform/form_registry.h"
#include "platform/message_box.h"
#include "receiver/form_pcr1000.h"
#include "simulator_process.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

namespace zelvora {
namespace {

// A switched-on panel in an empty program folder, with its own simulator.
struct Bench {
  QTemporaryDir folder;
  std::unique_ptr<test::Simulator> sim;
  RecordingMessageBox messages;

  explicit Bench(const QStringList& simulatorArguments = {}) {
    qputenv("ZELVORA_PROGRAM_FOLDER", folder.path().toUtf8());
    sim = std::make_unique<test::Simulator>(QStringLiteral(ZELVORA_TOOLS_DIR "/pcrsim"),
                                            folder.filePath(QStringLiteral("sim.log")), simulatorArguments);
    qputenv("ZELVORA_COM1", sim->device().toLocal8Bit());
    button("RadioOn")->click();
  }
  ~Bench() {
    FormRegistry::instance().reset();
    QApplication::processEvents();
    sim.reset();
  }
  Form_pcr1000& panel() { return form<Form_pcr1000>(); }
  QAbstractButton* button(const char* name) {
    return panel().window()->findChild<QAbstractButton*>(QString::fromLatin1(name));
  }
  void runEvents(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
};

void BM_SignalMeterPolls(benchmark::State& state) {
  Bench bench;
  if (!bench.sim->running() || !bench.messages.texts().isEmpty()) {
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
BENCHMARK(BM_SignalMeterPolls)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_FrequencyClickToWire(benchmark::State& state) {
  Bench bench;
  if (!bench.sim->running() || !bench.messages.texts().isEmpty()) {
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

// Scan steps per second over a band without stations, so that no step
// pauses: the rate the three command waits of a step allow. Counted on the
// simulator's own log, one frequency command per step, between the first
// and the last command's arrival.
void BM_ScanSteps(benchmark::State& state) {
  Bench bench({QStringLiteral("--no-stations")});
  if (!bench.sim->running() || !bench.messages.texts().isEmpty()) {
    state.SkipWithError("the receiver did not switch on");
    return;
  }
  Form_pcr1000& panel = bench.panel();
  panel.Frequenzeingabe()->setText(QStringLiteral("145.0"));
  bench.button("but_fqeingabe")->click();
  panel.window()->findChild<QComboBox*>(QStringLiteral("TuningStep"))->setCurrentText(QStringLiteral("25 KHz"));
  panel.LoopBack = 1;
  double steps = 0, seconds = 0;
  for (auto _ : state) {
    bench.runEvents(50);
    bench.sim->clearLog();
    bench.button("Scan")->click();
    bench.runEvents(2000);
    bench.button("Scan")->click();
    const auto [count, span] = bench.sim->arrivals(QStringLiteral("K0"));
    if (count < 2) {
      state.SkipWithError("the scan sent no steps");
      return;
    }
    steps += count - 1;
    seconds += span;
    state.SetIterationTime(span / (count - 1));
  }
  state.counters["steps_per_s"] = steps / seconds;
}
BENCHMARK(BM_ScanSteps)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

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

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
