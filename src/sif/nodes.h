// The node records of the model: numbers, coordinates, boundary conditions.
// Each writer loops over the internal nodes 1 .. nnp; an array too short for
// nnp nodes stops it with its block and istat decreased by 1.
#ifndef RAF2SIF_SIF_NODES_H_
#define RAF2SIF_SIF_NODES_H_

#include <cstdint>

#include "io/work_array.h"

namespace sif {

// GNODE per node i: MNPEX(i), i, 6.0, 123456.0.
void WSIF_GNODE(int32_t nnp, io::IntView mnpex, int32_t unit, int32_t& istat);

// GCOORD per node i: i, x, y, z from TCOORD (3 per node).
void WSIF_GCOORD(int32_t nnp, io::RealView tcoord, int32_t unit, int32_t& istat);

// BNBCD per node i with a fixed code: i, 6.0 and its six NBOUN codes, 5 read
// as 0; a node whose codes add up to 0 or less gets no record.
void WSIF_BNBCD(int32_t nnp, io::IntView nboun, int32_t unit, int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_NODES_H_
