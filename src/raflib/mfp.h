// The MFP, the array directory of a RAF file: finding an array's entry
// through the block buffers of its file, allocating arrays in the data area,
// writing modified blocks back, and the access state of the file.
#ifndef RAF2SIF_RAFLIB_MFP_H_
#define RAF2SIF_RAFLIB_MFP_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "raflib/state.h"

namespace raflib {

// Finds array `array` of the unit's file for operation op (0 allocate,
// 1 write, 2 read, 3 locate), allocating it for 0 and 1 when it has no
// space yet, and checks type and n elements against the entry (1025, 1026,
// 1027, 1047, 1048). Writing fewer or more elements than stored (up to the
// allocated length) makes n the stored length, and the block reaches the file.
void RFFNFP(int32_t unit, int32_t array, int32_t type, int32_t n, int32_t op, int32_t& status);

// Makes the slot in use by the unit the current slot (-1022 if there is
// none) and clears the current entry.
void RFFINO(int32_t unit, int32_t& status);

// Brings the block of `array` of the current slot into a buffer, least
// recently used first, and copies the array's entry into the current entry
// (1069 outside 1 to MFPMAX).
void RFMFPB(int32_t array, int32_t& status);

// Loads the current block into the current buffer, writing the block it held
// back first when that was modified.
void RFSMFP(int32_t& status);

// Gives array `array` of the current slot `allocated` elements of type
// `type` at the end of the data area, with `stored` elements stored.
void RFALL(int32_t unit, int32_t array, int32_t type, int32_t allocated, int32_t stored,
           int32_t& status);

// Writes every modified block buffer of the current slot (1071 for a foreign
// file).
void RFPMFP(int32_t& status);

// Moves the access state of the current slot after operation op.
void RFSTAT(int32_t op);

// The first step of every reader and writer: makes the unit's slot current
// and refuses a transfer of n elements of elem_bytes bytes that the caller's
// `bytes` bytes of memory cannot hold (1027), or a negative n (1026),
// reported under routine. Returns true when the transfer may go on.
bool room_for(int32_t unit, int32_t array, int32_t n, int elem_bytes, std::size_t bytes,
              std::string_view routine, int32_t& status);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_MFP_H_
