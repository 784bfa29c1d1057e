// The long passes of the SIF writers: a record or a few for every node or
// element. A long pass is written in two halves at once, the second on io's
// kept part thread into memory, and the bytes are those of one pass: a half
// that stops at a bad index has its block right after the records before
// it, and a first half that stops ends the pass.
#ifndef RAF2SIF_SIF_PASSES_H_
#define RAF2SIF_SIF_PASSES_H_

#include <cstdint>

#include "io/units.h"

namespace sif {

// A pass of this many items or more is written in two parts at once; the
// second part goes into memory through kPartUnit, a unit nothing else uses.
constexpr int32_t kTwoPartsFrom = 4096;
constexpr int32_t kPartUnit = 98;

// Writes the records of items 1 .. count by put(first, last, unit, istat),
// which returns false when it stops at a bad item, with its block on the unit
// and istat decreased by 1. Returns false when the pass stopped, with istat
// as one pass would leave it.
template <class Put>
bool put_pass(int32_t unit, int32_t count, int32_t& istat, const Put& put) {
  if (count < kTwoPartsFrom) return put(1, count, unit, istat);
  const int32_t half = count / 2;
  int32_t first_status = 0;
  int32_t second_status = 0;
  bool first_whole = true;
  bool second_whole = true;
  io::write_in_two_parts(
      unit, kPartUnit, [&](int lun) { return first_whole = put(1, half, lun, first_status); },
      [&](int lun) { second_whole = put(half + 1, count, lun, second_status); });
  istat += first_whole ? second_status : first_status;
  return first_whole && second_whole;
}

}  // namespace sif

#endif  // RAF2SIF_SIF_PASSES_H_
