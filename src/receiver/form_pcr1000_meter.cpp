// Receiver panel: the signal meter (bar, label, lamp) and its poll.

#include "platform/classic_timer.h"
#include "receiver/form_pcr1000.h"
#include "receiver/panel_widgets.h"
#include "receiver/pcr_protocol.h"
#include "receiver/print_box.h"

#include <QLabel>

namespace zelvora {

void Form_pcr1000::ReadSignal() {
  if (!portOpen() || !MeterOn) return;
  const auto raw = SignalReading(Query(QStringLiteral("I1?")));
  if (!raw) return;
  SignalLevel = MeterLevel(*raw);
  DrawMeter(SignalLevel);
}

void Form_pcr1000::DrawMeter(int level) {
  auto* c = controls();
  if (!c) return;
  QColor colour(64, 64, 64);
  if (MeterOn) colour = level <= 65 ? QColor(0, 255, 0) : QColor(255, 0, 0);
  c->SignalStrengthMeter->setForeColor(colour);
  c->SignalStrengthMeter->Cls();
  c->SignalStrengthMeter->Print(QStringLiteral(" ") + QString(level, QLatin1Char('|')));
}

void Form_pcr1000::ToggleMeter() {
  MeterOn = !MeterOn;
  DrawMeter(SignalLevel);
}

void Form_pcr1000::Timer2_Timer() {
  ReadSignal();
  if (ReceiverLost()) return;
  auto* c = controls();
  if (!c) return;
  c->Label_signal->setText(QStringLiteral("SIGNAL: ") + QString::number(SignalLevel));
  if (SignalLevel > 39) setLamp("lampe-gruen.jpg");
  if (SignalLevel < 40) setLamp("lampe-rot.jpg");
  if (SignalLevel == 0) setLamp("lampe-aus.jpg");
}

void Form_pcr1000::setLamp(const char* file) {
  if (auto* c = controls()) c->Picsun->setPicture(PanelPicture(file));
}

}  // namespace zelvora
