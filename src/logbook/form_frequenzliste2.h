#pragma once

#include "platform/form.h"

namespace zelvora {

class Form_frequenzliste2 : public Form {
 public:
  Form_frequenzliste2();

 protected:
  void createControls(QWidget* client) override;
};

}  // namespace zelvora
