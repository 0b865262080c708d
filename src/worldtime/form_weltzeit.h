#pragma once

#include "platform/form.h"

class QFrame;
class QLabel;
class QLineEdit;

namespace zelvora {

class ClassicTimer;

struct WeltzeitControls {
  QFrame* Frame_weltzeit = nullptr;
  QLineEdit* zeit_local = nullptr;
  QLineEdit* zeit_losangeles = nullptr;
  QLineEdit* zeit_newyork = nullptr;
  QLineEdit* zeit_rio = nullptr;
  QLineEdit* zeit_moskau = nullptr;
  QLineEdit* zeit_bombay = nullptr;
  QLineEdit* zeit_tokio = nullptr;
  QLineEdit* zeit_sydney = nullptr;
  QLabel* Label1 = nullptr;
  QFrame* Frame_utc = nullptr;
  QLineEdit* UTC = nullptr;
  QLabel* Label_abdecker_utc = nullptr;
  ClassicTimer* Timer_utc = nullptr;
};

// The world clock: UTC, the computer's local time and seven cities at fixed
// whole-hour offsets from UTC, with day and night colours, refreshed by
// Timer_utc every second.
class Form_weltzeit : public FormOf<WeltzeitControls> {
 public:
  Form_weltzeit();

  void Timer_utc_Timer();

 protected:
  void buildControls(WeltzeitControls& c, QWidget* client) override;
  void Form_Load() override;
};

}  // namespace zelvora
