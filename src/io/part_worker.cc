#include "io/part_worker.h"

#include <unistd.h>

#include <memory>
#include <system_error>
#include <utility>

namespace io::detail {

bool PartWorker::start(std::function<void()> job) {
  {
    std::lock_guard lock(mutex_);
    if (job_) return false;
    if (!thread_.joinable()) {
      // std::thread reports a thread that cannot be started only by
      // throwing.
      try {
        thread_ = std::thread(&PartWorker::run, this);
      } catch (const std::system_error&) {
        return false;
      }
    }
    job_ = std::move(job);
  }
  changed_.notify_all();
  return true;
}

void PartWorker::wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !job_; });
}

PartWorker::~PartWorker() {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !job_; });
    stop_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void PartWorker::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return job_ || stop_; });
    if (!job_) return;
    // The job stays set while it runs, which keeps a second one out.
    lock.unlock();
    job_();
    lock.lock();
    job_ = nullptr;
    changed_.notify_all();
  }
}

namespace {

// The worker of the process, stopped at its exit.
struct KeptWorker {
  PartWorker* worker = nullptr;
  pid_t pid = 0;
  ~KeptWorker() {
    if (pid == ::getpid()) delete worker;
  }
};

}  // namespace

PartWorker& part_worker() {
  static KeptWorker kept;
  if (kept.worker == nullptr) {
    kept.worker = new PartWorker;
    kept.pid = ::getpid();
  } else if (kept.pid != ::getpid()) {
    // A child made by fork() has a copy of its parent's worker but not the
    // thread. The copy must not be destroyed (its condition variable still
    // counts the parent's thread as a waiter, and its thread cannot be
    // joined): a fresh worker takes its storage, for the child's own thread.
    std::construct_at(kept.worker);
    kept.pid = ::getpid();
  }
  return *kept.worker;
}

}  // namespace io::detail
