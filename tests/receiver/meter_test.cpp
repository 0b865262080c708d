#include "platform/classic_timer.h"
#include "receiver/panel_widgets.h"
#include "receiver/print_box.h"
#include "receiver_fixture.h"

#include <QLabel>
#include <QTest>

namespace zelvora {
namespace {

class MeterTest : public test::ReceiverTest {
 protected:
  void poll() { control<ClassicTimer>(QStringLiteral("Timer2"))->fire(); }
  // Polls until a reading replaces the level before; a reply that comes
  // too late for one poll (a busy machine) is read by the next.
  void pollForReading() {
    const int before = panel().SignalLevel = -1;
    for (int i = 0; i < 50 && panel().SignalLevel == before; ++i) poll();
  }
  PrintBox* meter() { return control<PrintBox>(QStringLiteral("SignalStrengthMeter")); }
  QString lamp() { return control<PictureImage>(QStringLiteral("Picsun"))->picture(); }
  QString label() { return control<QLabel>(QStringLiteral("Label_signal"))->text(); }
};

TEST_F(MeterTest, TheLevelFollowsTheSignalAtTheTunedFrequency) {
  struct Case {
    int raw;
    int level;
    QColor bar;
    const char* lamp;
  };
  const QColor green(0, 255, 0), red(255, 0, 0);
  const Case cases[] = {{0, 0, green, "lampe-aus.jpg"},    {1, 0, green, "lampe-aus.jpg"},
                        {2, 11, green, "lampe-rot.jpg"},   {59, 39, green, "lampe-rot.jpg"},
                        {60, 40, green, "lampe-gruen.jpg"}, {80, 50, green, "lampe-gruen.jpg"},
                        {111, 65, green, "lampe-gruen.jpg"}, {112, 66, red, "lampe-gruen.jpg"},
                        {156, 88, red, "lampe-gruen.jpg"}, {157, 88, red, "lampe-gruen.jpg"},
                        {158, 89, red, "lampe-gruen.jpg"}, {255, 89, red, "lampe-gruen.jpg"}};
  // One station per case, 1 MHz apart from 100 MHz up.
  QStringList band;
  for (size_t i = 0; i < std::size(cases); ++i)
    band << QStringLiteral("--station") << QStringLiteral("%1:10:%2").arg(100 + i).arg(cases[i].raw);
  startSimulator(band);
  switchOn();
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    panel().Frequenzeingabe()->setText(QString::number(100 + i));
    click(QStringLiteral("but_fqeingabe"));
    pollForReading();
    EXPECT_EQ(panel().SignalLevel, c.level) << c.raw;
    EXPECT_EQ(label(), QStringLiteral("SIGNAL: %1").arg(c.level)) << c.raw;
    EXPECT_EQ(meter()->printed(), QStringLiteral(" ") + QString(c.level, QLatin1Char('|'))) << c.raw;
    EXPECT_EQ(meter()->foreColor(), c.bar) << c.raw;
    EXPECT_TRUE(lamp().endsWith(QLatin1String(c.lamp))) << c.raw << " " << lamp().toStdString();
  }
}

TEST_F(MeterTest, MalformedRepliesLeaveThePreviousReading) {
  struct Case {
    const char* reply;
    int level;  // 33 = the reading before stays
  };
  const Case cases[] = {{"I1ff", 33},       {"I1", 33},          {"150", 33},      {"I1G0", 33},
                        {"G000I150", 50},   {"xx\r\nI150", 50},  {"I10I150", 33}, {"I0I150", 50}};
  for (const Case& c : cases) {
    startSimulator({QStringLiteral("--answer"), QStringLiteral("I1?=") + QString::fromLatin1(c.reply)});
    switchOn();
    panel().SignalLevel = 33;
    for (int i = 0; i < (c.level == 33 ? 1 : 50) && panel().SignalLevel == 33; ++i) poll();
    EXPECT_EQ(panel().SignalLevel, c.level) << c.reply;
    click(QStringLiteral("RadioOff"));
  }
}

TEST_F(MeterTest, GarbledAndDroppedRepliesNeverGiveAFalseReading) {
  // Every reply either the right one or none at all: the level stays at
  // the true 210 -> 89 or at the level before.
  startSimulator({QStringLiteral("--garble"), QStringLiteral("0.3"), QStringLiteral("--drop"), QStringLiteral("0.3"),
                  QStringLiteral("--stray"), QStringLiteral("--station"), QStringLiteral("94.4:200:210")});
  switchOn();
  int readings = 0;
  for (int i = 0; i < 400 && readings < 10; ++i) {
    panel().SignalLevel = 7;
    poll();
    EXPECT_TRUE(panel().SignalLevel == 7 || panel().SignalLevel == 89) << panel().SignalLevel;
    readings += panel().SignalLevel == 89;
  }
  EXPECT_EQ(readings, 10) << "good replies still get through";
}

TEST_F(MeterTest, ClickingTheBarStopsAndResumesThePolling) {
  startSimulator({QStringLiteral("--station"), QStringLiteral("94.4:200:120")});
  switchOn();
  pollForReading();
  EXPECT_EQ(panel().SignalLevel, 70);
  EXPECT_EQ(meter()->foreColor(), QColor(255, 0, 0));

  QTest::mouseClick(meter(), Qt::LeftButton);
  EXPECT_FALSE(panel().MeterOn);
  EXPECT_EQ(meter()->foreColor(), QColor(64, 64, 64));
  EXPECT_EQ(meter()->printed().count(QLatin1Char('|')), 70);
  m_sim->clearLog();
  poll();
  test::settle(30);
  EXPECT_TRUE(m_sim->commands().isEmpty()) << "no query while the meter is off";
  EXPECT_EQ(label(), QStringLiteral("SIGNAL: 70"));

  QTest::mouseClick(meter(), Qt::LeftButton);
  poll();
  EXPECT_EQ(m_sim->waitForCommands(1), QStringList{QStringLiteral("I1?")});
  EXPECT_EQ(meter()->foreColor(), QColor(255, 0, 0));
}

TEST_F(MeterTest, SwitchingOffEmptiesTheBarButKeepsTheLabel) {
  startSimulator({QStringLiteral("--station"), QStringLiteral("94.4:200:80")});
  switchOn();
  pollForReading();
  click(QStringLiteral("RadioOff"));
  EXPECT_EQ(meter()->printed(), QStringLiteral(" "));
  EXPECT_EQ(label(), QStringLiteral("SIGNAL: 50"));
  EXPECT_TRUE(lamp().endsWith(QLatin1String("lampe-aus.jpg")));
  EXPECT_EQ(m_sim->waitForCommands(2).value(1), QStringLiteral("H100"));
}

}  // namespace
}  // namespace zelvora
