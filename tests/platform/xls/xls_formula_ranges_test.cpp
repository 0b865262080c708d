// Cells whose formula is kept elsewhere: a filled-down (shared) formula,
// stored once after its top left cell, and array formulas, stored once for
// their whole range. Workbooks come from ssconvert; ssconvert recalculates
// them after each edit.

#include "platform/xls/workbook_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace zelvora {
namespace {

using xls::Bytes;
using xls::FileStatus;
using xls::WorkbookFile;

struct Recalculated {
  std::vector<QStringList> rows;
  QString warnings;
};

// The sheet as ssconvert sees it after recalculating every formula.
Recalculated recalculate(const QString& xls, const QTemporaryDir& dir) {
  const QString csv = dir.filePath(QStringLiteral("recalc.csv"));
  QFile::remove(csv);
  QProcess ssconvert;
  ssconvert.start(QStringLiteral("ssconvert"),
                  {QStringLiteral("--recalc"), QStringLiteral("--export-type=Gnumeric_stf:stf_csv"), xls, csv});
  EXPECT_TRUE(ssconvert.waitForFinished(60000));
  Recalculated result;
  result.warnings = QString::fromUtf8(ssconvert.readAllStandardError() + ssconvert.readAllStandardOutput());
  QFile file(csv);
  if (!file.open(QIODevice::ReadOnly)) return result;
  for (const QByteArray& line : file.readAll().split('\n'))
    if (!line.isEmpty()) result.rows.push_back(QString::fromUtf8(line).split(QLatin1Char(',')));
  return result;
}

QStringList column(const Recalculated& sheet, int c) {
  QStringList values;
  for (const QStringList& row : sheet.rows) values << (c < row.size() ? row[c] : QString());
  return values;
}

bool ssconvertTo(const QString& from, const QString& to, const QString& exportType) {
  QProcess ssconvert;
  QStringList args;
  if (from.endsWith(QLatin1String("Tabelle1"))) args << QStringLiteral("--import-type=Gnumeric_stf:stf_csvtab");
  args << QStringLiteral("--export-type=") + exportType << from << to;
  ssconvert.start(QStringLiteral("ssconvert"), args);
  return ssconvert.waitForFinished(60000) && ssconvert.exitCode() == 0 && QFile::exists(to);
}

void writeText(const QString& path, const QByteArray& text) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(text);
}

void putU16(Bytes& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

int u16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

// Stores the formulas of a block of cells the way Excel stores a formula
// filled over them: one SHRFMLA record with the tokens after the top left
// cell's FORMULA record, and in every cell of the block only ptgExp naming
// that top left cell. The cells keep their results.
Bytes shareFormulas(const Bytes& stream, int top, int bottom, int left, int right, const Bytes& tokens) {
  Bytes out;
  std::size_t pos = 0;
  while (pos + 4 <= stream.size()) {
    const int type = u16(stream, pos);
    const std::size_t length = static_cast<std::size_t>(u16(stream, pos + 2));
    const Bytes body(stream.begin() + static_cast<std::ptrdiff_t>(pos + 4),
                     stream.begin() + static_cast<std::ptrdiff_t>(pos + 4 + length));
    pos += 4 + length;
    const bool inBlock = type == 0x0006 && length >= 22 && u16(body, 0) >= top && u16(body, 0) <= bottom &&
                         u16(body, 2) >= left && u16(body, 2) <= right;
    Bytes record = body;
    if (inBlock) {
      record.resize(20);
      record[14] |= 0x08;
      putU16(record, 5);
      record.push_back(0x01);
      putU16(record, top);
      putU16(record, left);
    }
    putU16(out, type);
    putU16(out, static_cast<int>(record.size()));
    out.insert(out.end(), record.begin(), record.end());
    if (inBlock && u16(body, 0) == top && u16(body, 2) == left) {
      Bytes shared;
      putU16(shared, top);
      putU16(shared, bottom);
      shared.push_back(static_cast<std::uint8_t>(left));
      shared.push_back(static_cast<std::uint8_t>(right));
      shared.push_back(0);
      shared.push_back(static_cast<std::uint8_t>((bottom - top + 1) * (right - left + 1)));
      putU16(shared, static_cast<int>(tokens.size()));
      shared.insert(shared.end(), tokens.begin(), tokens.end());
      putU16(out, 0x04BC);
      putU16(out, static_cast<int>(shared.size()));
      out.insert(out.end(), shared.begin(), shared.end());
    }
  }
  return out;
}

class XlsFormulaRanges : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("ssconvert")).isEmpty())
      GTEST_SKIP() << "ssconvert (Debian package gnumeric) is not installed; scripts/setup.sh installs it";
  }
  QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

  QTemporaryDir m_dir;
};

