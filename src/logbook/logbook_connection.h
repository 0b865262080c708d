#pragma once

#include "platform/xls/workbook_file.h"

#include <QString>

#include <memory>

namespace zelvora {

// The logbook's connection to one workbook file: the file read into memory
// while the connection is open. A workbook another program has open (its
// lock file beside it) is refused.
class LogbookConnection {
 public:
  // Ok, or why the workbook could not be opened.
  xls::FileStatus open(const QString& path);
  void close() { m_file.reset(); }
  bool isOpen() const { return m_file != nullptr; }
  std::shared_ptr<xls::WorkbookFile> file() const { return m_file; }

 private:
  std::shared_ptr<xls::WorkbookFile> m_file;
};

}  // namespace zelvora
