// Receiver panel: start-up, the serial link's send and wait, power,
// frequency entry, stepping, the key poll and the panel's buttons.

#include "receiver/form_pcr1000.h"

#include "app/frm_tip.h"
#include "platform/classic_timer.h"
#include "platform/events.h"
#include "platform/form_registry.h"
#include "platform/key_state.h"
#include "platform/message_box.h"
#include "platform/profile/private_profile.h"
#include "platform/program_folder.h"
#include "platform/receiver_port.h"
#include "platform/text_value.h"
#include "receiver/band_plan.h"
#include "receiver/panel_widgets.h"
#include "receiver/pcr_protocol.h"
#include "receiver/print_box.h"
#include "receiver/receiver_link.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPointer>
#include <QSlider>

#include <cmath>
#include <limits>

namespace zelvora {
namespace {

const QString kPortMessage = QStringLiteral("COM Port stimmt nicht. Im Gerätemanager nachschauen.");

// A receiver whose queries go unanswered this long is gone.
constexpr double kSilenceLimitMs = 2000;
const QString kLostMessage =
    QStringLiteral("Verbindung zum Empfänger unterbrochen. Kabel und Stromversorgung prüfen, dann Radio On.");

}  // namespace

Pcr1000Controls::Pcr1000Controls() = default;
Pcr1000Controls::~Pcr1000Controls() = default;

Form_pcr1000::Form_pcr1000()
    : FormOf(QStringLiteral("Form_pcr1000"), QStringLiteral("DIV1000 Uziveruz"), {7725, 10170}, Border::Fixed) {}

QLineEdit* Form_pcr1000::Frequenzeingabe() { return ui().Frequenzeingabe; }

Pcr1000Controls* Form_pcr1000::controls() { return isLoaded() ? &ui() : nullptr; }

QString Form_pcr1000::settingsPath() const { return NativePath(ProgramFolder() + QStringLiteral("\\zelvora.ini")); }

void Form_pcr1000::connectHandlers(Pcr1000Controls& c) {
  ClassicTimer* timer1 = c.Timer1;
  c.Timer1->setHandler([timer1] { timer1->setInterval(0); });
  c.Timer2->setHandler([this] { Timer2_Timer(); });
  c.Timer3->setHandler([this] { ScanStep(); });
  c.Timer4->setHandler([this] { PollKeys(); });
  c.Timer_utc->setHandler([this] { Timer_utc_Timer(); });

  QObject::connect(c.RadioOn, &QPushButton::clicked, [this] { RadioOn_Click(); });
  QObject::connect(c.RadioOff, &QPushButton::clicked, [this] { RadioOff_Click(); });
  QObject::connect(c.FrequencyUp, &QPushButton::clicked, [this] { StepUp(); });
  QObject::connect(c.FrequencyDown, &QPushButton::clicked, [this] { StepDown(); });
  QObject::connect(c.Direct, &QPushButton::clicked, [this] { ui().Frequenzeingabe->setText(entryCopyText()); });
  QObject::connect(c.Scan, &QPushButton::clicked, [this] { Scan_Click(); });
  QObject::connect(c.Exit, &QPushButton::clicked, [this] { Exit_Click(); });
  QObject::connect(c.but_fqeingabe, &QPushButton::clicked, [this] { EnterFrequency(); });
  QObject::connect(c.Comm_comport, &QPushButton::clicked, [this] { Comm_comport_Click(); });
  QObject::connect(c.Comm_speichern, &QPushButton::clicked, [this] { ConfirmAndSave(); });
  QObject::connect(c.Comm_tipps, &QPushButton::clicked, [this] { Comm_tipps_Click(); });
  c.DisplayFrequency->setMouseDownHandler([this] { ui().Frequenzeingabe->setText(entryCopyText()); });
  c.SignalStrengthMeter->setMouseDownHandler([this] { ToggleMeter(); });

  c.Text_scan1->setDoubleClickHandler([this] { Text_scan1_DblClick(); });
  c.Text_scan2->setDoubleClickHandler([this] { Text_scan2_DblClick(); });
  for (int slot = 2; slot <= 17; ++slot) c.sp[slot]->setDoubleClickHandler([this, slot] { sp_DblClick(slot); });

  c.Frequenzeingabe->setKeyPressHandler([this] { Frequenzeingabe_KeyPress(); });
  c.Frequenzeingabe->setDoubleClickHandler([this] { ui().Frequenzeingabe->clear(); });
  QObject::connect(c.Frequenzeingabe, &QLineEdit::textChanged, [this] { Frequenzeingabe_Change(); });

  QObject::connect(c.Volume, &QSlider::valueChanged, [this] { Volume_Change(); });
  QObject::connect(c.Squelch, &QSlider::valueChanged, [this] { SendSquelch(); });
  QObject::connect(c.IfShift, &QSlider::valueChanged, [this] { SendIfShift(); });
  c.lswert->setDoubleClickHandler([this] {
    auto& u = ui();
    SetFromValueField(u.Volume, u.lswert, u.VolumeFrame, &Form_pcr1000::SendVolume);
  });
  c.sqwert->setDoubleClickHandler([this] {
    auto& u = ui();
    SetFromValueField(u.Squelch, u.sqwert, u.SquelchFrame, &Form_pcr1000::SendSquelch);
  });
  QObject::connect(c.Command1, &QPushButton::clicked, [this] { ui().IfShift->setValue(128); });
  for (OptionButton* mode : {c.AM, c.FM, c.WFM, c.USB, c.LSB, c.CW})
    QObject::connect(mode, &OptionButton::selected, [this] { SendMode(); });
  for (OptionButton* filter : c.Filter) QObject::connect(filter, &OptionButton::selected, [this] { SendFilter(); });
  QObject::connect(c.AFC, &QCheckBox::stateChanged, [this] { SendAfc(); });
  QObject::connect(c.AGC, &QCheckBox::stateChanged, [this] { SendAgc(); });
  QObject::connect(c.ATT, &QCheckBox::stateChanged, [this] { ATT_Click(); });
  QObject::connect(c.NB, &QCheckBox::stateChanged, [this] { SendNb(); });
  QObject::connect(c.TuningStep, &QComboBox::currentIndexChanged, [this] { SelectTuningStep(); });
  // The user's pick of the entry already shown still sets its step, which
  // a stored step may have overridden.
  QObject::connect(c.TuningStep, &QComboBox::activated, [this] { SelectTuningStep(); });
}

// ---------------------------------------------------------------- link

bool Form_pcr1000::portOpen() {
  auto* c = controls();
  return c && c->MSComm1->portOpen();
}

void Form_pcr1000::SendCommand(const QString& text) {
  if (!portOpen()) return;
  ui().link->write(text);
  WaitSeconds(kCommandWait);
}

// All waits share Timer1: a wait started inside another re-arms it, and
// when the inner one ends (Timer1 disabled, interval 0) the outer one ends
// at its next look as well.
void Form_pcr1000::WaitSeconds(double seconds, const std::function<bool()>& endEarly) {
  auto* c = controls();
  if (!c) return;
  QPointer<ClassicTimer> timer = c->Timer1;
  timer->setEnabled(true);
  timer->setInterval(static_cast<int>(RoundHalfEven(seconds * 1000)));
  // Unloading the panel disables its timers, which ends the wait too.
  WaitUntil([&] { return !timer || !timer->enabled() || timer->interval() < 1 || (endEarly && endEarly()); },
            std::numeric_limits<int>::max());
  if (timer) timer->setEnabled(false);
}

// A command sent from inside one of these waits ends it early (the waits
// share Timer1), so each looks again until its own condition holds.
void Form_pcr1000::WaitUntilTuned() {
  constexpr double settleMs = kCommandWait * 1000;
  for (auto* c = controls(); c && c->MSComm1->portOpen(); c = controls()) {
    const double left = c->link->msUntilTuned(settleMs);
    if (left <= 0) return;
    WaitSeconds(std::ceil(left) / 1000);
  }
}

QString Form_pcr1000::Query(const QString& text) {
  WaitUntilTuned();
  if (!portOpen()) return {};
  ReceiverLink* link = ui().link.get();
  const auto ticket = link->write(text);
  QElapsedTimer clock;
  clock.start();
  const double limitMs = link->msUntilSent() + ReceiverLink::kReplyLimitMs;
  WaitSeconds(kCommandWait);
  for (auto* c = controls(); c && c->MSComm1->portOpen() && !c->MSComm1->deviceLost(); c = controls()) {
    if (auto reply = c->link->take(ticket)) return *reply;
    if (c->link->settled(ticket)) return {};  // a later reply came: this one is lost
    const double left = limitMs - clock.nsecsElapsed() / 1e6;
    if (left <= 0) {
      c->link->giveUp(ticket);
      return {};
    }
    WaitSeconds(std::ceil(left) / 1000, [this, ticket] {
      auto* now = controls();
      if (!now) return true;
      now->link->pump();
      return now->link->settled(ticket);
    });
  }
  return {};
}

// ---------------------------------------------------------------- start-up

void Form_pcr1000::Form_Load() {
  auto& c = ui();
  c.Timer_utc->setInterval(1000);
  c.Timer_utc->setEnabled(true);
  setLamp("lampe-aus.jpg");
  c.Picsun->setVisible(true);
  InitPanel();
}

void Form_pcr1000::Form_Unload() {
  // The port closes with the panel, without switching the receiver off; a
  // scan stops and a wait still running ends at once.
  auto& c = ui();
  c.Timer3->setEnabled(false);
  c.MSComm1->close();
  c.link->reset();
  c.Timer1->setInterval(0);
  c.Timer1->setEnabled(false);
}

void Form_pcr1000::ClearKeyMemory() {
  auto& keys = KeyState::instance();
  for (int key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Return, Qt::Key_Pause})
    keys.GetAsyncKeyState(key);
}

