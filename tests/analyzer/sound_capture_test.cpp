// Capture through the real sound path: Qt Multimedia on a private PulseAudio
// whose pipe source is fed with a known tone.
#include "analyzer_fixture.h"
#include "counting_wave_input.h"
#include "platform/events.h"
#include "private_sound_server.h"

#include <QComboBox>

#include <algorithm>
#include <cmath>
#include <memory>

namespace zelvora::test {
namespace {

class SoundCaptureTest : public ProgramFolderTest {
 protected:
  // One server for the whole program: the sound layer connects once.
  static void SetUpTestSuite() { s_server = std::make_unique<PrivateSoundServer>(); }
  static void TearDownTestSuite() { s_server.reset(); }

  void SetUp() override {
    ProgramFolderTest::SetUp();
    ASSERT_TRUE(s_server->failure().isEmpty()) << s_server->failure().toStdString();
  }

  Form_analyzer& analyzer() { return form<Form_analyzer>(); }
  AnalyzerControls& ui() { return analyzer().ui(); }
  AudioCapture& capture() { return AudioCapture::instance(); }

  static std::unique_ptr<PrivateSoundServer> s_server;
  CountingWaveInput m_device;
};

std::unique_ptr<PrivateSoundServer> SoundCaptureTest::s_server;

TEST_F(SoundCaptureTest, AToneOnThePipeSourceLandsOnItsBin) {
  // 1500 Hz at 48000 Hz is bin 64 of 2048; a quarter of full scale.
  s_server->feedSine(1500, 8192);
  analyzer().show();
  test::settle(0);
  ui().CmdSwitch->click();
  ASSERT_TRUE(capture().blnCapturing) << m_messages->texts().join(QLatin1Char('\n')).toStdString();

  // The window's own timer drives the blocks.
  const auto& trace = analyzer().traces().dblTrace1;
  ASSERT_TRUE(WaitUntil([&] { return m_device.fullBlocks() >= 5; }, 10000))
      << "blocks captured: " << m_device.fullBlocks();
  s_server->stopFeeding();

  const auto peak = std::max_element(trace.begin(), trace.begin() + 1025) - trace.begin();
  EXPECT_EQ(peak, 64);
  EXPECT_NEAR(trace[64], 20 * std::log10(0.25 * 1024), 1.5);
  EXPECT_EQ(analyzer().lngTraceColor, QColor(16, 255, 16));
  EXPECT_TRUE(m_messages->shown().empty());

  ui().CmdSwitch->click();
  EXPECT_FALSE(capture().blnCapturing);
}

TEST_F(SoundCaptureTest, ARateThatIsNoNumberFailsWithOneMessage) {
  analyzer().show();
  test::settle(0);
  ui().cboSRate->setEditText(QStringLiteral("abc"));
  ui().CmdSwitch->click();
  analyzer().Timer1()->fire();
  test::settle(50);
  EXPECT_FALSE(capture().blnCapturing);
  EXPECT_EQ(ui().CmdSwitch->text(), QStringLiteral("STOP"));
  ASSERT_EQ(m_messages->shown().size(), 1u);
  EXPECT_FALSE(m_messages->texts().front().isEmpty());
}

}  // namespace
}  // namespace zelvora::test
