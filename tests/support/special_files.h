#pragma once

#include <QString>

#include <atomic>
#include <thread>

namespace zelvora::test {

// A named pipe (mkfifo) at the path; false when it could not be made.
bool makeFifo(const QString& path);
// A file of the given size that takes no disk space (all zero bytes).
bool makeSparseFile(const QString& path, qint64 size);

// Watches a named pipe while it lives: a reader that opens the pipe would
// wait for a writer for good, so the watch plays that writer, which ends
// the wait with an empty read, and remembers that it had to.
class PipeReaderWatch {
 public:
  explicit PipeReaderWatch(const QString& fifo);
  ~PipeReaderWatch();
  PipeReaderWatch(const PipeReaderWatch&) = delete;
  PipeReaderWatch& operator=(const PipeReaderWatch&) = delete;

  bool readerWasBlocked() const { return m_blocked; }

 private:
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_blocked{false};
  std::thread m_thread;
};

}  // namespace zelvora::test
