#pragma once

#include "platform/xls/ole2_container.h"
#include "platform/xls/workbook.h"

#include <cstdint>
#include <string>

namespace zelvora::xls {

enum class FileStatus {
  Ok,
  Missing,
  Locked,
  // Not a regular file (a folder, a pipe), or one too large to be a workbook.
  NotWorkbook,
  // A file of another kind: text, a zip-based workbook, an Excel 5/95
  // workbook, an OLE2 file without a BIFF8 workbook stream.
  UnsupportedFormat,
  Damaged,
  ReadOnly,
  DiskFull,
  WriteFailed,
};

// Takes a compound file apart into its entries and the BIFF8 workbook in
// its "Workbook" stream.
FileStatus readWorkbookBytes(const Bytes& file, OleEntry& root, Workbook& workbook);

// What tells one version of a file from the next: another program that
// saves the workbook changes at least one of these.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = -1;
  std::int64_t modifiedNs = 0;
  bool operator==(const FileIdentity&) const = default;
};

// An .xls file on disk: read whole, written whole. Saving writes a new file
// beside the old one and renames it over the old one, so a failed save
// leaves the old file as it was.
class WorkbookFile {
 public:
  // Opens a file; one that another program has open is refused unless
  // the caller only reads it again after its own failed save.
  enum class Lock { Respect, Ignore };
  FileStatus open(const std::string& path, Lock lock = Lock::Respect);
  // Refuses a file the user may not write or that carries the read-only
  // bit (no write permission for its owner), also for the superuser.
  FileStatus save();

  // Starts a new file at path from a workbook (nothing is written yet).
  void create(const std::string& path, Workbook workbook);

  // True when the file on disk is no longer the version this one read or
  // saved last: another program has saved, replaced or removed it.
  bool changedOnDisk() const;

  Workbook& workbook() { return m_workbook; }
  const std::string& path() const { return m_path; }

  // The lock file LibreOffice keeps beside a file it has open:
  // ".~lock.NAME#" in the same folder.
  static std::string lockFileFor(const std::string& path);

 private:
  std::string m_path;
  OleEntry m_root;
  Workbook m_workbook;
  FileIdentity m_identity;
};

// Writes bytes to path through a temporary file in the same folder that is
// renamed over it; the old file's owner, group and permissions are kept,
// and a symbolic link at path stays and sees the new file. Where the new
// file could not get the old one's owner or group, or the folder takes no
// new file, the old file is overwritten in place once the space for it is
// reserved. Gives the identity of the file written.
FileStatus replaceFile(const std::string& path, const Bytes& bytes, FileIdentity* written = nullptr);

}  // namespace zelvora::xls
