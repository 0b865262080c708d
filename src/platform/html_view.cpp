#include "platform/html_view.h"

#include "platform/program_folder.h"
#include "platform/regular_file.h"
#include "platform/web_link.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace zelvora {
namespace {

QString noticePage(const QString& title, const QString& text) {
  return QStringLiteral("<html><body><h3>%1</h3><p>%2</p></body></html>")
      .arg(title.toHtmlEscaped(), text.toHtmlEscaped());
}

QString folderPage(const QDir& dir) {
  QString rows;
  const auto entries = dir.entryInfoList({QStringLiteral("*.htm*")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
  for (const QFileInfo& entry : entries)
    rows += QStringLiteral("<li><a href=\"%1\">%2</a></li>")
                .arg(QUrl::fromLocalFile(entry.absoluteFilePath()).toString(QUrl::FullyEncoded),
                     entry.fileName().toHtmlEscaped());
  if (rows.isEmpty()) rows = QStringLiteral("<li>Keine Seiten in diesem Ordner.</li>");
  return QStringLiteral("<html><body><h3>Inhalt von %1</h3><ul>%2</ul></body></html>")
      .arg(QDir::toNativeSeparators(dir.absolutePath()).toHtmlEscaped(), rows);
}

// Reads pages, pictures and style sheets only from regular local files
// (ReadRegularFile). Anything refused or missing comes back as no data,
// never as "not loaded": the document would then read the file itself.
class LocalFileBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

  QVariant loadResource(int type, const QUrl& name) override {
    const QUrl url = source().resolved(name);
    const QString scheme = url.scheme().toLower();
    // Inline data is decoded by the document; the program's own built-in
    // resources are safe to read.
    if (scheme == QLatin1String("data")) return {};
    if (scheme == QLatin1String("qrc")) return QTextBrowser::loadResource(type, name);
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isAbsolute())
      if (auto bytes = ReadRegularFile(url.toLocalFile())) return *bytes;
    return QByteArray();
  }
};

}  // namespace

HtmlView::HtmlView(QWidget* parent) : QWidget(parent) {
  m_browser = new LocalFileBrowser(this);
  m_browser->setObjectName(QStringLiteral("view"));
  m_browser->setOpenLinks(false);
  connect(m_browser, &QTextBrowser::anchorClicked, this, &HtmlView::followLink);

  m_findBar = new QWidget(this);
  m_findBar->setObjectName(QStringLiteral("findBar"));
  auto* barLayout = new QHBoxLayout(m_findBar);
  barLayout->setContentsMargins(2, 2, 2, 2);
  barLayout->addWidget(new QLabel(QStringLiteral("Suchen:"), m_findBar));
  m_findText = new QLineEdit(m_findBar);
  m_findText->setObjectName(QStringLiteral("findText"));
  barLayout->addWidget(m_findText, 1);
  auto* previous = new QToolButton(m_findBar);
  previous->setText(QStringLiteral("Zurück"));
  auto* next = new QToolButton(m_findBar);
  next->setText(QStringLiteral("Weiter"));
  auto* close = new QToolButton(m_findBar);
  close->setText(QStringLiteral("×"));
  close->setToolTip(QStringLiteral("Suche schließen (Esc)"));
  m_findStatus = new QLabel(m_findBar);
  barLayout->addWidget(previous);
  barLayout->addWidget(next);
  barLayout->addWidget(m_findStatus);
  barLayout->addWidget(close);
  m_findBar->hide();
  connect(m_findText, &QLineEdit::returnPressed, this, [this] { findNext(m_findText->text()); });
  connect(next, &QToolButton::clicked, this, [this] { findNext(m_findText->text()); });
  connect(previous, &QToolButton::clicked, this, [this] { findNext(m_findText->text(), true); });
  connect(close, &QToolButton::clicked, m_findBar, &QWidget::hide);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_findBar);
  layout->addWidget(m_browser, 1);

  setShortcutScope(this);
}

void HtmlView::setShortcutScope(QWidget* scope) {
  // One pair only: two scopes nested in each other would make each key
  // ambiguous and neither would fire.
  delete m_findShortcut;
  delete m_reloadShortcut;
  m_findShortcut = new QShortcut(QKeySequence::Find, scope, this, &HtmlView::openFindBar, Qt::WidgetWithChildrenShortcut);
  m_findShortcut->setObjectName(QStringLiteral("findShortcut"));
  m_reloadShortcut =
      new QShortcut(QKeySequence(Qt::Key_F5), scope, this, &HtmlView::Refresh, Qt::WidgetWithChildrenShortcut);
  m_reloadShortcut->setObjectName(QStringLiteral("reloadShortcut"));
}

void HtmlView::Navigate(const QString& address) {
  m_location = address;
  const QString path = NativePath(address);
  const QFileInfo info(path);
  if (info.isDir()) {
    m_browser->setHtml(folderPage(QDir(path)));
  } else if (info.isReadable() && IsRegularFileWithinLimit(info.absoluteFilePath())) {
    const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    // setSource on the address already shown would not read it again.
    if (m_browser->source() == url)
      m_browser->reload();
    else
      m_browser->setSource(url);
  } else {
    m_browser->setHtml(noticePage(QStringLiteral("Seite nicht gefunden"),
                                  QStringLiteral("Die Seite „%1“ ist nicht vorhanden.").arg(QDir::toNativeSeparators(path))));
  }
}

void HtmlView::Refresh() {
  if (!m_location.isEmpty()) Navigate(m_location);
}

void HtmlView::followLink(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
    OpenWebLink(url.toString());
    return;
  }
  const QUrl current = m_browser->source();
  const QUrl target = current.resolved(url);
  // mailto:, javascript: and the like are not opened.
  if (!target.isLocalFile()) return;
  if (target.adjusted(QUrl::RemoveFragment) != current.adjusted(QUrl::RemoveFragment)) Navigate(target.toLocalFile());
  if (target.hasFragment()) m_browser->scrollToAnchor(target.fragment());
}

void HtmlView::openFindBar() {
  m_findBar->show();
  m_findText->setFocus();
  m_findText->selectAll();
}

bool HtmlView::findNext(const QString& text, bool backwards) {
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags flags = backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  bool found = m_browser->find(text, flags);
  if (!found) {
    // Wrap around once from the other end.
    QTextCursor cursor = m_browser->textCursor();
    cursor.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
    m_browser->setTextCursor(cursor);
    found = m_browser->find(text, flags);
  }
  m_findStatus->setText(found ? QString() : QStringLiteral("nicht gefunden"));
  return found;
}

void HtmlView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && m_findBar->isVisible()) {
    m_findBar->hide();
    m_browser->setFocus();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace zelvora
