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

}  // namespace zelvora::test
