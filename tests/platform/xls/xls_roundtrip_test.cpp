#include "independent_readers.h"
#include "platform/xls/workbook_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>
#include <QTemporaryDir>

namespace zelvora {
namespace {

using test::GnumericSheet;
using test::SeenCell;
using test::SeenCells;
using xls::FileStatus;
using xls::Workbook;
using xls::WorkbookFile;

std::string path(const QTemporaryDir& dir, const char* name) { return dir.filePath(QString::fromLatin1(name)).toStdString(); }

QByteArray fileBytes(const std::string& p) {
  QFile f(QString::fromStdString(p));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeText(const QString& p, const QString& text) {
  QFile f(p);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(text.toUtf8());
}

// Texts that test the writer's string table: umlauts, characters beyond
// Latin-1, and texts longer than one record in both character widths, so
// they cross CONTINUE boundaries.
struct Expected {
  int row;
  int column;
  bool number;
  double value;
  QString text;
};

std::vector<Expected> sampleCells() {
  QString longLatin;
  for (int i = 0; i < 1200; ++i) longLatin += QStringLiteral("Grüße%1 ").arg(i % 10);
  QString longWide;
  for (int i = 0; i < 900; ++i) longWide += QStringLiteral("€uro–%1 ").arg(i % 10);
  return {
      {0, 0, false, 0, QStringLiteral("Frequenz")},
      {0, 1, false, 0, QStringLiteral("Datum")},
      {0, 2, false, 0, QStringLiteral("Bemerkungen")},
      {1, 0, true, 6.005, {}},
      {1, 1, false, 0, QStringLiteral("05.03.2024")},
      {1, 2, false, 0, QStringLiteral("Äther über Köln, Größe ß")},
      {2, 0, true, -1.25e-7, {}},
      {2, 1, false, 0, QStringLiteral("14:07")},
      {2, 2, false, 0, longLatin},
      {3, 0, true, 123456789, {}},
      {3, 2, false, 0, longWide},
      {4, 2, false, 0, QStringLiteral("Ende – € ✓")},
  };
}

void expectSeen(const SeenCells& seen, const std::vector<Expected>& expected, const char* reader) {
  for (const Expected& e : expected) {
    const auto found = seen.find({e.row, e.column});
    ASSERT_NE(found, seen.end()) << reader << " misses " << e.row << "," << e.column;
    EXPECT_EQ(found->second.isNumber, e.number) << reader << " " << e.row << "," << e.column;
    if (e.number)
      EXPECT_DOUBLE_EQ(found->second.number, e.value) << reader;
    else
      EXPECT_EQ(found->second.text, e.text) << reader << " " << e.row << "," << e.column;
  }
}

TEST(XlsRoundTrip, FilesTheProgramWritesAreReadByFreexlAndSsconvert) {
  QTemporaryDir dir;
  const std::string file = path(dir, "logbuch.xls");
  Workbook workbook = Workbook::createEmpty({"Tabelle1", "Zweites Blatt"});
  xls::SheetTable* sheet = workbook.sheet("Tabelle1");
  ASSERT_NE(sheet, nullptr);
  for (const Expected& e : sampleCells()) {
    if (e.number)
      workbook.setNumber(*sheet, e.row, e.column, e.value);
    else
      workbook.setText(*sheet, e.row, e.column, e.text.toStdString());
  }
  WorkbookFile out;
  out.create(file, std::move(workbook));
  ASSERT_EQ(out.save(), FileStatus::Ok);

  SeenCells freexl;
  QString name;
  ASSERT_TRUE(test::readWithFreexl(QString::fromStdString(file), 0, freexl, &name));
  EXPECT_EQ(name, QStringLiteral("Tabelle1"));
  expectSeen(freexl, sampleCells(), "FreeXL");

  std::vector<GnumericSheet> sheets;
  ASSERT_TRUE(test::readWithSsconvert(QString::fromStdString(file), sheets));
  ASSERT_EQ(sheets.size(), 2u);
  EXPECT_EQ(sheets[0].name, QStringLiteral("Tabelle1"));
  EXPECT_EQ(sheets[1].name, QStringLiteral("Zweites Blatt"));
  expectSeen(sheets[0].cells, sampleCells(), "ssconvert");

  // And the program reads back what it wrote.
  WorkbookFile in;
  ASSERT_EQ(in.open(file), FileStatus::Ok);
  xls::SheetTable* back = in.workbook().sheet("Tabelle1");
  ASSERT_NE(back, nullptr);
  for (const Expected& e : sampleCells()) {
    if (!e.number) EXPECT_EQ(QString::fromStdString(back->value(e.row, e.column).text), e.text);
  }
  EXPECT_EQ(back->value(1, 0).text, "6.005");
}

TEST(XlsRoundTrip, FilesSsconvertMadeFromCsvAreReadCellForCell) {
  QTemporaryDir dir;
  QString longText;
  for (int i = 0; i < 3000; ++i) longText += QStringLiteral("ä€%1").arg(i % 7);
  writeText(dir.filePath(QStringLiteral("Tabelle1")),
            QStringLiteral("Frequenz,Datum,Ortszeit,Sender,Bemerkungen\n"
                           "6.005,2024-03-05,14:07,Rundfunk,\"Grüße, Köln\"\n"
                           "9420,2023-12-31,23:59:30,Sender Ä,%1\n"
                           "0.153,,,Langwelle,Ende\n"
                           "-3.5,1999-01-01,,TRUE,x\n")
                .arg(longText));
  const QString xlsFile = dir.filePath(QStringLiteral("von-ssconvert.xls"));
  ASSERT_TRUE(test::ssconvertCsvToXls({dir.filePath(QStringLiteral("Tabelle1"))}, xlsFile));

  std::vector<GnumericSheet> sheets;
  ASSERT_TRUE(test::readWithSsconvert(xlsFile, sheets));
  ASSERT_EQ(sheets.size(), 1u);

  WorkbookFile in;
  ASSERT_EQ(in.open(xlsFile.toStdString()), FileStatus::Ok);
  xls::SheetTable* sheet = in.workbook().sheet("Tabelle1");
  ASSERT_NE(sheet, nullptr);
  int compared = 0;
  for (const auto& [at, seen] : sheets[0].cells) {
    const xls::CellValue& mine = sheet->value(at.first, at.second);
    if (seen.isNumber) {
      EXPECT_EQ(mine.type, xls::CellType::Number) << at.first << "," << at.second;
      EXPECT_DOUBLE_EQ(mine.number, seen.number) << at.first << "," << at.second;
    } else if (mine.type != xls::CellType::Boolean) {
      EXPECT_EQ(QString::fromStdString(mine.text), seen.text) << at.first << "," << at.second;
    }
    ++compared;
  }
  EXPECT_GE(compared, 20);
  // Dates and times show as the program shows them.
  EXPECT_EQ(sheet->value(1, 1).text, "05.03.2024");
  EXPECT_EQ(sheet->value(1, 2).text, "14:07");
  EXPECT_EQ(sheet->value(2, 2).text, "23:59:30");
  EXPECT_EQ(QString::fromStdString(sheet->value(2, 4).text), longText);
}

TEST(XlsRoundTrip, AnEditKeepsOtherSheetsFormatsAndUntouchedCells) {
  QTemporaryDir dir;
  writeText(dir.filePath(QStringLiteral("Tabelle1")),
            QStringLiteral("Frequenz,Datum,UTC,Bemerkungen\n6.005,2024-03-05,10:15,erste\n7.44,2024-04-01,11:00,zweite\n"));
  writeText(dir.filePath(QStringLiteral("Notizen")), QStringLiteral("Stichwort,Wert\nAntenne,12.5\nDatum,2020-02-29\n"));
  const QString xlsFile = dir.filePath(QStringLiteral("zwei-blaetter.xls"));
  ASSERT_TRUE(test::ssconvertCsvToXls({dir.filePath(QStringLiteral("Tabelle1")), dir.filePath(QStringLiteral("Notizen"))},
                                      xlsFile));
  std::vector<GnumericSheet> before;
  ASSERT_TRUE(test::readWithSsconvert(xlsFile, before));
  ASSERT_EQ(before.size(), 2u);

  WorkbookFile file;
  ASSERT_EQ(file.open(xlsFile.toStdString()), FileStatus::Ok);
  xls::SheetTable* sheet = file.workbook().sheet("Tabelle1");
  ASSERT_NE(sheet, nullptr);
  file.workbook().setText(*sheet, 2, 3, "geändert – neu");
  file.workbook().setText(*sheet, 1, 2, "14:07");
  file.workbook().setNumber(*sheet, 3, 0, 9.42);
  file.workbook().setText(*sheet, 3, 3, "neue Zeile");
  ASSERT_EQ(file.save(), FileStatus::Ok);

  std::vector<GnumericSheet> after;
  ASSERT_TRUE(test::readWithSsconvert(xlsFile, after));
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(after[1].name, QStringLiteral("Notizen"));
  EXPECT_EQ(after[1].styles, before[1].styles);
  ASSERT_EQ(after[1].cells.size(), before[1].cells.size());
  for (const auto& [at, cell] : before[1].cells) {
    EXPECT_EQ(after[1].cells[at].text, cell.text);
    EXPECT_EQ(after[1].cells[at].number, cell.number);
  }

  SeenCells expected = before[0].cells;
  expected[{2, 3}] = {false, 0, QStringLiteral("geändert – neu")};
  expected[{1, 2}] = {false, 0, QStringLiteral("14:07")};
  expected[{3, 0}] = {true, 9.42, {}};
  expected[{3, 3}] = {false, 0, QStringLiteral("neue Zeile")};
  ASSERT_EQ(after[0].cells.size(), expected.size());
  for (const auto& [at, cell] : expected) {
    EXPECT_EQ(after[0].cells[at].isNumber, cell.isNumber) << at.first << "," << at.second;
    EXPECT_EQ(after[0].cells[at].text, cell.text) << at.first << "," << at.second;
    EXPECT_DOUBLE_EQ(after[0].cells[at].number, cell.number) << at.first << "," << at.second;
  }
  // The date cells keep their date format, the edited time cell its format.
  EXPECT_EQ(after[0].styles, before[0].styles);

  SeenCells freexl;
  ASSERT_TRUE(test::readWithFreexl(xlsFile, 1, freexl));
  EXPECT_EQ(freexl[std::make_pair(1, 0)].text, QStringLiteral("Antenne"));
}

TEST(XlsRoundTrip, AWorkbookOpenInAnotherProgramIsRefusedAndNotOverwritten) {
  QTemporaryDir dir;
  const std::string file = path(dir, "logbuch.xls");
  WorkbookFile out;
  out.create(file, Workbook::createEmpty({"Tabelle1"}));
  ASSERT_EQ(out.save(), FileStatus::Ok);
  const QByteArray saved = fileBytes(file);

  writeText(dir.filePath(QStringLiteral(".~lock.logbuch.xls#")), QStringLiteral(",jemand,rechner,01.01.2024 10:00,\n"));
  WorkbookFile locked;
  EXPECT_EQ(locked.open(file), FileStatus::Locked);

  out.workbook().setText(*out.workbook().sheet("Tabelle1"), 0, 0, "x");
  EXPECT_EQ(out.save(), FileStatus::Locked);
  EXPECT_EQ(fileBytes(file), saved);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(XlsRoundTrip, MissingAndForeignFilesAreRefused) {
  QTemporaryDir dir;
  WorkbookFile file;
  EXPECT_EQ(file.open(path(dir, "fehlt.xls")), FileStatus::Missing);
  EXPECT_EQ(file.open(dir.path().toStdString()), FileStatus::NotWorkbook);
  writeText(dir.filePath(QStringLiteral("text.xls")), QStringLiteral("Frequenz;Datum\n6.005;heute\n"));
  EXPECT_EQ(file.open(path(dir, "text.xls")), FileStatus::UnsupportedFormat);
  writeText(dir.filePath(QStringLiteral("leer.xls")), QString());
  EXPECT_EQ(file.open(path(dir, "leer.xls")), FileStatus::UnsupportedFormat);
  // A compound file cut short is a damaged workbook, not another format.
  QFile cut(dir.filePath(QStringLiteral("kurz.xls")));
  ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
  cut.write(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 und Schluss"));
  cut.close();
  EXPECT_EQ(file.open(path(dir, "kurz.xls")), FileStatus::Damaged);
  // A named pipe with nobody writing would block a plain open for ever.
  ASSERT_EQ(::mkfifo(path(dir, "pipe.xls").c_str(), 0600), 0);
  EXPECT_EQ(file.open(path(dir, "pipe.xls")), FileStatus::NotWorkbook);
}

TEST(XlsRoundTrip, SavingThroughALinkReplacesTheFileItNames) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("daten")));
  const std::string real = path(dir, "daten/logbuch.xls");
  WorkbookFile out;
  out.create(real, Workbook::createEmpty({"Tabelle1"}));
  ASSERT_EQ(out.save(), FileStatus::Ok);
  ASSERT_TRUE(QFile::link(QString::fromStdString(real), dir.filePath(QStringLiteral("logbuch.xls"))));

  WorkbookFile viaLink;
  ASSERT_EQ(viaLink.open(path(dir, "logbuch.xls")), FileStatus::Ok);
  viaLink.workbook().setText(*viaLink.workbook().sheet("Tabelle1"), 0, 0, "Frequenz");
  ASSERT_EQ(viaLink.save(), FileStatus::Ok);
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("logbuch.xls"))).isSymLink());
  WorkbookFile back;
  ASSERT_EQ(back.open(real), FileStatus::Ok);
  EXPECT_EQ(back.workbook().sheet("Tabelle1")->value(0, 0).text, "Frequenz");
}

