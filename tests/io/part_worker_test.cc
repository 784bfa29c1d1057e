#include "io/part_worker.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

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

}  // namespace
