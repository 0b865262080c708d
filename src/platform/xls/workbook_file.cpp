#include "platform/xls/workbook_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace zelvora::xls {
namespace {

constexpr std::size_t kMaxFileSize = std::size_t{512} << 20;
const char* const kStreamName = "Workbook";
// Every compound file starts so; one that does and still cannot be read is
// a damaged workbook, not a file of another kind.
constexpr std::uint8_t kOle2Signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

FileIdentity identityOf(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::int64_t>(info.st_size),
          static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

FileStatus readWholeFile(const std::string& path, Bytes& bytes, FileIdentity& identity) {
  // Not blocking: a named pipe in place of the workbook must not hang the
  // program; it is refused below like anything that is no regular file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? FileStatus::Missing : FileStatus::NotWorkbook;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<std::size_t>(info.st_size) > kMaxFileSize) {
    ::close(fd);
    return FileStatus::NotWorkbook;
  }
  identity = identityOf(info);
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

FileStatus statusFor(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return FileStatus::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return FileStatus::ReadOnly;
    default:
      return FileStatus::WriteFailed;
  }
}

// Returns 0 or the error that stopped the writing.
int writeAll(int fd, const Bytes& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// Closes fd, keeping the first error.
int finish(int fd, int error, FileIdentity* written) {
  struct stat info {};
  if (!error && ::fsync(fd) != 0) error = errno;
  if (!error && written && ::fstat(fd, &info) == 0) *written = identityOf(info);
  if (::close(fd) != 0 && !error) error = errno;
  return error;
}

FileStatus overwriteInPlace(const std::string& path, const Bytes& bytes, FileIdentity* written) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return statusFor(errno);
  // The space is taken before the first byte changes, so a full disk stops
  // the save while the old workbook is still whole.
  int error = 0;
  if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size())) != 0 && errno != EOPNOTSUPP)
    error = errno;
  if (!error) error = writeAll(fd, bytes);
  if (!error && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) error = errno;
  error = finish(fd, error, written);
  return error ? statusFor(error) : FileStatus::Ok;
}

}  // namespace

FileStatus readWorkbookBytes(const Bytes& file, OleEntry& root, Workbook& workbook) {
  root = OleEntry{};
  if (!readOle2(file, root)) {
    const bool compound = file.size() >= sizeof kOle2Signature &&
                          std::equal(std::begin(kOle2Signature), std::end(kOle2Signature), file.begin());
    return compound ? FileStatus::Damaged : FileStatus::UnsupportedFormat;
  }
  // Excel 5 and 95 keep their workbook in a stream named "Book".
  const OleEntry* stream = root.child(kStreamName);
  if (!stream || stream->storage) return FileStatus::UnsupportedFormat;
  workbook = Workbook{};
  switch (workbook.read(stream->data)) {
    case Workbook::ReadResult::Ok:
      return FileStatus::Ok;
    case Workbook::ReadResult::Damaged:
      return FileStatus::Damaged;
    case Workbook::ReadResult::NotBiff8:
      return FileStatus::UnsupportedFormat;
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
  m_identity = FileIdentity{};
  Bytes bytes;
  const FileStatus status = readWholeFile(path, bytes, m_identity);
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
  m_identity = FileIdentity{};
}

bool WorkbookFile::changedOnDisk() const {
  struct stat info {};
  if (::stat(m_path.c_str(), &info) != 0) return m_identity != FileIdentity{};
  return identityOf(info) != m_identity;
}

FileStatus WorkbookFile::save() {
  // Another program that opened the file since would lose its work or ours.
  if (::access(lockFileFor(m_path).c_str(), F_OK) == 0) return FileStatus::Locked;
  // The folder's permission would let a rename replace the file; the file's
  // own permission decides, as it does for every other program.
  struct stat info {};
  if (::stat(m_path.c_str(), &info) == 0 &&
      (!(info.st_mode & S_IWUSR) || ::faccessat(AT_FDCWD, m_path.c_str(), W_OK, AT_EACCESS) != 0))
    return FileStatus::ReadOnly;
  OleEntry* stream = m_root.child(kStreamName);
  if (!stream) return FileStatus::WriteFailed;
  stream->data = m_workbook.write();
  Bytes file;
  if (!writeOle2(m_root, file)) return FileStatus::WriteFailed;
  return replaceFile(m_path, file, &m_identity);
}

FileStatus replaceFile(const std::string& requested, const Bytes& bytes, FileIdentity* written) {
  // A link to the workbook keeps pointing at it: the file it names is the
  // one replaced.
  std::string path = requested;
  if (char* real = ::realpath(requested.c_str(), nullptr)) {
    path = real;
    std::free(real);
  }
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  std::string temp = folderOf(path) + "/." + nameOf(path) + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    // A folder that takes no new file may still hold a file the user may write.
    if (exists && (errno == EACCES || errno == EPERM)) return overwriteInPlace(path, bytes, written);
    return statusFor(errno);
  }
  if (exists) {
    struct stat mine {};
    const bool sameOwner = ::fstat(fd, &mine) == 0 && mine.st_uid == old.st_uid && mine.st_gid == old.st_gid;
    // Only the file itself keeps an owner or group the user cannot give.
    if (!sameOwner && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
      ::close(fd);
      ::unlink(temp.c_str());
      return overwriteInPlace(path, bytes, written);
    }
    ::fchmod(fd, old.st_mode & 07777);
  } else {
    ::fchmod(fd, 0644);
  }
  int error = finish(fd, writeAll(fd, bytes), written);
  if (!error && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error) ::unlink(temp.c_str());
  // A sticky folder lets only the owner replace the file; its writer may
  // still change it.
  if (exists && (error == EPERM || error == EACCES)) return overwriteInPlace(path, bytes, written);
  return error ? statusFor(error) : FileStatus::Ok;
}

}  // namespace zelvora::xls
