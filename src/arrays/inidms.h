// Opening the DMS over the work array, building the layer's directory in
// it, and merging into it the directory stored on the RAF file.
//
// namtab holds nnames slots of equal length one after another; slot i names
// array number i (blank slots name none; slots 1 to 10 are never used).
// Failures set istat to -1 and report through ARMESS on imsg; called with
// istat not 0, the routines do nothing.
#ifndef RAF2SIF_ARRAYS_INIDMS_H_
#define RAF2SIF_ARRAYS_INIDMS_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace arrays {

// Opens the DMS over nw words of ia for nnames+3 array numbers (only its
// book-keeping cleared, imsg as its message unit), then ARINI1.
void INIDMS(io::WorkArray& ia, int32_t nw, std::string_view namtab, int32_t nnames, int32_t nchar,
            int32_t iraf, int32_t imsg, int32_t& istat);

// Builds the directory (ARINIT with explicit numbering), then reads the
// directory stored on the RAF file on unit iraf (NUMRAF at RAF number 101,
// KEYRAF at 102, IARRNM at 103): its counts N4 to N6 are copied, and its
// entries merged by name. A stored NUMRAF(10) other than 100, an entry
// length other than the layer's, or a count of array numbers that does not
// fit fails.
void ARINI1(io::WorkArray& ia, std::string_view namtab, int32_t nchar, int32_t nnames, int32_t iraf,
            int32_t imsg, int32_t& istat);

// Announces names to the DMS (kind 1 implicit numbering, any other
// explicit), defines the table's names as placeholders (explicit numbering)
// and the directory arrays NUMRAF, KEYRAF and IARRNM as numbers nnames+1 to
// nnames+3, zeroes and initialises them and registers them with serials 1
// to 3. A DMS with fewer than nnames+3 numbers gets its own message and
// istat decreased by 1.
void ARINIT(io::WorkArray& ia, std::string_view namtab, int32_t nchar, int32_t nnames, int32_t kind,
            int32_t imsg, int32_t& istat);

// Copies stored KEYRAF entries (fkey, e words each) into the memory KEYRAF
// ikey by name: for each array number m = 1 .. nnames with a name in inam,
// the entry of the first of the nf stored arrays whose name in fnam is the
// same. Only entries and names that lie whole in their views are used.
void ARMERG(io::IntView fnam, io::IntView fkey, int32_t nf, int32_t e, io::IntView inam,
            io::IntView ikey, int32_t nnames);

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_INIDMS_H_
