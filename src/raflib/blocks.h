// The layout of the MFP area: entries in blocks of 64, each block two
// records from MFPADR on, and the one block that may be cut short.
#ifndef RAF2SIF_RAFLIB_BLOCKS_H_
#define RAF2SIF_RAFLIB_BLOCKS_H_

#include <cstddef>
#include <cstdint>
#include <span>

#include "raflib/state.h"

namespace raflib {

// Blocks of an MFP area of mfpmax entries (at least 1).
constexpr int32_t mfp_blocks(int32_t mfpmax) {
  return (mfpmax - 1) / kEntriesPerBlock + 1;
}

// The file address of MFP block b, and the words of it that lie in the MFP
// area: 256, or 128 for the last block of an area of an odd number of
// records, whose second record is the first record of the data area.
int64_t block_address(const Slot& slot, int32_t block);
int32_t block_words(int32_t mfp_records, int32_t block);

// Writes the words of block b that lie in the MFP area from words.
void put_block(const Slot& slot, int32_t block, std::span<const std::byte> words, int32_t& status);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_BLOCKS_H_
