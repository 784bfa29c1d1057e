// Writing whole arrays into a RAF file, the counterparts of the readers,
// with the readers' argument order.
//
// Each writer writes n elements from the bytes of a (in this computer's
// byte order) as array `key` of the file on `unit`. An array without space
// is allocated with n elements; an allocated one must be of the writer's
// type and have room for n elements, which become its stored length. Status
// 0, or minus a message number: 1026 for a negative n, 1027 for more
// elements than a holds (both before anything is written), 1071 for a file
// of another computer type, 1022, 1025, 1027, 1035, 1041 to 1045, 1069.
#ifndef RAF2SIF_RAFLIB_WRITERS_H_
#define RAF2SIF_RAFLIB_WRITERS_H_

#include <cstddef>
#include <cstdint>
#include <span>

namespace raflib {

// n integers (type 1).
void RAFPIN(std::span<const std::byte> ia, int32_t n, int32_t key, int32_t unit, int32_t& status);

// n single-precision reals (type 2).
void RAFPRE(std::span<const std::byte> ra, int32_t n, int32_t key, int32_t unit, int32_t& status);

// n double-precision reals (type 3).
void RAFPDP(std::span<const std::byte> da, int32_t n, int32_t key, int32_t unit, int32_t& status);

// n double-precision values stored as single-precision reals (type 2), so
// that RAFGRD reads them back; values beyond the single-precision range
// become infinities.
void RAFPRD(std::span<const std::byte> da, int32_t n, int32_t key, int32_t unit, int32_t& status);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_WRITERS_H_
