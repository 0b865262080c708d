#include "platform/classic_timer.h"
#include "platform/key_state.h"
#include "receiver/panel_widgets.h"
#include "receiver_fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

namespace zelvora {
namespace {

using TuningTest = test::ReceiverTest;

TEST_F(TuningTest, StartUpShowsTheFrequencyWithoutUnitAndTheFirstTuningAddsIt) {
  EXPECT_EQ(display(), QStringLiteral("  94.400.000"));
  click(QStringLiteral("FrequencyDown"));
  EXPECT_EQ(display(), QStringLiteral("  94.300.000  Mhz"));
}

TEST_F(TuningTest, TheBandPlanPicksModeFilterAndStep) {
  struct Case {
    const char* entry;
    const char* mode;
    const char* filter;
    const char* step;
    const char* command;
  };
  const Case cases[] = {
      {"0.01", "USB", "Filter1", "10 Hz", "K00000010000010000"},
      {"0.153", "USB", "Filter1", "10 Hz", "K00000153000010000"},
      {"0.1531", "AM", "Filter2", "9 KHz", "K00000153100020100"},
      {"0.531", "AM", "Filter2", "9 KHz", "K00000531000020100"},
      {"1.62", "AM", "Filter2", "9 KHz", "K00001620000020100"},
      {"1.63", "USB", "Filter1", "10 Hz", "K00001630000010000"},
      {"3.8", "USB", "Filter1", "10 Hz", "K00003800000010000"},
      {"7,05", "AM", "Filter2", "100 Hz", "K00007050000020100"},
      {"30", "AM", "Filter2", "100 Hz", "K00030000000020100"},
      {"30.0001", "FM", "Filter3", "10 KHz", "K00030000100050200"},
      {"76", "FM", "Filter3", "10 KHz", "K00076000000050200"},
      {"108", "WFM", "Filter5", "10 KHz", "K00108000000060400"},
      {"108.0001", "AM", "Filter2", "1 KHz", "K00108000100020100"},
      {"136", "AM", "Filter2", "1 KHz", "K00136000000020100"},
      {"145.5", "FM", "Filter3", "12.5 KHz", "K00145500000050200"},
      {"170", "FM", "Filter3", "12.5 KHz", "K00170000000050200"},
      {"200", "WFM", "Filter5", "50 KHz", "K00200000000060400"},
      {"225.5", "FM", "Filter2", "12.5 KHz", "K00225500000050100"},
      {"800", "FM", "Filter2", "12.5 KHz", "K00800000000050100"},
      {"900", "FM", "Filter3", "12.5 KHz", "K00900000000050200"},
      {"950.5", "FM", "Filter3", "10 KHz", "K00950500000050200"},
      {"1300", "FM", "Filter3", "10 KHz", "K01300000000050200"},
      {"145.500.000", "FM", "Filter3", "12.5 KHz", "K00145500000050200"},
  };
  switchOn();
  for (const Case& c : cases) {
    panel().Frequenzeingabe()->setText(QString::fromLatin1(c.entry));
    click(QStringLiteral("but_fqeingabe"));
    EXPECT_EQ(test::checkedOption(control(QStringLiteral("ModeFrame"))), QLatin1String(c.mode)) << c.entry;
    EXPECT_EQ(test::checkedOption(control(QStringLiteral("FilterFrame"))), QLatin1String(c.filter)) << c.entry;
    EXPECT_EQ(control<QComboBox>(QStringLiteral("TuningStep"))->currentText(), QLatin1String(c.step)) << c.entry;
    EXPECT_EQ(m_sim->waitForLast(QLatin1String(c.command)), QLatin1String(c.command)) << c.entry;
    m_sim->clearLog();
  }
}

TEST_F(TuningTest, EntriesOutsideTheRangeAreIgnored) {
  switchOn();
  for (const char* entry : {"1300.5", "0.005", "abc", "", "-7"}) {
    panel().Frequenzeingabe()->setText(QString::fromLatin1(entry));
    click(QStringLiteral("but_fqeingabe"));
    EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 94.4) << entry;
  }
  test::settle(30);
  EXPECT_TRUE(m_sim->commands().isEmpty());
  EXPECT_EQ(display(), QStringLiteral("  94.400.000  Mhz"));
}

TEST_F(TuningTest, TheEntryFieldTurnsCommasIntoPointsAndTunesOnEnter) {
  auto* field = panel().Frequenzeingabe();
  field->clear();
  QTest::keyClicks(field, QStringLiteral("7,05"));
  EXPECT_EQ(field->text(), QStringLiteral("7.05"));
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 7.05);
  EXPECT_EQ(display(), QStringLiteral("   7.050.000  Mhz"));
}

