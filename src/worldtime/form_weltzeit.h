#pragma once

#include "platform/form.h"

namespace zelvora {

class Form_weltzeit : public Form {
 public:
  Form_weltzeit();

 protected:
  void createControls(QWidget* client) override;
};

}  // namespace zelvora
