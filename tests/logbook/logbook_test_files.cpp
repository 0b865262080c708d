#include "logbook_test_files.h"

#include "platform/xls/workbook_file.h"

#include <gtest/gtest.h>

namespace zelvora::test {

void writeWorkbook(const QString& path, const QString& sheetName, const QStringList& columns,
                   const std::vector<QStringList>& rows) {
  xls::Workbook workbook = xls::Workbook::createEmpty({sheetName.toStdString()});
  xls::SheetTable* sheet = workbook.sheet(sheetName.toStdString());
  for (int c = 0; c < columns.size(); ++c) workbook.setText(*sheet, 0, c, columns[c].toStdString());
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (int c = 0; c < rows[r].size(); ++c) workbook.setText(*sheet, static_cast<int>(r) + 1, c, rows[r][c].toStdString());
  xls::WorkbookFile file;
  file.create(path.toStdString(), std::move(workbook));
  ASSERT_EQ(file.save(), xls::FileStatus::Ok);
}

}  // namespace zelvora::test
