#include "receiver/panel_widgets.h"
#include "receiver_fixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QTest>

namespace zelvora {
namespace {

using SettingControlsTest = test::ReceiverTest;

TEST_F(SettingControlsTest, SlidersSendTheirPositionAndShowIt) {
  switchOn();
  auto* volumeFrame = control<QGroupBox>(QStringLiteral("VolumeFrame"));
  control<QSlider>(QStringLiteral("Volume"))->setValue(0);
  EXPECT_EQ(volumeFrame->title(), QStringLiteral("MUTE!"));
  EXPECT_EQ(volumeFrame->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  control<QSlider>(QStringLiteral("Volume"))->setValue(1);
  EXPECT_EQ(volumeFrame->title(), QStringLiteral("Lautstärke1"));
  EXPECT_EQ(volumeFrame->palette().color(QPalette::WindowText), QColor(Qt::black));

  control<QSlider>(QStringLiteral("Squelch"))->setValue(255);
  EXPECT_EQ(control<QGroupBox>(QStringLiteral("SquelchFrame"))->title(), QStringLiteral("Squelch255"));
  EXPECT_EQ(control<QLineEdit>(QStringLiteral("sqwert"))->text(), QStringLiteral("255"));

  control<QSlider>(QStringLiteral("IfShift"))->setValue(200);
  click(QStringLiteral("Command1"));
  EXPECT_EQ(control<QGroupBox>(QStringLiteral("IfShiftFrame"))->title(), QStringLiteral("IF Shift128"));

  EXPECT_EQ(m_sim->waitForCommands(5), (QStringList{QStringLiteral("J4000"), QStringLiteral("J4001"), QStringLiteral("J41FF"),
                                                    QStringLiteral("J43C8"), QStringLiteral("J4380")}));
}

TEST_F(SettingControlsTest, SwitchesSendOnAndOff) {
  switchOn();
  for (const char* name : {"AFC", "AGC", "ATT", "NB"}) {
    click(QString::fromLatin1(name));
    click(QString::fromLatin1(name));
  }
  EXPECT_EQ(m_sim->waitForCommands(8),
            (QStringList{QStringLiteral("J5001"), QStringLiteral("J5000"), QStringLiteral("J4501"), QStringLiteral("J4500"),
                         QStringLiteral("J4701"), QStringLiteral("J4700"), QStringLiteral("J4601"), QStringLiteral("J4600")}));
}

TEST_F(SettingControlsTest, TheAttenuatorWarnsInRedOnYellow) {
  auto* att = control<ValueCheckBox>(QStringLiteral("ATT"));
  click(QStringLiteral("ATT"));
  EXPECT_EQ(control<QLabel>(QStringLiteral("Label_att"))->text(), QStringLiteral("Abschwächer!"));
  EXPECT_EQ(att->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(att->palette().color(QPalette::Window), QColor(255, 255, 0));
  click(QStringLiteral("ATT"));
  EXPECT_TRUE(control<QLabel>(QStringLiteral("Label_att"))->text().isEmpty());
  EXPECT_EQ(att->palette().color(QPalette::WindowText), QColor(10, 0, 0));
  EXPECT_EQ(att->palette().color(QPalette::Window), QColor(192, 192, 192));
}

TEST_F(SettingControlsTest, ModeAndFilterGoOutWithTheFrequency) {
  switchOn();
  click(QStringLiteral("Filter2"));
  click(QStringLiteral("CW"));
  click(QStringLiteral("CW"));
  EXPECT_EQ(m_sim->waitForCommands(2),
            (QStringList{QStringLiteral("K00094400000060100"), QStringLiteral("K00094400000030100")}))
      << "a click on the selected option sends nothing";
  EXPECT_FALSE(control<OptionButton>(QStringLiteral("WFM"))->isChecked());
}

TEST_F(SettingControlsTest, TheTuningStepListSetsTheStep) {
  control<QComboBox>(QStringLiteral("TuningStep"))->setCurrentText(QStringLiteral("6.25 KHz"));
  panel().CurrentFrequency = 145.5;
  click(QStringLiteral("FrequencyUp"));
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 145.50625);
  EXPECT_EQ(control<QComboBox>(QStringLiteral("TuningStep"))->count(), 21);
}

TEST_F(SettingControlsTest, PickingTheShownStepAgainTakesItsValue) {
  // The stored fine step overrides the list's "100 KHz"; the user's pick of
  // that same entry must give 100 KHz steps again.
  writeSettings(QStringLiteral("[RADIO]\nTuningStep=100 KHz\nFrequencyAdjust=0.0003\n"));
  auto* list = control<QComboBox>(QStringLiteral("TuningStep"));
  ASSERT_DOUBLE_EQ(panel().TuningStepMHz, 0.0003);
  list->showPopup();
  QAbstractItemView* view = list->view();
  const QModelIndex shown = view->model()->index(list->findText(QStringLiteral("100 KHz")), 0);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(shown).center());
  EXPECT_EQ(list->currentText(), QStringLiteral("100 KHz"));
  EXPECT_DOUBLE_EQ(panel().TuningStepMHz, 0.1);
}

TEST_F(SettingControlsTest, AValueFieldTakesAWholeNumberOnDoubleClick) {
  switchOn();
  auto* field = control<QLineEdit>(QStringLiteral("lswert"));
  field->setText(QStringLiteral("150"));
  QTest::mouseDClick(field, Qt::LeftButton);
  EXPECT_EQ(control<QSlider>(QStringLiteral("Volume"))->value(), 150);
  EXPECT_EQ(control<QGroupBox>(QStringLiteral("VolumeFrame"))->title(), QStringLiteral("150"));
  EXPECT_EQ(m_sim->waitForCommands(2), (QStringList{QStringLiteral("J4096"), QStringLiteral("J4096")}));
}

TEST_F(SettingControlsTest, AValueFieldPutsOtherTextBackToThePosition) {
  switchOn();
  for (const char* name : {"lswert", "sqwert"}) {
    auto* field = control<QLineEdit>(QString::fromLatin1(name));
    for (const char* text : {"", "abc", "256", "-1", "12.5", "1e2", "7 Hz"}) {
      const QString before = field->text();
      field->setText(QString::fromLatin1(text));
      QTest::mouseDClick(field, Qt::LeftButton);
      EXPECT_EQ(field->text(), before) << name << " " << text;
    }
  }
  EXPECT_EQ(control<QSlider>(QStringLiteral("Volume"))->value(), 100);
  EXPECT_EQ(control<QSlider>(QStringLiteral("Squelch"))->value(), 15);
  test::settle(30);
  EXPECT_TRUE(m_sim->commands().isEmpty());
}

}  // namespace
}  // namespace zelvora
