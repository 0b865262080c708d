#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace zelvora::test {

// Writes a workbook with the program's own writer: one sheet of that name,
// a header row and text rows.
void writeWorkbook(const QString& path, const QString& sheetName, const QStringList& columns,
                   const std::vector<QStringList>& rows);

}  // namespace zelvora::test
