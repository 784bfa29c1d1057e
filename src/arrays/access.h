// Finding, numbering, clearing and releasing booked arrays by name.
//
// Each routine writes its lines directly on the message unit imsg, each
// group beginning with an empty line and two blanks ("*** ERROR IN ARPOIN
// ***" and so on), and decreases istat by 1 on failure. Called with istat
// not 0, they do nothing.
#ifndef RAF2SIF_ARRAYS_ACCESS_H_
#define RAF2SIF_ARRAYS_ACCESS_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace arrays {

// The pointer of the booked array name. A name known but never booked
// ("*** Array not allocated : ") or released ("*** Array is released   : ")
// fails.
void ARPOIN(io::WorkArray& ia, std::string_view name, int32_t& ipoint, int32_t imsg,
            int32_t& istat);

// ARPOIN as a function that prints only on units above 5; after a failure
// its value is the pointer of its last successful call (0 before any).
int32_t ARGTIP(io::WorkArray& ia, std::string_view name, int32_t imsg, int32_t& istat);

// The DMS number of name; 0, silently, for a name the DMS does not hold.
void ARNUMB(io::WorkArray& ia, std::string_view name, int32_t& number, int32_t imsg,
            int32_t& istat);

// Sets every word of the array's storage to 0; nothing for an array without
// storage. A name whose storage does not lie in the work array fails.
void ARZERO(io::WorkArray& ia, std::string_view name, int32_t imsg, int32_t& istat);

// Releases the array's storage; msg "CLEAN" zeroes it first, "NOCLEAN" does
// not. The directory entry of an array that is not stored is cleared; that
// of a stored array stays. Prints only on units of 6 or more.
void ARFREE(io::WorkArray& ia, std::string_view name, std::string_view msg, int32_t imsg,
            int32_t& istat);

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_ACCESS_H_
