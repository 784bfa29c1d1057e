// The writer of a formatted file's full output blocks: one thread that writes
// a block with write() while the next one is filled, so that formatting and
// the system call overlap on two cores. Internal to io.
//
// Blocks are handed over whole, a few may wait in a queue, and they are
// written in the order given; each block written goes back to the pool. A
// failed write is kept: the blocks after it are not written, and the failure
// is taken back at the next hand-over or drain.
#ifndef RAF2SIF_IO_BLOCK_WRITER_H_
#define RAF2SIF_IO_BLOCK_WRITER_H_

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace io::detail {

// Writes n bytes at p to fd, resuming after interruptions and short writes;
// returns 0 or the errno value of the failure.
int write_all(int fd, const char* p, std::size_t n);

// A block of output and the number of bytes it holds.
using Block = std::pair<std::unique_ptr<char[]>, std::size_t>;

class BlockWriter {
 public:
  // A writer of fd with its thread started, or nullptr when no thread can be
  // started (the caller then writes its blocks itself).
  static std::unique_ptr<BlockWriter> start(int fd);

  // Writes the blocks still queued, then stops the thread.
  ~BlockWriter();

  // Queues a block, to be written after those before it, and returns the
  // first failure so far. A block just filled first waits while kQueued are
  // queued, so that formatting runs at most that far ahead of the file; a
  // block already held in memory (wait false) is queued at once.
  int write(Block block, bool wait);

  // Waits until every block queued is written; the first failure.
  int drain();

  // The first failure so far, without waiting.
  int failure();

  explicit BlockWriter(int fd) : fd_(fd) {}
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

 private:
  // Blocks a formatter may run ahead of the file: the second part of a
  // result pass hands over several at once without waiting for each.
  static constexpr std::size_t kQueued = 4;

  void run();

  const int fd_;
  std::mutex mutex_;
  std::condition_variable changed_;
  // Guarded by mutex_. The front block of the queue is the one being written.
  std::deque<Block> queue_;
  bool stop_ = false;
  int error_ = 0;
  std::thread thread_;
};

}  // namespace io::detail

#endif  // RAF2SIF_IO_BLOCK_WRITER_H_
