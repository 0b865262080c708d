#pragma once

#include "platform/xls/ole2_container.h"
#include "platform/xls/workbook.h"

#include <string>

namespace zelvora::xls {

enum class FileStatus { Ok, Missing, Locked, NotWorkbook, Damaged, WriteFailed };

// Takes a compound file apart into its entries and the BIFF8 workbook in
// its "Workbook" stream.
FileStatus readWorkbookBytes(const Bytes& file, OleEntry& root, Workbook& workbook);

// An .xls file on disk: read whole, written whole. Saving writes a new file
// beside the old one and renames it over the old one, so a failed save
// leaves the old file as it was.
class WorkbookFile {
 public:
  // Opens a file; one that another program has open is refused unless
  // the caller only reads it again after its own failed save.
  enum class Lock { Respect, Ignore };
  FileStatus open(const std::string& path, Lock lock = Lock::Respect);
  FileStatus save();

  // Starts a new file at path from a workbook (nothing is written yet).
  void create(const std::string& path, Workbook workbook);

  Workbook& workbook() { return m_workbook; }
  const std::string& path() const { return m_path; }

  // The lock file LibreOffice keeps beside a file it has open:
  // ".~lock.NAME#" in the same folder.
  static std::string lockFileFor(const std::string& path);

 private:
  std::string m_path;
  OleEntry m_root;
  Workbook m_workbook;
};

// Writes bytes to path through a temporary file in the same folder that is
// renamed over it; the old file's permissions are kept, and a symbolic link
// at path stays and sees the new file.
bool replaceFile(const std::string& path, const Bytes& bytes);

}  // namespace zelvora::xls
