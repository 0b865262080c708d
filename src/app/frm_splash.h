#pragma once

#include "platform/form.h"

class QFrame;
class QLabel;

namespace zelvora {

class ClassicTimer;

struct SplashControls {
  ClassicTimer* Timer_intro = nullptr;
  QFrame* Frame1 = nullptr;
  QLabel* imgLogo = nullptr;
  QLabel* lblProductName = nullptr;
  QLabel* lblVersion = nullptr;
};

// The start-up window: closes after five seconds, on a click on its free
// area or on a key that gives a character.
class frmSplash : public FormOf<SplashControls> {
 public:
  frmSplash();

  void Timer_intro_Timer();
  void Frame1_Click();
  void Form_KeyPress();

 protected:
  void buildControls(SplashControls& c, QWidget* client) override;
  void Form_Load() override;
};

}  // namespace zelvora
