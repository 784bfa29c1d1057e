#include "io/part_worker.h"

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

PartWorker& part_worker() {
  static PartWorker worker;
  return worker;
}

}  // namespace io::detail
