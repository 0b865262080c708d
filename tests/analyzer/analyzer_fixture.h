#pragma once

#include "analyzer/audio_capture.h"
#include "analyzer/form_analyzer.h"
#include "platform/classic_timer.h"
#include "platform/form_registry.h"
#include "platform/sound/test_wave_input.h"
#include "support/program_folder_fixture.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

namespace zelvora::test {

// The analyzer window on the test sound input.
class AnalyzerTest : public ProgramFolderTest {
 protected:
  Form_analyzer& analyzer() { return form<Form_analyzer>(); }
  AnalyzerControls& ui() { return analyzer().ui(); }
  AudioCapture& capture() { return AudioCapture::instance(); }

  // Makes the analyzer the active child window (again).
  void activate() {
    analyzer().load();
    FormRegistry::instance().mdiArea()->setActiveSubWindow(nullptr);
    analyzer().show();
    settle(0);
  }
  void clickStart() {
    activate();
    ui().CmdSwitch->click();
  }
  // One tick of the analyzer's timer.
  void tick() { analyzer().Timer1()->fire(); }

  TestWaveInput m_device;
};

}  // namespace zelvora::test
