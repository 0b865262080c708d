#include "support/special_files.h"

#include <QFile>

#include <chrono>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvora::test {

bool makeFifo(const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }

bool makeSparseFile(const QString& path, qint64 size) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.resize(size);
}

PipeReaderWatch::PipeReaderWatch(const QString& fifo) {
  m_thread = std::thread([this, name = QFile::encodeName(fifo)] {
    using namespace std::chrono_literals;
    while (!m_stop) {
      // Opening for writing without waiting succeeds only while a reader
      // has the pipe open.
      const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) {
        m_blocked = true;
        ::close(fd);
      }
      std::this_thread::sleep_for(50ms);
    }
  });
}

PipeReaderWatch::~PipeReaderWatch() {
  m_stop = true;
  m_thread.join();
}

}  // namespace zelvora::test
