// The receiver panel on Hamlib rigs: band-scan steps per second and
// signal-meter polls per second through rigctld, on Hamlib's dummy rig and
// on Hamlib's PCR1000 driver with the simulator behind it, and how many
// command and reply round trips the Hamlib port itself manages.

#include "platform/classic_timer.h"
#include "platform/form_registry.h"
#include "platform/hamlib/hamlib_port.h"
#include "platform/message_box.h"
#include "receiver/form_pcr1000.h"
#include "rigctld_process.h"
#include "simulator_process.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

namespace zelvora {
namespace {

enum Chain { kDummyRig, kPcrDriver, kPcrDriverWithoutPauses };

const char* chainName(int chain) {
  switch (chain) {
    case kDummyRig: return "dummy rig";
    case kPcrDriver: return "PCR1000 driver -> simulator";
    default: return "PCR1000 driver without its pauses -> simulator";
  }
}

// A rigctld for the chain, with the simulator behind it for the PCR1000
// driver, and the panel set to drive it.
struct HamlibBench {
  QTemporaryDir folder;
  std::unique_ptr<test::Simulator> sim;
  std::unique_ptr<test::Rigctld> rig;
  RecordingMessageBox messages;

  explicit HamlibBench(int chain) {
    qputenv("ZELVORA_PROGRAM_FOLDER", folder.path().toUtf8());
    if (chain == kDummyRig) {
      rig = std::make_unique<test::Rigctld>(1);
    } else {
      sim = std::make_unique<test::Simulator>(QStringLiteral(ZELVORA_TOOLS_DIR "/pcrsim"),
                                              folder.filePath(QStringLiteral("sim.log")),
                                              QStringList{QStringLiteral("--no-stations")});
      QStringList arguments{QStringLiteral("-r"), sim->device(), QStringLiteral("-s"), QStringLiteral("9600")};
      if (chain == kPcrDriverWithoutPauses) arguments << QStringLiteral("--set-conf=write_delay=0,post_write_delay=0");
      rig = std::make_unique<test::Rigctld>(4001, arguments);
    }
    QFile settings(folder.filePath(QStringLiteral("zelvora.ini")));
    if (settings.open(QIODevice::WriteOnly))
      settings.write(QStringLiteral("[COMMUNICATION]\nRig=2\nRigHost=%1\n").arg(rig->host()).toUtf8());
  }
  ~HamlibBench() {
    FormRegistry::instance().reset();
    QApplication::processEvents();
  }
  bool ready() const { return rig->running() && (!sim || sim->running()); }
  Form_pcr1000& panel() { return form<Form_pcr1000>(); }
  QAbstractButton* button(const char* name) {
    return panel().window()->findChild<QAbstractButton*>(QString::fromLatin1(name));
  }
  bool switchOn() {
    button("RadioOn")->click();
    return messages.texts().isEmpty();
  }
  void runEvents(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
};

// The bench for the chain the benchmark runs with, its receiver switched
// on; null, with the benchmark skipped, when it does not switch on.
std::unique_ptr<HamlibBench> switchedOn(benchmark::State& state) {
  const int chain = static_cast<int>(state.range(0));
  state.SetLabel(chainName(chain));
  auto bench = std::make_unique<HamlibBench>(chain);
  if (!bench->ready() || !bench->switchOn()) {
    state.SkipWithError("the rig did not switch on");
    return nullptr;
  }
  return bench;
}

// Scan steps per second at the rig over a band without stations, with a
// 25 kHz step: counted on the simulator's log behind the PCR1000 driver,
// and on the panel's frequency for the dummy rig, whose rigctl answers at
// once. lag_ms is how long after the scan stopped the rig was still being
// tuned: the commands the rig had not kept up with.
void BM_HamlibScanSteps(benchmark::State& state) {
  const auto switched = switchedOn(state);
  if (!switched) return;
  HamlibBench& bench = *switched;
  Form_pcr1000& panel = bench.panel();
  panel.Frequenzeingabe()->setText(QStringLiteral("145.0"));
  bench.button("but_fqeingabe")->click();
  panel.window()->findChild<QComboBox*>(QStringLiteral("TuningStep"))->setCurrentText(QStringLiteral("25 KHz"));
  panel.LoopBack = 1;
  panel.window()->findChild<QLineEdit*>(QStringLiteral("Text_scan1"))->setText(QStringLiteral("145"));
  panel.window()->findChild<QLineEdit*>(QStringLiteral("Text_scan2"))->setText(QStringLiteral("1000"));
  double steps = 0, seconds = 0, lag = 0;
  for (auto _ : state) {
    bench.runEvents(200);
    if (bench.sim) bench.sim->clearLog();
    const double from = panel.CurrentFrequency;
    QElapsedTimer t;
    t.start();
    bench.button("Scan")->click();
    bench.runEvents(2000);
    bench.button("Scan")->click();
    const double panelSeconds = t.nsecsElapsed() / 1e9;
    const QString last = QString::number(qRound64(panel.CurrentFrequency * 1e6));
    // Less the time of the rigctl run that found the rig there.
    QElapsedTimer behind, run;
    behind.start();
    for (;;) {
      run.start();
      if (bench.rig->query(QStringLiteral("f")).value(0) == last || behind.elapsed() > 60000) break;
      bench.runEvents(5);
    }
    lag += behind.elapsed() - run.elapsed();
    double count = 0, span = 0;
    if (bench.sim) {
      const auto [k0, between] = bench.sim->arrivals(QStringLiteral("K0"));
      count = k0 - 1;
      span = between;
    } else {
      count = qRound((panel.CurrentFrequency - from) / 0.025);
      span = panelSeconds;
    }
    if (count < 1 || span <= 0) {
      state.SkipWithError("the scan sent no steps");
      return;
    }
    steps += count;
    seconds += span;
    state.SetIterationTime(span / count);
  }
  state.counters["steps_per_s"] = steps / seconds;
  state.counters["lag_ms"] = lag / state.iterations();
}
BENCHMARK(BM_HamlibScanSteps)
    ->Arg(kDummyRig)
    ->Arg(kPcrDriver)
    ->Arg(kPcrDriverWithoutPauses)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// Meter polls per second that reach the receiver, with the panel's own
// poll running for a second: the PCR1000 driver turns each into one "I1?".
void BM_HamlibMeterPolls(benchmark::State& state) {
  const auto switched = switchedOn(state);
  if (!switched) return;
  HamlibBench& bench = *switched;
  // A slow rig is still busy with the switch-on's commands at first.
  QElapsedTimer busy;
  busy.start();
  while (!bench.sim->commands().contains(QStringLiteral("I1?")) && busy.elapsed() < 60000) bench.runEvents(50);
  double polls = 0, seconds = 0;
  for (auto _ : state) {
    bench.runEvents(500);
    bench.sim->clearLog();
    bench.runEvents(1000);
    const auto [count, span] = bench.sim->arrivals(QStringLiteral("I1?"));
    if (count < 2) {
      state.SkipWithError("no polls reached the receiver");
      return;
    }
    polls += count - 1;
    seconds += span;
    state.SetIterationTime(span / (count - 1));
  }
  state.counters["polls_per_s"] = polls / seconds;
}
BENCHMARK(BM_HamlibMeterPolls)
    ->Arg(kPcrDriver)
    ->Arg(kPcrDriverWithoutPauses)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// The Hamlib port alone: one "I1?" and its reply after the other, as fast
// as the chain answers; the ceiling for any poll or scan through it.
void BM_HamlibPortRoundTrip(benchmark::State& state) {
  const int chain = static_cast<int>(state.range(0));
  state.SetLabel(chainName(chain));
  HamlibBench bench(chain);
  if (!bench.ready()) {
    state.SkipWithError("no rigctld");
    return;
  }
  RigAddress address;
  address.model = 2;
  address.host = bench.rig->host();
  HamlibPort port(nullptr, QStringLiteral("MSComm1"), address);
  if (!port.open()) {
    state.SkipWithError("the port did not open");
    return;
  }
  for (auto _ : state) {
    port.output(QStringLiteral("I1?\r\n"));
    QString reply;
    while (!reply.endsWith(QLatin1Char('\n'))) {
      QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
      reply += port.input();
    }
    benchmark::DoNotOptimize(reply);
  }
  state.counters["round_trips_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HamlibPortRoundTrip)
    ->Arg(kDummyRig)
    ->Arg(kPcrDriver)
    ->Arg(kPcrDriverWithoutPauses)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvora
