#include "io/part_worker.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#if defined(__SANITIZE_THREAD__)
#define RAF2SIF_UNDER_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define RAF2SIF_UNDER_TSAN 1
#endif
#endif

namespace {

using io::detail::part_worker;

// The second part of every pass runs on one kept thread, not the caller's;
// while it runs another job is refused, for the caller to run itself.
TEST(PartWorker, KeepsOneThreadAndRefusesASecondJobWhileOneRuns) {
  std::mutex mutex;
  std::condition_variable released;
  bool go = false;
  std::thread::id first_id;
  std::thread::id second_id;
  ASSERT_TRUE(part_worker().start([&] {
    first_id = std::this_thread::get_id();
    std::unique_lock lock(mutex);
    released.wait(lock, [&] { return go; });
  }));
  EXPECT_FALSE(part_worker().start([] {}));
  {
    std::lock_guard lock(mutex);
    go = true;
  }
  released.notify_all();
  part_worker().wait();

  ASSERT_TRUE(part_worker().start([&] { second_id = std::this_thread::get_id(); }));
  part_worker().wait();
  EXPECT_NE(first_id, std::this_thread::get_id());
  EXPECT_EQ(first_id, second_id);
}

// A process forked after a conversion (the Python package's callers may
// fork) has its parent's worker without the thread: its own passes and its
// exit must not wait for the parent's thread.
TEST(PartWorker, AForkedChildRunsItsOwnJobsAndExits) {
#ifdef RAF2SIF_UNDER_TSAN
  GTEST_SKIP() << "ThreadSanitizer does not follow a fork of a process with threads";
#else
  ASSERT_TRUE(part_worker().start([] {}));
  part_worker().wait();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int ran = 0;
    const bool started = part_worker().start([&ran] { ran = 1; });
    if (started) part_worker().wait();
    std::exit(started && ran == 1 ? 0 : 3);  // runs the exit's destructors
  }
  int status = 0;
  pid_t done = 0;
  for (int i = 0; i < 1000 && done == 0; ++i) {
    done = ::waitpid(child, &status, WNOHANG);
    if (done == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (done == 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
  }
  ASSERT_EQ(done, child) << "the child hangs";
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
#endif
}

}  // namespace
