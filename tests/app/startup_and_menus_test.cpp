#include "analyzer/form_analyzer.h"
#include "app/frm_about.h"
#include "app/frm_splash.h"
#include "app/mdi_zelvora.h"
#include "app/start.h"
#include "logbook/form_frequenzliste2.h"
#include "platform/classic_timer.h"
#include "platform/form_registry.h"
#include "platform/html_view.h"
#include "platform/web_link.h"
#include "receiver/form_pcr1000.h"
#include "support/no_web_browser.h"
#include "support/program_folder_fixture.h"
#include "support/url_recorder.h"
#include "web/form_browser.h"
#include "worldtime/form_weltzeit.h"

#include "platform/clock.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimeZone>
#include <QTimer>

#include <map>

namespace zelvora {
namespace {

struct WindowSnapshot {
  bool loaded;
  bool visible;
  QRect geometry;
  bool operator==(const WindowSnapshot&) const = default;
};

class StartupTest : public test::ProgramFolderTest {
 protected:
  void SetUp() override {
    ProgramFolderTest::SetUp();
    main = &start();
    test::settle();
  }

  void trigger(const char* item) {
    QAction* action = main->menuItem(QString::fromLatin1(item));
    ASSERT_NE(action, nullptr) << item;
    action->trigger();
    test::settle();
  }

  // Every window's state, read without loading anything.
  std::map<QString, WindowSnapshot> snapshot() const {
    std::map<QString, WindowSnapshot> all;
    for (Form* f : FormRegistry::instance().forms()) {
      WindowSnapshot s{f->isLoaded(), false, {}};
      if (s.loaded) {
        s.visible = !f->window()->isHidden();
        s.geometry = f->window()->geometry();
      }
      all[f->className()] = s;
    }
    return all;
  }

  QString page(const char* relative) const { return folder() + QString::fromUtf8(relative); }

