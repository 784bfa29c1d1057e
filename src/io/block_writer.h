// The writer of a formatted file's full output blocks: one thread that writes
// a block with write() while the next one is filled, so that formatting and
// the system call overlap on two cores. Internal to io.
//
// Blocks are handed over whole, a few may wait in a queue, and they are
// written in the order given; each block written goes back to the pool. A
// failed write is kept: the blocks after it are not written, and the failure
// is taken back at the next hand-over or drain.
//
// A regular file's blocks are reserved on the file system ahead of the
// writes, a stretch at a time, and what is reserved beyond the file's end is
// given back when the writer stops: the file's length is only ever what was
// written.
#ifndef RAF2SIF_IO_BLOCK_WRITER_H_
#define RAF2SIF_IO_BLOCK_WRITER_H_

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include <sys/types.h>

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

  // Writes the blocks still queued, then stops the thread and gives back
  // the reservation beyond the file's end.
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

  // The stretch of the file reserved at a time.
  static constexpr off_t kReserveAhead = off_t{32} << 20;

  void run();
  void reserve_ahead(std::size_t len);
  void give_back_reservation();

  const int fd_;
  std::mutex mutex_;
  std::condition_variable changed_;
  // Guarded by mutex_. The front block of the queue is the one being written.
  std::deque<Block> queue_;
  bool stop_ = false;
  int error_ = 0;
  // The writer thread's own: the file offset its next block lands at (-1
  // when the file cannot be reserved), and the end of what it reserved.
  off_t end_ = -1;
  off_t reserved_ = 0;
  std::thread thread_;
};

}  // namespace io::detail

#endif  // RAF2SIF_IO_BLOCK_WRITER_H_
