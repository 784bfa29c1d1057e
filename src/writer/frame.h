// Consistent converter models of a 3D frame, for tests, benchmarks and the
// sample data. Deterministic: the same arguments give the same model.
//
// Every model holds the structure parameters NNP, NEL, NBEAM, NMA, NSCHAR,
// NGE, NLC, NTRANS, NECC, NLDCS, MXGEPR (20), MXMAPR (40), NOLOAD, ICHECK,
// IPRINT, MXGLPR (12), MXSTEP, MXSTA1 to MXSTA3 and LSTSTO, and the arrays
//   "STRU": MNPEX, TCOORD (DP), NBOUN, MELEX, MELTYP, MPMNPC, MNPC, MELMAT,
//           MELGEO, MELLOC, MELECC, MEXMAT, MEXGEO, MEXLOC, MEXECC, MGETYP,
//           TCRGEO (RE), ZLOC (RE), ECC (RE), MATYP, TMAPA (DP), RNTRAN (DP),
//           MEXTRA, MNELNP, MELNP, TROT (DP), MPEVEC, MNT;
//   "CTRL": ICTEXT, STATUS;  "GLOB": MGLRES, TGLRES (RE);
//   "POST": TFLE (DP), TMIDFO (RE), U (DP), with values for the stored steps.
// Every index a model array holds lies within the array it indexes. Values
// of "RE" arrays are single-precision values, so they read back unchanged.
//
// Sections: 1 tube, 2 I, 3 box, 4 general. Materials: 1 steel (type 1),
// 2 steel with three plasticity pairs (type 2), 3 spring (type 5), 4 type
// 10, 5 aluminium (type 1). Unit vectors 1 (x), 2 (z), 3 (y); eccentricities
// 1 and 2 plain offsets, 3 in matrix form; transformations 1 identity, 2 a
// rotation about z, 3 all zero.
#ifndef RAF2SIF_WRITER_FRAME_H_
#define RAF2SIF_WRITER_FRAME_H_

#include <cstdint>

#include "writer/model.h"

namespace writer {

// Three storeys on a 3 x 3 grid of columns (36 nodes): 63 beams (type 15;
// tube and box columns, I beams along x, general-section beams along y,
// some with eccentric ends), two springs (type 18), one element each of
// types 48, 49 and 70 (68 elements). Ten steps, of which 3, 5 and 8 are
// stored.
Model sample_frame();

// The same kind of frame with exactly `nodes` nodes (at least 1) and
// `elements` elements (beams of the grid, then springs when more are asked
// for), and `steps` stored steps: 2 * steps steps, every even one stored.
Model large_frame(int32_t nodes, int32_t elements, int32_t steps);

}  // namespace writer

#endif  // RAF2SIF_WRITER_FRAME_H_
