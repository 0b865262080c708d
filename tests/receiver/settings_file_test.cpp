#include "platform/serial/serial_port.h"
#include "receiver/panel_widgets.h"
#include "receiver/setting_values.h"
#include "receiver_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSlider>

#include <csignal>
#include <sys/resource.h>

namespace zelvora {
namespace {

class SettingsFileTest : public test::ReceiverTest {
 protected:
  QString option(const char* frame) {
    for (auto* o : control(QString::fromLatin1(frame))->findChildren<OptionButton*>())
      if (o->isChecked()) return o->objectName();
    return {};
  }
  QString text(const QString& name) { return control<QLineEdit>(name)->text(); }
  void reload() {
    panel().unload();
    test::settle(0);
  }
};

TEST_F(SettingsFileTest, SavedSettingsComeBackExactly) {
  panel().Frequenzeingabe()->setText(QStringLiteral("145.5125"));
  click(QStringLiteral("but_fqeingabe"));
  control<QComboBox>(QStringLiteral("TuningStep"))->setCurrentText(QStringLiteral("1 Hz"));
  control<QSlider>(QStringLiteral("Volume"))->setValue(77);
  control<QSlider>(QStringLiteral("Squelch"))->setValue(0);
  click(QStringLiteral("AGC"));
  click(QStringLiteral("LSB"));
  control<QLineEdit>(QStringLiteral("sp17"))->setText(QStringLiteral("  145.5 "));
  control<QLineEdit>(QStringLiteral("sn17"))->setText(QStringLiteral("Relais Ölberg"));
  control<QLineEdit>(QStringLiteral("sp2"))->setText(QStringLiteral("7.1"));
  click(QStringLiteral("Comm_speichern"));
  EXPECT_EQ(m_messages->texts(), QStringList{QStringLiteral("Alle Einstellungen werden gesichert")});

  const QString file = settingsText();
  for (const char* line : {"[RADIO]\nFrequency=145.5125\nVolume=77\nSquelch=0\nIfShift=128\nTuningStep=1 Hz\n"
                           "FrequencyAdjust=1E-06\nAFC=0\nAGC=1\nATT=0\nNB=0\nAM=False\nFM=False\nWFM=False\n"
                           "USB=False\nLSB=True\nCW=False\nFilter1=False\nFilter2=False\nFilter3=True\n",
                           "[COMMUNICATION]\nCommPort=1\n", "[SCAN]\nPCR1000=False\nLoopBack=0\nPauseScan=0\n",
                           "[MEMORY]\nMemoryFrequency1=145.5\nMemoryName1=Relais Ölberg\nMemoryFrequency2=7.1\n",
                           "MemoryFrequency17=145.5\nMemoryName17=Relais Ölberg\n"})
    EXPECT_TRUE(file.contains(QString::fromUtf8(line))) << line << "\nin\n" << file.toStdString();

  reload();
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 145.5125);
  EXPECT_DOUBLE_EQ(panel().TuningStepMHz, 0.000001);
  EXPECT_EQ(control<QSlider>(QStringLiteral("Volume"))->value(), 77);
  EXPECT_EQ(control<QSlider>(QStringLiteral("Squelch"))->value(), 15) << "a saved 0 is not restored";
  EXPECT_EQ(control<ValueCheckBox>(QStringLiteral("AGC"))->value(), 1);
  EXPECT_EQ(option("ModeFrame"), QStringLiteral("LSB"));
  EXPECT_EQ(option("FilterFrame"), QStringLiteral("Filter3"));
  EXPECT_EQ(text(QStringLiteral("sp17")), QStringLiteral("145.5"));
  EXPECT_EQ(text(QStringLiteral("sn17")), QStringLiteral("Relais Ölberg"));
  EXPECT_EQ(display(), QStringLiteral(" 145.512.500"));
}

TEST_F(SettingsFileTest, WithoutAFileThePanelStartsWithItsStartValues) {
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 94.4);
  EXPECT_EQ(control<QSlider>(QStringLiteral("Volume"))->value(), 100);
  EXPECT_EQ(control<QSlider>(QStringLiteral("Squelch"))->value(), 15);
  EXPECT_EQ(control<QSlider>(QStringLiteral("IfShift"))->value(), 128);
  EXPECT_EQ(control<QComboBox>(QStringLiteral("TuningStep"))->currentText(), QStringLiteral("100 KHz"));
  EXPECT_DOUBLE_EQ(panel().TuningStepMHz, 0.1);
  EXPECT_EQ(option("ModeFrame"), QStringLiteral("WFM"));
  EXPECT_EQ(option("FilterFrame"), QStringLiteral("Filter5"));
  EXPECT_EQ(text(QStringLiteral("COM_eingabe")), QStringLiteral("1"));
  EXPECT_EQ(text(QStringLiteral("Frequenzeingabe")), QStringLiteral("99.1"));
  EXPECT_TRUE(text(QStringLiteral("sp2")).isEmpty());
  EXPECT_FALSE(panel().IsPcr1000);
  EXPECT_TRUE(m_messages->texts().isEmpty());
  EXPECT_FALSE(QFile::exists(programPath(QStringLiteral("zelvora.ini")))) << "loading writes nothing";
}

