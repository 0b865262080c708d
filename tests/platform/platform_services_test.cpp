#include "platform/clock.h"
#include "platform/file_list_box.h"
#include "platform/key_state.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"
#include "platform/user_settings.h"
#include "platform/web_link.h"
#include "support/no_web_browser.h"
#include "support/program_folder_fixture.h"
#include "support/special_files.h"
#include "support/url_recorder.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimeZone>
#include <QUrl>

namespace zelvora {
namespace {

using test::UrlRecorder;

using PlatformServicesTest = test::ProgramFolderTest;

QString cannotOpen(const QString& address) {
  return QStringLiteral("Die Adresse konnte nicht im Webbrowser geöffnet werden: ") + address;
}

TEST_F(PlatformServicesTest, WebLinksOpenOnlyHttpAndHttps) {
  UrlRecorder recorder;
  EXPECT_TRUE(OpenWebLink(QStringLiteral("http://example.org:8901/")));
  EXPECT_TRUE(OpenWebLink(QStringLiteral("https://example.org/page.php")));
  EXPECT_TRUE(m_messages->shown().empty());
  QStringList expected;
  for (const char* refused : {"file:///etc/passwd", "/usr/bin/xterm", "ftp://example.org/", "mailto:a@b.c",
                              "javascript:alert(1)", "", "http://", "calc.exe"}) {
    EXPECT_FALSE(OpenWebLink(QString::fromLatin1(refused))) << refused;
    expected << cannotOpen(QString::fromLatin1(refused));
  }
  ASSERT_EQ(recorder.opened.size(), 2);
  EXPECT_EQ(recorder.opened[0], QUrl(QStringLiteral("http://example.org:8901/")));
  EXPECT_EQ(m_messages->texts(), expected) << "a refused address is named, not dropped silently";
}

TEST_F(PlatformServicesTest, WebLinkWithoutABrowserSaysSoWithOk) {
  test::NoWebBrowser none;
  const QString address = QStringLiteral("https://example.org/sender?band=49m");
  EXPECT_FALSE(OpenWebLink(address));
  ASSERT_EQ(m_messages->shown().size(), 1u);
  EXPECT_EQ(m_messages->shown()[0].text, cannotOpen(address));
  EXPECT_EQ(m_messages->shown()[0].style & 0x7, MsgOkOnly);
  EXPECT_EQ(m_messages->shown()[0].title, QStringLiteral("Zelvora"));
}

TEST_F(PlatformServicesTest, LinkTableIsReadFromTheProgramFolder) {
  QFile table(programPath(QStringLiteral("weblinks.ini")));
  ASSERT_TRUE(table.open(QIODevice::WriteOnly | QIODevice::Truncate));
  table.write("# comment\nmen_vanto = https://example.org/schedule\n\nother=http://x.example/\n");
  table.close();
  EXPECT_EQ(WebLinkAddress(QStringLiteral("men_vanto")), QStringLiteral("https://example.org/schedule"));
  EXPECT_EQ(WebLinkAddress(QStringLiteral("MEN_VANTO")), QStringLiteral("https://example.org/schedule"));
  EXPECT_EQ(WebLinkAddress(QStringLiteral("missing")), QString());

  ASSERT_TRUE(QFile::remove(programPath(QStringLiteral("weblinks.ini"))));
  ASSERT_TRUE(test::makeFifo(programPath(QStringLiteral("weblinks.ini"))));
  test::PipeReaderWatch watch(programPath(QStringLiteral("weblinks.ini")));
  EXPECT_EQ(WebLinkAddress(QStringLiteral("men_vanto")), QString()) << "a pipe in its place is not waited for";
  EXPECT_FALSE(watch.readerWasBlocked());
}

TEST_F(PlatformServicesTest, MessageBoxesAreRecordedAndAnsweredFromTheScript) {
  m_messages->answerNext(MsgResult::Cancel);
  EXPECT_EQ(MsgBox(QStringLiteral("Programm beenden?"), MsgOkCancel), MsgResult::Cancel);
  EXPECT_EQ(MsgBox(QStringLiteral("Weiter?"), MsgYesNo, QStringLiteral("Titel")), MsgResult::Yes);
  ASSERT_EQ(m_messages->shown().size(), 2u);
  EXPECT_EQ(m_messages->shown()[0].title, QStringLiteral("Zelvora"));
  EXPECT_EQ(m_messages->shown()[0].style, MsgOkCancel);
  EXPECT_EQ(m_messages->shown()[1].title, QStringLiteral("Titel"));
}

TEST_F(PlatformServicesTest, ProgramFolderAndBackslashPaths) {
  EXPECT_EQ(ProgramFolder(), folder());
  qputenv("ZELVORA_PROGRAM_FOLDER", (folder() + QStringLiteral("/")).toUtf8());
  EXPECT_EQ(ProgramFolder(), folder()) << "no trailing separator";
  EXPECT_EQ(NativePath(QStringLiteral("/opt/z\\html\\einleitung.htm")), QStringLiteral("/opt/z/html/einleitung.htm"));
  EXPECT_EQ(NativePath(QStringLiteral("/opt/z\\html\\")), QStringLiteral("/opt/z/html/"));
}

TEST_F(PlatformServicesTest, UserSettingsRoundTrip) {
  EXPECT_EQ(GetSetting(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), QStringLiteral("1")),
            QStringLiteral("1"));
  SaveSetting(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), QStringLiteral("0"));
  EXPECT_EQ(GetSetting(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), QStringLiteral("1")),
            QStringLiteral("0"));
}

