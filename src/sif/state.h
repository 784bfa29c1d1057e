// What the SIF writer keeps between calls, in one place, so that a test or a
// harness can return to the state of a fresh process.
#ifndef RAF2SIF_SIF_STATE_H_
#define RAF2SIF_SIF_STATE_H_

#include <cstdint>

namespace sif {

struct State {
  // The status code OPNSIF opened with last time (0 before its first call);
  // a negative mode opens with it again.
  int32_t previous_status_code = 0;
};

State& state();

// Back to the state of a fresh process.
void reset();

}  // namespace sif

#endif  // RAF2SIF_SIF_STATE_H_
