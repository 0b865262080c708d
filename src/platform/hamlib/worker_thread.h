#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace zelvora {

// One thread that runs posted jobs one after another, in the order posted.
// Destroying it runs the jobs still queued, then ends the thread.
class WorkerThread {
 public:
  WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;
  ~WorkerThread();

  void post(std::function<void()> job);
  // Forgets the jobs not yet started; the one running finishes.
  void dropPending();

 private:
  void run();

  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::deque<std::function<void()>> m_jobs;
  bool m_stop = false;
  std::thread m_thread;
};

}  // namespace zelvora
