#include "io/block_writer.h"

#include <unistd.h>

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
    const int rc = failed ? 0 : write_all(fd_, block, len);
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

}  // namespace io::detail
