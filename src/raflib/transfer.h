// Moving words between a RAF file and memory: the record transfer, the
// byte-order conversion of data read from a file of another computer type,
// the check that refuses writing such a file, and the widening of
// single-precision values.
#ifndef RAF2SIF_RAFLIB_TRANSFER_H_
#define RAF2SIF_RAFLIB_TRANSFER_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "raflib/state.h"

namespace raflib {

// The highest record a transfer may reach: file addresses are 32-bit.
constexpr int64_t kMaxAddress = INT32_MAX;

// RFSWAP's failures, as magnitudes of its status (not reported).
constexpr int32_t kSwapCount = 1, kSwapSize = 2;

// Transfers nwords words at file address `address`: operation 0 skips them,
// 1 writes them from array, 2 reads them into array, all records in one
// system call. On return address is the record after the last one skipped
// or transferred. Status 0, or minus: kFfileUnit (unit outside 1 to 99),
// kFfileOperation (operation outside 0 to 2, or a read into memory that may
// only be read), kFfileAddress (address 0 or less, or a transfer that would
// reach past kMaxAddress), kFfileCount (negative count, or more words than
// array holds), or the platform's I/O status.
void FFILE(int32_t unit, int32_t op, int64_t& address, std::span<std::byte> array, int64_t nwords,
           int32_t& status);
void FFILE(int32_t unit, int32_t op, int64_t& address, std::span<const std::byte> array,
           int64_t nwords, int32_t& status);

// True when the current slot's file was written on another computer type,
// so that this computer may not write it (type 0 is no type).
bool foreign(const Slot& slot);

// Refuses (1071) writing the current slot's file when it is foreign.
void RFCHKW(int32_t& status);

// Converts n elements of data read from the current slot's file into this
// computer's byte order; code "IN", "RE", "CO" (4 bytes) or "DP" (8 bytes),
// any other code (such as "CK") converts nothing. A pair of computer types
// that cannot be converted gives 1070.
void RFCNVD(std::string_view code, std::span<std::byte> array, int64_t n, int32_t& status);

// Reverses the bytes of each of n elements of `size` bytes. Status
// -kSwapCount for a negative n or more elements than array holds, -kSwapSize
// for a size outside 2 to 8.
void RFSWAP(std::span<std::byte> array, int64_t n, int size, int32_t& status);

// Widens the n single-precision values at the start of array, in place, into
// n double-precision values (at most as many as array has room for).
void RFR2DP(int64_t n, std::span<std::byte> array);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_TRANSFER_H_
