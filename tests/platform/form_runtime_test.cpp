#include "platform/classic_timer.h"
#include "platform/events.h"
#include "platform/form.h"
#include "platform/form_registry.h"
#include "platform/twips.h"
#include "support/program_folder_fixture.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

namespace zelvora {
namespace {

struct ProbeControls {
  QLabel* Label1 = nullptr;
  ClassicTimer* Timer1 = nullptr;
};

class ProbeForm : public FormOf<ProbeControls> {
 public:
  ProbeForm() : FormOf(QStringLiteral("ProbeForm"), QStringLiteral("Probe"), {3000, 1500}) {}

  int loads = 0;
  int unloads = 0;
  int resizes = 0;
  QString kept;

 protected:
  void buildControls(ProbeControls& c, QWidget* client) override {
    c.Label1 = new QLabel(QStringLiteral("design"), client);
    c.Label1->setObjectName(QStringLiteral("Label1"));
    c.Timer1 = new ClassicTimer(client, QStringLiteral("Timer1"), 0, true);
  }
  void Form_Load() override { ++loads; }
  void Form_Unload() override { ++unloads; }
  void Form_Resize() override { ++resizes; }
};

using FormRuntimeTest = test::ProgramFolderTest;

TEST_F(FormRuntimeTest, EveryTouchLoadsOnceWithoutShowing) {
  auto& probe = form<ProbeForm>();
  EXPECT_FALSE(probe.isLoaded());
  EXPECT_EQ(&probe, &form<ProbeForm>()) << "one instance per class";

  probe.left();
  probe.ui().Label1->setText(QStringLiteral("changed"));
  probe.caption();
  probe.windowState();

  EXPECT_EQ(probe.loads, 1);
  EXPECT_FALSE(probe.visible());
  EXPECT_EQ(probe.window()->objectName(), QStringLiteral("ProbeForm"));
  EXPECT_EQ(probe.window()->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("changed"));
}

TEST_F(FormRuntimeTest, UnloadDestroysControlsKeepsVariablesAndReloadsOnNextTouch) {
  auto& probe = form<ProbeForm>();
  probe.kept = QStringLiteral("bleibt");
  probe.ui().Label1->setText(QStringLiteral("changed"));
  QPointer<QLabel> oldLabel = probe.ui().Label1;
  probe.show();

  probe.unload();
  test::settle();

  EXPECT_FALSE(probe.isLoaded());
  EXPECT_EQ(probe.unloads, 1);
  EXPECT_TRUE(oldLabel.isNull()) << "the controls are destroyed";
  EXPECT_EQ(probe.kept, QStringLiteral("bleibt"));

  EXPECT_EQ(probe.ui().Label1->text(), QStringLiteral("design")) << "a new window starts from the design values";
  EXPECT_EQ(probe.loads, 2);
  EXPECT_FALSE(probe.visible()) << "loading again does not show";
}

TEST_F(FormRuntimeTest, HideKeepsTheWindowAndShowMakesItActive) {
  auto& probe = form<ProbeForm>();
  probe.ui().Label1->setText(QStringLiteral("state"));
  probe.show();
  EXPECT_TRUE(probe.visible());
  auto* sub = qobject_cast<QMdiSubWindow*>(probe.window());
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->mdiArea()->activeSubWindow(), sub);

