#pragma once

#include "receiver/form_pcr1000.h"
#include "support/program_folder_fixture.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace zelvora::test {

// The receiver simulator on its own pseudo-terminal, with its command log.
class Simulator {
 public:
  Simulator(const QString& logPath, const QStringList& arguments);
  ~Simulator();

  bool running() const { return m_process.state() == QProcess::Running && !m_device.isEmpty(); }
  QString device() const { return m_device; }
  // The commands received so far, oldest first, without time stamps.
  QStringList commands() const;
  // Time stamps (ms since 1970) of the commands, in the same order.
  std::vector<double> stamps() const;
  // Waits until at least count commands are logged (or a second passed).
  QStringList waitForCommands(int count) const;
  void clearLog() const;
  // Ends the simulator as pulling the receiver's cable would look.
  void stop();

 private:
  QString m_logPath;
  QProcess m_process;
  QString m_device;
};

// A fresh program folder and a simulator on COM1.
class ReceiverTest : public ProgramFolderTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts (or restarts) the simulator with these options.
  void startSimulator(const QStringList& arguments = {});

  Form_pcr1000& panel();
  // A control of the receiver panel by its name; loads the panel.
  template <class T = QWidget>
  T* control(const QString& name) {
    T* found = panel().window()->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
  }
  // Switches the receiver on, stops the meter's own poll and forgets the
  // commands of the switch-on.
  void switchOn();
  void click(const QString& name);
  QString display();
  void writeSettings(const QString& text);
  QString settingsText() const;

  std::unique_ptr<Simulator> m_sim;
};

}  // namespace zelvora::test
