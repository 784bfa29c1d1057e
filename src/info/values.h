// The values of one named array, recalled as the converter recalls it.
#ifndef RAF2SIF_INFO_VALUES_H_
#define RAF2SIF_INFO_VALUES_H_

#include <cstdint>
#include <optional>
#include <string_view>

#include "info/facts.h"
#include "io/work_array.h"

namespace info {

// Recalls array name for step (ARREC1) from the RAF file on unit and fills v
// with its values: integers for "IN" and "I8", reals for "SP", "RE" and "DP".
// Returns the failure of a name the converter does not know, of a step
// without a record, or of the recall.
std::optional<Failure> read_values(io::WorkArray& ia, int32_t unit, std::string_view name,
                                   int32_t step, ArrayValues& v);

}  // namespace info

#endif  // RAF2SIF_INFO_VALUES_H_
