// Whole-word fill and copy over 1-based integer views of the work array.
#ifndef RAF2SIF_DMS_VECTORS_H_
#define RAF2SIF_DMS_VECTORS_H_

#include <cstdint>

#include "io/work_array.h"

namespace dms {

// Sets ia(1 .. m*n) to ival. Nothing when m*n is 0 or negative; a count
// beyond the view is cut to the view.
void IVFILL(io::IntView ia, int32_t m, int32_t n, int32_t ival);

// Copies ia(1 .. n) to ib(1 .. n), first word first, so that a target lying
// below an overlapping source (an array moved down) is copied correctly.
// Nothing when n is 0 or negative; a count beyond either view is cut to the
// shorter view.
void IVCOPY(io::IntView ia, io::IntView ib, int32_t n);

}  // namespace dms

#endif  // RAF2SIF_DMS_VECTORS_H_
