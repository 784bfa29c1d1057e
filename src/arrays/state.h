// What the array layer keeps between calls, as it keeps it in static
// storage: the words per element of the last booking (an unrecognised type
// keyword books with it) and the pointer of the last successful ARGTIP.
#ifndef RAF2SIF_ARRAYS_STATE_H_
#define RAF2SIF_ARRAYS_STATE_H_

#include <cstdint>

namespace arrays {

struct State {
  int32_t nwpe = 0;
  int32_t argtip = 0;
};

State& state();

// Back to the state of a fresh process.
void reset();

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_STATE_H_