TEST_F(SettingsFileTest, ValuesAreReadByTheirRules) {
  writeSettings(QStringLiteral(
      "[radio]\r\nfrequency = 7.1 MHz\r\nVolume=255.5\r\nSquelch=0\r\nIfShift=300\r\nTuningStep=9 KHz\r\n"
      "FrequencyAdjust=0\r\nAFC=2\r\nAGC=0.6\r\nATT=3\r\nNB=1\r\nAM=wAhR\r\nWFM=falsch\r\nFilter2=-1\r\nFilter5=0\r\n"
      "[COMMUNICATION]\r\nCommPort=10\r\n[SCAN]\r\nPCR1000=TRUE\r\nLoopBack=12\r\nPauseScan=13\r\n"
      "[MEMORY]\r\nMemoryFrequency5=  145,5 Relais\r\nMemoryName5=Ölberg\r\n"));
  panel().load();
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 7.1);
  EXPECT_EQ(control<QSlider>(QStringLiteral("Volume"))->value(), 100) << "255.5 is out of range";
  EXPECT_EQ(control<QSlider>(QStringLiteral("Squelch"))->value(), 15);
  EXPECT_EQ(control<QSlider>(QStringLiteral("IfShift"))->value(), 128);
  EXPECT_DOUBLE_EQ(panel().TuningStepMHz, 0.009);
  EXPECT_EQ(control<ValueCheckBox>(QStringLiteral("AFC"))->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(control<ValueCheckBox>(QStringLiteral("AGC"))->value(), 1);
  EXPECT_EQ(control<ValueCheckBox>(QStringLiteral("ATT"))->value(), 0) << "3 is no box value";
  EXPECT_EQ(control<ValueCheckBox>(QStringLiteral("NB"))->value(), 1);
  EXPECT_EQ(option("ModeFrame"), QStringLiteral("AM"));
  EXPECT_EQ(option("FilterFrame"), QStringLiteral("Filter2"));
  EXPECT_EQ(panel().ModeCode, QStringLiteral("02"));
  EXPECT_EQ(panel().FilterCode, QStringLiteral("01"));
  EXPECT_EQ(text(QStringLiteral("COM_eingabe")), QStringLiteral("1")) << "port 10 is ignored";
  EXPECT_TRUE(panel().IsPcr1000);
  EXPECT_EQ(panel().LoopBack, 12);
  EXPECT_EQ(panel().PauseScan, 0);
  EXPECT_EQ(text(QStringLiteral("sp5")), QStringLiteral("145,5 Relais"));
  EXPECT_EQ(text(QStringLiteral("sn5")), QStringLiteral("Ölberg"));
}

TEST_F(SettingsFileTest, NumbersBeyondAnyWholeNumberKeepTheStartValues) {
  writeSettings(QStringLiteral("[RADIO]\nAFC=1e19\nAGC=-1e300\nVolume=1e400\n[COMMUNICATION]\nCommPort=1e19\n"
                               "[SCAN]\nLoopBack=-1e19\nPauseScan=1e308\n"));
  panel().load();
  EXPECT_EQ(control<ValueCheckBox>(QStringLiteral("AFC"))->value(), 0);
  EXPECT_EQ(control<ValueCheckBox>(QStringLiteral("AGC"))->value(), 0);
  EXPECT_EQ(control<QSlider>(QStringLiteral("Volume"))->value(), 100);
  EXPECT_EQ(text(QStringLiteral("COM_eingabe")), QStringLiteral("1"));
  EXPECT_EQ(panel().LoopBack, 0);
  EXPECT_EQ(panel().PauseScan, 0);
}

TEST_F(SettingsFileTest, AStepBelowZeroIsIgnoredSoSteppingStaysInRange) {
  writeSettings(QStringLiteral("[RADIO]\nFrequency=0.05\nTuningStep=1 MHz\nFrequencyAdjust=-0.5\n"));
  panel().load();
  EXPECT_DOUBLE_EQ(panel().TuningStepMHz, 1);
  click(QStringLiteral("FrequencyDown"));
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 1300);
  click(QStringLiteral("FrequencyUp"));
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 0.01);
}