  MDIzelvora* main = nullptr;
};

TEST_F(StartupTest, StartUpShowsTheStandardWindowsWithTheSplashInFront) {
  EXPECT_EQ(main->window()->windowTitle(), QStringLiteral("Zelvora"));
  EXPECT_TRUE(main->visible());
  for (Form* shown : std::initializer_list<Form*>{&form<Form_browser>(), &form<Form_weltzeit>(), &form<Form_analyzer>(),
                                                  &form<frmSplash>()})
    EXPECT_TRUE(shown->visible()) << shown->className().toStdString();
  EXPECT_FALSE(form<Form_pcr1000>().isLoaded()) << "the standard layout unloads the receiver panel";
  EXPECT_FALSE(form<Form_browser2>().visible());
  EXPECT_FALSE(form<Form_frequenzliste2>().visible());

  EXPECT_EQ(main->mdiArea()->activeSubWindow(), form<frmSplash>().window());
  EXPECT_EQ(form<Form_browser>().Browser1()->LocationURL(), page("\\html\\einleitung.htm"));
  EXPECT_EQ(form<Form_browser>().Browser1()->TheaterMode(), false);
  EXPECT_EQ(form<Form_browser2>().Browser2()->Resizable(), true);
  EXPECT_EQ(form<Form_analyzer>().Timer1()->interval(), 1000);
  EXPECT_FALSE(form<Form_analyzer>().Timer1()->enabled());
  EXPECT_TRUE(m_messages->shown().empty());
}

TEST_F(StartupTest, MenuItemsShowTheirWindowAndNothingElse) {
  Form_browser& browser = form<Form_browser>();
  browser.Browser1()->Navigate(page("\\html\\kwinfo.htm"));
  browser.hide();
  trigger("men_browser");
  EXPECT_EQ(browser.Browser1()->LocationURL(), page("\\html\\frequ-vanto.html"));
  EXPECT_TRUE(browser.visible());

  trigger("men_browser2");
  EXPECT_EQ(form<Form_browser2>().Browser2()->LocationURL(), page("\\html\\vanto-codes.html"));
  EXPECT_TRUE(form<Form_browser2>().visible());

  // "PCR1000" under "Zusatzfenster" loads and shows the panel, moving nothing.
  auto before = snapshot();
  trigger("men_pcr1000");
  auto after = snapshot();
  EXPECT_TRUE(form<Form_pcr1000>().visible());
  for (const auto& [name, state] : before)
    if (name != QLatin1String("Form_pcr1000") && state.loaded)
      EXPECT_EQ(after[name].geometry, state.geometry) << name.toStdString();

  for (auto [item, window] : std::initializer_list<std::pair<const char*, Form*>>{
           {"men_pcrfrequ", &form<Form_frequenzliste2>()},
           {"men_spektrum", &form<Form_analyzer>()},
           {"men_weltz", &form<Form_weltzeit>()},
           {"men_ueber", &form<frmAbout>()}}) {
    if (window->isLoaded()) window->hide();
    trigger(item);
    EXPECT_TRUE(window->visible()) << item;
    EXPECT_EQ(main->mdiArea()->activeSubWindow(), window->window()) << item;
  }
}

TEST_F(StartupTest, WorldMapItemLoadsTheHoursPageAndShowsTheBrowser) {
  Clock::set(QDateTime(QDate(2026, 7, 15), QTime(14, 30), QTimeZone::utc()));
  form<Form_browser>().hide();
  trigger("men_welt");
  EXPECT_EQ(form<Form_browser>().Browser1()->LocationURL(), page("\\zeitzonen\\weltkarteS14.htm"));
  EXPECT_TRUE(form<Form_browser>().visible());
}

TEST_F(StartupTest, EachExternalLinkOpensItsTableAddressOnce) {
  test::UrlRecorder browser;
  const char* items[] = {"men_vanto",     "men_sdr_twente", "men_lumbra",  "men_esa",    "men_websdrall",
                         "men_swinfo",    "men_mwlist",     "men_lwlist",  "men_vlflist"};
  auto before = snapshot();
  for (const char* item : items) {
    browser.opened.clear();
    trigger(item);
    ASSERT_EQ(browser.opened.size(), 1) << item;
    const QString address = WebLinkAddress(QString::fromLatin1(item));
    EXPECT_EQ(browser.opened[0], QUrl(address)) << item;
    EXPECT_TRUE(address.startsWith(QLatin1String("http"))) << item;
  }
  EXPECT_EQ(snapshot(), before) << "a link changes no window";
  EXPECT_TRUE(WebLinkAddress(QStringLiteral("men_mwlist")).endsWith(QLatin1String("/mwlist_quick_and_easy.php")));
  EXPECT_TRUE(WebLinkAddress(QStringLiteral("men_vlflist")).endsWith(QLatin1String("/vlf.php")));
  EXPECT_TRUE(WebLinkAddress(QStringLiteral("men_lwlist")).endsWith(QLatin1String("/wiki/Langwellenrundfunk")));
  EXPECT_EQ(QUrl(WebLinkAddress(QStringLiteral("men_sdr_twente"))).port(), 8901);
  EXPECT_EQ(QUrl(WebLinkAddress(QStringLiteral("men_lumbra"))).port(), 8901);
}

TEST_F(StartupTest, LinksWithoutABrowserNameTheirAddress) {
  test::NoWebBrowser none;
  trigger("men_vanto");
  form<Form_analyzer>().ui().ComSIG->click();
  const QString cannot = QStringLiteral("Die Adresse konnte nicht im Webbrowser geöffnet werden: ");
  EXPECT_EQ(m_messages->texts(), (QStringList{cannot + WebLinkAddress(QStringLiteral("men_vanto")),
                                              cannot + WebLinkAddress(QStringLiteral("ComSIG"))}));
}

TEST_F(StartupTest, ExitAsksAndCancelLeavesEverythingAsItWas) {
  auto before = snapshot();
  m_messages->answerNext(MsgResult::Cancel);
  trigger("men_ende");
  ASSERT_EQ(m_messages->shown().size(), 1u);
  EXPECT_EQ(m_messages->shown()[0].text, QStringLiteral("Programm beenden?"));
  EXPECT_EQ(m_messages->shown()[0].title, QStringLiteral("Zelvora"));
  EXPECT_EQ(m_messages->shown()[0].style & 0x7, MsgOkCancel);
  EXPECT_EQ(snapshot(), before);

  m_messages->answerNext(MsgResult::Ok);
  trigger("men_ende");
  for (Form* f : FormRegistry::instance().forms()) EXPECT_FALSE(f->isLoaded()) << f->className().toStdString();
}

TEST_F(StartupTest, CloseBoxEndsWithoutAsking) {
  main->window()->close();
  test::settle();
  EXPECT_TRUE(m_messages->shown().empty());
  for (Form* f : FormRegistry::instance().forms()) EXPECT_FALSE(f->isLoaded()) << f->className().toStdString();
}

TEST_F(StartupTest, QuittingOtherwiseStillUnloadsEveryWindow) {
  form<Form_pcr1000>().show();
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  QCoreApplication::exec();
  EXPECT_TRUE(FormRegistry::instance().forms().empty()) << "every window was unloaded and forgotten";
}

TEST_F(StartupTest, MenuBarCarriesEveryItemWithItsCaption) {
  const std::pair<const char*, const char*> items[] = {
      {"men_stand", "Standard"},       {"men_weltkarte", "Weltkarte"},          {"men_spek", "Spektrum"},
      {"men_logwelt", "Logbuch + Weltzeit"}, {"men_vantozwei", "HTML + Logbuch"}, {"men_2brows", "2 Browser"},
      {"men_min", "Minimal"},          {"men_pcronly", "PCR1000"},              {"men_pcrfrequliste", "PCR1000 + Logbuch"},
      {"men_pcranalyzer", "PCR1000 + Spektrum"}, {"men_pcr1000welt", "PCR1000 + Weltkarte"},
      {"men_vanto", "Vanto Frequenzen"}, {"men_sdr_twente", "KW SDR Twente"}, {"men_lumbra", "2m SDR Lumbra"},
      {"men_esa", "WX Esa"},           {"men_mwlist", "Mittelwelle Frequenzen"}, {"men_lwlist", "Langwelle Frequenzen"},
      {"men_vlflist", "VLF Frequenzen"}, {"men_browser", "HTML Browser1"},    {"men_browser2", "HTML Browser2"},
      {"men_pcrfrequ", "Excel Browser"}, {"men_spektrum", "Spektrum Analyzer"}, {"men_weltz", "Weltzeit"},
      {"men_welt", "Weltkarte"},       {"men_pcr1000", "PCR1000"},              {"men_ueber", "Über"},
      {"men_ende", "Beenden"},         {"men_ansicht", "Ansichten"},            {"men_extern", "Externe Links"},
      {"men_zus", "Zusatzfenster"},    {"men_fenster", "Fensterliste"}};
  for (auto [name, caption] : items) {
    QAction* action = main->menuItem(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    // The menu bar's "&" marks an access key and is not shown.
    EXPECT_EQ(QString(action->text()).remove(QLatin1Char('&')), QString::fromUtf8(caption)) << name;
  }
  EXPECT_TRUE(main->menuItem(QStringLiteral("men_websdrall"))->text().endsWith(QLatin1String(" (alle)")));
}

TEST_F(StartupTest, WindowListActivatesTheChosenWindow) {
  auto* menu = main->window()->findChild<QMenu*>(QStringLiteral("men_fenster"));
  ASSERT_NE(menu, nullptr);
  emit menu->aboutToShow();
  QStringList captions;
  for (QAction* a : menu->actions()) captions << a->text();
  EXPECT_TRUE(captions.contains(QStringLiteral("Browser")));
  EXPECT_TRUE(captions.contains(QStringLiteral("Weltzeit")));
  EXPECT_FALSE(captions.contains(QStringLiteral("Browser2"))) << "hidden windows are not listed";

  for (QAction* a : menu->actions())
    if (a->text() == QLatin1String("Weltzeit")) a->trigger();
  EXPECT_EQ(main->mdiArea()->activeSubWindow(), form<Form_weltzeit>().window());
}

TEST_F(StartupTest, SplashClosesAfterFiveSecondsOrOnAKey) {
  auto* timer = form<frmSplash>().window()->findChild<ClassicTimer*>(QStringLiteral("Timer_intro"));
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), 5000);
  EXPECT_TRUE(timer->enabled());
  timer->fire();
  EXPECT_FALSE(form<frmSplash>().isLoaded());

  form<frmSplash>().show();
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  QCoreApplication::sendEvent(form<frmSplash>().client(), &key);
  EXPECT_FALSE(form<frmSplash>().isLoaded());
}

}  // namespace
}  // namespace zelvora