TEST_F(TuningTest, OnlyAKeyThatTypesACharacterLooksAtAnEarlierEnter) {
  auto* field = panel().Frequenzeingabe();
  // Enter pressed elsewhere in the program is remembered until read.
  QTest::keyClick(control(QStringLiteral("Check_lock")), Qt::Key_Return);
  field->setText(QStringLiteral("7.1"));
  for (Qt::Key key : {Qt::Key_Shift, Qt::Key_End, Qt::Key_F2}) QTest::keyClick(field, key);
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 94.4);
  QTest::keyClicks(field, QStringLiteral("5"));
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 7.15);
}

TEST_F(TuningTest, SteppingWrapsAtBothEnds) {
  switchOn();
  panel().CurrentFrequency = 1299.95;
  click(QStringLiteral("FrequencyUp"));
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 0.01);
  EXPECT_EQ(display(), QStringLiteral("   0.010.000  Mhz"));
  EXPECT_TRUE(panel().ScanUp);

  panel().CurrentFrequency = 0.05;
  click(QStringLiteral("FrequencyDown"));
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 1300);
  EXPECT_EQ(display(), QStringLiteral("1300.000.000  Mhz"));
  EXPECT_FALSE(panel().ScanUp);
  EXPECT_EQ(m_sim->waitForCommands(2),
            (QStringList{QStringLiteral("K00000010000060400"), QStringLiteral("K01300000000060400")}));
}

TEST_F(TuningTest, DirectAndTheDisplayCopyTheFrequencyIntoTheEntry) {
  panel().load();
  panel().CurrentFrequency = 145.5125;
  click(QStringLiteral("Direct"));
  EXPECT_EQ(panel().Frequenzeingabe()->text(), QStringLiteral("145.5125"));
  panel().Frequenzeingabe()->clear();
  QTest::mouseClick(control(QStringLiteral("DisplayFrequency")), Qt::RightButton);
  EXPECT_EQ(panel().Frequenzeingabe()->text(), QStringLiteral("145.5125"));
  QTest::mouseDClick(panel().Frequenzeingabe(), Qt::LeftButton);
  EXPECT_TRUE(panel().Frequenzeingabe()->text().isEmpty());
}

class KeyPollTest : public test::ReceiverTest {
 protected:
  // A key as the user presses it somewhere in the program, then one tick
  // of the key poll.
  void press(Qt::Key key) {
    QTest::keyClick(control(QStringLiteral("Check_lock")), key);
    control<ClassicTimer>(QStringLiteral("Timer4"))->fire();
  }
};

TEST_F(KeyPollTest, ArrowKeysStepUnlessLockedAndPauseMutes) {
  press(Qt::Key_Up);
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 94.5) << "the receiver off, the display still follows";
  press(Qt::Key_Down);
  press(Qt::Key_Down);
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 94.3);

  control<ValueCheckBox>(QStringLiteral("Check_lock"))->setValue(1);
  press(Qt::Key_Up);
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 94.3) << "locked";

  auto* volume = control<QSlider>(QStringLiteral("Volume"));
  press(Qt::Key_Pause);
  EXPECT_EQ(volume->value(), 0);
  EXPECT_EQ(control<QGroupBox>(QStringLiteral("VolumeFrame"))->title(), QStringLiteral("MUTE!"));
  EXPECT_EQ(control<QGroupBox>(QStringLiteral("VolumeFrame"))->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  press(Qt::Key_Pause);
  EXPECT_EQ(volume->value(), 100);
  EXPECT_EQ(control<QGroupBox>(QStringLiteral("VolumeFrame"))->title(), QStringLiteral("Lautstärke100"));
}

TEST_F(KeyPollTest, PauseAfterAHandMadeZeroRestoresOneHundred) {
  auto* volume = control<QSlider>(QStringLiteral("Volume"));
  volume->setValue(0);
  press(Qt::Key_Pause);
  EXPECT_TRUE(panel().Muted);
  EXPECT_EQ(panel().SavedVolume, 0);
  press(Qt::Key_Pause);
  EXPECT_EQ(volume->value(), 100);
}

TEST_F(KeyPollTest, AfterSavingTheKeysWaitForTheNextEntry) {
  click(QStringLiteral("Comm_speichern"));
  EXPECT_EQ(m_messages->texts(), QStringList{QStringLiteral("Alle Einstellungen werden gesichert")});
  press(Qt::Key_Up);
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 94.4);

  panel().Frequenzeingabe()->setText(QStringLiteral("94.4"));
  click(QStringLiteral("but_fqeingabe"));
  press(Qt::Key_Up);
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 94.41) << "armed again, with the band plan's 10 KHz step";
}

}  // namespace
}  // namespace zelvora
