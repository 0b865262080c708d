#pragma once

#include "platform/form.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QStatusBar;

namespace zelvora {

class ClassicTimer;
class TextField;
class OptionButton;
class PictureButton;
class PictureImage;
class PrintBox;
class ProfileFile;
class ReceiverLink;
class ReceiverPort;
class ValueCheckBox;

struct Pcr1000Controls {
  // Top strip and signal meter.
  QFrame* Frame5 = nullptr;
  QLabel* abdeck_signmeter = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  PrintBox* SignalStrengthMeter = nullptr;
  QLabel* Label_signal = nullptr;
  // Frequency display.
  QFrame* Frame4 = nullptr;
  QLabel* abdecker = nullptr;
  PrintBox* DisplayFrequency = nullptr;
  PictureImage* Picsun = nullptr;
  QLabel* Label_att = nullptr;
  // Button row and entry row.
  QFrame* Frame_buttons = nullptr;
  PictureButton* RadioOn = nullptr;
  PictureButton* RadioOff = nullptr;
  PictureButton* FrequencyDown = nullptr;
  PictureButton* FrequencyUp = nullptr;
  PictureButton* Direct = nullptr;
  PictureButton* Scan = nullptr;
  PictureButton* Exit = nullptr;
  ValueCheckBox* Check_lock = nullptr;
  QPushButton* but_fqeingabe = nullptr;
  TextField* Frequenzeingabe = nullptr;
  // Settings area.
  QFrame* Frame_schieber = nullptr;
  PrintBox* Back = nullptr;
  QGroupBox* VolumeFrame = nullptr;
  QSlider* Volume = nullptr;
  TextField* lswert = nullptr;
  QGroupBox* SquelchFrame = nullptr;
  QSlider* Squelch = nullptr;
  TextField* sqwert = nullptr;
  QGroupBox* IfShiftFrame = nullptr;
  QSlider* IfShift = nullptr;
  QPushButton* Command1 = nullptr;
  QGroupBox* TuningStepFrame = nullptr;
  QComboBox* TuningStep = nullptr;
  QGroupBox* ImproveSignalFrame = nullptr;
  ValueCheckBox* AFC = nullptr;
  ValueCheckBox* AGC = nullptr;
  ValueCheckBox* ATT = nullptr;
  ValueCheckBox* NB = nullptr;
  QGroupBox* ModeFrame = nullptr;
  OptionButton* AM = nullptr;
  OptionButton* FM = nullptr;
  OptionButton* WFM = nullptr;
  OptionButton* USB = nullptr;
  OptionButton* LSB = nullptr;
  OptionButton* CW = nullptr;
  QGroupBox* FilterFrame = nullptr;
  std::array<OptionButton*, 5> Filter{};  // Filter1 .. Filter5
  // Scan and port row.
  QLabel* Label_sc1 = nullptr;
  TextField* Text_scan1 = nullptr;
  QLabel* Label_sc2 = nullptr;
  TextField* Text_scan2 = nullptr;
  QPushButton* Comm_comport = nullptr;
  QLineEdit* COM_eingabe = nullptr;
  QPushButton* Comm_tipps = nullptr;
  // Memory frame and clock strip.
  QGroupBox* Frame3 = nullptr;
  std::array<TextField*, 18> sp{};  // sp2 .. sp17 at their numbers
  std::array<TextField*, 18> sn{};  // sn2 .. sn17 at their numbers
  QPushButton* Comm_speichern = nullptr;
  PrintBox* utc_hintergr = nullptr;
  QLabel* Label_utc = nullptr;
  QLabel* Label_local = nullptr;
  // Not visible.
  ReceiverPort* MSComm1 = nullptr;
  ClassicTimer* Timer1 = nullptr;
  ClassicTimer* Timer2 = nullptr;
  ClassicTimer* Timer3 = nullptr;
  ClassicTimer* Timer4 = nullptr;
  ClassicTimer* Timer_utc = nullptr;
  // The replies paired with the commands, and the line's timing, for as
  // long as MSComm1 exists.
  std::unique_ptr<ReceiverLink> link;

  Pcr1000Controls();
  ~Pcr1000Controls();
};

// The receiver panel: owns the serial link to the receiver and the
// receiver's state as the user sees it.
class Form_pcr1000 : public FormOf<Pcr1000Controls> {
 public:
  Form_pcr1000();

  QLineEdit* Frequenzeingabe();

