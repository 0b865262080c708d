#include "app/frm_about.h"
#include "app/frm_tip.h"
#include "platform/form_registry.h"
#include "platform/user_settings.h"
#include "support/program_folder_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace zelvora {
namespace {

class TipWindowTest : public test::ProgramFolderTest {
 protected:
  void SetUp() override {
    ProgramFolderTest::SetUp();
    SaveSetting(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), QStringLiteral("1"));
  }
  void writeTips(const QByteArray& bytes) {
    QFile f(programPath(QStringLiteral("TIPOFDAY.TXT")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }
  QString shownTip() { return form<frmTip>().ui().lblTipText->text(); }
};

TEST_F(TipWindowTest, EveryOpeningAppendsTheFileAndShowsARandomLine) {
  writeTips("Nur ein Tip\r\n");
  auto& tip = form<frmTip>();
  tip.show();
  EXPECT_EQ(shownTip(), QStringLiteral("Nur ein Tip"));
  for (int i = 0; i < 5; ++i) {
    tip.ui().cmdNextTip->click();
    EXPECT_EQ(shownTip(), QStringLiteral("Nur ein Tip"));
  }
  tip.ui().cmdOK->click();
  EXPECT_FALSE(tip.isLoaded());

  writeTips("eins\r\n\r\ndrei\r\n");
  tip.show();
  EXPECT_EQ(tip.tips(), QStringList({QStringLiteral("Nur ein Tip"), QStringLiteral("eins"), QString(),
                                     QStringLiteral("drei")}))
      << "the collection survives the unload; empty lines are tips too";
  EXPECT_EQ(GetSetting(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), {}), QStringLiteral("1"));
}

TEST_F(TipWindowTest, OldWindowsTipsFilesAreRead) {
  writeTips("Gr\xfc\xdf" "e aus der K\xfc" "che \x80\r\n");
  form<frmTip>().show();
  EXPECT_EQ(shownTip(), QStringLiteral("Grüße aus der Küche €"));
}

TEST_F(TipWindowTest, MissingFileExplainsAndEmptyFileShowsNothing) {
  QFile::remove(programPath(QStringLiteral("TIPOFDAY.TXT")));
  form<frmTip>().show();
  EXPECT_EQ(shownTip(), QStringLiteral("Die Datei TIPOFDAY.TXT wurde nicht gefunden? \r\n\r\nTextdatei mit dem Namen "
                                       "TIPOFDAY.TXT unter Verwendung von NotePad mit 1 Tip pro Zeile erstellen. Dann "
                                       "im selben Verzeichnis wie die Anwendung ablegen. "));
  form<frmTip>().unload();

  writeTips("");
  FormRegistry::instance().reset();
  form<frmTip>().show();
  EXPECT_EQ(shownTip(), QString());
}

TEST_F(TipWindowTest, StoredZeroClosesTheWindowWhileLoading) {
  SaveSetting(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), QStringLiteral("0"));
  auto& tip = form<frmTip>();
  tip.show();
  EXPECT_FALSE(tip.isLoaded());
  EXPECT_FALSE(tip.visible());
  EXPECT_EQ(tip.width(), 0) << "a touch finds no window";
}

TEST_F(TipWindowTest, EscAndEnterActAsOkUnlessNextTipHasTheFocus) {
  writeTips("a\r\nb\r\n");
  auto& tip = form<frmTip>();
  tip.show();
  tip.window()->activateWindow();
  tip.ui().cmdNextTip->setFocus();
  QTest::keyClick(tip.ui().cmdNextTip, Qt::Key_Return);
  EXPECT_TRUE(tip.isLoaded()) << "Enter pressed the focused button";
  QTest::keyClick(tip.ui().cmdNextTip, Qt::Key_Escape);
  EXPECT_FALSE(tip.isLoaded());

  tip.show();
  tip.ui().cmdOK->setFocus();
  QTest::keyClick(tip.ui().cmdOK, Qt::Key_Return);
  EXPECT_FALSE(tip.isLoaded());
}

using AboutBoxTest = test::ProgramFolderTest;

TEST_F(AboutBoxTest, ShowsNameVersionAndReportsAMissingSystemInfoProgram) {
  auto& about = form<frmAbout>();
  about.show();
  EXPECT_EQ(about.window()->windowTitle(), QStringLiteral("Info zu Zelvora"));
  EXPECT_EQ(about.ui().lblVersion->text(), QStringLiteral("Version 1.0.0"));
  EXPECT_EQ(about.ui().lblTitle->text(), QStringLiteral("Zelvora"));
  EXPECT_TRUE(about.ui().lblDisclaimer->text().contains(QStringLiteral("Analyzer\n\n")));

  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", folder().toUtf8());
  about.ui().cmdSysInfo->click();
  qputenv("PATH", path);
  EXPECT_EQ(m_messages->texts(), QStringList{QStringLiteral("Systeminformationen sind momentan nicht verfügbar")});

  about.ui().cmdOK->click();
  EXPECT_FALSE(about.isLoaded());
}

}  // namespace
}  // namespace zelvora
