// The MFP, the array directory of a RAF file: finding an array's entry
// through the block buffers of its file, allocating arrays in the data area,
// writing modified blocks back, and the access state of the file.
#ifndef RAF2SIF_RAFLIB_MFP_H_
#define RAF2SIF_RAFLIB_MFP_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
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

// Loads MFP block `block` of the current slot into its buffer buffer_number
// (1 to 10), writing the block the buffer held back first when that was
// modified. The buffer holds no block when the load fails.
void RFSMFP(int32_t buffer_number, int32_t block, int32_t& status);

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
// reported under the last of way_out. way_out names the routines a failure
// returns through, innermost first (the reader or writer; RAFGRE, RAFGRD);
// a unit with no file fails as the lookup would (1022), traced by RFFNFP and
// then by each of them. Returns true when the transfer may go on.
bool room_for(int32_t unit, int32_t array, int32_t n, int elem_bytes, std::size_t bytes,
              std::initializer_list<std::string_view> way_out, int32_t& status);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_MFP_H_
