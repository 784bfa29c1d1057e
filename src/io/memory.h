// Advice to the system on the large blocks of memory the program fills: the
// work array and the output blocks. Filling a new page costs a page fault
// the first time, which on a virtual machine is dear; the advice trades them
// for fewer, larger steps. Where the system declines it nothing changes but
// the time.
#ifndef RAF2SIF_IO_MEMORY_H_
#define RAF2SIF_IO_MEMORY_H_

#include <cstddef>

namespace io {

// Asks for the whole pages inside the block to be backed by huge pages: one
// page fault every 2 MiB instead of every 4 KiB, for a block filled a part at
// a time.
void advise_huge_pages(void* p, std::size_t bytes);

// Puts in place, in one call, the whole pages inside a new block that is
// about to be filled from end to end.
void populate(void* p, std::size_t bytes);

}  // namespace io

#endif  // RAF2SIF_IO_MEMORY_H_
