#include "platform/classic_timer.h"
#include "platform/events.h"
#include "platform/message_box.h"
#include "receiver/panel_widgets.h"
#include "receiver_fixture.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>

namespace zelvora {
namespace {

using LinkTest = test::ReceiverTest;

const QString kPortMessage = QStringLiteral("COM Port stimmt nicht. Im Gerätemanager nachschauen.");

TEST_F(LinkTest, SwitchingOnSendsTheStartSequenceInOrder) {
  click(QStringLiteral("RadioOn"));

  const QString tune = QStringLiteral("K00094400000060400");
  const QStringList expected = {QStringLiteral("H101"), QStringLiteral("G300"), QStringLiteral("J4064"),
                                QStringLiteral("J410F"), QStringLiteral("J4380"), QStringLiteral("J5000"),
                                QStringLiteral("J4500"), QStringLiteral("J4700"), QStringLiteral("J4600"),
                                tune, tune, tune};
  EXPECT_EQ(m_sim->waitForCommands(expected.size()), expected);
  EXPECT_TRUE(m_messages->texts().isEmpty());
  EXPECT_TRUE(control<PictureButton>(QStringLiteral("RadioOn"))->picture().endsWith(QStringLiteral("\\grafik\\but_radioon.jpg")));
  EXPECT_TRUE(control<PictureImage>(QStringLiteral("Picsun"))->picture().endsWith(QStringLiteral("\\grafik\\lampe-gruen.jpg")));
  EXPECT_FALSE(control<PictureImage>(QStringLiteral("Picsun"))->pixmap().isNull()) << "the built pictures are there";

  // Each command costs its own wait of about 0.01 s on the wire.
  const auto stamps = m_sim->stamps();
  ASSERT_EQ(stamps.size(), 12u);
  EXPECT_GE(stamps.back() - stamps.front(), 11 * 9.0);
}

TEST_F(LinkTest, FrequencyCommandsOnTheWire) {
  struct Case {
    double mhz;
    const char* mode;
    const char* filter;
    const char* command;
  };
  const Case cases[] = {
      {94.4, "WFM", "Filter5", "K00094400000060400"},   {7.1, "LSB", "Filter1", "K00007100000000000"},
      {145.5125, "FM", "Filter3", "K00145512500050200"}, {0.153, "AM", "Filter2", "K00000153000020100"},
      {1296, "FM", "Filter3", "K01296000000050200"},     {0.01, "USB", "Filter1", "K00000010000010000"},
      {145.5000004, "FM", "Filter3", "K00145500000050200"},
  };
  switchOn();
  for (const Case& c : cases) {
    // From a mode and filter no case uses, so both clicks are changes.
    click(QStringLiteral("CW"));
    click(QStringLiteral("Filter4"));
    panel().CurrentFrequency = c.mhz;
    click(QString::fromLatin1(c.mode));
    click(QString::fromLatin1(c.filter));
    EXPECT_EQ(m_sim->waitForLast(QString::fromLatin1(c.command)), QString::fromLatin1(c.command)) << c.mhz;
    m_sim->clearLog();
  }
}

TEST_F(LinkTest, NothingIsSentWhileThePortIsClosed) {
  control<QSlider>(QStringLiteral("Volume"))->setValue(0);
  click(QStringLiteral("CW"));
  click(QStringLiteral("ATT"));
  panel().Frequenzeingabe()->setText(QStringLiteral("145.5"));
  click(QStringLiteral("but_fqeingabe"));
  click(QStringLiteral("FrequencyUp"));
  test::settle(50);

  EXPECT_TRUE(m_sim->commands().isEmpty());
  EXPECT_TRUE(m_messages->texts().isEmpty());
  EXPECT_EQ(display(), QStringLiteral(" 145.512.500  Mhz")) << "the panel still follows the user";
  EXPECT_EQ(control<QLabel>(QStringLiteral("Label_att"))->text(), QStringLiteral("Abschwächer!"));
}

TEST_F(LinkTest, APortThatCannotBeOpenedIsReported) {
  qputenv("ZELVORA_COM1", programPath(QStringLiteral("no-such-device")).toLocal8Bit());
  click(QStringLiteral("RadioOn"));

  EXPECT_EQ(m_messages->texts(), QStringList{kPortMessage});
  EXPECT_TRUE(control<PictureButton>(QStringLiteral("RadioOn"))->picture().endsWith(QStringLiteral("but_radioon2.jpg")));
  EXPECT_FALSE(control<ClassicTimer>(QStringLiteral("Timer2"))->enabled());
}

TEST_F(LinkTest, TheComPortButtonStoresTheTextAndUnloadsThePanel) {
  writeSettings(QStringLiteral("[RADIO]\nFrequency=7.1\n"));
  switchOn();
  control<QLineEdit>(QStringLiteral("COM_eingabe"))->setText(QStringLiteral("3"));
  click(QStringLiteral("Comm_comport"));

  EXPECT_FALSE(panel().isLoaded());
  EXPECT_EQ(m_messages->texts(), QStringList{QStringLiteral("COM Port 3 wurde gesetzt. Programm bitte neu starten.")});
  EXPECT_TRUE(settingsText().contains(QStringLiteral("[COMMUNICATION]\nCommPort=3\n")));
  EXPECT_TRUE(settingsText().contains(QStringLiteral("Frequency=7.1"))) << "the rest of the file stays";
  test::settle(30);
  EXPECT_FALSE(m_sim->commands().contains(QStringLiteral("H100"))) << "the port closes without switching off";
}

TEST_F(LinkTest, TheSettingsPortNumberChoosesTheDevice) {
  writeSettings(QStringLiteral("[COMMUNICATION]\nCommPort=4\n"));
  qputenv("ZELVORA_COM4", m_sim->device().toLocal8Bit());
  qputenv("ZELVORA_COM1", programPath(QStringLiteral("no-such-device")).toLocal8Bit());

  EXPECT_EQ(control<QLineEdit>(QStringLiteral("COM_eingabe"))->text(), QStringLiteral("4"));
  click(QStringLiteral("RadioOn"));
  qunsetenv("ZELVORA_COM4");

  EXPECT_TRUE(m_messages->texts().isEmpty());
  EXPECT_EQ(m_sim->waitForCommands(1).value(0), QStringLiteral("H101"));
}

TEST_F(LinkTest, AReceiverPulledWhileOnHangsNothing) {
  switchOn();
  auto* poll = control<ClassicTimer>(QStringLiteral("Timer2"));
  m_sim->stop();
  test::settle(30);

  poll->fire();
  click(QStringLiteral("FrequencyUp"));
  EXPECT_EQ(display(), QStringLiteral("  94.500.000  Mhz")) << "the panel goes on without the receiver";
  EXPECT_TRUE(control<PictureButton>(QStringLiteral("RadioOn"))->picture().endsWith(QStringLiteral("but_radioon2.jpg")));
  EXPECT_FALSE(poll->enabled());
  EXPECT_EQ(m_messages->texts().size(), 1) << "the loss is reported";

  m_messages->clear();
  click(QStringLiteral("RadioOff"));
  EXPECT_TRUE(m_messages->texts().isEmpty());
  click(QStringLiteral("RadioOn"));
  EXPECT_EQ(m_messages->texts(), QStringList{kPortMessage}) << "the device is gone";
}

TEST_F(LinkTest, APollTickDuringThePollsOwnWaitStartsNoSecondPoll) {
  switchOn();
  // Past the switch-on's last frequency command, so the poll asks at once.
  WaitUntil([] { return false; }, 30);
  auto* poll = control<ClassicTimer>(QStringLiteral("Timer2"));
  // A tick that comes while the first poll waits for its reply, and a
  // click whose command (and wait) runs inside that same wait.
  QTimer::singleShot(2, [&] {
    poll->fire();
    click(QStringLiteral("FrequencyUp"));
  });
  poll->fire();
  test::settle(30);
  EXPECT_EQ(m_sim->waitForCommands(2).join(QLatin1Char(' ')).toStdString(), "I1? K00094500000060400");
}

}  // namespace
}  // namespace zelvora
