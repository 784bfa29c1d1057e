// The conversion driver: the SIF file from the recalled model and the stored
// steps of the chosen range.
#ifndef RAF2SIF_DRIVER_RAF2SIF_H_
#define RAF2SIF_DRIVER_RAF2SIF_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace driver {

// Number of leading steps present in MGLRES (mxglpr words per step): the
// columns j = 1, 2, ... up to mxstep whose words 2 and 3 are not both 0.
// Sets istat to 0.
int32_t STPCNT(io::IntView mglres, int32_t mxglpr, int32_t mxstep, int32_t& istat);

// Walks the steps i1 .. i2 and appends words 2, 3 and 10 of every step whose
// word 10 is 1 to mscra (room for 3 words per step of the range). Returns
// the number of such stored steps (0 when i2 < i1).
int32_t STPSTO(io::IntView mglres, int32_t mxglpr, io::IntView mscra, int32_t i1, int32_t i2);

// Writes the SIF file `name` (blank-padded) on unit lpu: the model, the
// result definitions, the forces and then the displacements of every stored
// step of the range in MSTRU's IFWST1 .. IFWST2, and the final IEND pair;
// then recalls from the RAF file on iraf the model arrays the preparation
// changed. On failure the raf2sif block closes the chain on lpu and istat is
// -1; a failed write on the SIF file is also said on standard error.
void raf2sif(io::WorkArray& ia, std::string_view name, int32_t iraf, int32_t lpu, int32_t& istat);

}  // namespace driver

#endif  // RAF2SIF_DRIVER_RAF2SIF_H_
