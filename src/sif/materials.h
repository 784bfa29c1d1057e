// The material records of the model, from the material parameters T(1),
// T(2), ... in column m of TMAPA (mxmapr per column), under the external
// number MEXMAT(m). Materials of types other than 1, 2, 5 and 10 get no
// record.
#ifndef RAF2SIF_SIF_MATERIALS_H_
#define RAF2SIF_SIF_MATERIALS_H_

#include <cstdint>

#include "io/work_array.h"

namespace sif {

// MISOSEL per material of type 1 (with 1.0 and T(3)) or 10 (with zeros).
void WSIF_MISOSEL(int32_t nma, int32_t mxmapr, io::IntView mexmat, io::RealView tmapa,
                  io::IntView matyp, int32_t unit, int32_t& istat);

// MGSPRNG per material of type 5: the lower triangle of the 6 x 6 matrix in
// T(1) .. T(36), column by column.
void WSIF_MGSPRNG(int32_t nma, int32_t mxmapr, io::IntView mexmat, io::RealView tmapa,
                  io::IntView matyp, int32_t unit, int32_t& istat);

// MISOPL per material of type 2: two lines, the count line with P = T(8)
// rounded to the nearest integer, and P lines of the pairs T(9), T(10) / ...
void WSIF_MISOPL(int32_t nma, int32_t mxmapr, io::IntView mexmat, io::RealView tmapa,
                 io::IntView matyp, int32_t unit, int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_MATERIALS_H_