  probe.hide();
  EXPECT_FALSE(probe.visible());
  EXPECT_TRUE(probe.isLoaded());
  EXPECT_EQ(probe.ui().Label1->text(), QStringLiteral("state"));
  EXPECT_EQ(probe.loads, 1);
}

TEST_F(FormRuntimeTest, CloseBoxUnloads) {
  auto& probe = form<ProbeForm>();
  probe.show();
  probe.window()->close();
  EXPECT_FALSE(probe.isLoaded());
  EXPECT_EQ(probe.unloads, 1);
}

TEST_F(FormRuntimeTest, GeometryIsInTwipsAtFifteenPerPixel) {
  ASSERT_EQ(twipsToPixels(1440), 96) << "the offscreen screen has 96 DPI";
  EXPECT_EQ(twipsToPixels(15), 1);
  EXPECT_EQ(pixelsToTwips(607), 9105);

  auto& probe = form<ProbeForm>();
  EXPECT_EQ(probe.scaleWidth(), 3000);
  EXPECT_EQ(probe.scaleHeight(), 1500);
  probe.setLeft(1500);
  probe.setTop(300);
  probe.setWidth(9105);
  probe.setHeight(4500);
  EXPECT_EQ(probe.left(), 1500);
  EXPECT_EQ(probe.top(), 300);
  EXPECT_EQ(probe.width(), 9105);
  EXPECT_EQ(probe.height(), 4500);
  EXPECT_EQ(probe.window()->pos(), QPoint(100, 20));
  EXPECT_LT(probe.scaleWidth(), probe.width()) << "the outer size includes the frame";
  const double innerWidth = probe.scaleWidth();
  probe.show();
  test::settle();
  EXPECT_EQ(probe.scaleWidth(), innerWidth) << "showing keeps the inner size";
  EXPECT_EQ(probe.width(), 9105);
}

TEST_F(FormRuntimeTest, WindowStatesAndResizeHandler) {
  auto& probe = form<ProbeForm>();
  probe.show();
  test::settle();
  const int before = probe.resizes;

  probe.setWindowState(WindowState::Maximized);
  test::settle();
  EXPECT_EQ(probe.windowState(), WindowState::Maximized);
  probe.setWindowState(WindowState::Minimized);
  test::settle();
  EXPECT_EQ(probe.windowState(), WindowState::Minimized);
  probe.setWindowState(WindowState::Normal);
  test::settle();
  EXPECT_EQ(probe.windowState(), WindowState::Normal);
  EXPECT_GT(probe.resizes, before);
}

TEST_F(FormRuntimeTest, TimerFiresOnlyWhenEnabledWithPositiveInterval) {
  QWidget owner;
  struct Case {
    int interval;
    bool enabled;
    bool fires;
  };
  for (const Case& c : {Case{0, true, false}, Case{20, false, false}, Case{20, true, true}}) {
    ClassicTimer timer(&owner, QStringLiteral("Timer1"), c.interval, c.enabled);
    int ticks = 0;
    timer.setHandler([&] { ++ticks; });
    test::settle(120);
    EXPECT_EQ(ticks > 0, c.fires) << "interval " << c.interval << " enabled " << c.enabled;
  }

  ClassicTimer timer(&owner, QStringLiteral("Timer2"), 10, true);
  int ticks = 0;
  timer.setHandler([&] { ++ticks; });
  timer.setInterval(0);
  test::settle(60);
  EXPECT_EQ(ticks, 0) << "interval 0 stops a running timer";
}

// A handler the window queued for later must not run once the window is
// unloaded, nor once the registry has let go of the form: it would touch a
// form that is gone.
TEST_F(FormRuntimeTest, CallsQueuedForAWindowNeverOutliveItsUnloadOrItsForm) {
  struct Case {
    const char* name;
    int delayMs;
    bool forgetForms;
  };
  for (const Case& c : {Case{"queued, then unloaded", 0, false}, Case{"queued, then forgotten", 0, true},
                        Case{"delayed, then forgotten", 30, true}}) {
    SCOPED_TRACE(c.name);
    auto& probe = form<ProbeForm>();
    int ran = 0;
    QTimer::singleShot(c.delayMs, probe.ui().Label1, [&ran, p = &probe] {
      p->kept = QStringLiteral("zu spät");
      ++ran;
    });
    QPointer<QWidget> oldWindow = probe.window();
    if (c.forgetForms) {
      FormRegistry::instance().reset();
      EXPECT_TRUE(oldWindow.isNull()) << "the window goes with its form";
    } else {
      probe.unload();
    }
    test::settle(2 * c.delayMs + 20);
    EXPECT_EQ(ran, 0);
    FormRegistry::instance().reset();
  }
}

TEST_F(FormRuntimeTest, WaitLetsPendingTimerTicksRunButNeverReentersAHandler) {
  QWidget owner;
  ClassicTimer tick(&owner, QStringLiteral("Timer1"), 5, true);
  int depth = 0;
  int maxDepth = 0;
  int runs = 0;
  bool done = false;
  tick.setHandler([&] {
    ++depth;
    ++runs;
    maxDepth = std::max(maxDepth, depth);
    // A handler that waits lets other events run, but not itself again.
    WaitUntil([] { return false; }, 30);
    --depth;
    if (runs == 3) done = true;
  });
  EXPECT_TRUE(WaitUntil([&] { return done; }, 2000));
  EXPECT_EQ(maxDepth, 1);

  const bool timedOut = !WaitUntil([] { return false; }, 10);
  EXPECT_TRUE(timedOut) << "a wait with nothing to wait for returns at its deadline";
}

}  // namespace
}  // namespace zelvora
