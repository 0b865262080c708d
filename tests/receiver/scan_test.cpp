#include "foundlist/form_autoscan.h"
#include "platform/classic_timer.h"
#include "platform/events.h"
#include "platform/form_registry.h"
#include "receiver/panel_widgets.h"
#include "receiver_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace zelvora {
namespace {

// A scan against the simulator: stations 10 kHz wide, so that with a
// 25 kHz step exactly one frequency of the scan hears each of them.
class ScanTest : public test::ReceiverTest {
 protected:
  void startStations(const QStringList& mhz, const QStringList& more = {}) {
    QStringList arguments = more;
    for (const QString& f : mhz) arguments << QStringLiteral("--station") << f + QStringLiteral(":10:100");
    if (mhz.isEmpty()) arguments << QStringLiteral("--no-stations");
    startSimulator(arguments);
  }
  // Receiver on at 145.0 MHz with a 25 kHz step; the simulator answers
  // like a PCR1000.
  void switchOnAt145() {
    switchOn();
    panel().IsPcr1000 = true;
    panel().Frequenzeingabe()->setText(QStringLiteral("145.0"));
    click(QStringLiteral("but_fqeingabe"));
    control<QComboBox>(QStringLiteral("TuningStep"))->setCurrentText(QStringLiteral("25 KHz"));
    m_sim->waitForLast(QStringLiteral("K00145000000050200"));
    m_sim->clearLog();
  }
  void setLimits(const QString& sc1, const QString& sc2) {
    control<QLineEdit>(QStringLiteral("Text_scan1"))->setText(sc1);
    control<QLineEdit>(QStringLiteral("Text_scan2"))->setText(sc2);
  }
  ClassicTimer* timer(const char* name) { return control<ClassicTimer>(QString::fromLatin1(name)); }
  bool scanning() { return timer("Timer3")->enabled(); }
  QString scanPicture() { return control<PictureButton>(QStringLiteral("Scan"))->picture(); }
  Form_autoscan& list() { return form<Form_autoscan>(); }
  QString slot(int k) { return list().autscan(k)->text(); }
  // Lets the scan run until done() (or the time is up); returns done().
  bool runUntil(const std::function<bool()>& done, int ms = 10000) { return WaitUntil(done, ms); }
  // The frequencies the scan tuned, in kHz, from the simulator's log.
  QList<int> tunedKHz() {
    QList<int> list;
    for (const QString& c : m_sim->commands())
      if (c.startsWith(QStringLiteral("K0"))) list << static_cast<int>(c.mid(2, 10).toLongLong() / 1000);
    return list;
  }
  QList<qint64> tunedHz() {
    QList<qint64> list;
    for (const QString& c : m_sim->commands())
      if (c.startsWith(QStringLiteral("K0"))) list << c.mid(2, 10).toLongLong();
    return list;
  }
  // Runs fn from inside the scan's own waits, a little after the signal.
  template <class Signal>
  void soonAfter(QLineEdit* sender, Signal signal, std::function<void()> fn) {
    QObject::connect(sender, signal, sender, [fn] { QTimer::singleShot(50, fn); }, Qt::SingleShotConnection);
  }
};

TEST_F(ScanTest, WithLoopBackTheScanWrapsFromSc2ToSc1AndFillsTheSlotsInTurn) {
  writeSettings(QStringLiteral("[SCAN]\nLoopBack=1\nPauseScan=0\n"));
  startStations({QStringLiteral("145.5"), QStringLiteral("144.05")});
  switchOnAt145();
  setLimits(QStringLiteral("144"), QStringLiteral("146"));
  click(QStringLiteral("Scan"));
  ASSERT_TRUE(scanning());
  EXPECT_TRUE(list().visible());
  EXPECT_TRUE(scanPicture().endsWith(QLatin1String("but_scan2.jpg")));
  EXPECT_FALSE(timer("Timer2")->enabled());
  ASSERT_TRUE(runUntil([&] { return !slot(2).isEmpty(); }));
  click(QStringLiteral("Scan"));

  EXPECT_EQ(slot(1), QStringLiteral("145.5000"));
  EXPECT_EQ(slot(2), QStringLiteral("144.0500"));
  EXPECT_EQ(slot(3), QString());
  EXPECT_TRUE(list().autscan(1)->isReadOnly());
  // Upward from 145.025 to the first step at or beyond 146, then on from
  // SC1 + one step; no frequency below SC1 or beyond one step past SC2.
  const QList<int> tuned = tunedKHz();
  ASSERT_GE(tuned.size(), 42);
  EXPECT_EQ(tuned.first(), 145025);
  const int top = tuned.indexOf(144025);
  ASSERT_GT(top, 0);
  EXPECT_TRUE(tuned[top - 1] == 146000 || tuned[top - 1] == 146025) << tuned[top - 1];
  for (int i = 1; i < top; ++i) EXPECT_EQ(tuned[i] - tuned[i - 1], 25) << i;
  EXPECT_EQ(tuned[top + 1], 144050);
  // Stopped: the picture and the meter's poll are back.
  EXPECT_FALSE(scanning());
  EXPECT_TRUE(scanPicture().endsWith(QLatin1String("but_scan.jpg")));
  EXPECT_TRUE(timer("Timer2")->enabled());
  EXPECT_TRUE(list().visible());
}

TEST_F(ScanTest, WithoutLoopBackTheScanRunsOnPastSc2) {
  startStations({QStringLiteral("145.2")});
  switchOnAt145();
  panel().LoopBack = 0;
  setLimits(QStringLiteral("144"), QStringLiteral("145.1"));
  click(QStringLiteral("Scan"));
  ASSERT_TRUE(runUntil([&] { return !slot(1).isEmpty(); }));
  click(QStringLiteral("Scan"));
  EXPECT_EQ(slot(1), QStringLiteral("145.2000"));
  EXPECT_EQ(tunedKHz().mid(0, 8), (QList<int>{145025, 145050, 145075, 145100, 145125, 145150, 145175, 145200}));
}

TEST_F(ScanTest, PauseScan12AddsOneFindAndStopsTheScan) {
  startStations({QStringLiteral("145.05"), QStringLiteral("145.1")});
  switchOnAt145();
  panel().PauseScan = 12;
  click(QStringLiteral("Scan"));
  ASSERT_TRUE(runUntil([&] { return !scanning(); }));
  test::settle(200);
  EXPECT_EQ(slot(1), QStringLiteral("145.0500"));
  EXPECT_EQ(slot(2), QString());
  EXPECT_TRUE(scanPicture().endsWith(QLatin1String("but_scan.jpg")));
  EXPECT_TRUE(timer("Timer2")->enabled());
  EXPECT_EQ(tunedKHz(), (QList<int>{145025, 145050}));
  EXPECT_TRUE(control<PictureImage>(QStringLiteral("Picsun"))->picture().endsWith(QLatin1String("lampe-gruen.jpg")));
}

TEST_F(ScanTest, TheModelSettingChoosesWhichSquelchDigitMeansOpen) {
  struct Case {
    bool isPcr1000;
    const char* openDigit;  // what the receiver answers on the station
    bool found;
  };
  const Case cases[] = {{true, "7", true}, {true, "3", false}, {false, "3", true}, {false, "7", false}};
  for (const Case& c : cases) {
    startStations({QStringLiteral("145.05")}, {QStringLiteral("--open-digit"), QString::fromLatin1(c.openDigit)});
    switchOnAt145();
    panel().IsPcr1000 = c.isPcr1000;
    panel().LoopBack = 1;
    setLimits(QStringLiteral("145"), QStringLiteral("145.1"));
    click(QStringLiteral("Scan"));
    // Past the station twice: every other frequency answers "I004".
    ASSERT_TRUE(runUntil([&] { return !slot(1).isEmpty() || tunedKHz().count(145050) >= 2; }));
    click(QStringLiteral("Scan"));
    EXPECT_EQ(slot(1), c.found ? QStringLiteral("145.0500") : QString()) << c.isPcr1000 << c.openDigit;
    if (c.found) EXPECT_EQ(slot(2), QString());
    list().Commfreqloesch_Click();
    click(QStringLiteral("RadioOff"));
  }
}

TEST_F(ScanTest, ASquelchReplyThatComesLateStillCountsForItsOwnFrequencyOnly) {
  // Every squelch reply comes 15 ms late, after the step's own wait: the
  // step waits for it, and no other frequency takes it for its own.
  startStations({QStringLiteral("145.05")}, {QStringLiteral("--delay"), QStringLiteral("I0?=15")});
  switchOnAt145();
  panel().LoopBack = 1;
  panel().PauseScan = 0;
  setLimits(QStringLiteral("145"), QStringLiteral("145.1"));
  click(QStringLiteral("Scan"));
  runUntil([&] { return tunedKHz().count(145050) >= 3; });
  click(QStringLiteral("Scan"));
  EXPECT_EQ(slot(1), QStringLiteral("145.0500"));
  EXPECT_EQ(slot(2), QStringLiteral("145.0500"));
  EXPECT_EQ(slot(3), QStringLiteral("145.0500"));
  EXPECT_EQ(slot(4), QString());
}

TEST_F(ScanTest, ScanLimitsTakePointOrCommaAndSc2StopsAt1300) {
  struct Case {
    const char* sc1;
    const char* sc2;
    bool starts;
    double start, stop;
    const char* sc1After;
  };
  const Case cases[] = {
      {"144.5", "146,5", true, 144.5, 146.5, "144.5"}, {"144,5", "2000", true, 144.5, 1300, "144,5"},
      {" 145 ", "1300", true, 145, 1300, " 145 "},     {"", "146", true, 1, 146, "1"},
      {"144", "", false, 0, 0, "144"},                {"144", "146 MHz", false, 0, 0, "144"},
      {"abc", "146", false, 0, 0, "abc"},
  };
  startStations({});
  switchOnAt145();
  for (const Case& c : cases) {
    m_messages->clear();
    panel().ScanStart = panel().ScanStop = 0;
    setLimits(QString::fromLatin1(c.sc1), QString::fromLatin1(c.sc2));
    click(QStringLiteral("Scan"));
    EXPECT_EQ(scanning(), c.starts) << c.sc1 << " " << c.sc2;
    EXPECT_EQ(control<QLineEdit>(QStringLiteral("Text_scan1"))->text(), QString::fromLatin1(c.sc1After));
    if (c.starts) {
      EXPECT_DOUBLE_EQ(panel().ScanStart, c.start) << c.sc1;
      EXPECT_DOUBLE_EQ(panel().ScanStop, c.stop) << c.sc2;
      EXPECT_TRUE(m_messages->texts().isEmpty());
      click(QStringLiteral("Scan"));
    } else {
      EXPECT_EQ(m_messages->texts(),
                QStringList{QStringLiteral("SC1 und SC2 dürfen nicht leer sein! (Scanstart und Scanstopp)")});
      EXPECT_TRUE(scanPicture().endsWith(QLatin1String("but_scan.jpg")));
    }
    EXPECT_FALSE(scanning());
  }
}

TEST_F(ScanTest, WithTheReceiverOffScanOnlyShowsTheList) {
  click(QStringLiteral("Scan"));
  EXPECT_FALSE(scanning());
  EXPECT_TRUE(list().visible());
  EXPECT_TRUE(m_messages->texts().isEmpty());
  EXPECT_TRUE(scanPicture().endsWith(QLatin1String("but_scan.jpg")));
}

TEST_F(ScanTest, AStepDuringAPauseEndsThePauseAndTurnsTheScan) {
  // An hour's pause after each find: only the click ends it.
  startStations({QStringLiteral("145.1"), QStringLiteral("144.9")});
  switchOnAt145();
  panel().PauseScan = 11;
  click(QStringLiteral("Scan"));
  soonAfter(list().autscan(1), &QLineEdit::textChanged, [this] { click(QStringLiteral("FrequencyDown")); });
  soonAfter(list().autscan(2), &QLineEdit::textChanged, [this] { click(QStringLiteral("FrequencyUp")); });
  // Stopping the scan during a pause ends that pause as well.
  soonAfter(list().autscan(3), &QLineEdit::textChanged, [this] { click(QStringLiteral("Scan")); });
  ASSERT_TRUE(runUntil([&] { return !scanning(); }));
  EXPECT_EQ(slot(1), QStringLiteral("145.1000"));
  EXPECT_EQ(slot(2), QStringLiteral("144.9000"));
  EXPECT_EQ(slot(3), QStringLiteral("145.1000"));
  const QList<int> tuned = tunedKHz();
  EXPECT_EQ(tuned, (QList<int>{145025, 145050, 145075, 145100, 145075, 145050, 145025, 145000, 144975, 144950, 144925,
                               144900, 144925, 144950, 144975, 145000, 145025, 145050, 145075, 145100}));
  EXPECT_TRUE(panel().ScanUp);
}

TEST_F(ScanTest, AfterClosingTheListTheNextFindLoadsItEmpty) {
  startStations({QStringLiteral("145.05")});
  switchOnAt145();
  panel().LoopBack = 1;
  setLimits(QStringLiteral("145"), QStringLiteral("145.1"));
  click(QStringLiteral("Scan"));
  ASSERT_TRUE(runUntil([&] { return !slot(1).isEmpty(); }));
  list().autscan(2)->setText(QStringLiteral("typed"));
  list().Comm_freqfindschliess()->click();
  ASSERT_FALSE(list().isLoaded());
  ASSERT_TRUE(runUntil([&] { return list().isLoaded(); }));
  click(QStringLiteral("Scan"));
  EXPECT_EQ(slot(1), QStringLiteral("145.0500"));
  EXPECT_EQ(slot(2), QString());
}

TEST_F(ScanTest, ClosingThePanelDuringAScanStopsItAndFreesThePort) {
  startStations({QStringLiteral("145.05")});
  switchOnAt145();
  panel().PauseScan = 11;
  click(QStringLiteral("Scan"));
  soonAfter(list().autscan(1), &QLineEdit::textChanged, [this] { panel().unload(); });
  ASSERT_TRUE(runUntil([&] { return !panel().isLoaded(); }));
  test::settle(100);
  EXPECT_FALSE(panel().isLoaded());
  m_sim->clearLog();
  test::settle(100);
  EXPECT_TRUE(m_sim->commands().isEmpty());
  // Loaded again it starts idle, and the port opens again.
  EXPECT_FALSE(scanning());
  switchOn();
  EXPECT_TRUE(m_messages->texts().isEmpty());
}

TEST_F(ScanTest, DoubleClicksOnTheLimitsTuneToSc1AndShowTheList) {
  startStations({});
  switchOnAt145();
  setLimits(QStringLiteral("144,8"), QStringLiteral("146"));
  QTest::mouseDClick(control<QLineEdit>(QStringLiteral("Text_scan1")), Qt::LeftButton);
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 144.8);
  EXPECT_EQ(m_sim->waitForLast(QStringLiteral("K00144800000050200")), QStringLiteral("K00144800000050200"));
  EXPECT_FALSE(list().isLoaded());
  QTest::mouseDClick(control<QLineEdit>(QStringLiteral("Text_scan2")), Qt::LeftButton);
  EXPECT_TRUE(list().visible());
}

