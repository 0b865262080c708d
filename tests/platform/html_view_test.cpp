#include "platform/html_view.h"
#include "support/program_folder_fixture.h"
#include "support/url_recorder.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
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
