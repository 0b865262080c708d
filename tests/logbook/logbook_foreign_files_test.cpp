// The logbook among other programs: workbooks another program saves while
// the window has them, files the user may not write, a full disk, files of
// other formats and a folder that changes.

#include "logbook_window_fixture.h"
#include "platform/clock.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimeZone>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace zelvora {
namespace {

using namespace test;

const QString kChangedOutside = QStringLiteral("Die Arbeitsmappe wurde außerhalb von Zelvora geändert und neu geladen.");
const QString kReadOnly = kWriteFailed + QStringLiteral("\nDie Arbeitsmappe ist schreibgeschützt.");
const QString kDiskFull = kWriteFailed + QStringLiteral("\nAuf dem Datenträger ist kein Platz mehr frei.");
const QString kFormatMessage =
    QStringLiteral("Dateiformat wird nicht unterstützt: nur Excel-Arbeitsmappen 97–2003 (.xls).");

QByteArray bytesOf(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool waitFor(const std::function<bool()>& done, int milliseconds = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > milliseconds) return false;
    settle(20);
  }
  return true;
}

const SheetRows kLogbook = {
    {"Frequenz", "Datum", "Ortszeit", "UTC", "Sender"},
    {"6.005", "", "", "", "Radio Nord"},
    {"7.44", "", "", "", "Radio Süd"},
};

class LogbookForeignFilesTest : public LogbookWindowTest {
 protected:
  void requireXlwt() {
    if (pythonWithXlwtAndXlrd().isEmpty())
      GTEST_SKIP() << "python3-xlwt and python3-xlrd are not installed; scripts/setup.sh installs them";
  }
  void requireSsconvert() {
    if (QStandardPaths::findExecutable(QStringLiteral("ssconvert")).isEmpty())
      GTEST_SKIP() << "ssconvert (Debian package gnumeric) is not installed; scripts/setup.sh installs it";
  }
  SheetRows xlrdRows(const QString& name) {
    SheetRows rows;
    EXPECT_TRUE(readWithXlrd(excel(name), QStringLiteral("Tabelle1"), rows));
    return rows;
  }
};

TEST_F(LogbookForeignFilesTest, RowsAnotherProgramSavedSurviveStampsAndNewRecords) {
  requireXlwt();
  const QDateTime instant(QDate(2024, 3, 5), QTime(13, 7, 42), QTimeZone::utc());
  Clock::set(instant);
  const QString local = instant.toLocalTime().toString(QStringLiteral("HH:mm"));
  ASSERT_TRUE(writeWithXlwt(excel(QStringLiteral("logbuch-kw.xls")), QStringLiteral("Tabelle1"), kLogbook));
  logbook().load();
  ASSERT_EQ(table()->recordCount(), 2);
  selectRow(1);

  // Another program adds a record while the window shows the old copy.
  ASSERT_TRUE(appendRowWithXlwt(excel(QStringLiteral("logbuch-kw.xls")), QStringLiteral("Tabelle1"),
                                {"9.42", "", "", "", "Nachbar"}));
  logbook().Comm_ortszeit_Click();
  EXPECT_EQ(m_messages->texts(), QStringList{kChangedOutside});
  SheetRows rows = xlrdRows(QStringLiteral("logbuch-kw.xls"));
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[2], (QStringList{"7.44", "", local, "13:07", "Radio Süd"}));
  EXPECT_EQ(rows[3], (QStringList{"9.42", "", "", "", "Nachbar"}));
  // The grid shows the file as it now is, still on the stamped record.
  EXPECT_EQ(table()->recordCount(), 3);
  EXPECT_EQ(grid()->cellText(2, 4), QStringLiteral("Nachbar"));
  EXPECT_EQ(grid()->currentRow(), 1);

  // A record typed into the new row goes after the one the other program
  // added meanwhile, not over it.
  m_messages->clear();
  ASSERT_TRUE(appendRowWithXlwt(excel(QStringLiteral("logbuch-kw.xls")), QStringLiteral("Tabelle1"),
                                {"11.6", "", "", "", "Zweiter Nachbar"}));
  const int newRow = table()->recordCount();
  EXPECT_TRUE(table()->setData(table()->index(newRow, 4), QStringLiteral("Eigener Eintrag"), Qt::EditRole));
  EXPECT_EQ(m_messages->texts(), QStringList{kChangedOutside});
  rows = xlrdRows(QStringLiteral("logbuch-kw.xls"));
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[4], (QStringList{"11.6", "", "", "", "Zweiter Nachbar"}));
  EXPECT_EQ(rows[5].value(4), QStringLiteral("Eigener Eintrag"));
  EXPECT_EQ(rows[2].value(3), QStringLiteral("13:07"));

  // Without another save in between the stamp says nothing more.
  m_messages->clear();
  logbook().Comm_datum_Click();
  EXPECT_TRUE(m_messages->texts().isEmpty());
  EXPECT_EQ(xlrdRows(QStringLiteral("logbuch-kw.xls"))[2].value(1), QStringLiteral("05.03.2024"));
}

