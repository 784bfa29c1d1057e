// The writer of a formatted file's full output blocks: one thread that writes
// a block with write() while the next one is filled, so that formatting and
// the system call overlap on two cores. Internal to io.
//
// Blocks are handed over whole and written in the order given. A failed
// write is kept: the blocks after it are not written, and the failure is
// taken back at the next hand-over (wait).
#ifndef RAF2SIF_IO_BLOCK_WRITER_H_
#define RAF2SIF_IO_BLOCK_WRITER_H_

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>

namespace io::detail {

// Writes n bytes at p to fd, resuming after interruptions and short writes;
// returns 0 or the errno value of the failure.
int write_all(int fd, const char* p, std::size_t n);

class BlockWriter {
 public:
  // A writer of fd with its thread started, or nullptr when no thread can be
  // started (the caller then writes its blocks itself).
  static std::unique_ptr<BlockWriter> start(int fd);

  // Waits for the block in hand, then stops the thread.
  ~BlockWriter();

  // Waits until the block in hand is written, gives it back in `written`
  // (nullptr when there was none), and returns the first failure so far.
  int wait(std::unique_ptr<char[]>& written);

  // Hands over a block of len bytes to be written; only after wait().
  void write(std::unique_ptr<char[]> block, std::size_t len);

  explicit BlockWriter(int fd) : fd_(fd) {}
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

 private:
  void run();

  const int fd_;
  std::mutex mutex_;
  std::condition_variable changed_;
  // Guarded by mutex_; block_ and len_ belong to the thread while busy_.
  std::unique_ptr<char[]> block_;
  std::size_t len_ = 0;
  bool busy_ = false;
  bool stop_ = false;
  int error_ = 0;
  std::thread thread_;
};

}  // namespace io::detail

#endif  // RAF2SIF_IO_BLOCK_WRITER_H_
