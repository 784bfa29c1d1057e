// Opening the RAF file at the start of a run.
#ifndef RAF2SIF_ARRAYS_INIRAF_H_
#define RAF2SIF_ARRAYS_INIRAF_H_

#include <cstdint>
#include <string_view>

namespace arrays {

// Initialises RAFLIB with irfu as its message unit, closes whatever RAF file
// is open on unit iraf and opens fname there: the existing file when stat
// begins with "OLD", otherwise a new file for maxarr arrays. A blank name
// ("No File name Specified") or a file RAFLIB cannot open ("Error Opening
// raf_file   : ", message code kCodeOpen) sets istat to -1, with the message on
// the unit iout. Called with istat not 0, it does nothing.
void INIRAF(std::string_view stat, std::string_view fname, int32_t maxarr, int32_t iraf,
            int32_t iout, int32_t irfu, int32_t& istat);

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_INIRAF_H_
