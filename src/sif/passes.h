// The long passes of the SIF writers: a record or a few for every node or
// element. A long pass is written in two halves at once, the second on a
// thread of its own into memory, and the bytes are those of one pass.
//
// A pass that may stop at a bad index is checked first, without a message:
// the records of the items before the first that fails are written as one
// pass without checks, then that item's check again, on the unit, writes its
// block right after them, as when the pass had stopped there.
#ifndef RAF2SIF_SIF_PASSES_H_
#define RAF2SIF_SIF_PASSES_H_

#include <cstdint>

#include "io/units.h"

namespace sif {

// A pass of this many items or more is written in two parts at once; the
// second part goes into memory through kPartUnit, a unit nothing else uses.
constexpr int32_t kTwoPartsFrom = 4096;
constexpr int32_t kPartUnit = 98;

// Writes the records of items 1 .. count by put(first, last, unit).
template <class Put>
void put_pass(int32_t unit, int32_t count, const Put& put) {
  if (count < kTwoPartsFrom) return put(1, count, unit);
  const int32_t half = count / 2;
  io::write_in_two_parts(
      unit, kPartUnit, [&](int lun) { put(1, half, lun); },
      [&](int lun) { put(half + 1, count, lun); });
}

// The number of items 1 .. count before the first for which sound(i) is
// false: count when every one is sound.
template <class Sound>
int32_t sound_items(int32_t count, const Sound& sound) {
  for (int32_t i = 1; i <= count; ++i) {
    if (!sound(i)) return i - 1;
  }
  return count < 0 ? 0 : count;
}

}  // namespace sif

#endif  // RAF2SIF_SIF_PASSES_H_
