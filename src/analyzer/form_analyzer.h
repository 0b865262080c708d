#pragma once

#include "analyzer/spectrum_traces.h"
#include "platform/form.h"

#include <QColor>

#include <cstdint>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace zelvora {

class ClassicTimer;
class PictureBox;

struct AnalyzerControls {
  QGroupBox* frmSample = nullptr;
  QComboBox* cboSRate = nullptr;
  QLabel* Label4 = nullptr;
  QComboBox* cboBins = nullptr;
  QLabel* Label1 = nullptr;

  QGroupBox* frmTrace = nullptr;
  QRadioButton* optNormal = nullptr;
  QRadioButton* optMaxhold = nullptr;
  QRadioButton* optAverage = nullptr;
  QScrollBar* scrAVG = nullptr;
  QLabel* lblAV = nullptr;
  QCheckBox* chkOverWrite = nullptr;

  QGroupBox* frmMemory = nullptr;
  QPushButton* cmdStore = nullptr;
  QPushButton* cmdDisplaytrace = nullptr;
  QPushButton* cmdTracemath = nullptr;

  QGroupBox* frmBrightness = nullptr;
  QScrollBar* scrGridBrightness = nullptr;
  QLabel* Label7 = nullptr;
  QScrollBar* scrBckBrightness = nullptr;
  QLabel* Label8 = nullptr;

  QGroupBox* frmSpecialScreens = nullptr;
  QCheckBox* chkSmall = nullptr;
  QCheckBox* chkBW = nullptr;

  QLabel* lblReflvl = nullptr;
  QScrollBar* scrReflvl = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* lblT2Offset = nullptr;
  QScrollBar* scrT2Offset = nullptr;
  QLabel* lbldBdiv = nullptr;
  QScrollBar* scrdBdiv = nullptr;
  QLabel* lblTime = nullptr;
  QScrollBar* scrUpdateTime = nullptr;
  PictureBox* Picture1 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* txtFMin = nullptr;
  QPlainTextEdit* txtMessage = nullptr;
  QPushButton* CmdSwitch = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* txtFMax = nullptr;
  QLabel* Label9 = nullptr;
  QPushButton* ComSIG = nullptr;
  QLabel* Label6 = nullptr;
  QPushButton* ComDecode = nullptr;
  ClassicTimer* Timer1 = nullptr;
};

// The spectrum analyzer: captures the sound input block by block (driven by
// Timer1), transforms each block and draws its spectrum as one or two traces
// over a fixed grid of 10 x 8 divisions.
class Form_analyzer : public FormOf<AnalyzerControls> {
 public:
  Form_analyzer();
  ~Form_analyzer() override;

  ClassicTimer* Timer1() { return ui().Timer1; }

  // Reads the finished block from the capture buffer and transforms it.
  void GetAudio();
  // Levels of the transformed block into trace 1 (by the trace mode), then
  // plot points and drawing.
  void DrawSpectrum();
  void ComputeTracePoints(std::int32_t count);
  void StoreTrace2();
  void DrawGrid();
  void DrawTraces(QColor color);

  const SpectrumTraces& traces() const { return *m_traces; }

  double dblBins = 0;
  std::int32_t lngSampleRate = 0;
  QColor lngTraceColor = Qt::black;
  float sngRefLevel = 0;
  float sngT2Offset = 0;
  float sngDbPerDiv = 0;
  bool blnShowTrace2 = false;
  bool blnTraceMath = false;
  bool blnRunning = false;
  QColor lngGridColor = Qt::black;
  QColor lngBackColor = Qt::black;

 protected:
  void buildControls(AnalyzerControls& c, QWidget* client) override;
  void Form_Load() override;
  void Form_Activate() override;
  void Form_QueryUnload() override;

 private:
  void Timer1_Timer();
  void CmdSwitch_Click();
  void cboBins_Click();
  void cboSRate_Click();
  void cmdStore_Click();
  void cmdDisplaytrace_Click();
  void cmdTracemath_Click();
  void chkBW_Click();
  void chkSmall_Click();
  void scrAVG_Change();
  void scrGridBrightness_Change();
  void scrBckBrightness_Change();
  void scrReflvl_Change();
  void scrT2Offset_Change();
  void scrdBdiv_Change();
  void scrUpdateTime_Change();
  void ComDecode_Click();
  void ComSIG_Click();

  void replot();
  // Takes the FFT size from cboBins when it is one the analyzer offers.
  void takeFftSize();
  std::int32_t pointCount() const;

  std::unique_ptr<SpectrumTraces> m_traces;
};

}  // namespace zelvora
