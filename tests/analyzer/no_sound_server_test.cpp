// The real sound layer on a machine without a sound server.
#include "analyzer_fixture.h"

#include <QTemporaryDir>

namespace zelvora::test {
namespace {

class NoSoundServerTest : public ProgramFolderTest {
 protected:
  static void SetUpTestSuite() {
    // A server address where nothing answers, set before the sound layer
    // first looks for one.
    qputenv("PULSE_SERVER", ("unix:" + s_nowhere.path() + "/native").toUtf8());
  }
  static void TearDownTestSuite() { qunsetenv("PULSE_SERVER"); }
  static QTemporaryDir s_nowhere;
};

QTemporaryDir NoSoundServerTest::s_nowhere;

TEST_F(NoSoundServerTest, StartSaysThereIsNoInputDeviceOnceAndCaptureStaysOff) {
  Form_analyzer& analyzer = form<Form_analyzer>();
  analyzer.show();
  settle(0);
  analyzer.ui().CmdSwitch->click();
  for (int i = 0; i < 3; ++i) analyzer.Timer1()->fire();
  EXPECT_EQ(m_messages->texts(), QStringList{"Kein Audio-Eingabegerät gefunden."});
  EXPECT_FALSE(AudioCapture::instance().blnCapturing);
  EXPECT_EQ(analyzer.ui().CmdSwitch->text(), QStringLiteral("STOP"));
}

}  // namespace
}  // namespace zelvora::test
