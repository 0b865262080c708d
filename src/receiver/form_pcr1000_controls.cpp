// Receiver panel: the sliders, mode and filter options, the four switches
// and the tuning-step list. Captions change in any case; the commands go
// out only while the receiver is on.

#include "platform/text_value.h"
#include "receiver/form_pcr1000.h"
#include "receiver/panel_widgets.h"
#include "receiver/pcr_protocol.h"
#include "receiver/tuning_steps.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRegularExpression>
#include <QSlider>

namespace zelvora {
namespace {

void setCaptionColour(QWidget* w, const QColor& colour) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, colour);
  w->setPalette(p);
}

void emphasise(QWidget* w) {
  QFont f = w->font();
  f.setBold(true);
  w->setFont(f);
}

}  // namespace

void Form_pcr1000::SendVolume() {
  auto* c = controls();
  if (!c) return;
  const int v = c->Volume->value();
  c->VolumeFrame->setTitle(QStringLiteral("Lautstärke") + QString::number(v));
  c->lswert->setText(QString::number(v));
  SendCommand(LevelCommand("J40", v));
}

void Form_pcr1000::SendSquelch() {
  auto* c = controls();
  if (!c) return;
  const int v = c->Squelch->value();
  c->SquelchFrame->setTitle(QStringLiteral("Squelch") + QString::number(v));
  c->sqwert->setText(QString::number(v));
  SendCommand(LevelCommand("J41", v));
}

void Form_pcr1000::SendIfShift() {
  auto* c = controls();
  if (!c) return;
  const int v = c->IfShift->value();
  c->IfShiftFrame->setTitle(QStringLiteral("IF Shift") + QString::number(v));
  SendCommand(LevelCommand("J43", v));
}

void Form_pcr1000::SendAfc() {
  if (auto* c = controls()) SendCommand(SwitchCommand("J50", c->AFC->value() != 0));
}

void Form_pcr1000::SendAgc() {
  if (auto* c = controls()) SendCommand(SwitchCommand("J45", c->AGC->value() != 0));
}

void Form_pcr1000::SendAtt() {
  auto* c = controls();
  if (!c) return;
  const bool on = c->ATT->value() != 0;
  c->Label_att->setText(on ? QStringLiteral("Abschwächer!") : QString());
  SendCommand(SwitchCommand("J47", on));
}

void Form_pcr1000::SendNb() {
  if (auto* c = controls()) SendCommand(SwitchCommand("J46", c->NB->value() != 0));
}

void Form_pcr1000::SendMode() {
  auto* c = controls();
  if (!c) return;
  const std::pair<OptionButton*, const char*> codes[] = {{c->AM, "02"},  {c->FM, "05"},  {c->WFM, "06"},
                                                         {c->USB, "01"}, {c->LSB, "00"}, {c->CW, "03"}};
  for (const auto& [option, code] : codes) {
    if (option->isChecked()) {
      ModeCode = QLatin1String(code);
      break;
    }
  }
  SendFrequency();
}

void Form_pcr1000::SendFilter() {
  auto* c = controls();
  if (!c) return;
  for (int i = 0; i < 5; ++i) {
    if (c->Filter[i]->isChecked()) {
      FilterCode = Format00(i);
      break;
    }
  }
  SendFrequency();
}

void Form_pcr1000::SelectTuningStep() {
  auto* c = controls();
  if (!c) return;
  if (const auto step = TuningStepMHzOf(c->TuningStep->currentText())) TuningStepMHz = *step;
}

void Form_pcr1000::Volume_Change() {
  SendVolume();
  auto* c = controls();
  if (!c) return;
  if (c->Volume->value() == 0) {
    setCaptionColour(c->VolumeFrame, QColor(255, 0, 0));
    emphasise(c->VolumeFrame);
    c->VolumeFrame->setTitle(QStringLiteral("MUTE!"));
  } else {
    setCaptionColour(c->VolumeFrame, Qt::black);
  }
}

void Form_pcr1000::ATT_Click() {
  SendAtt();
  auto* c = controls();
  if (!c) return;
  QPalette p = c->ATT->palette();
  switch (c->ATT->value()) {
    case 0:
      p.setColor(QPalette::WindowText, QColor(10, 0, 0));
      p.setColor(QPalette::Window, QColor(192, 192, 192));
      break;
    case 1:
      p.setColor(QPalette::WindowText, QColor(255, 0, 0));
      p.setColor(QPalette::Window, QColor(255, 255, 0));
      emphasise(c->ATT);
      break;
    default:
      return;
  }
  c->ATT->setPalette(p);
}

// The value fields next to the volume and squelch sliders: a whole number
// 0..255 moves the slider; any other text is put back to the position.
void Form_pcr1000::SetFromValueField(QSlider* slider, TextField* field, QGroupBox* frame,
                                     void (Form_pcr1000::*send)()) {
  static const QRegularExpression wholeNumber(QStringLiteral(R"(^\s*\d{1,3}\s*$)"));
  const QString text = field->text();
  const int value = text.trimmed().toInt();
  if (!wholeNumber.match(text).hasMatch() || value > 255) {
    field->setText(QString::number(slider->value()));
    return;
  }
  slider->setValue(value);
  (this->*send)();
  if (controls()) frame->setTitle(QString::number(slider->value()));
}

}  // namespace zelvora
