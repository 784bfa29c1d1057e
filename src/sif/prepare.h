// Preparation of the model for the SIF file: element types of the analysis
// that the SIF model knows under another type.
#ifndef RAF2SIF_SIF_PREPARE_H_
#define RAF2SIF_SIF_PREPARE_H_

#include <cstdint>

#include "sif/model.h"

namespace sif {

// For each element i = 1 .. NEL, in the model's MELTYP, MELMAT and MELGEO:
// type 48 or 481 becomes 18 with internal material 1; type 49 or 491 becomes
// 16 with internal material 1 and section 1; other types stay. The changes
// last until the arrays are read again from the RAF file. Arrays too short
// for NEL elements: the block on lpu, istat decreased by 1, nothing changed.
void WSIF_CHG_MODEL(Model& m, int32_t lpu, int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_PREPARE_H_
