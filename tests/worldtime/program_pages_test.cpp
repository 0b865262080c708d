#include "platform/html_view.h"
#include "support/program_folder_fixture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBrowser>

namespace zelvora {
namespace {

class ProgramPagesTest : public test::ProgramFolderTest {
 protected:
  QString read(const QString& relative) {
    QFile file(programPath(relative));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relative.toStdString();
    return QString::fromUtf8(file.readAll());
  }
};

TEST_F(ProgramPagesTest, PagesShowInTheBrowserAndTheirLocalLinksLeadToPages) {
  const QDir html(programPath(QStringLiteral("html")));
  const QRegularExpression localLink(QStringLiteral("href=\"(?!https?:)([^\"#]+)\""));
  for (const char* name : {"einleitung.htm", "frequ-vanto.html", "vanto-codes.html", "kwinfo.htm"}) {
    const QString page = QString::fromLatin1(name);
    HtmlView view;
    view.Navigate(folder() + QStringLiteral("\\html\\") + page);
    EXPECT_FALSE(view.browser()->documentTitle().isEmpty()) << name;
    EXPECT_GT(view.browser()->toPlainText().size(), 2000) << name;
    for (const auto& match : localLink.globalMatch(read(QStringLiteral("html/") + page)))
      EXPECT_TRUE(html.exists(match.captured(1))) << name << " -> " << match.captured(1).toStdString();
  }
}

TEST_F(ProgramPagesTest, FrequencyListNamesItsBroadcastPeriod) {
  const QString list = read(QStringLiteral("html/frequ-vanto.html"));
  EXPECT_TRUE(list.contains(QRegularExpression(QStringLiteral("Sendeperiode [AB]\\d\\d"))));
}

TEST_F(ProgramPagesTest, TipsAreUtf8LinesWithoutEmptyOnes) {
  QFile file(programPath(QStringLiteral("TIPOFDAY.TXT")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(file.readAll());
  EXPECT_FALSE(utf8.hasError());
  const QStringList tips = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  EXPECT_GE(tips.size(), 20);
  // An empty line would show as an empty tip.
  EXPECT_FALSE(text.contains(QStringLiteral("\n\n")));
}

}  // namespace
}  // namespace zelvora
