// The finite element model part of the SIF file.
#ifndef RAF2SIF_SIF_MODEL_H_
#define RAF2SIF_SIF_MODEL_H_

#include <cstdint>

#include "io/work_array.h"

namespace sif {

// Writes IDENT, then GNODE and GCOORD (nnp > 0), GELMNT1 and GELREF1
// (nel > 0), the cross-section records (nge > 0), GUNIVEC (nlc > 0), GECCEN
// (necc > 0), MISOSEL and MGSPRNG (nma > 0), MISOPL, BNBCD and the
// model-closing IEND on unit, returning as soon as istat is negative. The
// writers report on the unit they write on, so lpu only completes the
// argument list its callers pass.
void WSIF_MODEL(int32_t nnp, int32_t nel, int32_t nma, int32_t nge, int32_t mxmapr, int32_t mxgepr,
                io::IntView mnpc, io::IntView mpmnpc, io::IntView mnpex, io::IntView melex,
                io::IntView mgetyp, io::IntView nboun, io::IntView melgeo, io::IntView melmat,
                io::IntView melecc, io::IntView melloc, io::IntView mexmat, io::IntView mexgeo,
                io::IntView mexecc, int32_t necc, io::RealView tcoord, io::RealView tcrgeo,
                io::RealView tmapa, io::RealView ecc, io::RealView zloc, int32_t nlc,
                io::IntView meltyp, io::IntView matyp, io::IntView mexloc, int32_t unit,
                int32_t lpu, int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_MODEL_H_