  // Tunes to the text of Frequenzeingabe (0.01 .. 1300 MHz), with the band
  // plan; anything else leaves the receiver where it is.
  void EnterFrequency();

  // The receiver's frequency in MHz, always within 0.01 to 1300.
  double CurrentFrequency = 94.4;

  // Starts or stops the band scan; one step per Timer3 tick while it runs.
  void ToggleScan();
  void ScanStep();

  // Panel state, kept across unloads like every variable of the window.
  double TuningStepMHz = 0.1;
  QString ModeCode;
  QString FilterCode;
  bool KeysArmed = true;
  bool Muted = false;
  int SavedVolume = 0;
  bool ScanUp = true;
  int SignalLevel = 0;
  bool MeterOn = true;
  bool IsPcr1000 = false;
  int LoopBack = 0;
  int PauseScan = 0;
  // Scan limits in MHz, taken from SC1 and SC2 when a scan starts.
  double ScanStart = 0;
  double ScanStop = 0;
  // Memory table, entries 1..17 (index 0 unused).
  std::array<QString, 18> MemoryFrequency;
  std::array<QString, 18> MemoryName;

 protected:
  void buildControls(Pcr1000Controls& c, QWidget* client) override;
  void Form_Load() override;
  void Form_Unload() override;

 private:
  void connectHandlers(Pcr1000Controls& c);
  // The controls while the panel is loaded, else nullptr: code that runs
  // on after a wait must not load the panel again by touching it.
  Pcr1000Controls* controls();
  QString settingsPath() const;

  // Serial link. Every command is followed by this wait (seconds).
  static constexpr double kCommandWait = 0.01;
  void SendCommand(const QString& text);
  // Waits while other events run; the wait also ends once endEarly() is
  // true.
  void WaitSeconds(double seconds, const std::function<bool()>& endEarly = {});
  // Waits until the last frequency command has reached the receiver and
  // the command wait has passed after it, so that what the receiver
  // reports belongs to the new frequency.
  void WaitUntilTuned();
  // Writes a query once the receiver is tuned, waits the command wait and
  // then for the query's own reply line; empty when the reply did not
  // come in time or the port was closed meanwhile.
  QString Query(const QString& text);
  bool portOpen();

  // Start-up, power, tuning.
  void InitPanel();
  void PowerOn();
  void PowerOff();
  // The panel as after switching off, without a word to the receiver.
  void ShowOff();
  // Puts the panel off and tells the user once when the receiver's device
  // failed or went away, or its queries have long gone unanswered.
  bool ReceiverLost();
  void SendFrequency();
  void ShowFrequency(bool withUnit);
  void ApplyBandPlan();
  void StepUp();
  void StepDown();
  void PollKeys();
  void ClearKeyMemory();
  QString entryCopyText() const;

  // Setting controls.
  void SendVolume();
  void SendSquelch();
  void SendIfShift();
  void SendAfc();
  void SendAgc();
  void SendAtt();
  void SendNb();
  void SendMode();
  void SendFilter();
  void SelectTuningStep();
  void Volume_Change();
  void ATT_Click();
  void SetFromValueField(QSlider* slider, TextField* field, QGroupBox* frame, void (Form_pcr1000::*send)());

  // Signal meter.
  void ReadSignal();
  void DrawMeter(int level);
  void ToggleMeter();
  void Timer2_Timer();
  void setLamp(const char* file);

  // Band scan.
  void Scan_Click();
  void Text_scan1_DblClick();
  void Text_scan2_DblClick();
  bool SquelchOpen(const QString& received) const;

  // Memory fields and clock.
  void sp_DblClick(int slot);
  void Timer_utc_Timer();

  // Settings file.
  // The receiver port: a Hamlib rig when COMMUNICATION/Rig names one, else
  // the serial port.
  ReceiverPort* CreatePort(QWidget* client);
  QString ReadSetting(const ProfileFile& file, const QString& section, const QString& key);
  void WriteSetting(ProfileFile& file, const QString& section, const QString& key, const QString& value);
  void LoadSettings();
  // False when the file could not be written, with the reason.
  bool SaveSettings(QString* reason);
  void ConfirmAndSave();

  // Buttons.
  void RadioOn_Click();
  void RadioOff_Click();
  void Exit_Click();
  void Comm_comport_Click();
  void Comm_tipps_Click();
  void Frequenzeingabe_KeyPress();
  void Frequenzeingabe_Change();
};

}  // namespace zelvora
