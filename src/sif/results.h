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

namespace sif {

// RDFORCES, RDNODRES, the RDPOINTS header and one RDPOINTS record per beam
// (its end points from COOELM, eccentricities applied, its middle and the
// rows of its TROT matrix), RDIELCOR, then RDRESREF and RBLODCMB for each
// stored step 1 .. nstore.
void WSIF_INI(int32_t nel, io::IntView meltyp, io::IntView mnpc, io::IntView mpmnpc,
              io::IntView melecc, io::RealView tcoord, io::RealView ecc, io::RealView trot,
              int32_t nstore, int32_t unit, int32_t& istat);

// The element forces of stored step isto: the RVFORCES header when isto is
// 1, then one RVFORCES record per beam with the forces at its first end
// (from TFLE at MPEVEC(i)), its middle (TMIDFO) and its second end, signs
// turned to the SIF convention. Other elements have no result definition
// and get no record.
void WSIF_FOR(int32_t nel, int32_t isto, io::IntView meltyp, io::RealView tfle, io::IntView mpevec,
              io::RealView tmidfo, int32_t nstore, int32_t unit, int32_t& istat);

// The nodal displacements of stored step isto: the RVNODDIS header when isto
// is 1, then one RVNODDIS record per node with its six values in U. mnt and
// trot are not read.
void WSIF_DIS(int32_t nnp, int32_t isto, io::IntView mnt, io::RealView trot, io::RealView u,
              int32_t nstore, int32_t unit, int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_RESULTS_H_