TEST_F(LogbookForeignFilesTest, AReadOnlyWorkbookIsNeverWrittenAndTheGridShowsTheOldValue) {
  const QString path = excel(QStringLiteral("logbuch-kw.xls"));
  logbook().load();
  const QString before = grid()->cellText(1, 1);
  ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  const QByteArray saved = bytesOf(path);
  struct stat old {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &old), 0);

  selectRow(1);
  logbook().Comm_datum_Click();
  EXPECT_EQ(m_messages->texts(), QStringList{kReadOnly});
  m_messages->clear();
  EXPECT_FALSE(table()->setData(table()->index(1, 1), QStringLiteral("01.01.2025"), Qt::EditRole));
  EXPECT_EQ(m_messages->texts(), QStringList{kReadOnly});
  EXPECT_EQ(grid()->cellText(1, 1), before);
  // The grid read the file again and kept its columns as they were.
  EXPECT_EQ(grid()->view()->columnWidth(grid()->columnIndex(QStringLiteral("Bemerkungen"))), twipsToPixels(5500));
  EXPECT_EQ(grid()->currentRow(), 1);
  EXPECT_EQ(bytesOf(path), saved);
  struct stat now {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &now), 0);
  EXPECT_EQ(now.st_ino, old.st_ino);
  EXPECT_EQ(now.st_mode, old.st_mode);
}

// Run by the next test as the unprivileged user "nobody", on the program
// folder it prepared.
TEST_F(LogbookForeignFilesTest, DISABLED_StampAsAnUnprivilegedUser) {
  qputenv("ZELVORA_PROGRAM_FOLDER", qgetenv("ZELVORA_TEST_SHARED_PROGRAM"));
  logbook().load();
  selectRow(0);
  logbook().Comm_datum_Click();
  EXPECT_EQ(m_messages->texts(), QStringList{kReadOnly});
  m_messages->clear();
  openFile(QStringLiteral("gemeinsam.xls"));
  selectRow(0);
  logbook().Comm_datum_Click();
  EXPECT_TRUE(m_messages->texts().isEmpty()) << m_messages->texts().join(QLatin1Char('\n')).toStdString();
}

