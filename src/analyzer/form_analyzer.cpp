#include "analyzer/form_analyzer.h"

#include "analyzer/audio_capture.h"
#include "analyzer/fft.h"
#include "analyzer/picture_box.h"
#include "platform/classic_timer.h"
#include "platform/text_value.h"
#include "platform/twips.h"
#include "platform/web_link.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
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

QColor grey(int level) { return QColor(level, level, level); }

// The window's fonts as designed; where they are missing, the metric twin of
// Arial keeps the texts inside their controls.
QFont designFont(const QString& family, double points) {
  QFont font;
  font.setFamilies({family, QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  font.setPointSizeF(points);
  return font;
}

// Names a control and puts it at its place in twips.
template <class W>
W* placed(W* widget, const char* name, double left, double top, double width, double height) {
  widget->setObjectName(QString::fromLatin1(name));
  placeTwips(widget, left, top, width, height);
  return widget;
}

QScrollBar* scrollBar(Qt::Orientation orientation, QWidget* parent, int minimum, int maximum, int value, int pageStep) {
  auto* bar = new QScrollBar(orientation, parent);
  bar->setRange(minimum, maximum);
  bar->setValue(value);
  bar->setPageStep(pageStep);
  // A change counts when the click or the drag has ended, not while the
  // thumb moves.
  bar->setTracking(false);
  return bar;
}

// A vertical bar whose top end holds the larger value.
QScrollBar* upsideDownBar(QWidget* parent, int bottom, int top, int value) {
  QScrollBar* bar = scrollBar(Qt::Vertical, parent, bottom, top, value, 1);
  bar->setInvertedAppearance(true);
  bar->setInvertedControls(true);
  return bar;
}

}  // namespace

Form_analyzer::Form_analyzer()
    : FormOf(QStringLiteral("Form_analyzer"), QStringLiteral("Spektrum Analyzer"), {8625, 8730}),
      m_traces(std::make_unique<SpectrumTraces>()) {}

Form_analyzer::~Form_analyzer() = default;

void Form_analyzer::buildControls(AnalyzerControls& c, QWidget* client) {
  client->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
  QPalette palette = client->palette();
  palette.setColor(QPalette::Window, grey(128));
  palette.setColor(QPalette::WindowText, Qt::white);
  client->setPalette(palette);
  client->setAutoFillBackground(true);

  c.frmSample = placed(new QGroupBox(QStringLiteral("Sampling"), client), "frmSample", 120, 240, 2295, 1335);
  c.cboSRate = placed(new QComboBox(c.frmSample), "cboSRate", 240, 360, 1215, 315);
  c.cboSRate->setEditable(true);
  c.cboSRate->addItems({QStringLiteral("48000"), QStringLiteral("44100"), QStringLiteral("22050"), QStringLiteral("11025"),
                        QStringLiteral("5512")});
  c.cboSRate->setEditText(QStringLiteral("48000"));
  c.Label4 = placed(new QLabel(QStringLiteral("Rate"), c.frmSample), "Label4", 1560, 360, 615, 255);
  c.cboBins = placed(new QComboBox(c.frmSample), "cboBins", 240, 840, 1215, 315);
  c.cboBins->setEditable(true);
  c.cboBins->setEditText(QStringLiteral("2048"));
  c.Label1 = placed(new QLabel(QStringLiteral("Samples"), c.frmSample), "Label1", 1560, 840, 615, 255);

  c.frmTrace = placed(new QGroupBox(QStringLiteral("Kurve"), client), "frmTrace", 120, 1800, 2295, 2295);
  c.optNormal = placed(new QRadioButton(QStringLiteral("Normal"), c.frmTrace), "optNormal", 240, 360, 1335, 375);
  c.optNormal->setChecked(true);
  c.optMaxhold = placed(new QRadioButton(QStringLiteral("Max halten"), c.frmTrace), "optMaxhold", 240, 720, 1335, 375);
  c.optAverage = placed(new QRadioButton(QStringLiteral("Durchschnitt"), c.frmTrace), "optAverage", 240, 1080, 1335, 375);
  c.scrAVG = placed(scrollBar(Qt::Horizontal, c.frmTrace, 1, 20, 5, 1), "scrAVG", 240, 1440, 1335, 255);
  c.lblAV = placed(new QLabel(c.frmTrace), "lblAV", 1680, 1440, 495, 495);
  c.lblAV->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  c.chkOverWrite = placed(new QCheckBox(QStringLiteral("Addieren"), c.frmTrace), "chkOverWrite", 240, 1920, 1095, 255);

  c.frmMemory = placed(new QGroupBox(QStringLiteral("Kanal 2 Speicher"), client), "frmMemory", 120, 4320, 2295, 1860);
  c.cmdStore = placed(new QPushButton(QStringLiteral("Speichere Kanal 2"), c.frmMemory), "cmdStore", 120, 360, 1935, 375);
  c.cmdDisplaytrace =
      placed(new QPushButton(QStringLiteral("Zeige Kanal 2"), c.frmMemory), "cmdDisplaytrace", 120, 840, 1935, 375);
  c.cmdTracemath =
      placed(new QPushButton(QStringLiteral("Kanal 1- Kanal 2 ON"), c.frmMemory), "cmdTracemath", 120, 1320, 1935, 375);

  c.frmBrightness = placed(new QGroupBox(QStringLiteral("Helligkeit"), client), "frmBrightness", 120, 6360, 2295, 1155);
  c.scrGridBrightness =
      placed(scrollBar(Qt::Horizontal, c.frmBrightness, 0, 255, 80, 16), "scrGridBrightness", 120, 360, 1335, 255);
  c.Label7 = placed(new QLabel(QStringLiteral("Gitter"), c.frmBrightness), "Label7", 1560, 360, 375, 255);
  c.scrBckBrightness =
      placed(scrollBar(Qt::Horizontal, c.frmBrightness, 0, 255, 0, 16), "scrBckBrightness", 120, 720, 1335, 255);
  c.Label8 = placed(new QLabel(QStringLiteral("Hintergr."), c.frmBrightness), "Label8", 1560, 720, 735, 255);

  c.frmSpecialScreens =
      placed(new QGroupBox(QStringLiteral("Weitere Ansichten"), client), "frmSpecialScreens", 120, 7800, 2295, 735);
  c.chkSmall = placed(new QCheckBox(QStringLiteral("Klein"), c.frmSpecialScreens), "chkSmall", 240, 360, 975, 255);
  c.chkBW = placed(new QCheckBox(QStringLiteral("Mono"), c.frmSpecialScreens), "chkBW", 1320, 360, 855, 255);

  c.lblReflvl = placed(new QLabel(QStringLiteral("Ref: 0 dB"), client), "lblReflvl", 2520, 360, 855, 255);
  c.scrReflvl = placed(scrollBar(Qt::Vertical, client, -60, 60, 0, 10), "scrReflvl", 3120, 720, 255, 1455);
  c.Label5 = placed(new QLabel(QStringLiteral("T2 offset:"), client), "Label5", 2520, 2400, 855, 255);
  c.lblT2Offset = placed(new QLabel(QStringLiteral("0 dB"), client), "lblT2Offset", 2760, 2640, 615, 255);
  c.scrT2Offset = placed(scrollBar(Qt::Vertical, client, -60, 60, 0, 10), "scrT2Offset", 3120, 3000, 255, 1455);
  c.lbldBdiv = placed(new QLabel(QStringLiteral("10 dB/div"), client), "lbldBdiv", 2520, 4680, 855, 255);
  c.scrdBdiv = placed(upsideDownBar(client, 2, 10, 10), "scrdBdiv", 3120, 5040, 255, 1215);
  c.lblTime = placed(new QLabel(QStringLiteral("T= 0 ms"), client), "lblTime", 2520, 6480, 855, 255);
  c.scrUpdateTime = placed(upsideDownBar(client, 0, 40, 0), "scrUpdateTime", 3120, 6840, 255, 855);

  c.Picture1 = placed(new PictureBox(client), "Picture1", 3600, 360, 4815, 4815);
  c.Picture1->setBackColor(Qt::black);
  c.Picture1->Cls();

  c.Label3 = placed(new QLabel(QStringLiteral("F-Min"), client), "Label3", 3600, 5280, 495, 255);
  c.txtFMin = placed(new QLineEdit(client), "txtFMin", 4080, 5280, 855, 285);
  c.txtMessage = placed(new QPlainTextEdit(QStringLiteral("Messages:"), client), "txtMessage", 5160, 5280, 615, 495);
  c.txtMessage->setReadOnly(true);
  c.CmdSwitch = placed(new QPushButton(QStringLiteral("STOP"), client), "CmdSwitch", 5520, 5280, 975, 375);
  c.Label2 = placed(new QLabel(QStringLiteral("F-Max"), client), "Label2", 7080, 5280, 495, 255);
  c.txtFMax = placed(new QLineEdit(client), "txtFMax", 7560, 5280, 855, 285);

  const QFont linkFont = designFont(QStringLiteral("Arial"), 9.75);
  c.Label9 = placed(new QLabel(QStringLiteral("Hier findest du alle möglichen Funk-Codes mit Sound-Beispielen."), client),
                    "Label9", 3720, 6000, 4695, 495);
  c.ComSIG = placed(new QPushButton(QStringLiteral("SIGIDWIKI"), client), "ComSIG", 3720, 6720, 4695, 375);
  c.Label6 = placed(new QLabel(QStringLiteral("Wenn du nach Software suchst, um kodierte Signale zu entschlüsseln wirst du "
                                              "hier fündig."),
                               client),
                    "Label6", 3720, 7320, 4695, 495);
  c.ComDecode = placed(new QPushButton(QStringLiteral("Decoder Software"), client), "ComDecode", 3720, 7920, 4695, 375);
  for (QWidget* w : std::initializer_list<QWidget*>{c.Label9, c.ComSIG, c.Label6, c.ComDecode}) w->setFont(linkFont);
  c.Label9->setWordWrap(true);
  c.Label6->setWordWrap(true);

  c.Timer1 = new ClassicTimer(client, QStringLiteral("Timer1"), 1, false);
  c.Timer1->setHandler([this] { Timer1_Timer(); });

  QObject::connect(c.CmdSwitch, &QPushButton::clicked, client, [this] { CmdSwitch_Click(); });
  QObject::connect(c.cboBins, &QComboBox::activated, client, [this] { cboBins_Click(); });
  QObject::connect(c.cboSRate, &QComboBox::activated, client, [this] { cboSRate_Click(); });
  QObject::connect(c.cmdStore, &QPushButton::clicked, client, [this] { cmdStore_Click(); });
  QObject::connect(c.cmdDisplaytrace, &QPushButton::clicked, client, [this] { cmdDisplaytrace_Click(); });
  QObject::connect(c.cmdTracemath, &QPushButton::clicked, client, [this] { cmdTracemath_Click(); });
  QObject::connect(c.chkBW, &QCheckBox::toggled, client, [this] { chkBW_Click(); });
  QObject::connect(c.chkSmall, &QCheckBox::toggled, client, [this] { chkSmall_Click(); });
  QObject::connect(c.scrAVG, &QScrollBar::valueChanged, client, [this] { scrAVG_Change(); });
  QObject::connect(c.scrGridBrightness, &QScrollBar::valueChanged, client, [this] { scrGridBrightness_Change(); });
  QObject::connect(c.scrBckBrightness, &QScrollBar::valueChanged, client, [this] { scrBckBrightness_Change(); });
  QObject::connect(c.scrReflvl, &QScrollBar::valueChanged, client, [this] { scrReflvl_Change(); });
  QObject::connect(c.scrT2Offset, &QScrollBar::valueChanged, client, [this] { scrT2Offset_Change(); });
  QObject::connect(c.scrdBdiv, &QScrollBar::valueChanged, client, [this] { scrdBdiv_Change(); });
  QObject::connect(c.scrUpdateTime, &QScrollBar::valueChanged, client, [this] { scrUpdateTime_Change(); });
  QObject::connect(c.ComDecode, &QPushButton::clicked, client, [this] { ComDecode_Click(); });
  QObject::connect(c.ComSIG, &QPushButton::clicked, client, [this] { ComSIG_Click(); });
}

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
  lngSampleRate = std::int32_t(RoundHalfEven(Val(c.cboSRate->currentText())));
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
  lngSampleRate = std::int32_t(RoundHalfEven(Val(ui().cboSRate->currentText())));
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
