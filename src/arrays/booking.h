// Booking named arrays in the work array and recording them in the
// directory.
//
// Each routine decreases istat by 1 on failure; called with istat not 0,
// it does nothing.
#ifndef RAF2SIF_ARRAYS_BOOKING_H_
#define RAF2SIF_ARRAYS_BOOKING_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace arrays {

// Books name with ndim elements of the type keyword (words per element:
// "IN", "SP" 1; "RE", "DP", "I8" 2; any other keeps those of the previous
// booking) and the store-info keyword, and gives its pointer. The first
// booking advances the running counters of the store info and registers
// the array (ARINFO); a later one only updates its entry (ARUPDA). An array
// that still has storage is booked again only with its element size and
// dimension, and then keeps its storage. Reports through ARMESS on imsg.
void ARBOOK(io::WorkArray& ia, std::string_view name, int32_t& ipoint, int32_t ndim,
            std::string_view store, std::string_view type, int32_t imsg, int32_t& istat);

// First registration of array number n in KEYRAF (entries of e words): its
// type code, words per element, dimension, store code, the current counters
// of NUMRAF as serials when it is stored, the single-precision flag, and
// its pointer divided by NUMRAF(11) unless it is "SCRA". An unknown type or
// store-info keyword ("UNKNOWN ARRAY-TYPE:", "UNKNOWN STORE-INFO:"), or an
// entry outside KEYRAF, writes nothing into it.
void ARINFO(io::IntView keyraf, int32_t n, std::string_view store, std::string_view type,
            int32_t ndim, int32_t nwpe, int32_t e, io::IntView numraf, int32_t ipoint, int32_t imsg,
            int32_t& istat);

// Update of array n's entry at a later booking: an array not stored takes
// the new type and size; a stored one keeps its type, class and serials and
// takes only the new dimension and pointer. Checks as ARINFO's.
void ARUPDA(io::IntView keyraf, int32_t n, std::string_view store, std::string_view type,
            int32_t ndim, int32_t nwpe, io::IntView numraf, int32_t e, int32_t ipoint, int32_t imsg,
            int32_t& istat);

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_BOOKING_H_
