// The receiver panel on Hamlib rigs through a rigctld: Hamlib's dummy rig,
// read back with rigctl, and Hamlib's own PCR1000 driver on the simulator.

#include "foundlist/form_autoscan.h"
#include "platform/classic_timer.h"
#include "platform/events.h"
#include "platform/form_registry.h"
#include "platform/hamlib/hamlib_port.h"
#include "platform/hamlib/pcr_scale.h"
#include "platform/serial/serial_port.h"
#include "receiver/panel_widgets.h"
#include "receiver_fixture.h"
#include "rigctld_process.h"

#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QSlider>

#include <functional>

namespace zelvora {
namespace {

const QString kPortMessage = QStringLiteral("COM Port stimmt nicht. Im Gerätemanager nachschauen.");

class HamlibTest : public test::ReceiverTest {
 protected:
  // The panel drives the rig behind this rigctld; more: further lines of
  // the settings file.
  void useRig(const QString& host, const QString& more = {}) {
    writeSettings(QStringLiteral("[COMMUNICATION]\nRig=2\nRigHost=") + host + QStringLiteral("\n") + more);
  }
  void switchOnRig() {
    click(QStringLiteral("RadioOn"));
    ASSERT_TRUE(m_messages->texts().isEmpty()) << m_messages->texts().join(QLatin1Char('\n')).toStdString();
    // The tests poll the meter themselves.
    control<ClassicTimer>(QStringLiteral("Timer2"))->setEnabled(false);
  }
  // Whether rigctl reads this back once the rig has caught up with the
  // panel (within a few seconds); numbers compare within a thousandth.
  ::testing::AssertionResult readsBack(const test::Rigctld& rig, const QString& command, const QStringList& expected) {
    QStringList got;
    if (WaitUntil(
            [&] {
              got = rig.query(command);
              return same(got, expected);
            },
            5000))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << command.toStdString() << " reads " << got.join(QLatin1Char(' ')).toStdString();
  }
  static bool same(const QStringList& got, const QStringList& expected) {
    if (got.size() != expected.size()) return false;
    for (qsizetype i = 0; i < got.size(); ++i) {
      bool a = false, b = false;
      const double x = got[i].toDouble(&a), y = expected[i].toDouble(&b);
      if (a && b ? qAbs(x - y) > 1e-3 : got[i] != expected[i]) return false;
    }
    return true;
  }
  void enter(const QString& mhz) {
    panel().Frequenzeingabe()->setText(mhz);
    click(QStringLiteral("but_fqeingabe"));
  }
};

TEST_F(HamlibTest, TheRigKeysChooseThePortAndSurviveASave) {
  struct Case {
    const char* settings;
    bool hamlib;
  };
  const Case cases[] = {{"", false},
                        {"[COMMUNICATION]\nCommPort=1\n", false},
                        {"[COMMUNICATION]\nRig=0\n", false},
                        {"[COMMUNICATION]\nRig=none\n", false},
                        {"[COMMUNICATION]\nRig=1\n", true},
                        {"[COMMUNICATION]\nRig=2\nRigHost=127.0.0.1:4532\n", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    FormRegistry::instance().reset();
    writeSettings(QString::fromLatin1(c.settings));
    QObject* port = control<QObject>(QStringLiteral("MSComm1"));
    EXPECT_EQ(qobject_cast<HamlibPort*>(port) != nullptr, c.hamlib);
    EXPECT_EQ(qobject_cast<SerialPort*>(port) != nullptr, !c.hamlib);
  }
  // The panel writes only its own keys; the rig's stay as the user set them.
  click(QStringLiteral("Comm_speichern"));
  const QString saved = settingsText();
  EXPECT_TRUE(saved.contains(QStringLiteral("Rig=2"))) << saved.toStdString();
  EXPECT_TRUE(saved.contains(QStringLiteral("RigHost=127.0.0.1:4532"))) << saved.toStdString();
  EXPECT_TRUE(saved.contains(QStringLiteral("CommPort=1"))) << saved.toStdString();
}

TEST_F(HamlibTest, ARigctldThatIsNotRunningGivesThePortMessage) {
  useRig(QStringLiteral("127.0.0.1:%1").arg(test::FreeTcpPort()));
  click(QStringLiteral("RadioOn"));
  EXPECT_EQ(m_messages->texts(), QStringList{kPortMessage});
  EXPECT_FALSE(control<ReceiverPort>(QStringLiteral("MSComm1"))->portOpen());
  EXPECT_FALSE(control<ClassicTimer>(QStringLiteral("Timer2"))->enabled());
}

TEST_F(HamlibTest, AnUnknownRigModelGivesThePortMessage) {
  writeSettings(QStringLiteral("[COMMUNICATION]\nRig=999999\n"));
  click(QStringLiteral("RadioOn"));
  EXPECT_EQ(m_messages->texts(), QStringList{kPortMessage});
}

TEST_F(HamlibTest, TheControlsOfThePanelArriveAtTheDummyRig) {
  test::Rigctld rig(1);
  ASSERT_TRUE(rig.running());
  useRig(rig.host());
  switchOnRig();
  // Switching on sends the start values.
  EXPECT_TRUE(readsBack(rig, QStringLiteral("m"), {QStringLiteral("WFM"), QStringLiteral("230000")}));
  EXPECT_TRUE(readsBack(rig, QStringLiteral("f"), {QStringLiteral("94400000")}));

  struct Step {
    const char* what;
    std::function<void()> act;
    const char* command;
    QStringList expected;
  };
  const auto slider = [this](const char* name, int position) {
    return [this, name, position] { control<QSlider>(QString::fromLatin1(name))->setValue(position); };
  };
  const auto clickOn = [this](const char* name) { return [this, name] { click(QString::fromLatin1(name)); }; };
  const Step steps[] = {
      {"entry with the band plan", [this] { enter(QStringLiteral("145.5")); }, "f", {"145500000"}},
      {"band plan mode and filter", [] {}, "m", {"FM", "15000"}},
      {"one step up (12.5 kHz)", clickOn("FrequencyUp"), "f", {"145512500"}},
      {"two steps down", [this] { click(QStringLiteral("FrequencyDown")); click(QStringLiteral("FrequencyDown")); },
       "f", {"145487500"}},
      {"mode", clickOn("USB"), "m", {"USB", "15000"}},
      {"filter", clickOn("Filter1"), "m", {"USB", "2800"}},
      {"volume", slider("Volume", 51), "l AF", {"0.2"}},
      {"volume at 0", slider("Volume", 0), "l AF", {"0"}},
      {"squelch", slider("Squelch", 255), "l SQL", {"1"}},
      {"IF shift up", slider("IfShift", 255), "l IF", {"10000"}},
      {"IF shift centre", clickOn("Command1"), "l IF", {"0"}},
      {"attenuator at the rig's first step", clickOn("ATT"), "l ATT", {"10"}},
      {"AGC fast", clickOn("AGC"), "l AGC", {"2"}},
      {"noise blanker", clickOn("NB"), "u NB", {"1"}},
      {"AFC", clickOn("AFC"), "u AFC", {"1"}},
      {"noise blanker off", clickOn("NB"), "u NB", {"0"}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_TRUE(readsBack(rig, QString::fromLatin1(step.command), step.expected));
  }
}

TEST_F(HamlibTest, TheMeterShowsTheStrengthOfTheDummyRig) {
  test::Rigctld rig(1);
  ASSERT_TRUE(rig.running());
  useRig(rig.host());
  switchOnRig();
  // The dummy rig reports about S9 - 37 dB; it varies a little by the
  // moment.
  const int db = rig.query(QStringLiteral("l STRENGTH")).value(0).toInt();
  ASSERT_LT(db, 0);
  auto* timer2 = control<ClassicTimer>(QStringLiteral("Timer2"));
  for (int i = 0; i < 50 && panel().SignalLevel == 0; ++i) timer2->fire();
  const int level = panel().SignalLevel;
  EXPECT_NEAR(level, 10 + PcrStrength(db) / 2, 2);
  EXPECT_EQ(control<QLabel>(QStringLiteral("Label_signal"))->text(), QStringLiteral("SIGNAL: %1").arg(level));
}

// Zelvora -> rigctld -> Hamlib's PCR1000 driver -> the simulator. The
// driver's pauses between characters (made for the real receiver's serial
// line) are off, so that the chain keeps pace with the panel's waits.
TEST_F(HamlibTest, AScanThroughHamlibsPcr1000DriverFindsTheStationsAboveTheSquelch) {
  // Two stations above the squelch (40) and one below it, each heard on
  // exactly one frequency of a 12.5 kHz scan.
  startSimulator({QStringLiteral("--station"), QStringLiteral("145.5:10:110"), QStringLiteral("--station"),
                  QStringLiteral("145.55:10:30"), QStringLiteral("--station"), QStringLiteral("145.6:10:80")});
  test::Rigctld rig(4001, {QStringLiteral("-r"), m_sim->device(), QStringLiteral("-s"), QStringLiteral("9600"),
                           QStringLiteral("--set-conf=write_delay=0,post_write_delay=0")});
  ASSERT_TRUE(rig.running());
  useRig(rig.host(), QStringLiteral("[RADIO]\nFrequency=145.45\nSquelch=40\nTuningStep=12.5 KHz\nFM=True\n"
                                    "WFM=False\nFilter3=True\nFilter5=False\n"
                                    "[SCAN]\nPCR1000=True\nLoopBack=1\nPauseScan=0\n"));
  switchOnRig();
  control<QLineEdit>(QStringLiteral("Text_scan1"))->setText(QStringLiteral("145.45"));
  control<QLineEdit>(QStringLiteral("Text_scan2"))->setText(QStringLiteral("145.65"));
  click(QStringLiteral("Scan"));
  ASSERT_TRUE(control<ClassicTimer>(QStringLiteral("Timer3"))->enabled());

  Form_autoscan& list = form<Form_autoscan>();
  QSet<QString> found;
  const auto collect = [&] {
    found.clear();
    for (int k = 1; k <= Form_autoscan::kSlots; ++k)
      if (!list.autscan(k)->text().isEmpty()) found.insert(list.autscan(k)->text());
  };
  // A round of the band takes 17 steps; the scan goes round until both
  // stations are in the list.
  WaitUntil(
      [&] {
        collect();
        return found.size() >= 2;
      },
      30000);
  click(QStringLiteral("Scan"));
  collect();
  EXPECT_EQ(found, (QSet<QString>{QStringLiteral("145.5000"), QStringLiteral("145.6000")}));
  // Hamlib's driver tuned the simulator to both, in FM with 15 kHz, and
  // passed the squelch on.
  const QStringList received = m_sim->commands();
  EXPECT_TRUE(received.contains(QStringLiteral("K00145500000050200")));
  EXPECT_TRUE(received.contains(QStringLiteral("K00145600000050200")));
  EXPECT_TRUE(received.contains(QStringLiteral("J4128")));
}

}  // namespace
}  // namespace zelvora
