// The receiver panel over the simulator's model of a real serial line:
// 9600 baud both ways, a USB adapter's latency, a receiver that needs time
// to retune. A bare pseudo-terminal answers faster than any receiver.

#include "foundlist/form_autoscan.h"
#include "platform/classic_timer.h"
#include "platform/events.h"
#include "platform/form_registry.h"
#include "receiver_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <set>

namespace zelvora {
namespace {

const QStringList kNineSixHundred = {QStringLiteral("--baud"), QStringLiteral("9600")};

class RealLineTest : public test::ReceiverTest {
 protected:
  Form_autoscan& list() { return form<Form_autoscan>(); }
  QStringList finds() {
    QStringList found;
    for (int k = 1; k <= 60; ++k)
      if (!list().autscan(k)->text().isEmpty()) found << list().autscan(k)->text();
    return found;
  }
  void tune(const QString& mhz) {
    panel().Frequenzeingabe()->setText(mhz);
    click(QStringLiteral("but_fqeingabe"));
  }
  // Receiver on at SC1 with a 25 kHz step in FM.
  void switchOnAt(const QString& mhz) {
    switchOn();
    panel().IsPcr1000 = true;
    tune(mhz);
    control<QComboBox>(QStringLiteral("TuningStep"))->setCurrentText(QStringLiteral("25 KHz"));
  }
  // One scan from the current frequency until it has tuned `last`.
  bool scanUpTo(double last) {
    click(QStringLiteral("Scan"));
    const bool done = WaitUntil([&] { return panel().CurrentFrequency >= last - 1e-9; }, 60000);
    // Let the last step finish before stopping.
    WaitUntil([&] { return !control<ClassicTimer>(QStringLiteral("Timer1"))->enabled(); }, 1000);
    test::settle(300);
    click(QStringLiteral("Scan"));
    return done;
  }
};

// Five stations above the squelch (15) and one below it, 10 kHz wide: with
// a 25 kHz step exactly one frequency of the scan hears each.
const QStringList kBand = {QStringLiteral("144.1:10:100"), QStringLiteral("144.5:10:40"),
                           QStringLiteral("144.525:10:200"), QStringLiteral("145.2:10:12"),
                           QStringLiteral("145.5:10:60"),   QStringLiteral("145.975:10:30")};
const QStringList kAboveSquelch = {QStringLiteral("144.1000"), QStringLiteral("144.5000"), QStringLiteral("144.5250"),
                                   QStringLiteral("145.5000"), QStringLiteral("145.9750")};

QStringList BandArguments() {
  QStringList arguments;
  for (const QString& station : kBand) arguments << QStringLiteral("--station") << station;
  return arguments;
}

TEST_F(RealLineTest, OnePassFindsEveryStationAboveTheSquelchOnceAtItsOwnFrequency) {
  struct Case {
    const char* name;
    QStringList line;
  };
  const Case cases[] = {
      {"9600 baud direct", kNineSixHundred},
      {"9600 baud through a USB adapter", kNineSixHundred + QStringList{QStringLiteral("--latency"), QStringLiteral("16")}},
      {"9600 baud, a receiver that retunes in 10 ms",
       kNineSixHundred + QStringList{QStringLiteral("--settle"), QStringLiteral("10"), QStringLiteral("--process"),
                                     QStringLiteral("1")}},
      {"the bare terminal", {}},
  };
  for (const Case& c : cases) {
    startSimulator(BandArguments() + c.line);
    switchOnAt(QStringLiteral("144.0"));
    ASSERT_TRUE(scanUpTo(146.0)) << c.name;
    EXPECT_EQ(finds(), kAboveSquelch) << c.name;
    list().Commfreqloesch_Click();
    click(QStringLiteral("RadioOff"));
  }
}

TEST_F(RealLineTest, DroppedAndSpoiledRepliesMakeNoFalseFindAndTheScanGoesOn) {
  startSimulator(BandArguments() + kNineSixHundred +
                 QStringList{QStringLiteral("--drop"), QStringLiteral("0.1"), QStringLiteral("--garble"),
                             QStringLiteral("0.1"), QStringLiteral("--stray"), QStringLiteral("--seed"),
                             QStringLiteral("7")});
  switchOnAt(QStringLiteral("144.0"));
  ASSERT_TRUE(scanUpTo(146.0)) << "the scan reached the end of the band";
  const QStringList found = finds();
  for (const QString& f : found) EXPECT_TRUE(kAboveSquelch.contains(f)) << f.toStdString();
  EXPECT_EQ(std::set<QString>(found.begin(), found.end()).size(), static_cast<size_t>(found.size()));
  EXPECT_GE(found.size(), 2) << "most replies still come";
}

TEST_F(RealLineTest, AfterARetuneTheMeterShowsTheNewStationNotTheOldOne) {
  startSimulator({QStringLiteral("--station"), QStringLiteral("145.5:10:200"), QStringLiteral("--station"),
                  QStringLiteral("145.6:10:40"), QStringLiteral("--baud"), QStringLiteral("9600"),
                  QStringLiteral("--settle"), QStringLiteral("10")});
  switchOn();
  auto* poll = control<ClassicTimer>(QStringLiteral("Timer2"));
  poll->setEnabled(true);
  tune(QStringLiteral("145.5"));
  ASSERT_TRUE(WaitUntil([&] { return panel().SignalLevel == 89; }, 2000));

  // Every level the meter shows from the moment the retune is done.
  std::vector<int> shown;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (shown.empty() || shown.back() != panel().SignalLevel) shown.push_back(panel().SignalLevel);
  });
  tune(QStringLiteral("145.6"));
  panel().SignalLevel = -1;
  watch.start(1);
  test::settle(400);
  watch.stop();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown, (std::vector<int>{-1, 30})) << "the first reading after the retune is the new station's";
}

