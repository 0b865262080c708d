#include "platform/html_view.h"
#include "support/program_folder_fixture.h"
#include "support/special_files.h"
#include "support/url_recorder.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

namespace zelvora {
namespace {

class HtmlViewTest : public test::ProgramFolderTest {
 protected:
  void writePage(const QString& name, const QByteArray& html) {
    QFile f(programPath(QStringLiteral("html/") + name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(html);
  }
  QString pageAddress(const QString& name) const { return folder() + QStringLiteral("\\html\\") + name; }
  QString shownText() const { return view.browser()->toPlainText(); }

  HtmlView view;
};

TEST_F(HtmlViewTest, ShowsLocalPagesFoldersAndAGermanNoticeForMissingPages) {
  writePage(QStringLiteral("seite.htm"), "<html><body><h1>Kurzwelle</h1><p>49-m-Band</p></body></html>");
  view.Navigate(pageAddress(QStringLiteral("seite.htm")));
  EXPECT_EQ(view.LocationURL(), pageAddress(QStringLiteral("seite.htm")));
  EXPECT_TRUE(shownText().contains(QStringLiteral("49-m-Band")));

  view.Navigate(pageAddress(QStringLiteral("fehlt.htm")));
  EXPECT_TRUE(shownText().contains(QStringLiteral("nicht vorhanden"))) << shownText().toStdString();

  view.Navigate(folder() + QStringLiteral("\\html\\"));
  EXPECT_TRUE(shownText().contains(QStringLiteral("seite.htm"))) << "a folder shows its pages";
}

TEST_F(HtmlViewTest, FollowsLocalLinksAndHandsWebLinksToTheSystemBrowser) {
  writePage(QStringLiteral("a.htm"),
            "<html><body><a href=\"b.htm\">weiter</a> <a href=\"https://example.org/x\">web</a></body></html>");
  writePage(QStringLiteral("b.htm"), "<html><body>Seite B</body></html>");
  test::UrlRecorder catcher;
  view.Navigate(pageAddress(QStringLiteral("a.htm")));

  emit view.browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/x")));
  ASSERT_EQ(catcher.opened.size(), 1);
  EXPECT_EQ(catcher.opened[0], QUrl(QStringLiteral("https://example.org/x")));
  EXPECT_FALSE(shownText().contains(QStringLiteral("Seite B"))) << "the web link is not loaded into the view";

  emit view.browser()->anchorClicked(QUrl(QStringLiteral("mailto:redaktion@example.org")));
  emit view.browser()->anchorClicked(QUrl(QStringLiteral("javascript:alert(1)")));
  EXPECT_EQ(catcher.opened.size(), 1) << "other schemes are neither opened nor handed on";

  emit view.browser()->anchorClicked(QUrl(QStringLiteral("b.htm")));
  EXPECT_TRUE(shownText().contains(QStringLiteral("Seite B")));
}

// Users add their own pages: a picture or page that is a device, a pipe or
// a huge file must neither block the program nor eat its memory.
TEST_F(HtmlViewTest, ReadsPagesAndPicturesOnlyFromRegularFilesUpToTheLimit) {
  const QString html = programPath(QStringLiteral("html"));
  ASSERT_TRUE(test::makeFifo(html + QStringLiteral("/rohr.png")));
  ASSERT_TRUE(test::makeFifo(html + QStringLiteral("/rohr.htm")));
  ASSERT_TRUE(test::makeSparseFile(html + QStringLiteral("/riesig.png"), 33 * 1024 * 1024));
  ASSERT_TRUE(test::makeSparseFile(html + QStringLiteral("/riesig.htm"), 33 * 1024 * 1024));
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), html + QStringLiteral("/null.htm")));
  QImage dot(4, 4, QImage::Format_RGB32);
  dot.fill(Qt::red);
  ASSERT_TRUE(dot.save(html + QStringLiteral("/punkt.png")));
  writePage(QStringLiteral("bilder.htm"),
            "<html><body><img src=\"punkt.png\"><img src=\"file:///dev/zero\"><img src=\"/dev/zero\">"
            "<img src=\"rohr.png\"><img src=\"riesig.png\">Bilder</body></html>");
  test::PipeReaderWatch pictureWatch(html + QStringLiteral("/rohr.png"));
  test::PipeReaderWatch pageWatch(html + QStringLiteral("/rohr.htm"));

  view.Navigate(pageAddress(QStringLiteral("bilder.htm")));
  ASSERT_TRUE(shownText().contains(QStringLiteral("Bilder")));
  QTextDocument* document = view.browser()->document();
  const auto picture = [&](const char* src) {
    return document->resource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(src))).value<QPixmap>();
  };
  EXPECT_FALSE(picture("punkt.png").isNull()) << "a picture in a regular file shows";
  for (const char* refused : {"file:///dev/zero", "/dev/zero", "rohr.png", "riesig.png"})
    EXPECT_TRUE(picture(refused).isNull()) << refused << " shows as a missing picture";
  EXPECT_FALSE(pictureWatch.readerWasBlocked()) << "the pipe was opened and would have blocked";

  for (const char* page : {"rohr.htm", "riesig.htm", "null.htm"}) {
    view.Navigate(pageAddress(QString::fromLatin1(page)));
    EXPECT_TRUE(shownText().contains(QStringLiteral("nicht vorhanden"))) << page << ": " << shownText().toStdString();
  }
  EXPECT_FALSE(pageWatch.readerWasBlocked());
}

TEST_F(HtmlViewTest, F5ReloadsAndCtrlFFinds) {
  writePage(QStringLiteral("r.htm"), "<html><body>alt</body></html>");
  view.Navigate(pageAddress(QStringLiteral("r.htm")));
  view.show();
  view.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
  writePage(QStringLiteral("r.htm"), "<html><body>neu und Sender</body></html>");
  QTest::keyClick(view.browser(), Qt::Key_F5);
  EXPECT_TRUE(shownText().contains(QStringLiteral("neu"))) << shownText().toStdString();

  auto* findText = view.findChild<QLineEdit*>(QStringLiteral("findText"));
  ASSERT_NE(findText, nullptr);
  EXPECT_FALSE(findText->isVisibleTo(&view));
  QTest::keyClick(view.browser(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(findText->isVisibleTo(&view));
  QTest::keyClicks(findText, QStringLiteral("Sender"));
  QTest::keyClick(findText, Qt::Key_Return);
  EXPECT_EQ(view.browser()->textCursor().selectedText(), QStringLiteral("Sender"));
  EXPECT_FALSE(view.findNext(QStringLiteral("fehlt")));
}

}  // namespace
}  // namespace zelvora
