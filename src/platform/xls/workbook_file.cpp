#include "platform/xls/workbook_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace zelvora::xls {
namespace {

constexpr std::size_t kMaxFileSize = std::size_t{512} << 20;
const char* const kStreamName = "Workbook";

FileStatus readWholeFile(const std::string& path, Bytes& bytes) {
  // Not blocking: a named pipe in place of the workbook must not hang the
  // program; it is refused below like anything that is no regular file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? FileStatus::Missing : FileStatus::NotWorkbook;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<std::size_t>(info.st_size) > kMaxFileSize) {
    ::close(fd);
    return FileStatus::NotWorkbook;
  }
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  return FileStatus::Ok;
}

std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

std::string nameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

FileStatus readWorkbookBytes(const Bytes& file, OleEntry& root, Workbook& workbook) {
  root = OleEntry{};
  if (!readOle2(file, root)) return FileStatus::NotWorkbook;
  const OleEntry* stream = root.child(kStreamName);
  if (!stream || stream->storage) return FileStatus::NotWorkbook;
  workbook = Workbook{};
  switch (workbook.read(stream->data)) {
    case Workbook::ReadResult::Ok:
      return FileStatus::Ok;
    case Workbook::ReadResult::Damaged:
      return FileStatus::Damaged;
    case Workbook::ReadResult::NotBiff8:
    case Workbook::ReadResult::Encrypted:
      break;
  }
  return FileStatus::NotWorkbook;
}

std::string WorkbookFile::lockFileFor(const std::string& path) {
  const std::string folder = folderOf(path);
  return (folder == "/" ? std::string() : folder) + "/.~lock." + nameOf(path) + "#";
}

FileStatus WorkbookFile::open(const std::string& path, Lock lock) {
  m_path = path;
  Bytes bytes;
  const FileStatus status = readWholeFile(path, bytes);
  if (status != FileStatus::Ok) return status;
  if (lock == Lock::Respect && ::access(lockFileFor(path).c_str(), F_OK) == 0) return FileStatus::Locked;
  return readWorkbookBytes(bytes, m_root, m_workbook);
}

void WorkbookFile::create(const std::string& path, Workbook workbook) {
  m_path = path;
  m_root = OleEntry{};
  m_root.storage = true;
  m_root.children.push_back({kStreamName, false, {}, {}, {}});
  m_workbook = std::move(workbook);
}

FileStatus WorkbookFile::save() {
  // Another program that opened the file since would lose its work or ours.
  if (::access(lockFileFor(m_path).c_str(), F_OK) == 0) return FileStatus::Locked;
  OleEntry* stream = m_root.child(kStreamName);
  if (!stream) return FileStatus::WriteFailed;
  stream->data = m_workbook.write();
  Bytes file;
  if (!writeOle2(m_root, file)) return FileStatus::WriteFailed;
  return replaceFile(m_path, file) ? FileStatus::Ok : FileStatus::WriteFailed;
}

bool replaceFile(const std::string& requested, const Bytes& bytes) {
  // A link to the workbook keeps pointing at it: the file it names is the
  // one replaced.
  std::string path = requested;
  if (char* real = ::realpath(requested.c_str(), nullptr)) {
    path = real;
    std::free(real);
  }
  std::string temp = folderOf(path) + "/." + nameOf(path) + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
  else ::fchmod(fd, 0644);
  std::size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace zelvora::xls
