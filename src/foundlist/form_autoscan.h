#pragma once

#include "platform/form.h"

namespace zelvora {

class Form_autoscan : public Form {
 public:
  Form_autoscan();

 protected:
  void createControls(QWidget* client) override;
};

}  // namespace zelvora
