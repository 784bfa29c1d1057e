// The thread that formats the second part of a pass in two parts, kept from
// one pass to the next: a thread started for each pass is only scheduled at
// the next scheduler tick while the first part and the file's writer hold
// both cores, and the first part then waits for it; a kept thread that is
// woken runs at once. Internal to io.
#ifndef RAF2SIF_IO_PART_WORKER_H_
#define RAF2SIF_IO_PART_WORKER_H_

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace io::detail {

class PartWorker {
 public:
  // Runs job on the kept thread, started at the first call; false when the
  // thread is busy with a job or cannot be started, and the caller then runs
  // job itself.
  bool start(std::function<void()> job);

  // Waits until the job started last has returned.
  void wait();

  // Stops the thread, once its job has returned.
  ~PartWorker();

  PartWorker() = default;
  PartWorker(const PartWorker&) = delete;
  PartWorker& operator=(const PartWorker&) = delete;

 private:
  void run();

  std::mutex mutex_;
  std::condition_variable changed_;
  // Guarded by mutex_: the job given and not yet returned (empty when none).
  std::function<void()> job_;
  bool stop_ = false;
  std::thread thread_;
};

// The one part worker of the process (a child made by fork() gets one of its
// own). It holds no state of a conversion, so it outlives io::reset.
PartWorker& part_worker();

}  // namespace io::detail

#endif  // RAF2SIF_IO_PART_WORKER_H_
