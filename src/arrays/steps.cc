#include "arrays/steps.h"

namespace arrays {

int32_t STPCNT(io::IntView mglres, int32_t mxglpr, int32_t mxstep, int32_t& istat) {
  istat = 0;
  int32_t nstep = 0;
  while (nstep < mxstep && (step_word(mglres, mxglpr, nstep + 1, kStepWordPresent1) != 0 ||
                            step_word(mglres, mxglpr, nstep + 1, kStepWordPresent2) != 0)) {
    ++nstep;
  }
  return nstep;
}

int32_t STPSTO(io::IntView mglres, int32_t mxglpr, io::IntView mscra, int32_t i1, int32_t i2) {
  int32_t nstore = 0;
  for (int32_t step = i1; step <= i2; ++step) {
    if (!is_stored(stored_flag(mglres, mxglpr, step))) continue;
    const int64_t at = int64_t{3} * nstore;
    mscra.set(at + 1, step_word(mglres, mxglpr, step, kStepWordPresent1));
    mscra.set(at + 2, step_word(mglres, mxglpr, step, kStepWordPresent2));
    mscra.set(at + 3, step_word(mglres, mxglpr, step, kStepWordStored));
    ++nstore;
  }
  return nstore;
}

}  // namespace arrays
