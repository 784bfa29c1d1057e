// The conversion driver: the SIF file from the recalled model and the stored
// steps of the chosen range.
//
// Status: raf2sif leaves istat untouched (0) on success and sets it to -1 on
// failure, after the failing routine's blocks and its own. It tests each
// callee as that callee's rule says: the array layer and the SIF writers
// leave a negative status, OPNSIF -1, all of them tested != 0; a failed write
// on the SIF file is a non-zero io write status.
#ifndef RAF2SIF_DRIVER_RAF2SIF_H_
#define RAF2SIF_DRIVER_RAF2SIF_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace driver {

// Writes the SIF file `name` (blank-padded) on unit lpu: the model, the
// result definitions, the forces and then the displacements of every stored
// step of the range in MSTRU's IFWST1 .. IFWST2, and the final IEND pair;
// then recalls from the RAF file on iraf the model arrays the preparation
// changed. On failure the raf2sif block closes the chain on lpu and istat is
// -1; a failed write on the SIF file is also said on standard error.
void raf2sif(io::WorkArray& ia, std::string_view name, int32_t iraf, int32_t lpu, int32_t& istat);

}  // namespace driver

#endif  // RAF2SIF_DRIVER_RAF2SIF_H_