TEST_F(RealLineTest, AnArrowKeyHeldWhileTheMeterPollsKeepsEveryCommandWholeAndInOrder) {
  startSimulator(kNineSixHundred);
  switchOn();
  control<ClassicTimer>(QStringLiteral("Timer2"))->setEnabled(true);
  control<QComboBox>(QStringLiteral("TuningStep"))->setCurrentText(QStringLiteral("25 KHz"));
  m_sim->clearLog();
  const double from = panel().CurrentFrequency;

  // Held for half a second: the key poll steps every tick, faster than
  // the line carries the commands.
  QWidget* focus = control(QStringLiteral("Check_lock"));
  QTest::keyPress(focus, Qt::Key_Up);
  test::settle(500);
  QTest::keyRelease(focus, Qt::Key_Up);
  test::settle(100);
  control<ClassicTimer>(QStringLiteral("Timer2"))->setEnabled(false);
  const int steps = static_cast<int>(std::lround((panel().CurrentFrequency - from) / 0.025));
  ASSERT_GT(steps, 5);
  test::settle(2000);

  const QRegularExpression known(QStringLiteral("^(K0\\d{10}0[0-6]0[0-4]00|I1\\?)$"));
  QList<qint64> tunedHz;
  for (const QString& command : m_sim->commands()) {
    EXPECT_TRUE(known.match(command).hasMatch()) << command.toStdString();
    if (command.startsWith(QLatin1String("K0"))) tunedHz << command.mid(2, 10).toLongLong();
  }
  ASSERT_EQ(tunedHz.size(), steps) << "every step reached the receiver";
  for (int i = 1; i < tunedHz.size(); ++i) EXPECT_EQ(tunedHz[i] - tunedHz[i - 1], 25000) << i;
  EXPECT_TRUE(m_sim->commands().contains(QStringLiteral("I1?"))) << "the meter polled meanwhile";
}

}  // namespace
}  // namespace zelvora
