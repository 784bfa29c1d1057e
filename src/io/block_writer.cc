#include "io/block_writer.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

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
    changed_.wait(lock, [this] { return !busy_; });
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

int BlockWriter::wait(std::unique_ptr<char[]>& written) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  written = std::move(block_);
  return error_;
}

void BlockWriter::write(std::unique_ptr<char[]> block, std::size_t len) {
  {
    std::lock_guard lock(mutex_);
    block_ = std::move(block);
    len_ = len;
    busy_ = true;
  }
  changed_.notify_all();
}

void BlockWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return busy_ || stop_; });
    if (!busy_) return;
    const bool failed = error_ != 0;
    lock.unlock();
    const int rc = failed ? 0 : write_all(fd_, block_.get(), len_);
    lock.lock();
    if (rc != 0) error_ = rc;
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace io::detail
