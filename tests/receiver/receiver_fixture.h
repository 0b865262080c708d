#pragma once

#include "receiver/form_pcr1000.h"
#include "simulator_process.h"
#include "support/program_folder_fixture.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace zelvora::test {

// The name of the selected option button in a frame (mode, filter).
QString checkedOption(QWidget* frame);

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
