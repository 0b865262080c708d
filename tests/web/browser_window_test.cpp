#include "platform/file_list_box.h"
#include "platform/form_registry.h"
#include "platform/html_view.h"
#include "platform/twips.h"
#include "support/program_folder_fixture.h"
#include "support/special_files.h"
#include "web/form_browser.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

namespace zelvora {
namespace {

class BrowserWindowTest : public test::ProgramFolderTest {
 protected:
  // The view's margins in twips: left, right (client width minus right
  // edge) and bottom.
  struct Margins {
    int left, right, bottom, top;
  };
  template <class W>
  Margins margins(W& window, HtmlView* view) {
    const QRect g = view->geometry();
    const int clientW = window.client()->width();
    const int clientH = window.client()->height();
    return {pixelsToTwips(g.x()), pixelsToTwips(clientW - g.right() - 1), pixelsToTwips(clientH - g.bottom() - 1),
            pixelsToTwips(g.y())};
  }
};

TEST_F(BrowserWindowTest, OpenNavigatesToTheSelectedPageOrTheFolderAndKeepsTheSize) {
  auto& window = form<Form_browser>();
  window.show();
  window.setWidth(9000);
  window.setHeight(5985);
  auto* open = window.window()->findChild<QPushButton*>(QStringLiteral("Comm_browsauf"));
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->text(), QStringLiteral("Öffnen"));

  open->click();
  EXPECT_EQ(window.Browser1()->LocationURL(), folder() + QStringLiteral("\\html\\"));

  auto* list = window.window()->findChild<FileListBox*>(QStringLiteral("htmlist"));
  ASSERT_NE(list, nullptr);
  list->setFileName(QStringLiteral("kwinfo.htm"));
  open->click();
  EXPECT_EQ(window.Browser1()->LocationURL(), folder() + QStringLiteral("\\html\\kwinfo.htm"));
  EXPECT_EQ(window.width(), 9000);
  EXPECT_EQ(window.height(), 5985);
}

TEST_F(BrowserWindowTest, ResizeKeepsTheMarginsAndNeverGoesNegative) {
  auto& second = form<Form_browser2>();
  second.show();
  for (auto [w, h] : {std::pair{12000, 9000}, std::pair{5000, 3000}}) {
    second.setWidth(w);
    second.setHeight(h);
    test::settle();
    const Margins m = margins(second, second.Browser2());
    EXPECT_EQ(m.left, 120);
    EXPECT_EQ(m.right, 120);
    EXPECT_EQ(m.bottom, 120);
    EXPECT_EQ(m.top, 600);
  }
  second.setWidth(150);
  second.setHeight(600);
  test::settle();
  EXPECT_EQ(second.Browser2()->width(), 0);
  EXPECT_EQ(second.Browser2()->height(), 0);
}

TEST_F(BrowserWindowTest, MinimizeAndMaximizeEndInTheNormalStateAtThePreviousSize) {
  auto& window = form<Form_browser>();
  window.show();
  window.setWidth(7995);
  window.setHeight(4995);
  test::settle();
  for (WindowState state : {WindowState::Minimized, WindowState::Maximized}) {
    window.setWindowState(state);
    test::settle();
    EXPECT_EQ(window.windowState(), WindowState::Normal);
    EXPECT_EQ(window.width(), 7995);
    EXPECT_EQ(window.height(), 4995);
  }
}

TEST_F(BrowserWindowTest, APickedPageThatIsNoSaneFileShowsTheMissingPageNotice) {
  const QString html = programPath(QStringLiteral("html"));
  ASSERT_TRUE(test::makeSparseFile(html + QStringLiteral("/riesig.htm"), 33 * 1024 * 1024));
  ASSERT_TRUE(test::makeFifo(html + QStringLiteral("/rohr.htm")));
  auto& window = form<Form_browser>();
  window.show();
  auto* list = window.window()->findChild<FileListBox*>(QStringLiteral("htmlist"));
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->findItems(QStringLiteral("rohr.htm"), Qt::MatchExactly).isEmpty()) << "a pipe is not offered";

  list->setFileName(QStringLiteral("riesig.htm"));
  window.window()->findChild<QPushButton*>(QStringLiteral("Comm_browsauf"))->click();
  const QString shown = window.Browser1()->browser()->toPlainText();
  EXPECT_TRUE(shown.contains(QStringLiteral("Seite nicht gefunden"))) << shown.left(200).toStdString();
}

TEST_F(BrowserWindowTest, LoadSetsTheListToTheHtmlPages) {
  auto* list = form<Form_browser2>().window()->findChild<FileListBox*>(QStringLiteral("htmlist2"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->path(), folder() + QStringLiteral("\\html\\"));
  EXPECT_EQ(list->pattern(), QStringLiteral("*.htm*"));
  EXPECT_FALSE(list->findItems(QStringLiteral("frequ-vanto.html"), Qt::MatchExactly).isEmpty());
  EXPECT_FALSE(list->findItems(QStringLiteral("einleitung.htm"), Qt::MatchExactly).isEmpty());
}

TEST_F(BrowserWindowTest, FindAndReloadWorkWhileOpenHasTheFocus) {
  auto& window = form<Form_browser>();
  {
    QFile page(programPath(QStringLiteral("html/kwinfo.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly | QIODevice::Truncate));
    page.write("<html><body>alt</body></html>");
  }
  window.show();
  auto* list = window.window()->findChild<FileListBox*>(QStringLiteral("htmlist"));
  auto* open = window.window()->findChild<QPushButton*>(QStringLiteral("Comm_browsauf"));
  auto* findText = window.window()->findChild<QLineEdit*>(QStringLiteral("findText"));
  ASSERT_TRUE(list && open && findText);
  list->setFileName(QStringLiteral("kwinfo.htm"));
  open->click();
  window.window()->window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.window()->window()));
  open->setFocus();
  ASSERT_TRUE(open->hasFocus());

  {
    QFile page(programPath(QStringLiteral("html/kwinfo.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly | QIODevice::Truncate));
    page.write("<html><body>neu: Sender auf 6075 kHz</body></html>");
  }
  QTest::keyClick(open, Qt::Key_F5);
  EXPECT_TRUE(window.Browser1()->browser()->toPlainText().contains(QStringLiteral("6075")));

  EXPECT_FALSE(findText->isVisible());
  QTest::keyClick(open, Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(findText->isVisible());
  EXPECT_TRUE(findText->hasFocus());
  QTest::keyClicks(findText, QStringLiteral("Sender"));
  QTest::keyClick(findText, Qt::Key_Return);
  EXPECT_EQ(window.Browser1()->browser()->textCursor().selectedText(), QStringLiteral("Sender"));

  // The second window has its own pair; neither disturbs the other.
  auto& second = form<Form_browser2>();
  second.show();
  auto* secondOpen = second.window()->findChild<QPushButton*>(QStringLiteral("Comm_browsauf2"));
  auto* secondFind = second.window()->findChild<QLineEdit*>(QStringLiteral("findText"));
  ASSERT_TRUE(secondOpen && secondFind);
  secondOpen->setFocus();
  QTest::keyClick(secondOpen, Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(secondFind->isVisible());
}

}  // namespace
}  // namespace zelvora
