// The cross-section records of the model, copied from the section dimensions.
#ifndef RAF2SIF_SIF_SECTIONS_H_
#define RAF2SIF_SIF_SECTIONS_H_

#include <cstdint>

#include "io/work_array.h"

namespace sif {

// One record per cross-section j whose type MGETYP(j) is 1 .. 10 (GPIPE,
// GIORH, GBOX, GBEAMG, GLSEC, GCHAN, GUSYI, GUSYI, GBARM, GELTH), under the
// external number MEXGEO(j), from the dimensions in column j of TCRGEO
// (mxgepr per column). Other types get no record.
void WSIF_GSECT(int32_t nge, int32_t mxgepr, io::IntView mgetyp, io::IntView mexgeo,
                io::RealView tcrgeo, int32_t unit, int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_SECTIONS_H_
