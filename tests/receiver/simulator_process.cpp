#include "simulator_process.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace zelvora::test {

Simulator::Simulator(const QString& program, const QString& logPath, const QStringList& arguments) : m_logPath(logPath) {
  m_process.setProgram(program);
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

std::pair<int, double> Simulator::arrivals(const QString& prefix) const {
  const QStringList list = commands();
  const std::vector<double> times = stamps();
  double first = -1, last = -1;
  int count = 0;
  for (qsizetype k = 0; k < list.size() && k < static_cast<qsizetype>(times.size()); ++k) {
    if (!list[k].startsWith(prefix)) continue;
    if (first < 0) first = times[k];
    last = times[k];
    ++count;
  }
  return {count, (last - first) / 1000.0};
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

QString Simulator::waitForLast(const QString& command) const {
  QElapsedTimer timer;
  timer.start();
  QString last = commands().value(commands().size() - 1);
  while (last != command && timer.elapsed() < 1000) {
    QThread::msleep(5);
    const QStringList list = commands();
    last = list.value(list.size() - 1);
  }
  return last;
}

void Simulator::clearLog() const {
  QFile log(m_logPath);
  log.resize(0);
}

}  // namespace zelvora::test
