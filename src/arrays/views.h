// Views of a booked array for callers that index it: the array's extent is
// its dimension in the DMS, checked against the work array, so that every
// index taken from a model array can be checked against the view.
//
// A view is empty when the name has no storage, when ipoint is not the
// array's current pointer (pointers go stale after a release), when the
// array's element size does not suit the view (1 word for integers, 2 for
// reals), or when its storage does not lie in the work array.
#ifndef RAF2SIF_ARRAYS_VIEWS_H_
#define RAF2SIF_ARRAYS_VIEWS_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "io/work_array.h"

namespace arrays {

// The integer array name at pointer ipoint (IA(ipoint) is its first element).
io::IntView int_view(io::WorkArray& ia, std::string_view name, int32_t ipoint);

// The double-precision array name at pointer ipoint (RA(ipoint) first).
io::RealView real_view(io::WorkArray& ia, std::string_view name, int32_t ipoint);

// The whole storage of array name at pointer ipoint as bytes, for element
// sizes of 1 and 2 words alike; empty as the views are.
std::span<std::byte> storage_bytes(io::WorkArray& ia, std::string_view name, int32_t ipoint);

// The words of an integer view as bytes, for transfers from the RAF file.
std::span<std::byte> as_bytes(io::IntView v);

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_VIEWS_H_
