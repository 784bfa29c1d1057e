#include "io/memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace io {

namespace {

// Applies advice to the whole pages inside the block.
void advise(void* p, std::size_t bytes, int advice) {
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto begin = reinterpret_cast<std::uintptr_t>(p);
  const std::uintptr_t first = (begin + page - 1) / page * page;
  const std::uintptr_t end = (begin + bytes) / page * page;
  if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, advice);
}

}  // namespace

void advise_huge_pages(void* p, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  advise(p, bytes, MADV_HUGEPAGE);
#endif
}

void populate(void* p, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
  advise(p, bytes, MADV_POPULATE_WRITE);
#endif
}

}  // namespace io
