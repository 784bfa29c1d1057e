// Reading whole arrays from a RAF file into the caller's memory.
//
// Each reader reads n elements of array `key` of the file on `unit` into the
// bytes of a, in this computer's byte order, and never writes beyond a. The
// array must be stored with the reader's type and with at least n elements
// allocated and at most n stored. Status 0, or minus a message number:
// 1026 for a negative n, 1027 for more elements than a has room for (both
// before anything is read), 1022, 1023, 1025 to 1027, 1036, 1041 to 1048,
// 1069, 1070.
#ifndef RAF2SIF_RAFLIB_READERS_H_
#define RAF2SIF_RAFLIB_READERS_H_

#include <cstddef>
#include <cstdint>
#include <span>

namespace raflib {

// n integers (type 1, 4 bytes each).
void RAFGIN(std::span<std::byte> ia, int32_t n, int32_t key, int32_t unit, int32_t& status);

// n single-precision reals (type 2, 4 bytes each).
void RAFGRE(std::span<std::byte> ra, int32_t n, int32_t key, int32_t unit, int32_t& status);

// n double-precision reals (type 3, 8 bytes each).
void RAFGDP(std::span<std::byte> da, int32_t n, int32_t key, int32_t unit, int32_t& status);

// n single-precision reals (type 2) widened into n double-precision values
// (a needs room for n doubles).
void RAFGRD(std::span<std::byte> da, int32_t n, int32_t key, int32_t unit, int32_t& status);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_READERS_H_
