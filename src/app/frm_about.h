#pragma once

#include "platform/form.h"

class QLabel;
class QPushButton;

namespace zelvora {

struct AboutControls {
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* lblDisclaimer = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSysInfo = nullptr;
};

// "Info zum Programm": name, version, description and credits, and a
// button that starts the system's information program.
class frmAbout : public FormOf<AboutControls> {
 public:
  frmAbout();

  void StartSysInfo();
  void cmdOK_Click();

 protected:
  void buildControls(AboutControls& c, QWidget* client) override;
  void Form_Load() override;
};

}  // namespace zelvora