TEST_F(PlatformServicesTest, FileListListsMatchingPagesAndKeepsTheSelectionOnRereading) {
  for (const char* name : {"a.htm", "b.html", "c.png", "d.css", "e.HTM"}) {
    QFile f(programPath(QStringLiteral("html/") + QString::fromLatin1(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  FileListBox list;
  list.setPath(folder() + QStringLiteral("\\html\\"));
  list.setPattern(QStringLiteral("*.htm*"));
  QStringList names;
  for (int i = 0; i < list.count(); ++i) names << list.item(i)->text();
  EXPECT_TRUE(names.contains(QStringLiteral("a.htm")));
  EXPECT_TRUE(names.contains(QStringLiteral("b.html")));
  EXPECT_TRUE(names.contains(QStringLiteral("e.HTM")));
  EXPECT_FALSE(names.contains(QStringLiteral("c.png")));
  EXPECT_FALSE(names.contains(QStringLiteral("d.css")));
  EXPECT_EQ(list.fileName(), QString()) << "nothing selected at first";

  list.setFileName(QStringLiteral("b.html"));
  QFile added(programPath(QStringLiteral("html/aa.htm")));
  ASSERT_TRUE(added.open(QIODevice::WriteOnly));
  added.close();
  list.setPath(folder() + QStringLiteral("\\html\\"));
  list.setPattern(QStringLiteral("*.htm*"));
  EXPECT_EQ(list.fileName(), QStringLiteral("b.html"));
  EXPECT_FALSE(list.findItems(QStringLiteral("aa.htm"), Qt::MatchExactly).isEmpty()) << "re-reading lists new files";
}

TEST_F(PlatformServicesTest, KeyStateSeesDownAndPressedSinceLastRead) {
  auto& keys = KeyState::instance();
  QLineEdit field;
  field.show();
  keys.GetAsyncKeyState(Qt::Key_Up);
  EXPECT_EQ(keys.GetAsyncKeyState(Qt::Key_Up), 0);

  QTest::keyPress(&field, Qt::Key_Up);
  EXPECT_EQ(keys.GetAsyncKeyState(Qt::Key_Up), 0x8001);
  EXPECT_EQ(keys.GetAsyncKeyState(Qt::Key_Up), 0x8000) << "the pressed mark is cleared by the read";
  QTest::keyRelease(&field, Qt::Key_Up);
  EXPECT_EQ(keys.GetAsyncKeyState(Qt::Key_Up), 0);

  QTest::keyClick(&field, Qt::Key_Pause);
  EXPECT_EQ(keys.GetAsyncKeyState(Qt::Key_Pause), 1) << "pressed and released since the last read";
  QTest::keyClick(&field, Qt::Key_Enter);
  EXPECT_EQ(keys.GetAsyncKeyState(Qt::Key_Return), 1) << "both Enter keys count as Enter";
}

TEST_F(PlatformServicesTest, ClockCanBeSet) {
  const QDateTime instant(QDate(2026, 3, 1), QTime(0, 10), QTimeZone::utc());
  Clock::set(instant);
  EXPECT_EQ(Clock::nowUtc(), instant);
  EXPECT_EQ(Clock::nowUtc().timeSpec(), Qt::UTC);
  EXPECT_EQ(Clock::nowLocal().toUTC(), instant);
  Clock::reset();
  EXPECT_LT(qAbs(Clock::nowUtc().secsTo(QDateTime::currentDateTimeUtc())), 5);
}

}  // namespace
}  // namespace zelvora