TEST_F(ScanTest, AtTheEndsOfTheRangeTheScanLoopsBackForStepsThatBinaryCannotAddExactly) {
  struct Case {
    const char* step;
    qint64 stepHz;
    bool up;
    const char* from;  // SC1 upward, SC2 downward
    const char* sc1;
    const char* sc2;
  };
  const Case cases[] = {
      {"25 KHz", 25000, true, "1299", "1299", "1300"},   {"100 KHz", 100000, true, "1299", "1299", "2000"},
      {"12.5 KHz", 12500, true, "1299.5", "1299.5", "1300"}, {"25 KHz", 25000, false, "0.51", "0.01", "0.51"},
      {"100 KHz", 100000, false, "0.51", "0.01", "0.51"}, {"12.5 KHz", 12500, false, "0.51", "0.01", "0.51"},
  };
  startStations({});
  switchOnAt145();
  panel().LoopBack = 1;
  for (const Case& c : cases) {
    panel().Frequenzeingabe()->setText(QString::fromLatin1(c.from));
    click(QStringLiteral("but_fqeingabe"));
    control<QComboBox>(QStringLiteral("TuningStep"))->setCurrentText(QString::fromLatin1(c.step));
    setLimits(QString::fromLatin1(c.sc1), QString::fromLatin1(c.sc2));
    m_sim->waitForLast(m_sim->commands().value(m_sim->commands().size() - 1));
    m_sim->clearLog();
    click(QStringLiteral("Scan"));
    panel().ScanUp = c.up;
    const qint64 low = std::llround(panel().ScanStart * 1e6), high = std::llround(panel().ScanStop * 1e6);
    const qint64 end = c.up ? high : low, next = c.up ? low + c.stepHz : high - c.stepHz;
    // To the end of the band, and one step on from its other end.
    const auto reachedEnd = [&] {
      const QList<qint64> tuned = tunedHz();
      const qsizetype at = tuned.indexOf(end);
      return at >= 0 && at + 1 < tuned.size();
    };
    const bool looped = runUntil(reachedEnd, 20000);
    click(QStringLiteral("Scan"));
    ASSERT_TRUE(looped) << c.step << (c.up ? " up" : " down");
    const QList<qint64> tuned = tunedHz();
    const qsizetype at = tuned.indexOf(end);
    EXPECT_EQ(tuned[at + 1], next) << c.step << (c.up ? " up" : " down");
    for (qsizetype i = 1; i <= at; ++i) EXPECT_EQ(std::llabs(tuned[i] - tuned[i - 1]), c.stepHz) << i;
    for (qint64 hz : tuned) EXPECT_TRUE(hz >= low && hz <= high) << hz;
  }
}

}  // namespace
}  // namespace zelvora
