#include "platform/regular_file.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvora {
namespace {

bool acceptable(const struct stat& st) { return S_ISREG(st.st_mode) && st.st_size <= kRegularFileLimit; }

}  // namespace

bool IsRegularFileWithinLimit(const QString& path) {
  struct stat st {};
  return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 && acceptable(st);
}

std::optional<QByteArray> ReadRegularFile(const QString& path) {
  // Checked before opening, since opening a pipe waits for a writer; and
  // again on the open file, which is opened without waiting, in case the
  // name was swapped in between.
  if (!IsRegularFileWithinLimit(path)) return std::nullopt;
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<QByteArray> content;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && acceptable(st)) {
    // A file that grows while it is read is cut off one byte past the
    // limit and refused.
    QByteArray bytes(st.st_size + 1, Qt::Uninitialized);
    qint64 got = 0;
    ssize_t n = 0;
    while (got < kRegularFileLimit + 1) {
      if (got == bytes.size()) bytes.resize(std::min<qint64>(2 * bytes.size(), kRegularFileLimit + 1));
      n = ::read(fd, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += n;
    }
    if (n >= 0 && got <= kRegularFileLimit) {
      bytes.truncate(got);
      content = std::move(bytes);
    }
  }
  ::close(fd);
  return content;
}

}  // namespace zelvora
