#include "logbook_test_files.h"
#include "logbook_window_fixture.h"
#include "platform/clock.h"
#include "platform/twips.h"
#include "receiver/form_pcr1000.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QScrollBar>
#include <QTest>
#include <QTimeZone>
#include <QUrl>

namespace zelvora {
namespace {

using namespace test;

TEST_F(LogbookWindowTest, LoadOpensTheDefaultLogbook) {
  logbook().load();
  EXPECT_TRUE(m_messages->texts().isEmpty()) << m_messages->texts().join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(grid()->caption(), QStringLiteral("logbuch-kw.xls"));
  EXPECT_EQ(logbook().caption(), QStringLiteral("Logbuch"));
  EXPECT_EQ(grid()->columnCount(), 10);
  ASSERT_GE(table()->recordCount(), 3);
  EXPECT_EQ(table()->fieldName(0), QStringLiteral("Frequenz"));
  EXPECT_EQ(grid()->cellText(0, 0), QStringLiteral("6.0050"));
  EXPECT_EQ(grid()->cellText(0, 1), QStringLiteral("05.03.2024"));
  EXPECT_EQ(grid()->view()->columnWidth(grid()->columnIndex(QStringLiteral("Bemerkungen"))), twipsToPixels(5500));
  EXPECT_EQ(logbook().ui().Label_info->text(),
            QStringLiteral("Doppelklick auf Frequenz = Kopie in den Icom PCR1000\rButtons fügen Datum, Ortszeit, UTC ein"));
  EXPECT_EQ(logbook().ui().tablist->pattern(), QStringLiteral("*.xls"));
  EXPECT_TRUE(logbook().ui().tablist->count() >= 1);
  EXPECT_EQ(logbook().width(), 8655);
  EXPECT_EQ(logbook().height(), pixelsToTwips(twipsToPixels(4700)));
  expectButtons(false);
}

TEST_F(LogbookWindowTest, LoadWithoutTheDefaultLogbookReportsEachFailingStep) {
  ASSERT_TRUE(QFile::remove(excel(QStringLiteral("logbuch-kw.xls"))));
  logbook().load();
  const QStringList texts = m_messages->texts();
  EXPECT_GE(texts.size(), 2);
  for (const QString& t : texts) EXPECT_EQ(t, kOpenMessage);
  expectButtons(false);
  EXPECT_EQ(grid()->columnCount(), 0);
}

TEST_F(LogbookWindowTest, OpenFindsTabelle1AndWidensRemarksOnlyInWideSheets) {
  struct Case {
    const char* file;
    const char* sheet;
    int columns;
    bool remarks;
    bool lockFile;
    int messages;
  };
  const Case cases[] = {
      {"beliebiger name.xls", "Tabelle1", 7, true, false, 0},
      {"breit.xls", "Tabelle1", 9, true, false, 0},
      {"ohne-bemerkungen.xls", "Tabelle1", 8, false, false, 1},
      {"anderes-blatt.xls", "Blatt1", 9, true, false, -1},
      {"gesperrt.xls", "Tabelle1", 9, true, true, -1},
  };
  logbook().load();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const QString name = QString::fromLatin1(c.file);
    test::writeWorkbook(excel(name), QString::fromLatin1(c.sheet), columns(c.columns, c.remarks),
                        {{QStringLiteral("6.0050")}});
    if (c.lockFile) {
      QFile lock(excel(QStringLiteral(".~lock.") + name + QLatin1Char('#')));
      ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    }
    m_messages->clear();
    openFile(name);
    const QStringList texts = m_messages->texts();
    if (c.messages >= 0)
      EXPECT_EQ(texts.size(), c.messages);
    else
      EXPECT_GE(texts.size(), 2);
    for (const QString& t : texts) EXPECT_EQ(t, kOpenMessage);
    EXPECT_EQ(grid()->caption(), name);
    expectButtons(false);
    if (c.messages == 0) {
      EXPECT_EQ(grid()->columnCount(), c.columns);
      const int remarks = grid()->columnIndex(QStringLiteral("Bemerkungen"));
      const int expected = c.columns >= 8 ? twipsToPixels(5500) : grid()->view()->horizontalHeader()->defaultSectionSize();
      EXPECT_EQ(grid()->view()->columnWidth(remarks), expected);
    }
  }
  // Nothing selected: the folder itself is no workbook.
  m_messages->clear();
  logbook().Comm_excelzu_Click();
  logbook().ui().tablist->clearSelection();
  logbook().Comm_excelauf_Click();
  EXPECT_GE(m_messages->texts().size(), 2);
  expectButtons(false);
}

TEST_F(LogbookWindowTest, ColumnsAreWideEnoughForTheirTextsUpToTheRemarksWidth) {
  logbook().load();
  QTableView* view = grid()->view();
  const QFontMetrics metrics = view->fontMetrics();
  const auto widthOf = [&](const char* field) { return view->columnWidth(grid()->columnIndex(QString::fromUtf8(field))); };
  EXPECT_GT(widthOf("Sender"), metrics.horizontalAdvance(QStringLiteral("Wetterdienst Pinneberg")));
  EXPECT_GT(widthOf("Land"), metrics.horizontalAdvance(QStringLiteral("Deutschland")));
  EXPECT_EQ(widthOf("UTC"), view->horizontalHeader()->defaultSectionSize());
  EXPECT_EQ(widthOf("Bemerkungen"), twipsToPixels(5500));

  // A column of long texts in a narrow sheet stops at the remarks width.
  const QString longText = QString(200, QLatin1Char('x'));
  test::writeWorkbook(excel(QStringLiteral("lang.xls")), QStringLiteral("Tabelle1"),
                      {QStringLiteral("Frequenz"), QStringLiteral("Notiz")}, {{QStringLiteral("7.4400"), longText}});
  openFile(QStringLiteral("lang.xls"));
  EXPECT_EQ(view->columnWidth(1), twipsToPixels(5500));
  EXPECT_TRUE(m_messages->texts().isEmpty());
}

TEST_F(LogbookWindowTest, StampsWriteDateAndTimesAsTextIntoTheCurrentRow) {
  const QDateTime instant(QDate(2024, 3, 5), QTime(13, 7, 42), QTimeZone::utc());
  Clock::set(instant);
  logbook().load();
  selectRow(1);
  logbook().Comm_datum_Click();
  logbook().Comm_ortszeit_Click();
  EXPECT_TRUE(m_messages->texts().isEmpty());

  const test::SeenCells cells = readBack(QStringLiteral("logbuch-kw.xls"));
  const auto at = [&](int column) { return cells.at({2, column}); };
  EXPECT_EQ(at(1).text, QStringLiteral("05.03.2024"));
  EXPECT_FALSE(at(1).isNumber);
  EXPECT_EQ(at(2).text, instant.toLocalTime().toString(QStringLiteral("HH:mm")));
  EXPECT_EQ(at(3).text, QStringLiteral("13:07"));
  // The rest of the row is as it was.
  EXPECT_EQ(at(4).text, QStringLiteral("Wetterdienst Pinneberg"));
  EXPECT_DOUBLE_EQ(at(0).number, 10.1005);
}

TEST_F(LogbookWindowTest, StampsIntoSheetsWithoutTheirColumnsShowTheirMessages) {
  Clock::set(QDateTime(QDate(2024, 3, 5), QTime(9, 4, 0), QTimeZone::utc()));
  struct Case {
    QStringList columns;
    QStringList dateMessages;
    QStringList timeMessages;
    QString utcWritten;
  };
  const std::vector<Case> cases = {
      {{QStringLiteral("Frequenz"), QStringLiteral("UTC")}, {kDateMessage}, {kTimeMessage}, QStringLiteral("09:04")},
      {{QStringLiteral("Frequenz"), QStringLiteral("Notiz")}, {kDateMessage}, {kTimeMessage, kTimeMessage}, QString()},
      {{QStringLiteral("Frequenz"), QStringLiteral("Datum"), QStringLiteral("Ortszeit"), QStringLiteral("UTC")},
       {},
       {},
       QStringLiteral("09:04")},
  };
  logbook().load();
  int n = 0;
  for (const Case& c : cases) {
    const QString name = QStringLiteral("stempel%1.xls").arg(n++);
    SCOPED_TRACE(name.toStdString());
    test::writeWorkbook(excel(name), QStringLiteral("Tabelle1"), c.columns, {{QStringLiteral("7.4400")}});
    openFile(name);
    selectRow(0);
    m_messages->clear();
    logbook().Comm_datum_Click();
    EXPECT_EQ(m_messages->texts(), c.dateMessages);
    m_messages->clear();
    logbook().Comm_ortszeit_Click();
    EXPECT_EQ(m_messages->texts(), c.timeMessages);
    const int utc = c.columns.indexOf(QStringLiteral("UTC"));
    if (utc >= 0) EXPECT_EQ(readBack(name).at({1, utc}).text, c.utcWritten);
  }
}

TEST_F(LogbookWindowTest, CloseTwiceShowsNothingAndStampsThenFail) {
  logbook().load();
  logbook().Comm_excelzu_Click();
  logbook().Comm_excelzu_Click();
  EXPECT_TRUE(m_messages->texts().isEmpty());
  expectButtons(true);
  logbook().Comm_datum_Click();
  EXPECT_EQ(m_messages->texts(), QStringList{kDateMessage});
}

TEST_F(LogbookWindowTest, DoubleClickCopiesTheFirstColumnOnlyWhileTheReceiverPanelIsVisible) {
  logbook().show();
  test::settle();
  QTableView* view = grid()->view();
  const QModelIndex cell = table()->index(2, 3);
  const auto doubleClick = [&] {
    view->setCurrentIndex(cell);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
    test::settle();
  };

  doubleClick();
  EXPECT_FALSE(form<Form_pcr1000>().isLoaded());

  Form_pcr1000& receiver = form<Form_pcr1000>();
  receiver.Frequenzeingabe()->setText(QStringLiteral("1.0000"));
  receiver.hide();
  doubleClick();
  EXPECT_EQ(receiver.Frequenzeingabe()->text(), QStringLiteral("1.0000"));

  receiver.show();
  test::settle();
  doubleClick();
  EXPECT_EQ(receiver.Frequenzeingabe()->text(), QStringLiteral("7.4400"));

  // Whatever the first column shows goes over unchanged.
  ASSERT_TRUE(table()->write(2, 0, QStringLiteral("ca. 7440 kHz"), true));
  doubleClick();
  EXPECT_EQ(receiver.Frequenzeingabe()->text(), QStringLiteral("ca. 7440 kHz"));
}

TEST_F(LogbookWindowTest, OpenRestoresTheWindowSizeAndTheGridFollowsIt) {
  FormRegistry::instance().mdiArea()->show();
  logbook().show();
  test::settle();
  logbook().setWidth(8655);
  logbook().setHeight(4700);
  test::settle();
  openFile(QStringLiteral("logbuch-kw.xls"));
  test::settle();
  EXPECT_EQ(logbook().width(), 8655);
  EXPECT_EQ(logbook().height(), pixelsToTwips(twipsToPixels(4700)));
  EXPECT_EQ(grid()->width(), twipsToPixels(8000));
  EXPECT_EQ(grid()->height(), twipsToPixels(logbook().height() - 700));

  logbook().setWidth(10500);
  logbook().setHeight(6000);
  test::settle();
  openFile(QStringLiteral("logbuch-kw.xls"));
  test::settle();
  EXPECT_EQ(logbook().width(), 10500);
  EXPECT_EQ(logbook().height(), 6000);
  EXPECT_GT(grid()->width(), twipsToPixels(8000));
  EXPECT_EQ(grid()->width(), twipsToPixels(logbook().scaleWidth() - 480));
  EXPECT_EQ(grid()->height(), twipsToPixels(logbook().scaleHeight() - 1350));
  EXPECT_TRUE(m_messages->texts().isEmpty());
  // The grid has both scroll bars, also while all its rows fit.
  EXPECT_TRUE(grid()->view()->verticalScrollBar()->isVisible());
  EXPECT_TRUE(grid()->view()->horizontalScrollBar()->isVisible());
}

TEST_F(LogbookWindowTest, ATinyOrMinimizedWindowGivesTheGridNoNegativeSize) {
  FormRegistry::instance().mdiArea()->show();
  logbook().show();
  test::settle();
  logbook().setWidth(400);
  logbook().setHeight(300);
  test::settle();
  EXPECT_GE(grid()->width(), 0);
  EXPECT_GE(grid()->height(), 0);
  logbook().setWindowState(WindowState::Minimized);
  test::settle();
  logbook().setWindowState(WindowState::Normal);
  test::settle();
  EXPECT_GE(grid()->height(), 0);
}

TEST_F(LogbookWindowTest, EditsAndNewRowsInTheGridGoIntoTheFile) {
  logbook().load();
  const int records = table()->recordCount();
  ASSERT_EQ(table()->rowCount(), records + 1);
  EXPECT_TRUE(table()->setData(table()->index(0, 4), QStringLiteral("Sender „Süd“"), Qt::EditRole));
  EXPECT_TRUE(table()->setData(table()->index(records, 0), QStringLiteral("9.42"), Qt::EditRole));
  EXPECT_TRUE(table()->setData(table()->index(records, 9), QStringLiteral("neu eingetragen"), Qt::EditRole));
  EXPECT_EQ(table()->recordCount(), records + 1);
  EXPECT_EQ(table()->rowCount(), records + 2);
  EXPECT_EQ(grid()->cellText(records, 0), QStringLiteral("9.4200"));

  test::SeenCells cells = readBack(QStringLiteral("logbuch-kw.xls"));
  EXPECT_EQ(cells[std::make_pair(1, 4)].text, QStringLiteral("Sender „Süd“"));
  EXPECT_TRUE(cells[std::make_pair(records + 1, 0)].isNumber);
  EXPECT_DOUBLE_EQ(cells[std::make_pair(records + 1, 0)].number, 9.42);
  EXPECT_EQ(cells[std::make_pair(records + 1, 9)].text, QStringLiteral("neu eingetragen"));
  EXPECT_TRUE(m_messages->texts().isEmpty());

  // Words a number parser might take for infinity or not-a-number stay text
  // in a number column.
  for (const QString& word : {QStringLiteral("inf"), QStringLiteral("nan"), QStringLiteral("-inf")}) {
    SCOPED_TRACE(word.toStdString());
    EXPECT_TRUE(table()->setData(table()->index(1, 0), word, Qt::EditRole));
    const test::SeenCell seen = readBack(QStringLiteral("logbuch-kw.xls")).at({2, 0});
    EXPECT_FALSE(seen.isNumber);
    EXPECT_EQ(seen.text, word);
  }

  // Emptying the new record keeps its row in the grid; the file has it empty.
  EXPECT_TRUE(table()->setData(table()->index(records, 0), QString(), Qt::EditRole));
  EXPECT_TRUE(table()->setData(table()->index(records, 9), QString(), Qt::EditRole));
  EXPECT_EQ(table()->rowCount(), records + 2);
  cells = readBack(QStringLiteral("logbuch-kw.xls"));
  EXPECT_EQ(cells.count(std::make_pair(records + 1, 0)), 0u);

  // Once another program has the file open, an edit is refused and the
  // grid shows the file as it is.
  QFile lock(excel(QStringLiteral(".~lock.logbuch-kw.xls#")));
  ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
  lock.close();
  EXPECT_FALSE(table()->setData(table()->index(0, 4), QStringLiteral("verloren"), Qt::EditRole));
  EXPECT_EQ(m_messages->texts(),
            QStringList{kWriteFailed + QStringLiteral("\nDie Arbeitsmappe ist in einem anderen Programm geöffnet.")});
  EXPECT_EQ(grid()->cellText(0, 4), QStringLiteral("Sender „Süd“"));
}

TEST_F(LogbookWindowTest, TypingIntoACellOfTheShownGridSavesIt) {
  FormRegistry::instance().mdiArea()->show();
  logbook().show();
  test::settle();
  QTableView* view = grid()->view();
  const QModelIndex cell = table()->index(3, 9);
  view->setCurrentIndex(cell);
  view->setFocus();
  QTest::keyClick(view, Qt::Key_F2);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("Schwund ab 22 Uhr"));
  QTest::keyClick(editor, Qt::Key_Return);
  test::settle();
  EXPECT_EQ(readBack(QStringLiteral("logbuch-kw.xls")).at({4, 9}).text, QStringLiteral("Schwund ab 22 Uhr"));
}

