#include "rigctld_process.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace zelvora::test {

int FreeTcpPort() {
  QTcpServer server;
  if (!server.listen(QHostAddress::LocalHost, 0)) return 0;
  return server.serverPort();
}

Rigctld::Rigctld(int model, const QStringList& arguments) : m_port(FreeTcpPort()) {
  m_process.setProgram(QStringLiteral("rigctld"));
  m_process.setArguments(QStringList{QStringLiteral("-m"), QString::number(model), QStringLiteral("-T"),
                                     QStringLiteral("127.0.0.1"), QStringLiteral("-t"), QString::number(m_port)} +
                         arguments);
  m_process.setStandardOutputFile(QProcess::nullDevice());
  m_process.setStandardErrorFile(QProcess::nullDevice());
  m_process.start();
  if (!m_process.waitForStarted(5000)) return;
  QElapsedTimer timer;
  timer.start();
  while (!m_ready && timer.elapsed() < 10000 && m_process.state() == QProcess::Running) {
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(m_port));
    m_ready = probe.waitForConnected(200);
    if (!m_ready) QThread::msleep(20);
  }
}

Rigctld::~Rigctld() {
  if (m_process.state() == QProcess::NotRunning) return;
  m_process.terminate();
  if (!m_process.waitForFinished(5000)) {
    m_process.kill();
    m_process.waitForFinished(5000);
  }
}

QString Rigctld::host() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

QStringList Rigctld::query(const QString& command) const {
  QProcess rigctl;
  rigctl.start(QStringLiteral("rigctl"),
               QStringList{QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"), host()} +
                   command.split(QLatin1Char(' ')));
  if (!rigctl.waitForFinished(10000)) return {};
  return QString::fromLatin1(rigctl.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace zelvora::test
