#include "receiver_fixture.h"

#include "platform/classic_timer.h"
#include "platform/form_registry.h"
#include "receiver/print_box.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace zelvora::test {

Simulator::Simulator(const QString& logPath, const QStringList& arguments) : m_logPath(logPath) {
  m_process.setProgram(QStringLiteral(ZELVORA_TOOLS_DIR "/pcrsim"));
  m_process.setArguments(QStringList{QStringLiteral("--log"), logPath} + arguments);
  m_process.setProcessChannelMode(QProcess::SeparateChannels);
  m_process.start();
  if (!m_process.waitForStarted(5000)) return;
  QElapsedTimer timer;
  timer.start();
  while (!m_process.canReadLine() && timer.elapsed() < 5000) m_process.waitForReadyRead(100);
  m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
}

Simulator::~Simulator() { stop(); }

void Simulator::stop() {
  if (m_process.state() == QProcess::NotRunning) return;
  m_process.terminate();
  if (!m_process.waitForFinished(5000)) {
    m_process.kill();
    m_process.waitForFinished(5000);
  }
}

QStringList Simulator::commands() const {
  QStringList list;
  QFile log(m_logPath);
  if (!log.open(QIODevice::ReadOnly)) return list;
  for (const QByteArray& line : log.readAll().split('\n')) {
    const int space = line.indexOf(' ');
    if (space > 0) list << QString::fromLatin1(line.mid(space + 1));
  }
  return list;
}

std::vector<double> Simulator::stamps() const {
  std::vector<double> list;
  QFile log(m_logPath);
  if (!log.open(QIODevice::ReadOnly)) return list;
  for (const QByteArray& line : log.readAll().split('\n')) {
    const int space = line.indexOf(' ');
    if (space > 0) list.push_back(line.left(space).toDouble());
  }
  return list;
}

QStringList Simulator::waitForCommands(int count) const {
  QElapsedTimer timer;
  timer.start();
  QStringList list = commands();
  while (list.size() < count && timer.elapsed() < 1000) {
    QThread::msleep(5);
    list = commands();
  }
  return list;
}

void Simulator::clearLog() const {
  QFile log(m_logPath);
  log.resize(0);
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
  m_sim = std::make_unique<Simulator>(programPath(QStringLiteral("simulator.log")), arguments);
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
