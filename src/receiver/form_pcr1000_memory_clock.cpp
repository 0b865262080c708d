// Receiver panel: tuning from the memory fields, and the clock strip.

#include "receiver/form_pcr1000.h"
#include "receiver/panel_widgets.h"
#include "worldtime/utc_time.h"

#include <QLabel>

namespace zelvora {

void Form_pcr1000::sp_DblClick(int slot) {
  auto& c = ui();
  c.Frequenzeingabe->setText(c.sp[slot]->text());
  EnterFrequency();
}

void Form_pcr1000::Timer_utc_Timer() {
  auto& c = ui();
  c.Label_utc->setText(QStringLiteral("UTC ") + UtcTimeText());
  c.Label_local->setText(QStringLiteral("Lokal ") + LocalTimeText());
}

}  // namespace zelvora
