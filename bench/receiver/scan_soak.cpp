// A long scan: the receiver panel scans 144 to 146 MHz round and round for
// N minutes (default 30) over the simulator at 9600 baud behind a USB
// adapter's 16 ms latency, with lost, spoiled and stray replies. Reports
// the steps, the finds and false finds over the passes, the longest time
// the user interface did not get to run its events, and the resident
// memory after the first pass and at the end.
//
// Usage: scan_soak [MINUTES]

#include "foundlist/form_autoscan.h"
#include "panel_bench.h"

#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace zelvora {
namespace {

// Resident memory of this process in kB.
long residentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return -1;
}

// The longest gap between two turns of a 5 ms timer, less its interval:
// how long the events waited at most.
class StallProbe {
 public:
  StallProbe() {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kIntervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      if (m_clock.isValid()) m_longestMs = std::max(m_longestMs, m_clock.nsecsElapsed() / 1e6 - kIntervalMs);
      m_clock.start();
    });
    m_timer.start();
  }
  double longestMs() const { return m_longestMs; }
  void restart() {
    m_longestMs = 0;
    m_clock.invalidate();
  }

 private:
  static constexpr int kIntervalMs = 5;
  QTimer m_timer;
  QElapsedTimer m_clock;
  double m_longestMs = 0;
};

int soak(double minutes) {
  const QStringList line = {QStringLiteral("--baud"),  QStringLiteral("9600"),   QStringLiteral("--latency"),
                            QStringLiteral("16"),      QStringLiteral("--settle"), QStringLiteral("10"),
                            QStringLiteral("--drop"),  QStringLiteral("0.02"),   QStringLiteral("--garble"),
                            QStringLiteral("0.02"),    QStringLiteral("--stray"),  QStringLiteral("--seed"),
                            QStringLiteral("1")};
  bench::PanelBench bench(line + bench::ScanBandArguments());
  if (!bench.switchedOn()) {
    std::fprintf(stderr, "the receiver did not switch on\n");
    return 1;
  }
  Form_pcr1000& panel = bench.panel();
  bench.setScanBand(1);
  bench.tuneBandStart();
  Form_autoscan& found = form<Form_autoscan>();
  bench.runEvents(200);
  bench.sim->clearLog();

  StallProbe probe;
  bench.button("Scan")->click();
  QElapsedTimer running;
  running.start();
  const qint64 endMs = static_cast<qint64>(minutes * 60000);
  long steps = 0, passes = 0, finds = 0, falseFinds = 0, startKb = -1;
  double longestStallMs = 0;
  double last = panel.CurrentFrequency;
  qint64 nextReportMs = 60000;
  while (running.elapsed() < endMs) {
    bench.runEvents(20);
    const double now = panel.CurrentFrequency;
    // A pass ends when the scan jumps back to the start of the band.
    if (now < last - 1.0) {
      ++passes;
      for (int k = 1; k <= Form_autoscan::kSlots; ++k) {
        const QString text = found.autscan(k)->text();
        if (text.isEmpty()) continue;
        if (bench::kScanBandFinds.contains(text)) {
          ++finds;
        } else {
          ++falseFinds;
          std::printf("false find at %s in pass %ld\n", qPrintable(text), passes);
        }
      }
      found.Commfreqloesch_Click();
      // The first pass warms up the caches; stalls and memory count after it.
      if (passes == 1) {
        startKb = residentKb();
        probe.restart();
      }
    }
    last = now;
    if (running.elapsed() >= nextReportMs) {
      steps += bench.sim->arrivals(QStringLiteral("K0")).first;
      bench.sim->clearLog();
      longestStallMs = std::max(longestStallMs, probe.longestMs());
      std::printf("%3lld min: %ld steps, %ld passes, %ld finds, %ld false, longest stall %.1f ms, %ld kB\n",
                  static_cast<long long>(nextReportMs / 60000), steps, passes, finds, falseFinds, longestStallMs,
                  residentKb());
      std::fflush(stdout);
      nextReportMs += 60000;
    }
  }
  bench.button("Scan")->click();
  steps += bench.sim->arrivals(QStringLiteral("K0")).first;
  longestStallMs = std::max(longestStallMs, probe.longestMs());
  const long endKb = residentKb();
  std::printf("\n%.1f min, %ld steps (%.1f/s), %ld passes\n", running.elapsed() / 60000.0, steps,
              steps / (running.elapsed() / 1000.0), passes);
  std::printf("finds %ld of %ld, false finds %ld\n", finds, passes * bench::kScanBandFinds.size(), falseFinds);
  std::printf("longest stall of the user interface %.1f ms\n", longestStallMs);
  std::printf("resident memory %ld kB after the first pass, %ld kB at the end (%+ld kB)\n", startKb, endKb,
              endKb - startKb);
  return falseFinds == 0 ? 0 : 2;
}

}  // namespace
}  // namespace zelvora

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const double minutes = argc > 1 ? std::atof(argv[1]) : 30;
  if (minutes <= 0) {
    std::fprintf(stderr, "usage: scan_soak [MINUTES]\n");
    return 1;
  }
  return zelvora::soak(minutes);
}
