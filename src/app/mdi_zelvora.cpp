#include "app/mdi_zelvora.h"

#include "analyzer/form_analyzer.h"
#include "app/artwork.h"
#include "app/frm_about.h"
#include "app/frm_splash.h"
#include "app/layouts.h"
#include "logbook/form_frequenzliste2.h"
#include "platform/classic_timer.h"
#include "platform/form_registry.h"
#include "platform/html_view.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"
#include "platform/web_link.h"
#include "receiver/form_pcr1000.h"
#include "web/form_browser.h"
#include "worldtime/form_weltzeit.h"
#include "worldtime/world_map.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include <functional>

namespace zelvora {
namespace {

struct MenuItem {
  const char* name;
  QString caption;
  std::function<void()> action;
};

void openLink(const char* name) { OpenWebLink(WebLinkAddress(QString::fromLatin1(name))); }

QString pagePath(const char* page) { return ProgramFolder() + QString::fromUtf8(page); }

}  // namespace

MDIzelvora::MDIzelvora() : Form(QStringLiteral("MDIzelvora"), QStringLiteral("Zelvora"), {15360, 11520}) {}

QMdiArea* MDIzelvora::mdiArea() {
  load();
  return m_area;
}

QWidget* MDIzelvora::createWindow(QWidget* client) {
  auto* window = new QMainWindow;
  window->setCentralWidget(client);
  window->setWindowIcon(ProgramIcon());
  buildMenus(window);
  return window;
}

void MDIzelvora::createControls(QWidget* client) {
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  m_area = new QMdiArea(client);
  m_area->setObjectName(QStringLiteral("MDIClient"));
  m_area->setBackground(FrameBackground());
  m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  layout->addWidget(m_area);
}

void MDIzelvora::buildMenus(QWidget* window) {
  // "&" only underlines the access key (Alt+letter); the captions read as
  // without it.
  QMenuBar* bar = static_cast<QMainWindow*>(window)->menuBar();
  const auto addMenu = [&](const char* name, const QString& caption, const std::vector<MenuItem>& items) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    for (const MenuItem& item : items) {
      QAction* action = menu->addAction(item.caption);
      action->setObjectName(QString::fromLatin1(item.name));
      QObject::connect(action, &QAction::triggered, window, item.action);
    }
    return menu;
  };

  addMenu("men_ansicht", QStringLiteral("&Ansichten"),
          {{"men_stand", QStringLiteral("Standard"), LayoutStandard},
           {"men_weltkarte", QStringLiteral("Weltkarte"), LayoutWorldMap},
           {"men_spek", QStringLiteral("Spektrum"), LayoutSpectrum},
           {"men_logwelt", QStringLiteral("Logbuch + Weltzeit"), LayoutLogbookClock},
           {"men_vantozwei", QStringLiteral("HTML + Logbuch"), LayoutHtmlLogbook},
           {"men_2brows", QStringLiteral("2 Browser"), LayoutTwoBrowsers},
           {"men_min", QStringLiteral("Minimal"), LayoutMinimal},
           {"men_pcronly", QStringLiteral("PCR1000"), LayoutPcrOnly},
           {"men_pcrfrequliste", QStringLiteral("PCR1000 + Logbuch"), LayoutPcrLogbook},
           {"men_pcranalyzer", QStringLiteral("PCR1000 + Spektrum"), LayoutPcrSpectrum},
           {"men_pcr1000welt", QStringLiteral("PCR1000 + Weltkarte"), LayoutPcrWorldMap}});

  addMenu("men_extern", QStringLiteral("&Externe Links"),
          {{"men_vanto", QStringLiteral("Vanto Frequenzen"), [] { openLink("men_vanto"); }},
           {"men_sdr_twente", QStringLiteral("KW SDR Twente"), [] { openLink("men_sdr_twente"); }},
           {"men_lumbra", QStringLiteral("2m SDR Lumbra"), [] { openLink("men_lumbra"); }},
           {"men_esa", QStringLiteral("WX Esa"), [] { openLink("men_esa"); }},
           {"men_websdrall", QStringLiteral("WebSDR.org (alle)"), [] { openLink("men_websdrall"); }},
           {"men_swinfo", QStringLiteral("Short-Wave.info"), [] { openLink("men_swinfo"); }},
           {"men_mwlist", QStringLiteral("Mittelwelle Frequenzen"), [] { openLink("men_mwlist"); }},
           {"men_lwlist", QStringLiteral("Langwelle Frequenzen"), [] { openLink("men_lwlist"); }},
           {"men_vlflist", QStringLiteral("VLF Frequenzen"), [] { openLink("men_vlflist"); }}});

