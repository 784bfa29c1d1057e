// The structure parameters held in MSTRU, in either of its layouts.
#ifndef RAF2SIF_INFO_PARAMETERS_H_
#define RAF2SIF_INFO_PARAMETERS_H_

#include <optional>

#include "info/facts.h"
#include "io/work_array.h"

namespace info {

// Fills p with every parameter of the recalled MSTRU, read with GTSTRU: in
// the fixed layout the named slots of the fixed identifier table that MSTRU
// reaches, in the directory layout its identifiers in their order (decoded
// with the DMS of ia, which codes names as identifiers are coded). Returns
// the failure of a directory that does not fit MSTRU, of an identifier that
// codes no name or of one whose value cannot be read.
std::optional<Failure> read_parameters(io::WorkArray& ia, io::IntView mstru, Parameters& p);

}  // namespace info

#endif  // RAF2SIF_INFO_PARAMETERS_H_
