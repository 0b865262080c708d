// Block capture on the test sound input: the order of the device calls, the
// format, the one buffer and the failure rules.
#include "analyzer_fixture.h"

#include <QComboBox>

namespace zelvora::test {
namespace {

using CaptureTest = AnalyzerTest;

const QStringList kStartCalls = {"open", "prepareHeader", "start", "addBuffer"};
const QStringList kStopCalls = {"reset", "stop", "unprepareHeader", "close"};

TEST_F(CaptureTest, StartOpensTheFirstDeviceWithTheRateOfTheBoxAndQueuesOneBlock) {
  struct Case {
    const char* rate;
    int bins;
    std::int32_t samplesPerSec, avgBytesPerSec;
  };
  for (const Case& c : {Case{"48000", 2048, 48000, 96000}, Case{"5512", 64, 5512, 11024},
                        Case{"22050.5", 16384, 22050, 44100}, Case{"11025.5", 512, 11026, 22052}}) {
    SCOPED_TRACE(c.rate);
    ui().cboSRate->setEditText(QString::fromLatin1(c.rate));
    m_device.setHolding(true);
    m_device.clearCalls();
    capture().lngBufferBytes = c.bins * 2;
    EXPECT_TRUE(capture().StartCapture());
    EXPECT_EQ(m_device.calls(), kStartCalls);
    EXPECT_EQ(m_device.lastDeviceId(), 0u);
    const WaveFormatEx& f = m_device.lastFormat();
    EXPECT_EQ(f.formatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(f.channels, 1);
    EXPECT_EQ(f.bitsPerSample, 16);
    EXPECT_EQ(f.blockAlign, 2);
    EXPECT_EQ(f.samplesPerSec, c.samplesPerSec);
    EXPECT_EQ(f.avgBytesPerSec, c.avgBytesPerSec);
    EXPECT_EQ(capture().WaveHeader.bufferLength, std::uint32_t(c.bins * 2));
    EXPECT_TRUE(capture().blnCapturing);
    EXPECT_FALSE(capture().blockReady());

    // Starting again while recording changes nothing.
    m_device.clearCalls();
    EXPECT_TRUE(capture().StartCapture());
    EXPECT_TRUE(m_device.calls().isEmpty());

    capture().StopCapture();
    EXPECT_EQ(m_device.calls(), kStopCalls);
    EXPECT_FALSE(capture().blnCapturing);
    EXPECT_FALSE(m_device.isOpen());
  }
  EXPECT_TRUE(m_messages->shown().empty());
}

TEST_F(CaptureTest, SamplesReadAsSignedSixteenBitOverFullScale) {
  const std::int16_t samples[] = {0, -32768, 32767, 16384, -1};
  m_device.setSignal([&](std::int64_t n) { return samples[n % 5]; });
  capture().lngBufferBytes = 10;
  capture().StartCapture();
  ASSERT_TRUE(capture().blockReady());
  const double expected[] = {0.0, -1.0, 0.999969482421875, 0.5, -1.0 / 32768};
  for (int i = 0; i < 5; ++i) {
    double value = 42;
    capture().ReadSample(i, value);
    EXPECT_EQ(value, expected[i]) << i;
  }
  capture().StopCapture();
}

TEST_F(CaptureTest, ANewBufferSizeAppliesFromTheNextStart) {
  m_device.setHolding(true);
  capture().lngBufferBytes = 4096;
  capture().StartCapture();
  capture().lngBufferBytes = 128;
  m_device.setHolding(false);
  EXPECT_EQ(capture().WaveHeader.bytesRecorded, 4096u);
  capture().StopCapture();
  capture().StartCapture();
  EXPECT_EQ(capture().WaveHeader.bytesRecorded, 128u);
  capture().StopCapture();
}

TEST_F(CaptureTest, ARateTextThatGivesNoUsableRateFailsTheOpenWithOneMessage) {
  for (const char* rate : {"abc", "", "1e12", "1e999", "-48000"}) {
    SCOPED_TRACE(rate);
    m_messages->clear();
    ui().cboSRate->setEditText(QString::fromLatin1(rate));
    capture().lngBufferBytes = 4096;
    EXPECT_FALSE(capture().StartCapture());
    EXPECT_FALSE(capture().blnCapturing);
    EXPECT_LE(capture().WaveFormat.samplesPerSec, 0);
    EXPECT_EQ(m_messages->texts(), QStringList{m_device.errorText(WAVERR_BADFORMAT)});
    capture().StopCapture();
  }
}

TEST_F(CaptureTest, AFailedOpenShowsTheDeviceTextOnceAndLeavesCaptureOff) {
  m_device.failOpen(MMSYSERR_NODRIVER);
  capture().lngBufferBytes = 4096;
  EXPECT_FALSE(capture().StartCapture());
  EXPECT_FALSE(capture().blnCapturing);
  ASSERT_EQ(m_messages->texts(), QStringList{"Kein Audio-Eingabegerät gefunden."});
  EXPECT_EQ(m_messages->shown().front().style, MsgOkOnly);
  EXPECT_EQ(m_messages->shown().front().title, ProgramTitle());

  // Stopping afterwards shows nothing and touches no device.
  m_device.clearCalls();
  capture().StopCapture();
  capture().StopCapture();
  EXPECT_EQ(m_messages->shown().size(), 1u);
  EXPECT_TRUE(m_device.calls().isEmpty());
}

TEST_F(CaptureTest, FailedPrepareOrQueueIsShownAndCaptureCountsAsRunningWithoutABlock) {
  for (bool prepare : {true, false}) {
    SCOPED_TRACE(prepare);
    m_messages->clear();
    if (prepare)
      m_device.failPrepare(MMSYSERR_INVALPARAM);
    else
      m_device.failAddBuffer(WAVERR_UNPREPARED);
    capture().lngBufferBytes = 256;
    EXPECT_TRUE(capture().StartCapture());
    EXPECT_TRUE(capture().blnCapturing);
    EXPECT_FALSE(capture().blockReady());
    // A buffer that was not prepared cannot be queued either.
    const QStringList expected = prepare ? QStringList{m_device.errorText(MMSYSERR_INVALPARAM),
                                                       m_device.errorText(WAVERR_UNPREPARED)}
                                         : QStringList{m_device.errorText(WAVERR_UNPREPARED)};
    EXPECT_EQ(m_messages->texts(), expected);
    capture().StopCapture();
    EXPECT_FALSE(m_device.isOpen());
    m_device.failPrepare(MMSYSERR_NOERROR);
    m_device.failAddBuffer(MMSYSERR_NOERROR);
  }
}

TEST_F(CaptureTest, DeviceRefusesCallsOutOfOrder) {
  WaveHdr header;
  char buffer[8];
  header.data = buffer;
  header.bufferLength = sizeof buffer;
  EXPECT_EQ(m_device.prepareHeader(header), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(m_device.close(), MMSYSERR_INVALHANDLE);
  WaveFormatEx stereo{WAVE_FORMAT_PCM, 2, 48000, 192000, 4, 16, 0};
  EXPECT_EQ(m_device.open(0, stereo), WAVERR_BADFORMAT);
  WaveFormatEx mono{WAVE_FORMAT_PCM, 1, 48000, 96000, 2, 16, 0};
  ASSERT_EQ(m_device.open(0, mono), MMSYSERR_NOERROR);
  EXPECT_EQ(m_device.open(0, mono), MMSYSERR_ALLOCATED);
  EXPECT_EQ(m_device.addBuffer(header), WAVERR_UNPREPARED);
  ASSERT_EQ(m_device.prepareHeader(header), MMSYSERR_NOERROR);
  m_device.setHolding(true);
  ASSERT_EQ(m_device.addBuffer(header), MMSYSERR_NOERROR);
  EXPECT_EQ(m_device.unprepareHeader(header), WAVERR_STILLPLAYING);
  EXPECT_EQ(m_device.close(), WAVERR_STILLPLAYING);
  // Reset hands the buffer back as done, empty.
  EXPECT_EQ(m_device.reset(), MMSYSERR_NOERROR);
  EXPECT_TRUE(header.flags & WHDR_DONE);
  EXPECT_EQ(header.bytesRecorded, 0u);
  EXPECT_EQ(m_device.unprepareHeader(header), MMSYSERR_NOERROR);
  EXPECT_EQ(m_device.close(), MMSYSERR_NOERROR);
}

}  // namespace
}  // namespace zelvora::test
