#include "io/block_pool.h"

#include <utility>

#include "io/memory.h"

namespace io::detail {

std::unique_ptr<char[]> BlockPool::take() {
  {
    std::lock_guard lock(mutex_);
    if (!kept_.empty()) {
      std::unique_ptr<char[]> block = std::move(kept_.back());
      kept_.pop_back();
      return block;
    }
  }
  auto block = std::make_unique_for_overwrite<char[]>(kBufferBytes);
  populate(block.get(), kBufferBytes);
  return block;
}

void BlockPool::give(std::unique_ptr<char[]> block) {
  if (!block) return;
  std::lock_guard lock(mutex_);
  if (kept_.size() < kMaxKept) kept_.push_back(std::move(block));
}

BlockPool& block_pool() {
  static BlockPool pool;
  return pool;
}

}  // namespace io::detail
