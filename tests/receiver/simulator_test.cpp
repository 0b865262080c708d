#include "platform/events.h"
#include "platform/serial/serial_port.h"
#include "receiver_fixture.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>

namespace zelvora {
namespace {

// The simulator seen through the program's own serial port layer.
class SimulatorTest : public test::ReceiverTest {
 protected:
  void SetUp() override { test::ProgramFolderTest::SetUp(); }

  QString exchange(const QString& command) {
    m_port->output(command + QStringLiteral("\r\n"));
    QString received;
    WaitUntil([&] {
      received += m_port->input();
      return received.endsWith(QStringLiteral("\r\n"));
    }, 1000);
    return received;
  }
  void open(const QStringList& options) {
    startSimulator(options);
    m_port = std::make_unique<SerialPort>(nullptr, QStringLiteral("MSComm1"));
    ASSERT_TRUE(m_port->open());
  }
  void TearDown() override {
    m_port.reset();
    test::ReceiverTest::TearDown();
  }

  std::unique_ptr<SerialPort> m_port;
};

TEST_F(SimulatorTest, AnswersLikeTheReceiverInPolledMode) {
  open({QStringLiteral("--station"), QStringLiteral("145.5:12.5:100")});
  const QStringList steps[] = {
      {"H1?", "\nH100\r\n"},           {"H101", ""},   {"G300", "\nG000\r\n"},
      {"K00145500000050200", "\nG000\r\n"}, {"I1?", "\nI164\r\n"},
      {"J4163", "\nG000\r\n"},         {"I0?", "\nI007\r\n"},
      {"J4164", "\nG000\r\n"},         {"I0?", "\nI004\r\n"},
      {"K00145600000050200", "\nG000\r\n"}, {"I1?", "\nI100\r\n"},
      {"X1", "\nG001\r\n"},            {"H1?", "\nH101\r\n"},
  };
  for (const QStringList& step : steps) {
    if (step[1].isEmpty()) {
      m_port->output(step[0] + QStringLiteral("\r\n"));
      continue;
    }
    EXPECT_EQ(exchange(step[0]), step[1]) << step[0].toStdString();
  }
}

TEST_F(SimulatorTest, OptionsChangeFramingAndTheOpenDigit) {
  open({QStringLiteral("--plain"), QStringLiteral("--open-digit"), QStringLiteral("3"), QStringLiteral("--link"),
        programPath(QStringLiteral("pcr1000"))});
  EXPECT_EQ(QFile::symLinkTarget(programPath(QStringLiteral("pcr1000"))), m_sim->device());
  m_port->output(QStringLiteral("H101\r\n"));
  EXPECT_EQ(exchange(QStringLiteral("G300")), QStringLiteral("G000\r\n"));
  EXPECT_EQ(exchange(QStringLiteral("K00094400000060400")), QStringLiteral("G000\r\n"));
  EXPECT_EQ(exchange(QStringLiteral("I0?")), QStringLiteral("I003\r\n"));
  m_sim->stop();
  EXPECT_FALSE(QFile::exists(programPath(QStringLiteral("pcr1000")))) << "the link goes with the simulator";
}

TEST_F(SimulatorTest, ReadsItsBandFromAFile) {
  QFile band(programPath(QStringLiteral("band.txt")));
  ASSERT_TRUE(band.open(QIODevice::WriteOnly));
  band.write("# MHz:kHz:strength\n7.1:3:60\n\n  433.5:12.5:255  # Relais\n");
  band.close();
  open({QStringLiteral("--stations"), band.fileName()});
  m_port->output(QStringLiteral("H101\r\n"));
  EXPECT_EQ(exchange(QStringLiteral("G300")), QStringLiteral("\nG000\r\n"));
  const std::pair<const char*, const char*> cases[] = {{"K00007100000020100", "\nI13C\r\n"},
                                                       {"K00007101600020100", "\nI100\r\n"},
                                                       {"K00433506000050200", "\nI1FF\r\n"}};
  for (const auto& [tune, reply] : cases) {
    EXPECT_EQ(exchange(QLatin1String(tune)), QStringLiteral("\nG000\r\n"));
    EXPECT_EQ(exchange(QStringLiteral("I1?")), QLatin1String(reply)) << tune;
  }
}

TEST_F(SimulatorTest, TheLineModelIsAsSlowAsTheRealLine) {
  struct Case {
    QStringList options;
    double atLeastMs;  // from writing "I1?" to its whole reply
  };
  // "I1?" up to its CR, and "\nI1xx\r\n", at 1.04 ms a character, then
  // the adapter's next flush.
  const Case cases[] = {{{QStringLiteral("--baud"), QStringLiteral("9600")}, 11 * 1.04},
                        {{QStringLiteral("--baud"), QStringLiteral("9600"), QStringLiteral("--latency"), QStringLiteral("16"),
                          QStringLiteral("--process"), QStringLiteral("5")},
                         11 * 1.04 + 5}};
  for (const Case& c : cases) {
    open(c.options);
    m_port->output(QStringLiteral("H101\r\n"));
    exchange(QStringLiteral("G300"));
    QElapsedTimer clock;
    clock.start();
    const double written = QDateTime::currentMSecsSinceEpoch();
    EXPECT_EQ(exchange(QStringLiteral("I1?")), QStringLiteral("\nI100\r\n"));
    EXPECT_GE(clock.nsecsElapsed() / 1e6, c.atLeastMs) << c.options.join(' ').toStdString();
    // The log stamps the command when its last character has crossed.
    EXPECT_GE(m_sim->stamps().back() - written, 4 * 1.04 - 1) << c.options.join(' ').toStdString();
  }
}

TEST_F(SimulatorTest, AfterAFrequencyCommandTheOldFrequencyIsHeardUntilTheReceiverSettles) {
  open({QStringLiteral("--settle"), QStringLiteral("50"), QStringLiteral("--station"), QStringLiteral("145.5:12.5:100")});
  m_port->output(QStringLiteral("H101\r\n"));
  exchange(QStringLiteral("G300"));
  exchange(QStringLiteral("K00145500000050200"));
  EXPECT_EQ(exchange(QStringLiteral("I1?")), QStringLiteral("\nI100\r\n")) << "still settling";
  WaitUntil([] { return false; }, 60);
  EXPECT_EQ(exchange(QStringLiteral("I1?")), QStringLiteral("\nI164\r\n"));
}

TEST(SerialDeviceTest, PortNumbersMapToDevices) {
  qputenv("ZELVORA_COM2", "/tmp/somewhere");
  EXPECT_EQ(SerialDeviceForPort(2), QStringLiteral("/tmp/somewhere"));
  qunsetenv("ZELVORA_COM2");
  const QString expected = QFile::exists(QStringLiteral("/dev/ttyUSB1")) ? QStringLiteral("/dev/ttyUSB1") : QStringLiteral("/dev/ttyS1");
  EXPECT_EQ(SerialDeviceForPort(2), expected);
}

}  // namespace
}  // namespace zelvora