TEST_F(SettingsFileTest, ADamagedValueCostsOnlyItsOwnSetting) {
  writeSettings(QStringLiteral("[RADIO]\nFrequency=145.5\nTuningStep=7 Parsec\nAFC=1\nAM=kaputt\nFM=\nFilter3=True\n"
                               "[COMMUNICATION]\nCommPort=2\n[SCAN]\nLoopBack=3\n"
                               "[MEMORY]\nMemoryFrequency9=433.5\nMemoryName9=Relais\n"));
  panel().load();
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 145.5);
  EXPECT_EQ(control<QComboBox>(QStringLiteral("TuningStep"))->currentText(), QStringLiteral("100 KHz"));
  EXPECT_EQ(control<ValueCheckBox>(QStringLiteral("AFC"))->value(), 1);
  EXPECT_EQ(option("ModeFrame"), QStringLiteral("WFM"));
  EXPECT_EQ(option("FilterFrame"), QStringLiteral("Filter3"));
  EXPECT_EQ(text(QStringLiteral("COM_eingabe")), QStringLiteral("2"));
  EXPECT_FALSE(panel().IsPcr1000) << "the missing key keeps the start value";
  EXPECT_EQ(panel().LoopBack, 3);
  EXPECT_EQ(text(QStringLiteral("sp9")), QStringLiteral("433.5"));

  // The next save keeps the memories instead of overwriting them with
  // nothing.
  click(QStringLiteral("Comm_speichern"));
  EXPECT_TRUE(settingsText().contains(QStringLiteral("MemoryFrequency9=433.5\nMemoryName9=Relais\n")));
}

TEST_F(SettingsFileTest, UnknownLinesStayInPlace) {
  writeSettings(QStringLiteral("; von Hand\n[Extra]\nFarbe=blau\n\n[radio]\nFREQUENCY=7.1\nEigenes=1\n\n[SCAN]\nLoopBack=1\n"));
  click(QStringLiteral("Comm_speichern"));
  const QString file = settingsText();
  EXPECT_TRUE(file.startsWith(QStringLiteral("; von Hand\n[Extra]\nFarbe=blau\n\n[radio]\nFrequency=7.1\nEigenes=1\n")))
      << file.toStdString();
  EXPECT_TRUE(file.contains(QStringLiteral("[SCAN]\nLoopBack=1\nPCR1000=False\nPauseScan=0\n"))) << file.toStdString();
  EXPECT_EQ(file.count(QStringLiteral("[SCAN]")), 1);
}

TEST_F(SettingsFileTest, ASaveThatFailsHalfWayLeavesTheOldFileWhole) {
  const QString old = QStringLiteral("[RADIO]\nFrequency=7.1\n[MEMORY]\nMemoryFrequency2=145.5\n");
  writeSettings(old);
  control<QLineEdit>(QStringLiteral("sp3"))->setText(QStringLiteral("433.5"));

  // The disk fills up after 200 bytes of the new file.
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = before;
  small.rlim_cur = 200;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  click(QStringLiteral("Comm_speichern"));
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(settingsText(), old);
  EXPECT_EQ(m_messages->texts().value(1),
            QStringLiteral("Die Einstellungen konnten nicht gespeichert werden: Die Datei wird zu groß."));
  EXPECT_EQ(QDir(folder()).entryList(QDir::Files).filter(QStringLiteral("zelvora")), QStringList{QStringLiteral("zelvora.ini")})
      << "no half-written file is left beside it";
  click(QStringLiteral("Comm_speichern"));
  EXPECT_TRUE(settingsText().contains(QStringLiteral("MemoryFrequency3=433.5")));
}

TEST_F(SettingsFileTest, ExitSwitchesOffSavesAndLoadsThePanelAgainHidden) {
  switchOn();
  panel().show();
  panel().Frequenzeingabe()->setText(QStringLiteral("433.5"));
  click(QStringLiteral("but_fqeingabe"));
  click(QStringLiteral("Exit"));
  test::settle(0);

  EXPECT_TRUE(m_sim->waitForCommands(4).contains(QStringLiteral("H100")));
  EXPECT_TRUE(panel().isLoaded());
  EXPECT_FALSE(panel().visible());
  EXPECT_TRUE(settingsText().contains(QStringLiteral("Frequency=433.5\n")));
  EXPECT_EQ(display(), QStringLiteral(" 433.500.000"));
  EXPECT_FALSE(control<SerialPort>(QStringLiteral("MSComm1"))->portOpen());
}

TEST(SettingValuesTest, NumbersAreWrittenAsTheFileKeepsThem) {
  const std::pair<double, const char*> cases[] = {
      {94.4, "94.4"},       {0.0125, "0.0125"}, {0.00001, "1E-05"}, {0.000001, "1E-06"}, {1, "1"},
      {145.5125, "145.5125"}, {0.0001, "0.0001"}, {0.00005, "5E-05"}, {1300, "1300"},    {0.00625, "0.00625"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(SettingNumberText(value), QLatin1String(text)) << value;
}

TEST(SettingValuesTest, BooleansAcceptTheirWordsInAnyCaseAndNumbers) {
  const std::pair<const char*, std::optional<bool>> cases[] = {
      {"True", true},  {"FALSE", false}, {"wahr", true}, {"Falsch", false}, {"0", false},
      {"-1", true},    {"2.5", true},    {"", std::nullopt}, {"ja", std::nullopt}, {"1x", std::nullopt}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(SettingBoolean(QLatin1String(text)), expected) << text;
}

}  // namespace
}  // namespace zelvora
