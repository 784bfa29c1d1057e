// The whole model part of the SIF file, from the arrays of the work array.
#ifndef RAF2SIF_SIF_GEO_H_
#define RAF2SIF_SIF_GEO_H_

#include <cstdint>

#include "io/work_array.h"

namespace sif {

// Gathers the structure parameters from MSTRU and every model array by name,
// writes the model records (IDENT .. BNBCD), steps back over the
// model-closing IEND so that the next record takes its place, and writes the
// GBEAMG records of the computed sections and the BNTRCOS records. On any
// failure the WSIF_GEO block follows the failing routine's own, and istat is
// decreased by 1.
void WSIF_GEO(io::WorkArray& ia, int32_t unit, int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_GEO_H_
