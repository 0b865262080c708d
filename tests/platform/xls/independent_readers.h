#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <utility>
#include <vector>

namespace zelvora::test {

// A cell as an independent reader saw it: a number or a text.
struct SeenCell {
  bool isNumber = false;
  double number = 0;
  QString text;
};
using SeenCells = std::map<std::pair<int, int>, SeenCell>;

// Reads one sheet with FreeXL; false when FreeXL refuses the file.
bool readWithFreexl(const QString& path, int sheetIndex, SeenCells& cells, QString* sheetName = nullptr);

// A sheet as ssconvert (Gnumeric) reads it: its cells and its style
// regions (each as one line of its attributes, for comparing formats).
struct GnumericSheet {
  QString name;
  SeenCells cells;
  QStringList styles;
};
// Converts the workbook to Gnumeric XML with ssconvert and reads every
// sheet; false when ssconvert fails.
bool readWithSsconvert(const QString& path, std::vector<GnumericSheet>& sheets);

// Makes an .xls with ssconvert from CSV files, one sheet each, named after
// the files (which therefore have no extension).
bool ssconvertCsvToXls(const QStringList& csvFiles, const QString& xlsPath);

// Debian's python3 with python3-xlwt and python3-xlrd, another writer and
// reader of .xls files; empty when either module is missing.
QString pythonWithXlwtAndXlrd();

// Rows of a sheet as texts, the way xlrd reads them: numbers in Python's
// shortest form ("7.44", "35000.0"), empty cells as "".
using SheetRows = std::vector<QStringList>;

// Writes a workbook with xlwt: one sheet of that name; cells of the first
// column below the header that read as numbers are numbers, all else text.
bool writeWithXlwt(const QString& path, const QString& sheetName, const SheetRows& rows);
// What another program does when it adds a record: reads the whole sheet
// with xlrd, writes it back with xlwt with the row appended.
bool appendRowWithXlwt(const QString& path, const QString& sheetName, const QStringList& row);
// Reads one sheet with xlrd; false when xlrd refuses the file.
bool readWithXlrd(const QString& path, const QString& sheetName, SheetRows& rows);

}  // namespace zelvora::test
