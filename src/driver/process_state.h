// The state a process keeps between conversions, for harnesses that run many
// conversions in one process.
#ifndef RAF2SIF_DRIVER_PROCESS_STATE_H_
#define RAF2SIF_DRIVER_PROCESS_STATE_H_

namespace driver {

// Returns every subsystem to the state of a fresh process: every unit closed
// and the console reconnected, RAFLIB's slots, buffers and message units, the
// DMS's conversion scratch, the array layer's and the SIF writer's memory of
// earlier calls, and the real clock.
void reset_process_state();

}  // namespace driver

#endif  // RAF2SIF_DRIVER_PROCESS_STATE_H_
