// Opening the DMS over a work array and announcing array names.
#ifndef RAF2SIF_DMS_OPEN_H_
#define RAF2SIF_DMS_OPEN_H_

#include <cstdint>

#include "io/work_array.h"

namespace dms {

// DMSANN's kind and case switch.
constexpr int32_t kImplicitNumbering = 1;  // any other kind: explicit numbering
constexpr int32_t kExplicitNumbering = 0;
constexpr int32_t kFoldCase = 1;  // any other value keeps the case
constexpr int32_t kKeepCase = 0;

// Opens the DMS over the first nwiwa words of iwa for array numbers 11 to
// |nla|: clears the MCM (the whole nwiwa words when nla is positive) and sets
// its header; nsec non-zero adds the two secondary-storage tables; lpu is the
// message unit. |nla| below 11, or nwiwa below the MCM or beyond the block,
// prints the open's own block, sets the error counter W(3) to -1 and
// decreases ierr.
void DMSOPN_32(io::WorkArray& iwa, int32_t nwiwa, int32_t nla, int32_t nsec, int32_t lpu,
               int32_t& ierr);

// Creates the name table at the next free word: kind kImplicitNumbering
// announces implicit numbering (from 11 on), any other value explicit
// numbering; icase kFoldCase takes lower-case letters of names as upper case.
// Allowed once, before any storage is reserved (kNamesOutOfOrder); a table
// that does not fit is kNameTableNoRoom.
void DMSANN(io::WorkArray& iwa, int32_t kind, int32_t icase, int32_t label);

}  // namespace dms

#endif  // RAF2SIF_DMS_OPEN_H_
