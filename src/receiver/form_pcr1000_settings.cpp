// Receiver panel: the settings file "zelvora.ini" in the program folder.

#include "platform/hamlib/hamlib_port.h"
#include "platform/message_box.h"
#include "platform/profile/private_profile.h"
#include "platform/serial/serial_port.h"
#include "platform/text_value.h"
#include "receiver/form_pcr1000.h"
#include "receiver/panel_widgets.h"
#include "receiver/setting_values.h"

#include <QComboBox>
#include <QSlider>

#include <limits>

namespace zelvora {
namespace {

const QString kRadio = QStringLiteral("RADIO");
const QString kCommunication = QStringLiteral("COMMUNICATION");
const QString kScan = QStringLiteral("SCAN");
const QString kMemory = QStringLiteral("MEMORY");

QString memoryKey(const char* stem, int n) { return QLatin1String(stem) + QString::number(n); }

}  // namespace

QString Form_pcr1000::ReadSetting(const ProfileFile& file, const QString& section, const QString& key) {
  return file.value(section, key);
}

void Form_pcr1000::WriteSetting(ProfileFile& file, const QString& section, const QString& key, const QString& value) {
  file.setValue(section, key, value);
}

// Chosen once per loading of the panel, before the settings load: without
// a Rig key the panel drives a PCR1000 on the serial port.
ReceiverPort* Form_pcr1000::CreatePort(QWidget* client) {
  const QString name = QStringLiteral("MSComm1");
  ProfileFile file(settingsPath());
  file.read();
  const double model = RoundHalfEven(Val(ReadSetting(file, kCommunication, QStringLiteral("Rig"))));
  if (model < 1 || model > std::numeric_limits<int>::max()) return new SerialPort(client, name);
  RigAddress rig;
  rig.model = static_cast<int>(model);
  rig.device = ReadSetting(file, kCommunication, QStringLiteral("RigDevice")).trimmed();
  rig.host = ReadSetting(file, kCommunication, QStringLiteral("RigHost")).trimmed();
  const double baud = RoundHalfEven(Val(ReadSetting(file, kCommunication, QStringLiteral("RigBaud"))));
  if (baud >= 1 && baud <= std::numeric_limits<int>::max()) rig.baud = static_cast<int>(baud);
  return new HamlibPort(client, name, rig);
}

// A value that does not convert leaves that one setting at its start-up
// value and the load goes on, so one damaged line never costs the
// memories after it.
void Form_pcr1000::LoadSettings() {
  auto& c = ui();
  ProfileFile file(settingsPath());
  file.read();
  const auto read = [&](const QString& section, const QString& key) { return ReadSetting(file, section, key); };
  const auto number = [&](const QString& section, const QString& key) { return Val(read(section, key)); };

  double v = number(kRadio, QStringLiteral("Frequency"));
  if (v >= 0.01 && v <= 1300) CurrentFrequency = v;
  const std::pair<QSlider*, const char*> sliders[] = {
      {c.Volume, "Volume"}, {c.Squelch, "Squelch"}, {c.IfShift, "IfShift"}};
  for (const auto& [slider, key] : sliders) {
    v = number(kRadio, QLatin1String(key));
    if (v >= 1 && v <= 255) slider->setValue(static_cast<int>(RoundHalfEven(v)));
  }

  const QString step = read(kRadio, QStringLiteral("TuningStep"));
  if (!step.isEmpty()) {
    const int index = c.TuningStep->findText(step, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) c.TuningStep->setCurrentIndex(index);
  }
  // A step below zero only comes from a hand-edited file; it would walk
  // the frequency out of the receiver's range past the wrap.
  v = number(kRadio, QStringLiteral("FrequencyAdjust"));
  if (v > 0) TuningStepMHz = v;

  const std::pair<ValueCheckBox*, const char*> boxes[] = {{c.AFC, "AFC"}, {c.AGC, "AGC"}, {c.ATT, "ATT"}, {c.NB, "NB"}};
  for (const auto& [box, key] : boxes) {
    const auto value = RoundHalfEven(number(kRadio, QLatin1String(key)));
    if (value >= 0 && value <= 2) box->setValue(static_cast<int>(value));
  }

  std::vector<OptionButton*> options = {c.AM, c.FM, c.WFM, c.USB, c.LSB, c.CW};
  options.insert(options.end(), c.Filter.begin(), c.Filter.end());
  for (OptionButton* option : options)
    if (const auto on = SettingBoolean(read(kRadio, option->objectName()))) option->setValue(*on);

  v = number(kCommunication, QStringLiteral("CommPort"));
  if (v >= 1 && v <= 9) {
    const int port = static_cast<int>(RoundHalfEven(v));
    c.MSComm1->setCommPort(port);
    c.COM_eingabe->setText(QString::number(port));
  }
  // A device named outright survives a USB adapter's replugging, which
  // renumbers /dev/ttyUSB<n>.
  c.MSComm1->setNamedDevice(read(kCommunication, QStringLiteral("Device")));

  if (const auto on = SettingBoolean(read(kScan, QStringLiteral("PCR1000")))) IsPcr1000 = *on;
  v = number(kScan, QStringLiteral("LoopBack"));
  if (v >= 0 && v <= 12) LoopBack = static_cast<int>(RoundHalfEven(v));
  v = number(kScan, QStringLiteral("PauseScan"));
  if (v >= 0 && v <= 12) PauseScan = static_cast<int>(RoundHalfEven(v));

  for (int n = 1; n <= 17; ++n) {
    MemoryFrequency[n] = read(kMemory, memoryKey("MemoryFrequency", n));
    MemoryName[n] = read(kMemory, memoryKey("MemoryName", n));
  }
  for (int n = 2; n <= 17; ++n) {
    c.sp[n]->setText(MemoryFrequency[n]);
    c.sn[n]->setText(MemoryName[n]);
  }
}

// Every key in one file that replaces the old one when complete: a save
// that fails half-way leaves the previous settings whole.
bool Form_pcr1000::SaveSettings(QString* reason) {
  auto* c = controls();
  if (!c) return true;
  ProfileFile file(settingsPath());
  file.read();
  const auto write = [&](const QString& section, const QString& key, const QString& value) {
    WriteSetting(file, section, key, value);
  };
  write(kRadio, QStringLiteral("Frequency"), SettingNumberText(CurrentFrequency));
  write(kRadio, QStringLiteral("Volume"), QString::number(c->Volume->value()));
  write(kRadio, QStringLiteral("Squelch"), QString::number(c->Squelch->value()));
  write(kRadio, QStringLiteral("IfShift"), QString::number(c->IfShift->value()));
  write(kRadio, QStringLiteral("TuningStep"), c->TuningStep->currentText().trimmed());
  write(kRadio, QStringLiteral("FrequencyAdjust"), SettingNumberText(TuningStepMHz));
  for (ValueCheckBox* box : {c->AFC, c->AGC, c->ATT, c->NB})
    write(kRadio, box->objectName(), QString::number(box->value()));
  std::vector<OptionButton*> options = {c->AM, c->FM, c->WFM, c->USB, c->LSB, c->CW};
  options.insert(options.end(), c->Filter.begin(), c->Filter.end());
  for (OptionButton* option : options) write(kRadio, option->objectName(), SettingBooleanText(option->isChecked()));
  write(kCommunication, QStringLiteral("CommPort"), QString::number(c->MSComm1->commPort()));
  if (!c->MSComm1->namedDevice().isEmpty())
    write(kCommunication, QStringLiteral("Device"), c->MSComm1->namedDevice());
  write(kScan, QStringLiteral("PCR1000"), SettingBooleanText(IsPcr1000));
  write(kScan, QStringLiteral("LoopBack"), QString::number(LoopBack));
  write(kScan, QStringLiteral("PauseScan"), QString::number(PauseScan));

  // A pasted name may hold line breaks; each memory stays one line.
  for (int n = 2; n <= 17; ++n) {
    MemoryFrequency[n] = OneLineText(c->sp[n]->text());
    MemoryName[n] = OneLineText(c->sn[n]->text());
  }
  MemoryFrequency[1] = MemoryFrequency[17];
  MemoryName[1] = MemoryName[17];
  for (int n = 1; n <= 17; ++n) {
    write(kMemory, memoryKey("MemoryFrequency", n), MemoryFrequency[n].trimmed());
    write(kMemory, memoryKey("MemoryName", n), MemoryName[n].trimmed());
  }
  return file.write(reason);
}

void Form_pcr1000::ConfirmAndSave() {
  KeysArmed = false;
  MsgBox(QStringLiteral("Alle Einstellungen werden gesichert"), MsgOkOnly | MsgInformation);
  QString reason;
  if (!SaveSettings(&reason))
    MsgBox(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden: ") + reason, MsgOkOnly | MsgCritical);
}

}  // namespace zelvora
