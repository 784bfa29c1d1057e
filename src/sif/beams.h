// The GBEAMG records of the tube, I/H and box cross-sections, with section
// constants computed from their dimensions.
#ifndef RAF2SIF_SIF_BEAMS_H_
#define RAF2SIF_SIF_BEAMS_H_

#include <cstdint>

#include "io/work_array.h"

namespace sif {

// For every section j of type 1 (tube), 2 (I/H) or 3 (box) in MGETYP, writes
// in the scaled style a GBEAMG record of 16 values under MEXGEO(j): the area,
// the torsion constant, the two moments of inertia, the ninth constant, the
// two section moduli about the half-dimensions of the section and the two
// shear areas. Sections of other types are skipped. Geometry the section
// routines reject: their blocks, the WGBeamG block, istat = -1, and no further
// record.
void WGBeamG(io::IntView mexgeo, io::RealView tcrgeo, int32_t nge, int32_t mxgepr,
             io::IntView mgetyp, int32_t unit, int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_BEAMS_H_
