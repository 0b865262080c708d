#include "app/frm_tip.h"
#include "app/mdi_zelvora.h"
#include "app/start.h"
#include "platform/form_registry.h"
#include "receiver_fixture.h"

#include <QAction>

namespace zelvora {
namespace {

using ProgramTest = test::ReceiverTest;

TEST_F(ProgramTest, ThePcr1000MenuShowsThePanelThatDrivesTheReceiver) {
  writeSettings(QStringLiteral("[RADIO]\nFrequency=145.5\n"));
  MDIzelvora& frame = start();
  EXPECT_FALSE(panel().isLoaded()) << "the start-up loads and unloads the panel";
  EXPECT_TRUE(m_sim->commands().isEmpty());

  frame.window()->findChild<QAction*>(QStringLiteral("men_pcr1000"))->trigger();
  EXPECT_TRUE(panel().visible());
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 145.5);
  click(QStringLiteral("RadioOn"));
  EXPECT_EQ(m_sim->waitForCommands(12).value(11), QStringLiteral("K00145500000060400"));
  EXPECT_TRUE(m_messages->texts().isEmpty());
}

TEST_F(ProgramTest, TipsOpenBelowTheMiddleOfThePanel) {
  start();
  panel().show();
  click(QStringLiteral("Comm_tipps"));
  frmTip& tip = form<frmTip>();
  EXPECT_TRUE(tip.visible());
  EXPECT_NEAR(tip.left(), (panel().width() - tip.width()) / 2, 15);
  EXPECT_NEAR(tip.top(), (tip.height() + panel().scaleHeight()) / 2, 15);
}

}  // namespace
}  // namespace zelvora
