// Output blocks kept for reuse by every thread of the output: the formatter
// of a file, the formatter of a pass's second part and the writer of full
// blocks. A block filled once has its pages in memory; filling it again costs
// no page faults, which a new block pays for at every page. Internal to io.
#ifndef RAF2SIF_IO_BLOCK_POOL_H_
#define RAF2SIF_IO_BLOCK_POOL_H_

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace io::detail {

constexpr std::size_t kBufferBytes = std::size_t{1} << 20;  // output block: 1 MiB

class BlockPool {
 public:
  // A kept block, or a new one when none is kept.
  std::unique_ptr<char[]> take();

  // Keeps the block for the next take, or frees it when kMaxKept are kept
  // already. A null block is ignored.
  void give(std::unique_ptr<char[]> block);

 private:
  // Enough for the blocks of a file in flight at once (the one being filled,
  // the writer's queue and a second part held in memory), so that a
  // conversion in a steady state allocates none.
  static constexpr std::size_t kMaxKept = 12;

  std::mutex mutex_;
  std::vector<std::unique_ptr<char[]>> kept_;  // guarded by mutex_
};

// The one pool of the process.
BlockPool& block_pool();

}  // namespace io::detail

#endif  // RAF2SIF_IO_BLOCK_POOL_H_