TEST(XlsRoundTrip, SavingKeepsOwnerGroupAndModeAndLeavesAReadOnlyFileAlone) {
  QTemporaryDir dir;
  const std::string file = path(dir, "logbuch.xls");
  WorkbookFile out;
  out.create(file, Workbook::createEmpty({"Tabelle1"}));
  ASSERT_EQ(out.save(), FileStatus::Ok);
  const auto stamp = [&](const char* text) {
    out.workbook().setText(*out.workbook().sheet("Tabelle1"), 1, 0, text);
    return out.save();
  };
  struct stat before {};

  // Another user's file that this one may write: it stays theirs.
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0664), 0);
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    ASSERT_EQ(stamp("14:07"), FileStatus::Ok);
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, 65534u);
    EXPECT_EQ(after.st_gid, 65534u);
    EXPECT_EQ(after.st_mode & 07777, 0664u);
  }

  // The read-only bit holds for everyone, the superuser too.
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  const QByteArray saved = fileBytes(file);
  EXPECT_EQ(stamp("14:08"), FileStatus::ReadOnly);
  EXPECT_EQ(fileBytes(file), saved);
  struct stat after {};
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(XlsRoundTrip, AFileSavedByAnotherProgramIsNoticed) {
  QTemporaryDir dir;
  const std::string file = path(dir, "logbuch.xls");
  WorkbookFile out;
  out.create(file, Workbook::createEmpty({"Tabelle1"}));
  ASSERT_EQ(out.save(), FileStatus::Ok);
  EXPECT_FALSE(out.changedOnDisk());
  WorkbookFile other;
  ASSERT_EQ(other.open(file), FileStatus::Ok);
  other.workbook().setText(*other.workbook().sheet("Tabelle1"), 1, 0, "von nebenan");
  ASSERT_EQ(other.save(), FileStatus::Ok);
  EXPECT_TRUE(out.changedOnDisk());
  EXPECT_FALSE(other.changedOnDisk());
  ASSERT_TRUE(QFile::remove(QString::fromStdString(file)));
  EXPECT_TRUE(other.changedOnDisk());
}

}  // namespace
}  // namespace zelvora
