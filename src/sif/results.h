// The result part of the SIF file, all in the scaled style: the result
// definitions once, then the element forces of each stored step, then the
// nodal displacements of each stored step. Stored steps are numbered 1 ..
// nstore in step order; isto is that number, not the analysis step. Results
// are defined for the two-node beams (element type 15) only.
//
// An index out of range of the array it indexes stops a writer with its
// block on the unit and istat decreased by 1; the records written before it
// stay.
#ifndef RAF2SIF_SIF_RESULTS_H_
#define RAF2SIF_SIF_RESULTS_H_

#include <cstdint>

#include "io/work_array.h"
#include "sif/model.h"

namespace sif {

// RDFORCES, RDNODRES, the RDPOINTS header and one RDPOINTS record per beam
// (its end points from COOELM, eccentricities applied, its middle and the
// rows of its TROT matrix), RDIELCOR, then RDRESREF and RBLODCMB for each
// stored step 1 .. nstore.
void WSIF_INI(const Model& m, int32_t nstore, int32_t unit, int32_t& istat);

// The element forces of stored step isto: the RVFORCES header when isto is
// 1, then one RVFORCES record per beam with the forces at its first end
// (from the step's TFLE at MPEVEC(i)), its middle (the step's TMIDFO) and its
// second end, signs turned to the SIF convention. Other elements have no
// result definition and get no record.
void WSIF_FOR(const Model& m, int32_t isto, io::RealView tfle, io::RealView tmidfo, int32_t nstore,
              int32_t unit, int32_t& istat);

// The nodal displacements of stored step isto: the RVNODDIS header when isto
// is 1, then one RVNODDIS record per node with its six values in the step's
// U.
void WSIF_DIS(const Model& m, int32_t isto, io::RealView u, int32_t nstore, int32_t unit,
              int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_RESULTS_H_
