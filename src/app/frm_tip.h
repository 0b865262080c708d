#pragma once

#include "platform/form.h"

namespace zelvora {

class frmTip : public Form {
 public:
  frmTip();

 protected:
  void createControls(QWidget* client) override;
};

}  // namespace zelvora
