// The global step table MGLRES: mxglpr words per step, column j describing
// step j. Words 2 and 3 of a column say the step exists (not both 0); word 10
// is its stored flag, 1 when the step's results are stored in the RAF file.
// The converter and the inspector read the table through these routines
// alone; callers check that the table holds the columns they ask for.
#ifndef RAF2SIF_ARRAYS_STEPS_H_
#define RAF2SIF_ARRAYS_STEPS_H_

#include <cstdint>

#include "io/work_array.h"

namespace arrays {

// The MGLRES words of a step's column that the converter reads.
inline constexpr int32_t kStepWordPresent1 = 2;
inline constexpr int32_t kStepWordPresent2 = 3;
inline constexpr int32_t kStepWordStored = 10;

// Word w of step's column.
inline int32_t step_word(io::IntView mglres, int32_t mxglpr, int32_t step, int32_t w) {
  return mglres((int64_t{step} - 1) * mxglpr + w);
}

// The stored flag of step (word 10).
inline int32_t stored_flag(io::IntView mglres, int32_t mxglpr, int32_t step) {
  return step_word(mglres, mxglpr, step, kStepWordStored);
}

// The one test of "stored": a flag of 1. A pass over the steps takes every
// step whose flag is not 0, so a flag other than 0 and 1 makes it meet more
// steps than STPSTO counted.
inline constexpr bool is_stored(int32_t flag) {
  return flag == 1;
}

// Number of leading steps present: the columns j = 1, 2, ... up to mxstep
// whose words 2 and 3 are not both 0. Sets istat to 0.
int32_t STPCNT(io::IntView mglres, int32_t mxglpr, int32_t mxstep, int32_t& istat);

// Walks the steps i1 .. i2 and appends words 2, 3 and 10 of every stored
// step to mscra (room for 3 words per step of the range). Returns the number
// of stored steps (0 when i2 < i1).
int32_t STPSTO(io::IntView mglres, int32_t mxglpr, io::IntView mscra, int32_t i1, int32_t i2);

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_STEPS_H_
