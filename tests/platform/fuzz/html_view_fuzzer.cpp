// libFuzzer target for the HTML view: the bytes are a page in a program
// folder that also holds a picture, a named pipe, a link to /dev/zero and
// a huge file. The page is shown with its pictures and every link on it is
// followed. Nothing but an http or https address with a host may reach the
// system browser, and no pipe may be opened (it would block for good; a
// device or huge file would show up as a time-out or memory report).

#include "platform/html_view.h"
#include "platform/message_box.h"
#include "support/fuzz_application.h"
#include "support/special_files.h"
#include "support/url_recorder.h"

#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

struct Fixture {
  QString page;
  std::unique_ptr<zelvora::test::PipeReaderWatch> pictureWatch, pageWatch;
  std::unique_ptr<zelvora::test::UrlRecorder> browser;
  std::unique_ptr<zelvora::HtmlView> view;
  // A refused address is told to the user; no dialog may wait here.
  zelvora::RecordingMessageBox messages;
};
Fixture* fixture = nullptr;

[[noreturn]] void fail(const std::string& what) {
  std::cerr << what << std::endl;
  std::abort();
}

QStringList linksOf(const QTextDocument& document) {
  QStringList links;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QString href = it.fragment().charFormat().anchorHref();
      if (!href.isEmpty() && !links.contains(href)) links << href;
    }
  return links;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  const QString html = zelvora::test::startFuzzApplication(argc, argv) + QStringLiteral("/html");
  fixture = new Fixture;
  fixture->page = html + QStringLiteral("/seite.htm");
  QImage dot(4, 4, QImage::Format_RGB32);
  dot.fill(Qt::red);
  if (!dot.save(html + QStringLiteral("/punkt.png")) || !zelvora::test::makeFifo(html + QStringLiteral("/rohr.png")) ||
      !zelvora::test::makeFifo(html + QStringLiteral("/rohr.htm")) ||
      !QFile::link(QStringLiteral("/dev/zero"), html + QStringLiteral("/null.htm")) ||
      !zelvora::test::makeSparseFile(html + QStringLiteral("/riesig.png"), qint64(64) * 1024 * 1024))
    fail("cannot make the program folder");
  QFile other(html + QStringLiteral("/b.htm"));
  if (!other.open(QIODevice::WriteOnly) || other.write("<p><a name=\"anker\">B</a> <img src=\"rohr.png\"></p>") < 0)
    fail("cannot write b.htm");
  fixture->pictureWatch = std::make_unique<zelvora::test::PipeReaderWatch>(html + QStringLiteral("/rohr.png"));
  fixture->pageWatch = std::make_unique<zelvora::test::PipeReaderWatch>(html + QStringLiteral("/rohr.htm"));
  fixture->browser = std::make_unique<zelvora::test::UrlRecorder>();
  fixture->view = std::make_unique<zelvora::HtmlView>();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    QFile page(fixture->page);
    if (!page.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        page.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
      fail("cannot write the page");
  }
  zelvora::HtmlView& view = *fixture->view;
  view.Navigate(fixture->page);
  // Laying the page out loads its pictures and style sheets.
  (void)view.browser()->document()->size();
  int followed = 0;
  for (const QString& href : linksOf(*view.browser()->document())) {
    if (++followed > 8) break;
    emit view.browser()->anchorClicked(QUrl(href));
    (void)view.browser()->document()->size();
  }
  for (const QUrl& url : fixture->browser->opened) {
    const QString scheme = url.scheme().toLower();
    if ((scheme != QLatin1String("http") && scheme != QLatin1String("https")) || url.host().isEmpty())
      fail("handed to the system browser: " + url.toString().toStdString());
  }
  fixture->browser->opened.clear();
  fixture->messages.clear();
  if (fixture->pictureWatch->readerWasBlocked() || fixture->pageWatch->readerWasBlocked())
    fail("a named pipe was opened for reading");
  return 0;
}
