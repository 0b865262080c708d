#include "web/browser_window.h"

#include "platform/file_list_box.h"
#include "platform/html_view.h"
#include "platform/program_folder.h"
#include "platform/twips.h"

#include <QLabel>
#include <QPushButton>

namespace zelvora {
namespace {

constexpr int kViewLeft = 120;
constexpr int kViewTop = 600;

QString htmlFolder() { return ProgramFolder() + QStringLiteral("\\html\\"); }

}  // namespace

BrowserWindow::BrowserWindow(Design design)
    : FormOf(design.className, design.caption, design.client), m_design(std::move(design)) {}

void BrowserWindow::buildControls(BrowserControls& c, QWidget* client) {
  c.fileList = new FileListBox(client);
  c.fileList->setObjectName(m_design.listName);
  placeTwips(c.fileList, 120, 30, 2175, 480);

  c.openButton = new QPushButton(QStringLiteral("Öffnen"), client);
  c.openButton->setObjectName(m_design.buttonName);
  placeTwips(c.openButton, 2400, 120, 1455, 375);
  QObject::connect(c.openButton, &QPushButton::clicked, client, [this] { OpenButton_Click(); });

  c.label = new QLabel(QStringLiteral("Suche mit Strg-F ... aktualisieren mit F5"), client);
  c.label->setObjectName(m_design.labelName);
  placeTwips(c.label, 4080, 240, m_design.labelWidth, 255);

  c.view = new HtmlView(client);
  c.view->setObjectName(m_design.viewName);
  placeTwips(c.view, kViewLeft, kViewTop, m_design.view.width(), m_design.view.height());
  // The label announces find and reload for the window, not only for a
  // focused page: "Öffnen" keeps the focus after a page is opened.
  c.view->setShortcutScope(client);
}

void BrowserWindow::applyFolderAndPattern() {
  ui().fileList->setPath(htmlFolder());
  ui().fileList->setPattern(QStringLiteral("*.htm*"));
}

void BrowserWindow::Form_Load() { applyFolderAndPattern(); }

void BrowserWindow::OpenButton_Click() {
  const double keptWidth = width();
  const double keptHeight = height();
  applyFolderAndPattern();
  ui().view->Navigate(htmlFolder() + ui().fileList->fileName());
  setWidth(keptWidth);
  setHeight(keptHeight);
}

void BrowserWindow::Form_Resize() {
  // The browser windows never stay minimized or maximized; changing the
  // state raises this handler again in the normal state.
  if (windowState() == WindowState::Minimized) {
    setWindowState(WindowState::Normal);
    return;
  }
  if (windowState() == WindowState::Maximized) {
    setWindowState(WindowState::Normal);
    return;
  }
  // The view keeps one Left of margin left, right and below; a client area
  // smaller than the margins leaves it at zero size.
  HtmlView* view = ui().view;
  const double viewWidth = std::max(0.0, scaleWidth() - 2 * kViewLeft);
  const double viewHeight = std::max(0.0, scaleHeight() - 6 * kViewLeft);
  placeTwips(view, kViewLeft, kViewTop, viewWidth, viewHeight);
}

}  // namespace zelvora
