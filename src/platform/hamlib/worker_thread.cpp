#include "platform/hamlib/worker_thread.h"

namespace zelvora {

WorkerThread::WorkerThread() : m_thread([this] { run(); }) {}

WorkerThread::~WorkerThread() {
  {
    std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_wake.notify_one();
  m_thread.join();
}

void WorkerThread::post(std::function<void()> job) {
  {
    std::lock_guard lock(m_mutex);
    m_jobs.push_back(std::move(job));
  }
  m_wake.notify_one();
}

void WorkerThread::dropPending() {
  std::lock_guard lock(m_mutex);
  m_jobs.clear();
}

void WorkerThread::run() {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock lock(m_mutex);
      m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
      if (m_jobs.empty()) return;
      job = std::move(m_jobs.front());
      m_jobs.pop_front();
    }
    job();
  }
}

}  // namespace zelvora