void Form_pcr1000::InitPanel() {
  auto& c = ui();
  ClearKeyMemory();
  c.Timer1->setEnabled(false);
  c.Timer2->setEnabled(false);
  c.Timer3->setEnabled(false);
  c.Timer4->setEnabled(true);
  c.Timer1->setInterval(0);
  c.Timer2->setInterval(10);
  c.Timer3->setInterval(1);
  c.Timer4->setInterval(1);
  c.MSComm1->setCommPort(1);
  c.MSComm1->setSettings(QStringLiteral("9600,N,8,1"));

  c.Volume->setValue(100);
  c.Squelch->setValue(15);
  c.IfShift->setValue(128);
  c.WFM->setValue(true);
  c.Filter[4]->setValue(true);
  for (ValueCheckBox* box : {c.AFC, c.AGC, c.ATT, c.NB}) box->setValue(0);
  c.TuningStep->setCurrentText(QStringLiteral("100 KHz"));
  TuningStepMHz = 0.1;
  CurrentFrequency = 94.4;

  LoadSettings();

  ShowFrequency(false);
  c.RadioOn->setPicture(PanelPicture("but_radioon2.jpg"));
  c.Scan->setPicture(PanelPicture("but_scan.jpg"));
  DrawMeter(0);
  Muted = false;
  KeysArmed = true;
  MeterOn = true;
  ScanUp = true;
}

