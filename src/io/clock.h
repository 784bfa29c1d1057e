// Local date and time, for the time stamps of RAF files and reports.
#ifndef RAF2SIF_IO_CLOCK_H_
#define RAF2SIF_IO_CLOCK_H_

#include <cstdint>

namespace io {

struct LocalTime {
  int year = 0;  // four digits
  int month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The local date and time now (or the fixed time, see below).
LocalTime local_time();

// Fixes the clock at t seconds since the epoch (local time zone), so that
// reports and keys written by tests and harnesses are repeatable; a negative t
// returns to the real clock.
void fix_clock(int64_t t);

}  // namespace io

#endif  // RAF2SIF_IO_CLOCK_H_
