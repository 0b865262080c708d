#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace zelvora::test {

// The receiver simulator on its own pseudo-terminal, with its command log.
class Simulator {
 public:
  Simulator(const QString& program, const QString& logPath, const QStringList& arguments);
  ~Simulator();

  bool running() const { return m_process.state() == QProcess::Running && !m_device.isEmpty(); }
  QString device() const { return m_device; }
  // The commands received so far, oldest first, without time stamps.
  QStringList commands() const;
  // Time stamps (ms since 1970) of the commands, in the same order.
  std::vector<double> stamps() const;
  // How many commands logged begin with prefix, and the seconds between
  // the first and the last of them.
  std::pair<int, double> arrivals(const QString& prefix) const;
  // Waits until at least count commands are logged (or a second passed).
  QStringList waitForCommands(int count) const;
  // Waits until the last command logged is this one (or a second passed);
  // returns the last command logged.
  QString waitForLast(const QString& command) const;
  void clearLog() const;
  // Ends the simulator as pulling the receiver's cable would look.
  void stop();

 private:
  QString m_logPath;
  QProcess m_process;
  QString m_device;
};

}  // namespace zelvora::test
