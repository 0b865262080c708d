#pragma once

#include "platform/form.h"

namespace zelvora {

class Form_pcr1000 : public Form {
 public:
  Form_pcr1000();

 protected:
  void createControls(QWidget* client) override;
};

}  // namespace zelvora
