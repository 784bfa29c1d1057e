// The steps of the analysis, from the global step table MGLRES.
#ifndef RAF2SIF_INFO_STEPS_H_
#define RAF2SIF_INFO_STEPS_H_

#include <cstdint>
#include <optional>

#include "info/facts.h"
#include "io/work_array.h"

namespace info {

// Fills s from MGLRES, mxglpr words per step for mxstep steps: the steps
// present (the leading steps whose words 2 and 3 are not both 0, as the
// converter counts them) and those of them whose results are stored (word
// 10 is 1). Returns the failure of a table smaller than its parameters say or
// of a stored flag other than 0 and 1, on which the converter stops.
std::optional<Failure> read_steps(io::IntView mglres, int32_t mxglpr, int32_t mxstep, Steps& s);

}  // namespace info

#endif  // RAF2SIF_INFO_STEPS_H_
