// The finite element model as the SIF writers read it, and the model part of
// the SIF file.
#ifndef RAF2SIF_SIF_MODEL_H_
#define RAF2SIF_SIF_MODEL_H_

#include <cstdint>

#include "io/work_array.h"

namespace sif {

// The counts of the model (structure parameters) and one view per model
// array a writer reads, each named as its array. Internal numbers are
// 1-based positions in these arrays; the MEX... arrays give the external
// number of each internal one. The views are windows on the work array: the
// preparation, which takes the model by non-const reference, changes its
// element arrays there.
struct Model {
  // Nodes, elements, cross-sections, unit vectors, eccentricities,
  // materials, transformations; words per TCRGEO and TMAPA column.
  int32_t nnp = 0, nel = 0, nge = 0, nlc = 0, necc = 0, nma = 0, ntrans = 0;
  int32_t mxgepr = 0, mxmapr = 0;

  // Nodes: external numbers, coordinates (3 per node), boundary codes (6).
  io::IntView mnpex, nboun;
  io::RealView tcoord;
  // Elements: external numbers, types, node lists (MPMNPC(i) .. MPMNPC(i+1)
  // - 1 in MNPC, with MELECC parallel to MNPC), internal material, section
  // and unit vector numbers, their axes (TROT, 9 per element) and the
  // position of their end forces in TFLE (MPEVEC).
  io::IntView melex, meltyp, mpmnpc, mnpc, melecc, melmat, melgeo, melloc, mpevec;
  io::RealView trot;
  // Cross-sections: type codes, dimensions (mxgepr per section), external
  // numbers.
  io::IntView mgetyp, mexgeo;
  io::RealView tcrgeo;
  // Materials: type codes, parameters (mxmapr per material), external
  // numbers.
  io::IntView matyp, mexmat;
  io::RealView tmapa;
  // Unit vectors (3 each), eccentricities (9 each), transformations (9
  // each), with their external numbers.
  io::IntView mexloc, mexecc, mextra;
  io::RealView zloc, ecc, rntran;
};

// Writes IDENT, then GNODE and GCOORD (nnp > 0), GELMNT1 and GELREF1
// (nel > 0), the cross-section records (nge > 0), GUNIVEC (nlc > 0), GECCEN
// (necc > 0), MISOSEL and MGSPRNG (nma > 0), MISOPL, BNBCD and the
// model-closing IEND on unit, stopping at the first writer that fails.
void WSIF_MODEL(const Model& m, int32_t unit, int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_MODEL_H_
