// Element geometry for the SIF file: the eccentricity vector of an ECC
// column (one rule for GECCEN and COOELM), the coordinates of an element's
// nodes with their eccentricities applied, and the transformation records.
#ifndef RAF2SIF_SIF_GEOMETRY_H_
#define RAF2SIF_SIF_GEOMETRY_H_

#include <array>
#include <cstdint>
#include <span>

#include "io/work_array.h"
#include "sif/check.h"

namespace sif {

// Values per ECC column as the model stores them.
constexpr int kEccValues = 9;

// The eccentricity vector of an ECC column E(1) .. E(9): (E(1), E(2), E(3))
// when |E(4)| + ... + |E(9)| is below 1.0E-10 in single precision, otherwise
// (E(8), E(3), E(4)), the entries (2,3), (3,1), (1,2) of the 3 x 3 matrix the
// column holds column by column.
std::array<double, 3> eccentricity_vector(const Column& e);

// Coordinates x, y, z of the first min(n, maxnod) nodes of element iel into
// coor, each node's eccentricity added (by the rule above when ndecc is 9,
// else the column's first three values). More than maxnod nodes: a warning
// on lpu. iel below 1, or an index out of range: the error block on lpu and
// istat decreased by 1.
void COOELM(int32_t iel, std::span<double> coor, io::IntView mnpc, io::IntView mpmnpc,
            io::IntView melecc, io::RealView tcoord, io::RealView ecc, int32_t ndecc,
            int32_t maxnod, int32_t lpu, int32_t& istat);

// BNTRCOS per transformation k with MEXTRA(k) > 0 whose nine RNTRAN values
// are not all (nearly) zero: MEXTRA(k), R(1) .. R(9), 0.0, 0.0, plain style.
void WSIF_BNTRCOS(int32_t ntrans, io::RealView rntran, io::IntView mextra, int32_t unit,
                  int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_GEOMETRY_H_
