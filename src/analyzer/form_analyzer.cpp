#include "analyzer/form_analyzer.h"

#include "analyzer/audio_capture.h"
#include "analyzer/fft.h"
#include "analyzer/picture_box.h"
#include "platform/classic_timer.h"
#include "platform/text_value.h"
#include "platform/web_link.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <array>

namespace zelvora {
namespace {

constexpr std::array<int, 9> kFftSizes = {16384, 8192, 4096, 2048, 1024, 512, 256, 128, 64};
constexpr int kDefaultFftSize = 2048;

const QColor kTraceGreen(16, 255, 16);
const QColor kOverloadRed(255, 0, 0);
const QColor kTrace2Orange(255, 128, 16);

// A grey of level v: red, green and blue all v.
QColor grey(int level) { return QColor(level, level, level); }

}  // namespace

Form_analyzer::Form_analyzer()
    : FormOf(QStringLiteral("Form_analyzer"), QStringLiteral("Spektrum Analyzer"), {8625, 8730}),
      m_traces(std::make_unique<SpectrumTraces>()) {}

Form_analyzer::~Form_analyzer() = default;

void Form_analyzer::Form_Load() {
  // A freshly loaded analyzer starts from silence: every level 0 dB, no
  // scale, no colour.
  m_traces->clear();
  dblBins = 0;
  lngSampleRate = 0;
  lngTraceColor = Qt::black;
  sngRefLevel = 0;
  sngT2Offset = 0;
  sngDbPerDiv = 0;
  blnShowTrace2 = false;
  blnTraceMath = false;
  blnRunning = false;
  lngGridColor = Qt::black;
  lngBackColor = Qt::black;
}

void Form_analyzer::Form_Activate() {
  AnalyzerControls& c = ui();
  sngRefLevel = float(c.scrReflvl->value());
  sngDbPerDiv = float(c.scrdBdiv->value());
  lngSampleRate = SampleRateOf(c.cboSRate->currentText());
  c.txtFMin->setText(QStringLiteral("0"));
  c.txtFMax->setText(QStringLiteral("3000"));
  c.scrAVG->setValue(5);

  // Refilling the list must not change the size the user sees or typed.
  const QString shownSize = c.cboBins->currentText();
  {
    const QSignalBlocker quiet(c.cboBins);
    c.cboBins->clear();
    for (int size : kFftSizes) c.cboBins->addItem(QString::number(size));
    c.cboBins->setEditText(shownSize);
  }

  blnShowTrace2 = false;
  blnTraceMath = false;
  blnRunning = false;
  c.CmdSwitch->setText(QStringLiteral("START"));
  lngGridColor = grey(c.scrGridBrightness->value());
  lngBackColor = grey(c.scrBckBrightness->value());
  takeFftSize();
  DrawGrid();
  c.Timer1->setInterval(1);
  c.Timer1->setEnabled(true);
}

void Form_analyzer::Form_QueryUnload() {
  AudioCapture& capture = AudioCapture::instance();
  if (capture.blnCapturing) capture.StopCapture();
}

void Form_analyzer::Timer1_Timer() {
  AudioCapture& capture = AudioCapture::instance();
  if (!capture.blockReady()) return;
  // The samples are read before the buffer goes; the next recording starts
  // before the spectrum is drawn.
  GetAudio();
  capture.StopCapture();
  capture.StartCapture();
  DrawSpectrum();
}

void Form_analyzer::CmdSwitch_Click() {
  AnalyzerControls& c = ui();
  AudioCapture& capture = AudioCapture::instance();
  if (c.CmdSwitch->text() != QLatin1String("START")) {
    c.CmdSwitch->setText(QStringLiteral("START"));
    capture.StopCapture();
    blnRunning = false;
  } else {
    // The caption changes first: a start that fails leaves "STOP" showing.
    c.CmdSwitch->setText(QStringLiteral("STOP"));
    DrawGrid();
    capture.StartCapture();
    blnRunning = true;
  }
}

void Form_analyzer::takeFftSize() {
  QComboBox* bins = ui().cboBins;
  const double typed = Val(bins->currentText());
  if (std::find(kFftSizes.begin(), kFftSizes.end(), typed) != kFftSizes.end()) {
    dblBins = typed;
  } else {
    // The arrays hold the largest offered size only, and the transform
    // needs a power of two: anything else keeps the size in use.
    if (std::find(kFftSizes.begin(), kFftSizes.end(), dblBins) == kFftSizes.end()) dblBins = kDefaultFftSize;
    bins->setEditText(QString::number(dblBins));
  }
  AudioCapture::instance().lngBufferBytes = std::int32_t(RoundHalfEven(dblBins * 2));
}

void Form_analyzer::cboBins_Click() {
  AudioCapture& capture = AudioCapture::instance();
  if (blnRunning) capture.StopCapture();
  takeFftSize();
  if (blnRunning) capture.StartCapture();
}

void Form_analyzer::cboSRate_Click() {
  AudioCapture& capture = AudioCapture::instance();
  if (blnRunning) capture.StopCapture();
  lngSampleRate = SampleRateOf(ui().cboSRate->currentText());
  if (blnRunning) capture.StartCapture();
}

void Form_analyzer::cmdStore_Click() { StoreTrace2(); }

void Form_analyzer::cmdDisplaytrace_Click() {
  blnShowTrace2 = !blnShowTrace2;
  ui().cmdDisplaytrace->setText(blnShowTrace2 ? QStringLiteral("Trace 2 OFF") : QStringLiteral("Display Trace 2"));
}

void Form_analyzer::cmdTracemath_Click() {
  blnTraceMath = !blnTraceMath;
  ui().cmdTracemath->setText(blnTraceMath ? QStringLiteral("Trace 1 - Trace 2 OFF")
                                          : QStringLiteral("Trace 1 - Trace 2 ON"));
}

void Form_analyzer::chkBW_Click() { replot(); }

void Form_analyzer::chkSmall_Click() { replot(); }

void Form_analyzer::scrAVG_Change() { ui().lblAV->setText(QStringLiteral("Av %1").arg(ui().scrAVG->value())); }

void Form_analyzer::scrGridBrightness_Change() {
  lngGridColor = grey(ui().scrGridBrightness->value());
  replot();
}

void Form_analyzer::scrBckBrightness_Change() {
  lngBackColor = grey(ui().scrBckBrightness->value());
  replot();
}

void Form_analyzer::scrReflvl_Change() {
  const int value = ui().scrReflvl->value();
  sngRefLevel = float(value);
  ui().lblReflvl->setText(QStringLiteral("Ref: %1 dB").arg(value));
  replot();
}

void Form_analyzer::scrT2Offset_Change() {
  const int value = ui().scrT2Offset->value();
  sngT2Offset = float(value);
  ui().lblT2Offset->setText(QStringLiteral("%1 dB").arg(value));
  replot();
}

void Form_analyzer::scrdBdiv_Change() {
  const int value = ui().scrdBdiv->value();
  sngDbPerDiv = float(value);
  ui().lbldBdiv->setText(QStringLiteral("%1 dB/div").arg(value));
  replot();
}

void Form_analyzer::scrUpdateTime_Change() {
  ClassicTimer* timer = ui().Timer1;
  timer->setInterval(ui().scrUpdateTime->value() * 50 + 1);
  // The number is written with a blank in front where a minus sign would go.
  const int shown = timer->interval() - 1;
  ui().lblTime->setText(QStringLiteral("T= %1%2 ms").arg(shown < 0 ? QString() : QStringLiteral(" ")).arg(shown));
}

void Form_analyzer::ComDecode_Click() { OpenWebLink(WebLinkAddress(QStringLiteral("ComDecode"))); }

void Form_analyzer::ComSIG_Click() { OpenWebLink(WebLinkAddress(QStringLiteral("ComSIG"))); }

std::int32_t Form_analyzer::pointCount() const { return std::int32_t(RoundHalfEven(dblBins / 2)); }

void Form_analyzer::replot() {
  ComputeTracePoints(pointCount());
  DrawTraces(lngTraceColor);
}

void Form_analyzer::GetAudio() {
  const AudioCapture& capture = AudioCapture::instance();
  SpectrumTraces& t = *m_traces;
  lngTraceColor = kTraceGreen;
  const auto last = std::int32_t(std::min<std::int64_t>(RoundHalfEven(dblBins - 1), kMaxFftSize - 1));
  for (std::int32_t i = 0; i <= last; ++i) {
    double s = 0;
    capture.ReadSample(i, s);
    t.dblReal[i] = s;
    t.dblImag[i] = 0;
    // Half of full scale is where the input starts to overload.
    if (s < -0.5 || s > 0.5) lngTraceColor = kOverloadRed;
  }
  auto n = std::int16_t(RoundHalfEven(dblBins));
  ComputeFft(n, t.dblReal.data(), t.dblImag.data());
}

void Form_analyzer::DrawSpectrum() {
  const AnalyzerControls& c = ui();
  const TraceMode mode = c.optMaxhold->isChecked()    ? TraceMode::MaxHold
                         : c.optAverage->isChecked() ? TraceMode::Average
                                                     : TraceMode::Normal;
  m_traces->updateTrace1(int(dblBins / 2), mode, c.scrAVG->value());
  replot();
}

void Form_analyzer::ComputeTracePoints(std::int32_t count) {
  const AnalyzerControls& c = ui();
  TraceScale scale;
  scale.refLevel = sngRefLevel;
  scale.t2Offset = sngT2Offset;
  scale.dbPerDiv = sngDbPerDiv;
  scale.showTrace2 = blnShowTrace2;
  scale.traceMath = blnTraceMath;
  scale.fMin = Val(c.txtFMin->text());
  scale.fMax = Val(c.txtFMax->text());
  scale.fftSize = dblBins;
  scale.sampleRate = lngSampleRate;
  m_traces->computeTracePoints(count, scale);
}

void Form_analyzer::StoreTrace2() { m_traces->storeTrace2(pointCount()); }

void Form_analyzer::DrawGrid() {
  const AnalyzerControls& c = ui();
  // "Addieren" draws every trace over the earlier ones.
  if (c.chkOverWrite->isChecked()) return;
  const double size = c.chkSmall->isChecked() ? 2400 : 1200;
  PictureBox* plot = c.Picture1;
  plot->setBackColor(lngBackColor);
  plot->setScale(-100, -100, size, size);
  plot->Cls();
  for (int x = 0; x <= 1000; x += 100) plot->Line(x, 0, x, 1000, lngGridColor);
  for (int y = 0; y <= 1000; y += 125) plot->Line(0, y, 1000, y, lngGridColor);
  plot->Line(500, -20, 500, 1020, lngGridColor);
  plot->Line(-20, 500, 1020, 500, lngGridColor);
}

void Form_analyzer::DrawTraces(QColor color) {
  const AnalyzerControls& c = ui();
  if (c.chkBW->isChecked()) color = c.scrGridBrightness->value() > 127 ? Qt::white : Qt::black;
  const QColor trace2Color = c.chkBW->isChecked() ? color : kTrace2Orange;
  DrawGrid();
  const SpectrumTraces& t = *m_traces;
  PictureBox* plot = c.Picture1;
  for (int k = 1; k <= kMaxTraceIndex; ++k) {
    if (blnShowTrace2 && t.dblTrace2X[k] != kEndMarker)
      plot->Line(t.dblTrace2X[k - 1], t.dblTrace2Y[k - 1], t.dblTrace2X[k], t.dblTrace2Y[k], trace2Color);
    if (t.dblTrace1X[k] == kEndMarker) break;
    plot->Line(t.dblTrace1X[k - 1], t.dblTrace1Y[k - 1], t.dblTrace1X[k], t.dblTrace1Y[k], color);
  }
}

}  // namespace zelvora