// ---------------------------------------------------------------- power

void Form_pcr1000::PowerOn() {
  auto& c = ui();
  if (c.MSComm1->portOpen()) return;
  if (!c.MSComm1->open()) {
    QString text = kPortMessage;
    if (c.MSComm1->openFailure() == ReceiverPort::OpenFailure::PermissionDenied)
      text += QStringLiteral("\nKeine Berechtigung für %1: Benutzer zur Gruppe dialout hinzufügen.").arg(c.MSComm1->device());
    MsgBox(text, MsgOkOnly | MsgCritical);
    return;
  }
  c.link->reset();
  SendCommand(QStringLiteral("H101"));
  SendCommand(QStringLiteral("G300"));
  SendVolume();
  SendSquelch();
  SendIfShift();
  SendAfc();
  SendAgc();
  SendAtt();
  SendNb();
  SendMode();
  SendFilter();
  SendFrequency();
  auto* after = controls();
  if (!after || !after->MSComm1->portOpen()) return;
  // A receiver that went away during the sequence is a failed switch-on.
  if (after->MSComm1->deviceLost()) {
    MsgBox(kPortMessage, MsgOkOnly | MsgCritical);
    return;
  }
  after->RadioOn->setPicture(PanelPicture("but_radioon.jpg"));
  setLamp("lampe-gruen.jpg");
  after->Timer2->setEnabled(true);
}

void Form_pcr1000::PowerOff() {
  if (!portOpen()) return;
  SendCommand(QStringLiteral("H100"));
  ShowOff();
}

void Form_pcr1000::ShowOff() {
  auto* c = controls();
  if (!c) return;
  c->MSComm1->close();
  c->link->reset();
  c->RadioOn->setPicture(PanelPicture("but_radioon2.jpg"));
  c->Scan->setPicture(PanelPicture("but_scan.jpg"));
  setLamp("lampe-aus.jpg");
  c->Timer1->setEnabled(false);
  c->Timer2->setEnabled(false);
  c->Timer3->setEnabled(false);
  DrawMeter(0);
}

// The panel goes off first, so the message is shown once and nothing
// polls a receiver that is not there while it is up.
bool Form_pcr1000::ReceiverLost() {
  auto* c = controls();
  if (!c || !c->MSComm1->portOpen()) return false;
  if (!c->MSComm1->deviceLost() && c->link->msWithoutReply() < kSilenceLimitMs) return false;
  ShowOff();
  MsgBox(kLostMessage, MsgOkOnly | MsgCritical);
  return true;
}

void Form_pcr1000::RadioOn_Click() { PowerOn(); }

void Form_pcr1000::RadioOff_Click() {
  PowerOff();
  if (controls()) setLamp("lampe-aus.jpg");
}

// ---------------------------------------------------------------- frequency

void Form_pcr1000::ShowFrequency(bool withUnit) {
  auto* c = controls();
  if (!c) return;
  const QString text = FormatFrequencyDisplay(CurrentFrequency);
  QString shown = QString(qMax(0, 12 - static_cast<int>(text.size())), QLatin1Char(' ')) + text;
  if (withUnit) shown += QStringLiteral("  Mhz");
  c->DisplayFrequency->Cls();
  c->DisplayFrequency->Print(shown);
}

