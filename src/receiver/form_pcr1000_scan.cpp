// Receiver panel: the band scan. One step per Timer3 tick: tune one tuning
// step on, ask the receiver for its squelch, and hand every frequency where
// it is open to the found-frequency list.

#include "foundlist/add_found_frequency.h"
#include "foundlist/form_autoscan.h"
#include "platform/classic_timer.h"
#include "platform/form_registry.h"
#include "platform/message_box.h"
#include "platform/receiver_port.h"
#include "receiver/form_pcr1000.h"
#include "receiver/panel_widgets.h"
#include "receiver/pcr_protocol.h"
#include "receiver/receiver_link.h"

#include <QLocale>

#include <cmath>
#include <optional>

namespace zelvora {
namespace {

const QString kLimitsMessage = QStringLiteral("SC1 und SC2 dürfen nicht leer sein! (Scanstart und Scanstopp)");

// Pause after a find in seconds, by PauseScan 0 .. 11; 12 stops the scan.
constexpr double kPauseSeconds[] = {0, 1, 2, 3, 5, 10, 15, 20, 30, 45, 60, 3600};
constexpr int kStopAtFind = 12;

// A scan limit as typed: a point and a comma both serve as the decimal
// separator, so "144.5" and "144,5" are the same frequency.
std::optional<double> ScanLimit(QString text) {
  text.replace(QLatin1Char('.'), QLatin1Char(','));
  bool ok = false;
  const double mhz = QLocale(QLocale::German).toDouble(text, &ok);
  if (!ok || !std::isfinite(mhz)) return std::nullopt;
  return mhz;
}

}  // namespace

void Form_pcr1000::Scan_Click() {
  auto& c = ui();
  if (c.Text_scan1->text().isEmpty()) c.Text_scan1->setText(QStringLiteral("1"));
  ToggleScan();
  form<Form_autoscan>().show();
}

void Form_pcr1000::Text_scan1_DblClick() {
  auto& c = ui();
  c.Frequenzeingabe->setText(c.Text_scan1->text());
  if (c.Text_scan1->text().isEmpty()) c.Text_scan1->setText(QStringLiteral("1"));
  EnterFrequency();
}

void Form_pcr1000::Text_scan2_DblClick() { form<Form_autoscan>().show(); }

void Form_pcr1000::ToggleScan() {
  if (!portOpen()) return;
  auto& c = ui();
  if (c.Timer3->enabled()) {
    c.Timer2->setEnabled(true);
    c.Timer3->setEnabled(false);
    c.Scan->setPicture(PanelPicture("but_scan.jpg"));
    return;
  }
  // A scan goes on from the current frequency, upward.
  ScanUp = true;
  const auto start = ScanLimit(c.Text_scan1->text());
  const auto stop = ScanLimit(c.Text_scan2->text());
  if (!start || !stop) {
    MsgBox(kLimitsMessage, MsgOkOnly | MsgExclamation);
    return;
  }
  ScanStart = *start;
  ScanStop = std::min(*stop, 1300.0);
  c.Timer2->setEnabled(false);
  c.Timer3->setEnabled(true);
  c.Scan->setPicture(PanelPicture("but_scan2.jpg"));
}

// The second digit of the reply to "I0?" says whether the squelch is open:
// "7" from a PCR1000 (IsPcr1000), "3" from the receivers the setting is
// off for.
bool Form_pcr1000::SquelchOpen(const QString& received) const {
  const qsizetype at = received.indexOf(QLatin1String("I0"));
  if (at < 0 || at + 3 >= received.size()) return false;
  return received[at + 3] == QLatin1Char(IsPcr1000 ? '7' : '3');
}

// Every wait lets other events run: the user may step, stop the scan,
// switch off or close the panel meanwhile, so each part looks again.
void Form_pcr1000::ScanStep() {
  setLamp("lampe-rot.jpg");
  if (!portOpen()) return;
  if (ScanUp) {
    if (LoopBack != 0 && WholeHz(CurrentFrequency) >= WholeHz(ScanStop)) CurrentFrequency = ScanStart;
    StepUp();
  } else {
    if (LoopBack != 0 && WholeHz(CurrentFrequency) <= WholeHz(ScanStart)) CurrentFrequency = ScanStop;
    StepDown();
  }
  if (!portOpen()) return;
  const quint64 tuning = ui().link->tunings();
  // The squelch is asked once the receiver has the new frequency; the
  // answer counts only for it, so a step or entry meanwhile voids it.
  WaitUntilTuned();
  if (!portOpen()) return;
  const QString squelch = Query(QStringLiteral("I0?"));
  if (ReceiverLost()) return;
  if (!portOpen() || ui().link->tunings() != tuning || !SquelchOpen(squelch)) return;

  ReadSignal();
  // The found list places itself beside the panel; a panel closed during
  // the read must not be loaded again for it.
  if (!controls()) return;
  setLamp("lampe-gruen.jpg");
  AddFoundFrequency();

  const auto* c = controls();
  if (!c || !c->Timer3->enabled()) return;
  if (PauseScan == kStopAtFind) {
    ToggleScan();
    return;
  }
  if (PauseScan < 0 || PauseScan > kStopAtFind) return;
  // Any command sent meanwhile ends the pause (the waits share Timer1), and
  // so does stopping the scan: a stopped scan never sits out an hour.
  WaitSeconds(kPauseSeconds[PauseScan], [this] {
    const auto* now = controls();
    return !now || !now->Timer3->enabled();
  });
}

}  // namespace zelvora
