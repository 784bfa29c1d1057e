// The model part of the SIF file: the model looked up once in the work
// array, and WSIF_GEO, which writes it.
#ifndef RAF2SIF_SIF_GEO_H_
#define RAF2SIF_SIF_GEO_H_

#include <cstdint>

#include "io/work_array.h"
#include "sif/model.h"

namespace sif {

// Looks up, by name, MSTRU and every count and array of the model records,
// in the order the conversion has always met them: the element arrays the
// preparation changes with their counts (through ARGTIP), then what the
// model records read (through ARPOIN, as WSIF_GEO gathers them). ICRPRE,
// MNELNP and MELNP, and the parameters NBEAM, NSCHAR, NLDCS, NOLOAD, ICHECK
// and IPRINT, are presence checks: they must exist, though no record reads
// them. The first failure leaves the array layer's block, followed by the
// WSIF_GEO block when it is one of the model records' look-ups, and istat
// negative; called with istat not 0, it looks nothing up.
Model find_model(io::WorkArray& ia, int32_t lpu, int32_t& istat);

// Writes the model records (IDENT .. BNBCD), steps back over the
// model-closing IEND so that the next record takes its place, and writes the
// GBEAMG records of the computed sections and the BNTRCOS records. On any
// failure the WSIF_GEO block follows the failing writer's own, and istat is
// decreased by 1.
void WSIF_GEO(const Model& m, int32_t unit, int32_t& istat);

// Completes the model with what only the result records read (TROT, MPEVEC;
// MNT as a presence check), through ARGTIP. The conversion asks for them
// once the model records are written, so a file without them still holds
// its whole model before the failure's blocks. Same status rule as
// find_model.
void find_result_arrays(io::WorkArray& ia, Model& m, int32_t lpu, int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_GEO_H_
