#include "analyzer/form_analyzer.h"
#include "app/layouts.h"
#include "app/mdi_zelvora.h"
#include "app/start.h"
#include "logbook/form_frequenzliste2.h"
#include "platform/form_registry.h"
#include "platform/html_view.h"
#include "platform/twips.h"
#include "receiver/form_pcr1000.h"
#include "support/program_folder_fixture.h"
#include "web/form_browser.h"
#include "worldtime/form_weltzeit.h"

#include <QAction>
#include <QMdiArea>

#include <set>

namespace zelvora {
namespace {

class LayoutsTest : public test::ProgramFolderTest {
 protected:
  void SetUp() override {
    ProgramFolderTest::SetUp();
    main = &start();
    test::settle();
  }

  void apply(const char* item) {
    main->menuItem(QString::fromLatin1(item))->trigger();
    test::settle();
  }

  // The classes of the child windows that are loaded and visible.
  std::set<QString> visibleWindows() const {
    std::set<QString> shown;
    for (Form* f : FormRegistry::instance().forms())
      if (f != main && f->isLoaded() && !f->window()->isHidden() && f->className() != QLatin1String("frmSplash"))
        shown.insert(f->className());
    return shown;
  }

  MDIzelvora* main = nullptr;
};

TEST_F(LayoutsTest, EachPresetShowsItsWindowsAndUnloadsThePanelWhereItIsNotShown) {
  const struct {
    const char* item;
    std::set<QString> visible;
    bool panelLoaded;
  } cases[] = {
      {"men_stand", {"Form_browser", "Form_analyzer", "Form_weltzeit"}, false},
      {"men_weltkarte", {"Form_browser", "Form_browser2", "Form_weltzeit"}, false},
      {"men_spek", {"Form_analyzer", "Form_browser"}, false},
      {"men_vantozwei", {"Form_browser", "Form_weltzeit", "Form_frequenzliste2"}, false},
      {"men_logwelt", {"Form_weltzeit", "Form_frequenzliste2"}, false},
      {"men_min", {"Form_browser", "Form_weltzeit"}, false},
      {"men_2brows", {"Form_browser", "Form_browser2"}, false},
      {"men_pcranalyzer", {"Form_analyzer", "Form_pcr1000"}, true},
      {"men_pcr1000welt", {"Form_pcr1000", "Form_browser", "Form_weltzeit", "Form_browser2"}, true},
      {"men_pcronly", {"Form_pcr1000"}, true},
      {"men_pcrfrequliste", {"Form_pcr1000", "Form_weltzeit", "Form_frequenzliste2"}, true},
  };
  for (const auto& c : cases) {
    apply(c.item);
    EXPECT_EQ(visibleWindows(), c.visible) << c.item;
    EXPECT_EQ(form<Form_pcr1000>().isLoaded(), c.panelLoaded) << c.item;
  }
  apply("men_2brows");
  EXPECT_FALSE(form<Form_analyzer>().isLoaded());
  EXPECT_FALSE(form<Form_weltzeit>().isLoaded());
}

TEST_F(LayoutsTest, StandardArrangementAndFrameSize) {
  apply("men_stand");
  Form& a = form<Form_analyzer>();
  Form_browser& b = form<Form_browser>();
  Form& w = form<Form_weltzeit>();
  EXPECT_EQ(a.height(), 9105);
  EXPECT_EQ(b.height(), a.height() - w.height());
  EXPECT_EQ(b.width(), w.width());
  EXPECT_EQ(a.left(), b.width());
  EXPECT_EQ(w.top(), b.height());
  EXPECT_EQ(twipsToPixels(main->height()), twipsToPixels(a.height() + 900));
  EXPECT_EQ(twipsToPixels(main->width()), twipsToPixels(a.width() + w.width() + 300));
  EXPECT_EQ(b.Browser1()->LocationURL(), folder() + QStringLiteral("\\html\\einleitung.htm"));

  apply("men_pcronly");
  Form& p = form<Form_pcr1000>();
  // Sizes land on whole pixels, as on any screen.
  EXPECT_EQ(twipsToPixels(main->height()), twipsToPixels(p.height() + 760));
  EXPECT_EQ(twipsToPixels(main->width()), twipsToPixels(p.width() + 200));
}

TEST_F(LayoutsTest, PresetTwiceGivesTheSameArrangementAndRestoresStates) {
  apply("men_pcr1000welt");
  std::map<QString, QRect> once;
  for (Form* f : FormRegistry::instance().forms())
    if (f->isLoaded()) once[f->className()] = f->window()->geometry();

  form<Form_browser2>().setWindowState(WindowState::Minimized);
  form<Form_weltzeit>().setWindowState(WindowState::Maximized);
  main->setWindowState(WindowState::Maximized);
  test::settle();
  apply("men_pcr1000welt");
  for (Form* f : {static_cast<Form*>(&form<Form_browser2>()), static_cast<Form*>(&form<Form_weltzeit>()),
                  static_cast<Form*>(main)})
    EXPECT_EQ(f->windowState(), WindowState::Normal) << f->className().toStdString();
  for (const auto& [name, geometry] : once)
    for (Form* f : FormRegistry::instance().forms())
      if (f->className() == name && f->isLoaded()) EXPECT_EQ(f->window()->geometry(), geometry) << name.toStdString();
}

}  // namespace
}  // namespace zelvora