  addMenu("men_zus", QStringLiteral("&Zusatzfenster"),
          {{"men_browser", QStringLiteral("HTML Browser1"),
            [] {
              form<Form_browser>().Browser1()->Navigate(pagePath("\\html\\frequ-vanto.html"));
              form<Form_browser>().show();
            }},
           {"men_browser2", QStringLiteral("HTML Browser2"),
            [] {
              form<Form_browser2>().Browser2()->Navigate(pagePath("\\html\\vanto-codes.html"));
              form<Form_browser2>().show();
            }},
           {"men_pcrfrequ", QStringLiteral("Excel Browser"), [] { form<Form_frequenzliste2>().show(); }},
           {"men_spektrum", QStringLiteral("Spektrum Analyzer"), [] { form<Form_analyzer>().show(); }},
           {"men_weltz", QStringLiteral("Weltzeit"), [] { form<Form_weltzeit>().show(); }},
           {"men_welt", QStringLiteral("Weltkarte"), ShowWorldMap},
           {"men_pcr1000", QStringLiteral("PCR1000"), [] { form<Form_pcr1000>().show(); }}});

  QMenu* windows = addMenu("men_fenster", QStringLiteral("&Fensterliste"), {});
  QObject::connect(windows, &QMenu::aboutToShow, window, [this, windows] { fillWindowList(windows); });

  QAction* about = bar->addAction(QStringLiteral("&Über"));
  about->setObjectName(QStringLiteral("men_ueber"));
  QObject::connect(about, &QAction::triggered, window, [] { form<frmAbout>().show(); });

  QAction* exit = bar->addAction(QStringLiteral("&Beenden"));
  exit->setObjectName(QStringLiteral("men_ende"));
  QObject::connect(exit, &QAction::triggered, window, [this] { men_ende_Click(); });
}

void MDIzelvora::fillWindowList(QMenu* menu) {
  menu->clear();
  QMdiSubWindow* active = m_area->activeSubWindow();
  for (QMdiSubWindow* sub : m_area->subWindowList()) {
    if (sub->isHidden() || sub->windowTitle().isEmpty()) continue;
    QAction* entry = menu->addAction(sub->windowTitle());
    entry->setCheckable(true);
    entry->setChecked(sub == active);
    QObject::connect(entry, &QAction::triggered, m_area, [area = m_area, sub] { area->setActiveSubWindow(sub); });
  }
}

QSize MDIzelvora::decorationPixels() const {
  auto* main = qobject_cast<QMainWindow*>(m_area ? m_area->window() : nullptr);
  return {0, main ? main->menuBar()->sizeHint().height() : 0};
}

QAction* MDIzelvora::menuItem(const QString& name) { return window()->findChild<QAction*>(name); }

void MDIzelvora::Form_Load() {
  form<Form_browser>().Browser1()->Navigate(pagePath("\\html\\frequ-vanto.html"));
  form<Form_browser>().Browser1()->setTheaterMode(false);
  form<Form_browser2>().Browser2()->setTheaterMode(false);
  form<Form_browser>().Browser1()->setResizable(true);
  form<Form_browser2>().Browser2()->setResizable(true);
  LayoutStandard();
  form<Form_analyzer>().Timer1()->setInterval(1000);
  form<Form_browser>().show();
  form<Form_browser2>().hide();
  form<Form_weltzeit>().show();
  form<Form_analyzer>().show();
  form<frmSplash>().show();
}

void MDIzelvora::men_ende_Click() {
  if (MsgBox(QStringLiteral("Programm beenden?"), MsgOkCancel, QStringLiteral("Zelvora")) == MsgResult::Ok) unload();
}

void MDIzelvora::Form_Unload() {
  // The child windows are unloaded by then; the program ends with the frame.
  QCoreApplication::quit();
}

}  // namespace zelvora
