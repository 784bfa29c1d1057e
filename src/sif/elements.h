// The element records of the model: connectivity and references, and the
// unit vectors and eccentricities the references point to. Each writer loops
// over internal numbers; every index it takes from the model arrays is
// checked, and one out of range stops it with its block and istat decreased
// by 1.
#ifndef RAF2SIF_SIF_ELEMENTS_H_
#define RAF2SIF_SIF_ELEMENTS_H_

#include <cstdint>

#include "io/work_array.h"

namespace sif {

// GELMNT1 per element i: MELEX(i), i, type, then the internal node numbers
// from MNPC(MPMNPC(i)) on. Type 70: all n nodes after n on the name line;
// any other type: 0.0 on the name line and 4, 8 or 12 node numbers (zeros
// past the element's nodes; nodes past the twelfth are not written). Every
// node number written must be one of the nnp nodes.
void WSIF_GELMNT1(int32_t nel, int32_t nnp, io::IntView mnpc, io::IntView mpmnpc, io::IntView melex,
                  io::IntView meltyp, int32_t unit, int32_t& istat);

// GELREF1 per element i with its external material, section and unit vector
// numbers (an internal number of 0 or less is written as it stands), and its
// node eccentricities: one common eccentricity in three lines, or, for a
// 2- or 4-node element whose node eccentricities differ, all four in a
// fourth line.
void WSIF_GELREF1(int32_t nel, io::IntView mpmnpc, io::IntView melgeo, io::IntView melmat,
                  io::IntView melecc, io::IntView melloc, io::IntView mexmat, io::IntView mexgeo,
                  io::IntView mexecc, io::IntView mexloc, int32_t unit, int32_t& istat);

// GUNIVEC per unit vector k with MEXLOC(k) > 0: MEXLOC(k) and its 3 ZLOC
// components.
void WSIF_GUNIVEC(int32_t nlc, io::RealView zloc, io::IntView mexloc, int32_t unit, int32_t& istat);

// GECCEN per eccentricity k: MEXECC(k) and the eccentricity vector of ECC
// column k (9 values per column).
void WSIF_GECCEN(int32_t necc, io::IntView mexecc, io::RealView ecc, int32_t unit, int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_ELEMENTS_H_