TEST_F(XlsFormulaRanges, WritingTheTopCellOfAFilledDownFormulaKeepsTheOtherCellsCalculating) {
  // Column B holds A*5+5900, column C holds B*5+5900: one formula filled
  // over B2:C6, relative to each cell (the cell to its left, times 5, plus
  // 5900), as Excel keeps it.
  writeText(path("Tabelle1"), "Frequenz\tWert\tDoppelt\n"
                              "1\t=A2*5+5900\t=B2*5+5900\n2\t=A3*5+5900\t=B3*5+5900\n3\t=A4*5+5900\t=B4*5+5900\n"
                              "4\t=A5*5+5900\t=B5*5+5900\n5\t=A6*5+5900\t=B6*5+5900\n");
  const QString plain = path("einzeln.xls");
  ASSERT_TRUE(ssconvertTo(path("Tabelle1"), plain, QStringLiteral("Gnumeric_Excel:excel_biff8")));
  QFile in(plain);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  const QByteArray fileBytes = in.readAll();
  xls::OleEntry root;
  ASSERT_TRUE(xls::readOle2(Bytes(fileBytes.begin(), fileBytes.end()), root));
  xls::OleEntry* stream = root.child("Workbook");
  ASSERT_NE(stream, nullptr);
  // ptgRefN (one column to the left, same row), ptgInt 5, ptgMul, ptgInt 5900, ptgAdd.
  const Bytes leftTimesFivePlus5900{0x4C, 0x00, 0x00, 0xFF, 0xC0, 0x1E, 0x05, 0x00, 0x05, 0x1E, 0x0C, 0x17, 0x03};
  stream->data = shareFormulas(stream->data, 1, 5, 1, 2, leftTimesFivePlus5900);
  Bytes sharedFile;
  ASSERT_TRUE(xls::writeOle2(root, sharedFile));
  const QString shared = path("gefuellt.xls");
  writeText(shared, QByteArray(reinterpret_cast<const char*>(sharedFile.data()), static_cast<qsizetype>(sharedFile.size())));

  const Recalculated before = recalculate(shared, m_dir);
  ASSERT_EQ(column(before, 1), (QStringList{"Wert", "5905", "5910", "5915", "5920", "5925"}));
  ASSERT_EQ(column(before, 2), (QStringList{"Doppelt", "35425", "35450", "35475", "35500", "35525"}));
  ASSERT_FALSE(before.warnings.contains(QLatin1String("shared formula"), Qt::CaseInsensitive)) << before.warnings.toStdString();

  struct Edit {
    int row;
    int column;
    double number;
    QStringList b;
    QStringList c;
  };
  const Edit edits[] = {
      // The top left cell: every other cell of the block still calculates,
      // C2 now from the new B2.
      {1, 1, 42, {"Wert", "42", "5910", "5915", "5920", "5925"}, {"Doppelt", "6110", "35450", "35475", "35500", "35525"}},
      // The cell that took over the formula, then one inside the block.
      {2, 1, 43, {"Wert", "42", "43", "5915", "5920", "5925"}, {"Doppelt", "6110", "6115", "35475", "35500", "35525"}},
      {4, 2, 7, {"Wert", "42", "43", "5915", "5920", "5925"}, {"Doppelt", "6110", "6115", "35475", "7", "35525"}},
      {1, 2, 8, {"Wert", "42", "43", "5915", "5920", "5925"}, {"Doppelt", "8", "6115", "35475", "7", "35525"}},
  };
  for (const Edit& e : edits) {
    SCOPED_TRACE(testing::Message() << "row " << e.row << " column " << e.column);
    WorkbookFile file;
    ASSERT_EQ(file.open(shared.toStdString()), FileStatus::Ok);
    xls::SheetTable* sheet = file.workbook().sheet("Tabelle1");
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(file.workbook().setNumber(*sheet, e.row, e.column, e.number));
    ASSERT_EQ(file.save(), FileStatus::Ok);
    const Recalculated after = recalculate(shared, m_dir);
    EXPECT_EQ(column(after, 1), e.b);
    EXPECT_EQ(column(after, 2), e.c);
    EXPECT_FALSE(after.warnings.contains(QLatin1String("shared formula"), Qt::CaseInsensitive)) << after.warnings.toStdString();
  }
}

TEST_F(XlsFormulaRanges, ACellOfAnArrayFormulaIsLeftAsItIs) {
  // Gnumeric stores {=A2:A4*2} over C2:C4 as one ARRAY record.
  writeText(path("matrix.gnumeric"), R"(<?xml version="1.0" encoding="UTF-8"?>
<gnm:Workbook xmlns:gnm="http://www.gnumeric.org/v10.dtd">
<gnm:SheetNameIndex><gnm:SheetName>Tabelle1</gnm:SheetName></gnm:SheetNameIndex>
<gnm:Sheets><gnm:Sheet><gnm:Name>Tabelle1</gnm:Name><gnm:MaxCol>2</gnm:MaxCol><gnm:MaxRow>4</gnm:MaxRow><gnm:Cells>
<gnm:Cell Row="0" Col="0" ValueType="60">Frequenz</gnm:Cell>
<gnm:Cell Row="1" Col="0" ValueType="40">1</gnm:Cell>
<gnm:Cell Row="2" Col="0" ValueType="40">2</gnm:Cell>
<gnm:Cell Row="3" Col="0" ValueType="40">3</gnm:Cell>
<gnm:Cell Row="1" Col="2" Rows="3" Cols="1">=A2:A4*2</gnm:Cell>
<gnm:Cell Row="4" Col="2">=A4*3</gnm:Cell>
</gnm:Cells></gnm:Sheet></gnm:Sheets></gnm:Workbook>
)");
  const QString xlsPath = path("matrix.xls");
  ASSERT_TRUE(ssconvertTo(path("matrix.gnumeric"), xlsPath, QStringLiteral("Gnumeric_Excel:excel_biff8")));
  WorkbookFile file;
  ASSERT_EQ(file.open(xlsPath.toStdString()), FileStatus::Ok);
  xls::SheetTable* sheet = file.workbook().sheet("Tabelle1");
  ASSERT_NE(sheet, nullptr);
  for (int row : {1, 2, 3}) EXPECT_FALSE(file.workbook().setText(*sheet, row, 2, "frei")) << row;
  EXPECT_TRUE(file.workbook().setText(*sheet, 4, 2, "frei"));
  EXPECT_TRUE(file.workbook().setNumber(*sheet, 1, 0, 5));
  ASSERT_EQ(file.save(), FileStatus::Ok);
  EXPECT_EQ(column(recalculate(xlsPath, m_dir), 2), (QStringList{"", "10", "4", "6", "frei"}));
}

}  // namespace
}  // namespace zelvora
