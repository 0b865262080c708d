// The analyzer window driven by its controls, on the test sound input.
#include "analyzer/picture_box.h"
#include "analyzer_fixture.h"
#include "platform/web_link.h"
#include "support/url_recorder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zelvora::test {
namespace {

using AnalyzerWindowTest = AnalyzerTest;

// Counts the pixels of a colour in the plot.
int pixelsOf(PictureBox* plot, QColor color) {
  const QImage& picture = plot->picture();
  int count = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) count += picture.pixelColor(x, y) == color;
  return count;
}

// The smallest rectangle around every pixel that is not background.
QRect drawnArea(const QImage& picture, QColor background) {
  QRect drawn;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixelColor(x, y) != background) drawn |= QRect(x, y, 1, 1);
  return drawn;
}

// A left click on one part of a scroll bar (an arrow, or the groove beside
// the thumb).
void clickOn(QScrollBar* bar, QStyle::SubControl part) {
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = bar->orientation();
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = bar->sliderPosition();
  option.sliderValue = bar->value();
  option.singleStep = bar->singleStep();
  option.pageStep = bar->pageStep();
  option.upsideDown = bar->invertedAppearance();
  if (bar->orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
  const QRect area = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
  QTest::mouseClick(bar, Qt::LeftButton, {}, area.center());
}

void wheelUp(QScrollBar* bar) {
  QWheelEvent wheel(QPointF(2, 2), bar->mapToGlobal(QPointF(2, 2)), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(bar, &wheel);
}

const QColor kGreen(16, 255, 16);
const QColor kRed(255, 0, 0);

TEST_F(AnalyzerWindowTest, ActivationFillsTheSizeListOnceAndTakesATypedSize) {
  activate();
  ui().cboBins->setEditText(QStringLiteral("512"));
  activate();
  activate();
  QStringList entries;
  for (int i = 0; i < ui().cboBins->count(); ++i) entries << ui().cboBins->itemText(i);
  EXPECT_EQ(entries, (QStringList{"16384", "8192", "4096", "2048", "1024", "512", "256", "128", "64"}));
  EXPECT_EQ(ui().cboBins->currentText(), QStringLiteral("512"));
  EXPECT_EQ(analyzer().dblBins, 512);
  EXPECT_EQ(capture().lngBufferBytes, 1024);
  EXPECT_EQ(ui().CmdSwitch->text(), QStringLiteral("START"));
  EXPECT_EQ(ui().txtFMin->text(), QStringLiteral("0"));
  EXPECT_EQ(ui().txtFMax->text(), QStringLiteral("3000"));
  EXPECT_EQ(analyzer().lngSampleRate, 48000);
  EXPECT_TRUE(analyzer().Timer1()->enabled());
  EXPECT_EQ(analyzer().Timer1()->interval(), 1);
  // scrAVG was already 5: its label stays empty.
  EXPECT_EQ(ui().lblAV->text(), QString());
}

TEST_F(AnalyzerWindowTest, TypingIntoTheComboBoxesAndPressingEnterTakesNothingOver) {
  clickStart();
  m_device.clearCalls();
  for (QComboBox* box : {ui().cboSRate, ui().cboBins}) {
    SCOPED_TRACE(box->objectName().toStdString());
    const int entries = box->count();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("30000"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box->count(), entries);
    EXPECT_EQ(box->currentText(), QStringLiteral("30000"));
  }
  // The typed rate waits for the next list pick, activation or start.
  EXPECT_EQ(analyzer().lngSampleRate, 48000);
  EXPECT_EQ(analyzer().dblBins, 2048);
  EXPECT_TRUE(m_device.calls().isEmpty());
}

TEST_F(AnalyzerWindowTest, ASizeTheAnalyzerDoesNotOfferIsNotTakenOver) {
  activate();
  for (const char* typed : {"3000", "32768", "abc", "0", "-64"}) {
    SCOPED_TRACE(typed);
    ui().cboBins->setEditText(QString::fromLatin1(typed));
    emit ui().cboBins->activated(0);
    EXPECT_EQ(analyzer().dblBins, 2048);
    EXPECT_EQ(capture().lngBufferBytes, 4096);
    EXPECT_EQ(ui().cboBins->currentText(), QStringLiteral("2048"));
  }
  // Blocks go on at the size in use.
  ui().CmdSwitch->click();
  tick();
  EXPECT_EQ(capture().WaveHeader.bufferLength, 4096u);
}

TEST_F(AnalyzerWindowTest, TimerCycleReadsTheBlockRestartsAndDrawsItsSpectrum) {
  // 1500 Hz at 48000 Hz is bin 64 of 2048.
  m_device.setSine(1500, 8192);
  clickStart();
  EXPECT_EQ(ui().CmdSwitch->text(), QStringLiteral("STOP"));
  m_device.clearCalls();
  tick();
  EXPECT_EQ(m_device.calls(), (QStringList{"reset", "stop", "unprepareHeader", "close", "open", "prepareHeader", "start",
                                           "addBuffer"}));
  const auto& trace = analyzer().traces().dblTrace1;
  const auto peak = std::max_element(trace.begin(), trace.begin() + 1025) - trace.begin();
  EXPECT_EQ(peak, 64);
  EXPECT_NEAR(trace[64], 20 * std::log10(0.25 * 1024), 0.2);
  EXPECT_EQ(analyzer().lngTraceColor, kGreen);
  EXPECT_GT(pixelsOf(ui().Picture1, kGreen), 100);

  // No finished block: the tick does nothing.
  m_device.setHolding(true);
  tick();
  m_device.clearCalls();
  tick();
  EXPECT_TRUE(m_device.calls().isEmpty());
}

TEST_F(AnalyzerWindowTest, OneSampleBeyondHalfScaleTurnsTheTraceRed) {
  struct Case {
    std::int16_t sample;
    QColor color;
  };
  for (const Case& c : {Case{16384, kGreen}, Case{-16384, kGreen}, Case{16385, kRed}, Case{-16385, kRed}}) {
    SCOPED_TRACE(c.sample);
    m_device.setSignal([&](std::int64_t n) { return n % 2048 == 700 ? c.sample : std::int16_t(100); });
    clickStart();
    tick();
    EXPECT_EQ(analyzer().lngTraceColor, c.color);
    EXPECT_GT(pixelsOf(ui().Picture1, c.color), 100);
    ui().CmdSwitch->click();
  }
}

TEST_F(AnalyzerWindowTest, StartStopAndReactivationFollowTheButtonCaption) {
  clickStart();
  EXPECT_TRUE(capture().blnCapturing);
  EXPECT_TRUE(analyzer().blnRunning);
  // Re-activation shows START but the block cycle goes on.
  activate();
  EXPECT_EQ(ui().CmdSwitch->text(), QStringLiteral("START"));
  EXPECT_TRUE(capture().blnCapturing);
  ui().CmdSwitch->click();
  EXPECT_EQ(ui().CmdSwitch->text(), QStringLiteral("STOP"));
  ui().CmdSwitch->click();
  EXPECT_FALSE(capture().blnCapturing);
  EXPECT_FALSE(m_device.isOpen());
}

TEST_F(AnalyzerWindowTest, AFailedStartShowsOneMessageAndLeavesStopShowing) {
  m_device.failOpen(MMSYSERR_NODRIVER);
  clickStart();
  for (int i = 0; i < 5; ++i) tick();
  EXPECT_EQ(m_messages->texts(), QStringList{"Kein Audio-Eingabegerät gefunden."});
  EXPECT_EQ(ui().CmdSwitch->text(), QStringLiteral("STOP"));
  EXPECT_FALSE(capture().blnCapturing);
}

TEST_F(AnalyzerWindowTest, AFailedOpenInsideTheCycleEndsIt) {
  m_device.setSine(1500, 8192);
  clickStart();
  m_device.failOpen(WAVERR_BADFORMAT);
  tick();
  tick();
  EXPECT_EQ(m_messages->texts(), QStringList{m_device.errorText(WAVERR_BADFORMAT)});
  EXPECT_FALSE(capture().blnCapturing);
}

TEST_F(AnalyzerWindowTest, SizeAndRatePicksRestartARunningCapture) {
  clickStart();
  m_device.clearCalls();
  ui().cboBins->setCurrentIndex(ui().cboBins->findText(QStringLiteral("8192")));
  emit ui().cboBins->activated(ui().cboBins->currentIndex());
  EXPECT_EQ(m_device.calls(), (QStringList{"reset", "stop", "unprepareHeader", "close", "open", "prepareHeader", "start",
                                           "addBuffer"}));
  EXPECT_EQ(capture().WaveHeader.bufferLength, 16384u);
  ui().cboSRate->setCurrentIndex(1);
  emit ui().cboSRate->activated(1);
  EXPECT_EQ(analyzer().lngSampleRate, 44100);
  EXPECT_EQ(m_device.lastFormat().samplesPerSec, 44100);
}

TEST_F(AnalyzerWindowTest, ClosingTheWindowStopsCaptureButHidingDoesNot) {
  clickStart();
  analyzer().hide();
  EXPECT_TRUE(capture().blnCapturing);
  analyzer().window()->close();
  EXPECT_FALSE(analyzer().isLoaded());
  EXPECT_FALSE(capture().blnCapturing);
  EXPECT_FALSE(m_device.isOpen());
  EXPECT_EQ(m_device.calls().last(), QStringLiteral("close"));
}

TEST_F(AnalyzerWindowTest, ScrollBarsSetTheScaleAndTheirLabels) {
  activate();
  AnalyzerControls& c = ui();
  c.scrUpdateTime->setValue(40);
  EXPECT_EQ(analyzer().Timer1()->interval(), 2001);
  EXPECT_EQ(c.lblTime->text(), QStringLiteral("T=  2000 ms"));
  c.scrUpdateTime->setValue(10);
  EXPECT_EQ(c.lblTime->text(), QStringLiteral("T=  500 ms"));
  c.scrUpdateTime->setValue(0);
  EXPECT_EQ(analyzer().Timer1()->interval(), 1);
  EXPECT_EQ(c.lblTime->text(), QStringLiteral("T=  0 ms"));

  c.scrReflvl->setValue(-10);
  EXPECT_EQ(c.lblReflvl->text(), QStringLiteral("Ref: -10 dB"));
  EXPECT_EQ(analyzer().sngRefLevel, -10);
  c.scrT2Offset->setValue(-5);
  EXPECT_EQ(c.lblT2Offset->text(), QStringLiteral("-5 dB"));
  EXPECT_EQ(analyzer().sngT2Offset, -5);
  c.scrdBdiv->setValue(6);
  EXPECT_EQ(c.lbldBdiv->text(), QStringLiteral("6 dB/div"));
  EXPECT_EQ(analyzer().sngDbPerDiv, 6);
  c.scrAVG->setValue(7);
  EXPECT_EQ(c.lblAV->text(), QStringLiteral("Av 7"));
  // The replot used the new scale: 0 dB at (-10 + 50) / 6 divisions down.
  EXPECT_NEAR(analyzer().traces().dblTrace1Y[3], 40.0 / 6 * 125, 1e-3);
}

TEST_F(AnalyzerWindowTest, ScrollBarsMoveTheirThumbTheWayTheUserPoints) {
  activate();
  // Up on the screen: towards the top value of each bar.
  struct Case {
    const char* name;
    QScrollBar* bar;
    int start;
    int up;
  };
  const Case cases[] = {{"scrdBdiv", ui().scrdBdiv, 6, 7},
                        {"scrUpdateTime", ui().scrUpdateTime, 10, 11},
                        {"scrReflvl", ui().scrReflvl, 0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int down = 2 * c.start - c.up;
    c.bar->setValue(c.start);
    clickOn(c.bar, QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(c.bar->value(), c.up) << "upper arrow";
    c.bar->setValue(c.start);
    clickOn(c.bar, QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(c.bar->value(), down) << "lower arrow";
    c.bar->setValue(c.start);
    clickOn(c.bar, QStyle::SC_ScrollBarSubPage);
    EXPECT_EQ(c.bar->value() - c.start, (c.up - c.start) * c.bar->pageStep()) << "groove above the thumb";
    c.bar->setValue(c.start);
    QTest::keyClick(c.bar, Qt::Key_Up);
    EXPECT_EQ(c.bar->value(), c.up) << "key up";
    c.bar->setValue(c.start);
    wheelUp(c.bar);
    EXPECT_EQ(c.bar->value() - c.start > 0, c.up - c.start > 0) << "wheel up";
    // The arrows keep the usual dark colour on the light buttons.
    EXPECT_NE(c.bar->palette().color(QPalette::WindowText), QColor(Qt::white));
  }
  // At the top end a step up stays there; a step down leaves it.
  ui().scrdBdiv->setValue(10);
  clickOn(ui().scrdBdiv, QStyle::SC_ScrollBarSubLine);
  EXPECT_EQ(ui().scrdBdiv->value(), 10);
  clickOn(ui().scrdBdiv, QStyle::SC_ScrollBarAddLine);
  EXPECT_EQ(ui().scrdBdiv->value(), 9);
  EXPECT_EQ(ui().lbldBdiv->text(), QStringLiteral("9 dB/div"));
}

TEST_F(AnalyzerWindowTest, TraceTwoAndDifferenceButtonsToggleAndShowAtTheNextDrawing) {
  m_device.setSine(1500, 8192);
  clickStart();
  tick();
  ui().cmdStore->click();
  EXPECT_EQ(analyzer().traces().dblTrace2[64], analyzer().traces().dblTrace1[64]);
  ui().cmdDisplaytrace->click();
  EXPECT_EQ(ui().cmdDisplaytrace->text(), QStringLiteral("Trace 2 OFF"));
  ui().cmdTracemath->click();
  EXPECT_EQ(ui().cmdTracemath->text(), QStringLiteral("Trace 1 - Trace 2 OFF"));
  // The same tone again: the difference is 0 dB everywhere, the top line.
  tick();
  for (int i = 0; i <= 128; ++i) ASSERT_NEAR(analyzer().traces().dblTrace1Y[i], 0, 1e-6) << i;
  EXPECT_GT(pixelsOf(ui().Picture1, QColor(255, 128, 16)), 100);

  // A re-activation switches both off without touching the captions.
  activate();
  EXPECT_FALSE(analyzer().blnShowTrace2);
  EXPECT_EQ(ui().cmdDisplaytrace->text(), QStringLiteral("Trace 2 OFF"));
  ui().cmdDisplaytrace->click();
  EXPECT_TRUE(analyzer().blnShowTrace2);
  EXPECT_EQ(ui().cmdDisplaytrace->text(), QStringLiteral("Trace 2 OFF"));
  ui().cmdTracemath->click();
  ui().cmdTracemath->click();
  EXPECT_EQ(ui().cmdTracemath->text(), QStringLiteral("Trace 1 - Trace 2 ON"));
}

TEST_F(AnalyzerWindowTest, MonoDrawsTracesInBlackOrWhiteByTheGridBrightness) {
  m_device.setSine(1500, 8192);
  clickStart();
  tick();
  ui().scrBckBrightness->setValue(200);
  ui().chkBW->setChecked(true);
  EXPECT_EQ(pixelsOf(ui().Picture1, kGreen), 0);
  EXPECT_GT(pixelsOf(ui().Picture1, Qt::black), 100);
  EXPECT_GT(pixelsOf(ui().Picture1, QColor(80, 80, 80)), 1000);
  ui().scrGridBrightness->setValue(128);
  EXPECT_EQ(pixelsOf(ui().Picture1, Qt::black), 0);
  EXPECT_GT(pixelsOf(ui().Picture1, Qt::white), 100);
}

TEST_F(AnalyzerWindowTest, SmallViewKeepsTheDrawingInTheUpperLeftPart) {
  activate();
  ui().scrBckBrightness->setValue(30);
  ui().chkSmall->setChecked(true);
  PictureBox* plot = ui().Picture1;
  const QImage& picture = plot->picture();
  // Everything drawn lies between the ends of the centre cross, 20 units
  // beyond the grid: from 80/2400 to 1120/2400 of the box.
  const QRect drawn = drawnArea(picture, QColor(30, 30, 30));
  EXPECT_NEAR(drawn.left(), 80.0 / 2400 * picture.width(), 1.5);
  EXPECT_NEAR(drawn.top(), 80.0 / 2400 * picture.height(), 1.5);
  EXPECT_NEAR(drawn.right(), 1120.0 / 2400 * picture.width(), 1.5);
  EXPECT_NEAR(drawn.bottom(), 1120.0 / 2400 * picture.height(), 1.5);

  ui().chkSmall->setChecked(false);
  const QImage& full = plot->picture();
  const QRect grid = drawnArea(full, QColor(30, 30, 30));
  EXPECT_NEAR(grid.right(), 1120.0 / 1200 * full.width(), 1.5);
  EXPECT_NEAR(grid.bottom(), 1120.0 / 1200 * full.height(), 1.5);
}

TEST_F(AnalyzerWindowTest, AddingDrawsOverThePictureWithoutClearingIt) {
  activate();
  ui().chkOverWrite->setChecked(true);
  ui().scrBckBrightness->setValue(90);
  // The background was not repainted.
  EXPECT_EQ(pixelsOf(ui().Picture1, QColor(90, 90, 90)), 0);
  EXPECT_GT(pixelsOf(ui().Picture1, QColor(80, 80, 80)), 1000);
}

TEST_F(AnalyzerWindowTest, WebButtonsOpenTheirConfiguredPages) {
  UrlRecorder recorder;
  activate();
  ui().ComSIG->click();
  ui().ComDecode->click();
  ASSERT_EQ(recorder.opened.size(), 2);
  EXPECT_EQ(recorder.opened[0], QUrl(WebLinkAddress(QStringLiteral("ComSIG"))));
  EXPECT_EQ(recorder.opened[1], QUrl(WebLinkAddress(QStringLiteral("ComDecode"))));
  EXPECT_FALSE(recorder.opened[0].host().isEmpty());
  EXPECT_FALSE(recorder.opened[1].host().isEmpty());
}

}  // namespace
}  // namespace zelvora::test
