#include "receiver_fixture.h"

#include "platform/classic_timer.h"
#include "platform/form_registry.h"
#include "receiver/panel_widgets.h"
#include "receiver/print_box.h"

#include <QAbstractButton>
#include <QFile>

namespace zelvora::test {

QString checkedOption(QWidget* frame) {
  for (auto* option : frame->findChildren<OptionButton*>())
    if (option->isChecked()) return option->objectName();
  return {};
}

void ReceiverTest::SetUp() {
  ProgramFolderTest::SetUp();
  startSimulator();
}

void ReceiverTest::TearDown() {
  // The panel closes its port before the simulator goes.
  FormRegistry::instance().reset();
  settle(0);
  m_sim.reset();
  qunsetenv("ZELVORA_COM1");
  ProgramFolderTest::TearDown();
}

void ReceiverTest::startSimulator(const QStringList& arguments) {
  m_sim.reset();
  m_sim = std::make_unique<Simulator>(QStringLiteral(ZELVORA_TOOLS_DIR "/pcrsim"), programPath(QStringLiteral("simulator.log")),
                                      arguments);
  ASSERT_TRUE(m_sim->running());
  qputenv("ZELVORA_COM1", m_sim->device().toLocal8Bit());
}

Form_pcr1000& ReceiverTest::panel() { return form<Form_pcr1000>(); }

void ReceiverTest::switchOn() {
  click(QStringLiteral("RadioOn"));
  ASSERT_TRUE(m_messages->texts().isEmpty()) << m_messages->texts().join(QLatin1Char('\n')).toStdString();
  // Tests poll the meter themselves, one tick at a time.
  control<ClassicTimer>(QStringLiteral("Timer2"))->setEnabled(false);
  m_sim->waitForCommands(12);
  m_sim->clearLog();
}

void ReceiverTest::click(const QString& name) {
  auto* button = control<QAbstractButton>(name);
  ASSERT_NE(button, nullptr);
  button->click();
}

QString ReceiverTest::display() { return control<PrintBox>(QStringLiteral("DisplayFrequency"))->printed(); }

void ReceiverTest::writeSettings(const QString& text) {
  QFile file(programPath(QStringLiteral("zelvora.ini")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(text.toUtf8());
}

QString ReceiverTest::settingsText() const {
  QFile file(programPath(QStringLiteral("zelvora.ini")));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

}  // namespace zelvora::test
