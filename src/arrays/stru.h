// The structure parameter table MSTRU: named integers read with GTSTRU and
// set with PTSTRU.
//
// Two layouts, told apart by MSTRU(1): 0 or more is the fixed layout, where
// an identifier's value is MSTRU(IDFIX(name)); negative is the directory
// layout, where MSTRU(2) = m places an identifier directory (see
// identifiers.h) at MSTRU(m+1) and identifier k's value is MSTRU(k). A
// directory place whose header does not lie in MSTRU, or an identifier
// whose value word lies outside it, counts as a parameter not found.
//
// Messages of both routines go to the unit imsg; a failure decreases istat
// by 1. Called with istat not 0, they do nothing.
#ifndef RAF2SIF_ARRAYS_STRU_H_
#define RAF2SIF_ARRAYS_STRU_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace arrays {

// The identifier directory of MSTRU in the directory layout, from word
// MSTRU(2)+1 to the end; empty in the fixed layout or when its header does not
// lie in MSTRU.
io::IntView identifier_directory(io::IntView mstru);

// The value of parameter name; 0 when it is not found, which is an error
// ("PARAMETER NOT FOUND:") unless the fixed table does not name it or the
// directory lets identifiers be added.
int32_t GTSTRU(io::IntView mstru, std::string_view name, int32_t imsg, int32_t& istat);

// Sets parameter name to ival; a directory that lets identifiers be added
// takes a new one. Otherwise a parameter not found is an error.
void PTSTRU(io::IntView mstru, std::string_view name, int32_t ival, int32_t imsg, int32_t& istat);

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_STRU_H_
