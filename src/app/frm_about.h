#pragma once

#include "platform/form.h"

namespace zelvora {

class frmAbout : public Form {
 public:
  frmAbout();

 protected:
  void createControls(QWidget* client) override;
};

}  // namespace zelvora