void Form_pcr1000::SendFrequency() {
  ShowFrequency(true);
  SendCommand(FrequencyCommand(CurrentFrequency, ModeCode, FilterCode));
}

QString Form_pcr1000::entryCopyText() const { return FormatFrequencyEntry(CurrentFrequency); }

void Form_pcr1000::EnterFrequency() {
  auto& c = ui();
  KeysArmed = false;
  const double v = Val(c.Frequenzeingabe->text());
  ClearKeyMemory();
  KeysArmed = true;
  if (v < 0.01 || v > 1300) return;
  CurrentFrequency = v;
  ApplyBandPlan();
  SendFrequency();
}

// Each choice acts as the user's click would: a newly selected mode or
// filter sends the frequency command, a newly selected step sets the step.
void Form_pcr1000::ApplyBandPlan() {
  const auto choice = BandPlanFor(CurrentFrequency);
  if (!choice) return;
  if (auto* c = controls()) c->ModeFrame->findChild<OptionButton*>(QLatin1String(choice->mode))->setValue(true);
  if (auto* c = controls()) c->FilterFrame->findChild<OptionButton*>(QLatin1String(choice->filter))->setValue(true);
  if (auto* c = controls()) c->TuningStep->setCurrentText(QLatin1String(choice->step));
}

void Form_pcr1000::StepUp() {
  CurrentFrequency += TuningStepMHz;
  if (WholeHz(CurrentFrequency) > WholeHz(1300)) CurrentFrequency = 0.01;
  SendFrequency();
  ScanUp = true;
}

void Form_pcr1000::StepDown() {
  CurrentFrequency -= TuningStepMHz;
  if (WholeHz(CurrentFrequency) < WholeHz(0.01)) CurrentFrequency = 1300;
  SendFrequency();
  ScanUp = false;
}

void Form_pcr1000::Frequenzeingabe_KeyPress() {
  if (KeyState::instance().GetAsyncKeyState(Qt::Key_Return) != 0) EnterFrequency();
}

void Form_pcr1000::Frequenzeingabe_Change() {
  QLineEdit* field = ui().Frequenzeingabe;
  if (!field->text().contains(QLatin1Char(','))) return;
  const int cursor = field->cursorPosition();
  field->setText(field->text().replace(QLatin1Char(','), QLatin1Char('.')));
  field->setCursorPosition(cursor);
}

// ---------------------------------------------------------------- keys

void Form_pcr1000::PollKeys() {
  if (!KeysArmed) return;
  auto* c = controls();
  if (!c) return;
  auto& keys = KeyState::instance();
  const bool locked = c->Check_lock->value() != 0;
  if (keys.GetAsyncKeyState(Qt::Key_Up) != 0) {
    if (!locked) {
      StepUp();
      return;
    }
  } else if (keys.GetAsyncKeyState(Qt::Key_Down) != 0) {
    if (!locked) {
      StepDown();
      return;
    }
  }
  if (keys.GetAsyncKeyState(Qt::Key_Pause) == 0) return;
  if (Muted) {
    Muted = false;
    c->Volume->setValue(SavedVolume < 1 ? 100 : SavedVolume);
  } else {
    Muted = true;
    SavedVolume = c->Volume->value();
    c->Volume->setValue(0);
  }
  if (auto* after = controls()) after->Volume->setFocus();
}

// ---------------------------------------------------------------- buttons

void Form_pcr1000::Exit_Click() {
  PowerOff();
  ConfirmAndSave();
  unload();
  // Loaded again at once, hidden and switched off, from the settings just
  // saved; the main window's "PCR1000" shows it again.
  load();
}

void Form_pcr1000::Comm_comport_Click() {
  const QString text = ui().COM_eingabe->text();
  QString reason;
  const bool written =
      WritePrivateProfileString(QStringLiteral("COMMUNICATION"), QStringLiteral("CommPort"), text, settingsPath(), &reason);
  unload();
  if (written)
    MsgBox(QStringLiteral("COM Port ") + text + QStringLiteral(" wurde gesetzt. Programm bitte neu starten."), MsgOkOnly);
  else
    MsgBox(QStringLiteral("COM Port ") + text + QStringLiteral(" wurde nicht gesetzt: ") + reason, MsgOkOnly | MsgCritical);
}

void Form_pcr1000::Comm_tipps_Click() {
  frmTip& tip = form<frmTip>();
  const double left = (width() - tip.width()) / 2;
  const double top = (tip.height() + scaleHeight()) / 2;
  tip.setLeft(left);
  tip.setTop(top);
  tip.show();
}

}  // namespace zelvora
