#pragma once

#include "platform/form.h"

namespace zelvora {

class ClassicTimer;

struct AnalyzerControls {
  ClassicTimer* Timer1 = nullptr;
};

class Form_analyzer : public FormOf<AnalyzerControls> {
 public:
  Form_analyzer();
  ClassicTimer* Timer1() { return ui().Timer1; }

 protected:
  void buildControls(AnalyzerControls& c, QWidget* client) override;
};

}  // namespace zelvora