TEST_F(LogbookForeignFilesTest, AnUnprivilegedUserNeitherReplacesAnothersWorkbookNorTakesOverAGroupOne) {
  const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
  if (::geteuid() != 0 || setpriv.isEmpty()) GTEST_SKIP() << "needs root and setpriv to hand the files to another user";
  // The folder lets everyone create and rename files, so only the
  // workbook's own permissions protect it.
  QTemporaryDir shared;
  const QString program = shared.filePath(QStringLiteral("program"));
  ASSERT_TRUE(copyTree(folder(), program));
  ASSERT_EQ(QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a+rX"), shared.path()}), 0);
  const QString excelFolder = program + QStringLiteral("/excel");
  ASSERT_EQ(::chmod(QFile::encodeName(excelFolder).constData(), 0777), 0);
  const QByteArray readOnly = QFile::encodeName(excelFolder + QStringLiteral("/logbuch-kw.xls"));
  const QByteArray group = QFile::encodeName(excelFolder + QStringLiteral("/gemeinsam.xls"));
  ASSERT_TRUE(QFile::copy(QString::fromLocal8Bit(readOnly), QString::fromLocal8Bit(group)));
  ASSERT_EQ(::chmod(readOnly.constData(), 0444), 0);
  ASSERT_EQ(::chown(group.constData(), 0, 65534), 0);
  ASSERT_EQ(::chmod(group.constData(), 0664), 0);
  const QByteArray readOnlyBytes = bytesOf(QString::fromLocal8Bit(readOnly));
  const QByteArray groupBytes = bytesOf(QString::fromLocal8Bit(group));
  struct stat readOnlyBefore {}, groupBefore {};
  ASSERT_EQ(::stat(readOnly.constData(), &readOnlyBefore), 0);
  ASSERT_EQ(::stat(group.constData(), &groupBefore), 0);

  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("ZELVORA_TEST_SHARED_PROGRAM"), program);
  env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(setpriv, {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups"),
                        QCoreApplication::applicationFilePath(),
                        QStringLiteral("--gtest_filter=LogbookForeignFilesTest.DISABLED_StampAsAnUnprivilegedUser"),
                        QStringLiteral("--gtest_also_run_disabled_tests")});
  ASSERT_TRUE(child.waitForFinished(120000));
  const QString output = QString::fromUtf8(child.readAll());
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 1 test"))) << output.toStdString();

  EXPECT_EQ(bytesOf(QString::fromLocal8Bit(readOnly)), readOnlyBytes);
  struct stat readOnlyAfter {}, groupAfter {};
  ASSERT_EQ(::stat(readOnly.constData(), &readOnlyAfter), 0);
  EXPECT_EQ(readOnlyAfter.st_ino, readOnlyBefore.st_ino);
  EXPECT_EQ(readOnlyAfter.st_uid, 0u);
  EXPECT_EQ(readOnlyAfter.st_mode & 07777, 0444u);
  // The group's workbook got the stamp and is still root's, the group's,
  // and as writable as before.
  EXPECT_NE(bytesOf(QString::fromLocal8Bit(group)), groupBytes);
  ASSERT_EQ(::stat(group.constData(), &groupAfter), 0);
  EXPECT_EQ(groupAfter.st_uid, 0u);
  EXPECT_EQ(groupAfter.st_gid, 65534u);
  EXPECT_EQ(groupAfter.st_mode & 07777, 0664u);
  EXPECT_EQ(QDir(excelFolder).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// A small file system of its own, mounted over the program's excel folder.
class SmallDisk {
 public:
  explicit SmallDisk(const QString& at) : m_at(at) {
    m_mounted = ::geteuid() == 0 &&
                QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                             QStringLiteral("size=512k"), QStringLiteral("tmpfs"), at}) == 0;
  }
  ~SmallDisk() {
    if (m_mounted && QProcess::execute(QStringLiteral("umount"), {m_at}) != 0)
      QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_at});
  }
  bool mounted() const { return m_mounted; }
  // Writes until the file system has no room left.
  bool fill() {
    QFile filler(m_at + QStringLiteral("/fuellung"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    return true;
  }

 private:
  QString m_at;
  bool m_mounted = false;
};

TEST_F(LogbookForeignFilesTest, AStampOnAFullDiskSaysTheDiskIsFullAndLeavesTheWorkbook) {
  const QByteArray workbook = bytesOf(excel(QStringLiteral("logbuch-kw.xls")));
  SmallDisk disk(programPath(QStringLiteral("excel")));
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
  {
    QFile f(excel(QStringLiteral("logbuch-kw.xls")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(workbook), workbook.size());
  }
  ASSERT_TRUE(disk.fill());
  logbook().load();
  ASSERT_TRUE(m_messages->texts().isEmpty());
  selectRow(0);
  logbook().Comm_datum_Click();
  EXPECT_EQ(m_messages->texts(), QStringList{kDiskFull});
  m_messages->clear();
  logbook().Comm_ortszeit_Click();
  EXPECT_EQ(m_messages->texts(), (QStringList{kDiskFull, kDiskFull}));
  EXPECT_EQ(bytesOf(excel(QStringLiteral("logbuch-kw.xls"))), workbook);
  EXPECT_EQ(QDir(programPath(QStringLiteral("excel"))).entryList(QDir::Files | QDir::Hidden).size(), 2);
  logbook().unload();
}

TEST_F(LogbookForeignFilesTest, FilesOfOtherFormatsGetTheFormatMessageAndStayUntouched) {
  requireSsconvert();
  const QString csv = programPath(QStringLiteral("Tabelle1"));
  {
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Frequenz\tDatum\tOrtszeit\tUTC\n6.005\t\t\t\n");
  }
  struct Case {
    const char* file;
    const char* exportType;  // null: the CSV text itself
    bool opens;
  };
  const Case cases[] = {
      {"excel95.xls", "Gnumeric_Excel:excel_biff7", false},
      {"umbenannt.xls", "Gnumeric_Excel:xlsx", false},
      {"text.xls", nullptr, false},
      // Excel 97 and 95 in one file: the 97 workbook is read.
      {"beide.xls", "Gnumeric_Excel:excel_dsf", true},
  };
  logbook().load();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const QString name = QString::fromLatin1(c.file);
    if (c.exportType) {
      const QString made = programPath(QStringLiteral("ausgabe"));
      QFile::remove(made);
      ASSERT_EQ(QProcess::execute(QStringLiteral("ssconvert"),
                                  {QStringLiteral("--import-type=Gnumeric_stf:stf_csvtab"),
                                   QStringLiteral("--export-type=") + QString::fromLatin1(c.exportType), csv, made}),
                0);
      ASSERT_TRUE(QFile::rename(made, excel(name)));
    } else {
      ASSERT_TRUE(QFile::copy(csv, excel(name)));
    }
    const QByteArray before = bytesOf(excel(name));
    m_messages->clear();
    openFile(name);
    const QStringList texts = m_messages->texts();
    if (c.opens) {
      EXPECT_TRUE(texts.isEmpty()) << texts.join(QLatin1Char('\n')).toStdString();
      EXPECT_EQ(grid()->columnCount(), 4);
      continue;
    }
    EXPECT_FALSE(texts.isEmpty());
    for (const QString& t : texts) EXPECT_EQ(t, kFormatMessage);
    expectButtons(false);
    logbook().Comm_datum_Click();
    EXPECT_EQ(bytesOf(excel(name)), before);
  }
}

TEST_F(LogbookForeignFilesTest, AWorkbookCopiedIntoTheFolderAppearsInTheListAndTheSelectionStays) {
  logbook().load();
  FileListBox* list = logbook().ui().tablist;
  list->setFileName(QStringLiteral("logbuch-kw.xls"));
  const auto listed = [list](const char* name) { return !list->findItems(QString::fromLatin1(name), Qt::MatchExactly).isEmpty(); };
  ASSERT_FALSE(listed("kopie.xls"));
  ASSERT_TRUE(QFile::copy(excel(QStringLiteral("logbuch-kw.xls")), excel(QStringLiteral("kopie.xls"))));
  EXPECT_TRUE(waitFor([&] { return listed("kopie.xls"); }));
  EXPECT_EQ(list->fileName(), QStringLiteral("logbuch-kw.xls"));
  ASSERT_TRUE(QFile::remove(excel(QStringLiteral("kopie.xls"))));
  EXPECT_TRUE(waitFor([&] { return !listed("kopie.xls"); }));
  EXPECT_EQ(list->fileName(), QStringLiteral("logbuch-kw.xls"));
}

}  // namespace
}  // namespace zelvora
