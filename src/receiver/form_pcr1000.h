#pragma once

#include "platform/form.h"

class QLineEdit;

namespace zelvora {

struct Pcr1000Controls {
  QLineEdit* Frequenzeingabe = nullptr;
};

// The receiver panel.
class Form_pcr1000 : public FormOf<Pcr1000Controls> {
 public:
  Form_pcr1000();

  QLineEdit* Frequenzeingabe() { return ui().Frequenzeingabe; }

  // The receiver's frequency in MHz, always within 0.01 to 1300.
  double CurrentFrequency = 94.4;

 protected:
  void buildControls(Pcr1000Controls& c, QWidget* client) override;
};

}  // namespace zelvora