TEST_F(LogbookWindowTest, AnEntryTypedWhileAnotherProgramHasTheFileIsRefusedInTheGrid) {
  FormRegistry::instance().mdiArea()->show();
  logbook().show();
  test::settle();
  QTableView* view = grid()->view();
  view->setCurrentIndex(table()->index(1, 4));
  view->setFocus();
  QTest::keyClick(view, Qt::Key_F2);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  QFile lock(excel(QStringLiteral(".~lock.logbuch-kw.xls#")));
  ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
  lock.close();
  editor->setText(QStringLiteral("verloren"));
  QTest::keyClick(editor, Qt::Key_Return);
  test::settle();
  EXPECT_EQ(m_messages->texts(),
            QStringList{kWriteFailed + QStringLiteral("\nDie Arbeitsmappe ist in einem anderen Programm geöffnet.")});
  EXPECT_EQ(grid()->cellText(1, 4), QStringLiteral("Wetterdienst Pinneberg"));
  EXPECT_EQ(readBack(QStringLiteral("logbuch-kw.xls")).at({2, 4}).text, QStringLiteral("Wetterdienst Pinneberg"));
}

TEST_F(LogbookWindowTest, AnEntryStillBeingTypedIsSavedWhenTheWindowCloses) {
  FormRegistry::instance().mdiArea()->show();
  logbook().show();
  test::settle();
  QTableView* view = grid()->view();
  view->setCurrentIndex(table()->index(2, 9));
  view->setFocus();
  QTest::keyClick(view, Qt::Key_F2);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("bis zum Schließen getippt"));
  logbook().unload();
  test::settle();
  EXPECT_EQ(readBack(QStringLiteral("logbuch-kw.xls")).at({3, 9}).text, QStringLiteral("bis zum Schließen getippt"));
}

// Receives what the program hands to the system web browser.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  UrlRecorder() {
    for (const char* scheme : {"http", "https"}) QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
  }
  ~UrlRecorder() override {
    for (const char* scheme : {"http", "https"}) QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
  }
  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened << url; }
};

TEST_F(LogbookWindowTest, WebButtonsOpenTheConfiguredSites) {
  UrlRecorder recorder;
  logbook().ui().Comm_swinfo->click();
  logbook().ui().Comm_websdr->click();
  ASSERT_EQ(recorder.opened.size(), 2);
  EXPECT_EQ(recorder.opened[0], QUrl(QStringLiteral("https://www.short-wave.info/")));
  EXPECT_EQ(recorder.opened[1], QUrl(QStringLiteral("http://www.websdr.org/")));
}

}  // namespace
}  // namespace zelvora

#include "logbook_window_test.moc"
