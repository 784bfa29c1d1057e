// Files of format version 0 kept the entry of the last array of an MFP
// block in the next block; they are rewritten in place when opened, or
// read as if they were when they may not be written.
#ifndef RAF2SIF_RAFLIB_UPGRADE_H_
#define RAF2SIF_RAFLIB_UPGRADE_H_

#include <cstdint>
#include <span>

#include "raflib/state.h"

namespace raflib {

// For a file of version 0 or less on the current slot: copies entry 64 of
// each block k + 1 over entry 64 of block k, k = 1 .. MFPMAX div 64 - 1, and
// writes the key as version 2, revision 1. Files of version 1 and above are
// left alone. A foreign file is refused (1071) before anything is written.
void RFCVER(int32_t version, int32_t revision, int32_t& status);

// The upgrade of one block in memory, for a version 0 file that is opened
// for reading only: into words, block b of the slot's file as read (in the
// file's byte order), copies entry 64 of block b + 1 from the file when b is
// below MFPMAX div 64. Status 0 or that of the read (FFILE).
void patch_version0_block(const Slot& slot, int32_t block, std::span<int32_t, kBlockWords> words,
                          int32_t& status);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_UPGRADE_H_
