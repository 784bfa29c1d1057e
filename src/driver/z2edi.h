// The run: the console dialogue, the set-up of the array layer over the work
// array, and the conversion.
#ifndef RAF2SIF_DRIVER_Z2EDI_H_
#define RAF2SIF_DRIVER_Z2EDI_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace driver {

// Fixed units of the run.
inline constexpr int32_t kSifUnit = 17;  // the SIF file and every message block
inline constexpr int32_t kRafUnit = 22;

// Result of z2edi when the dialogue could not go on: an answer that is not a
// step number, or the end of the input. One line on standard error says
// which; nothing has been opened for output.
inline constexpr int32_t kInputStop = -2;

// Asks for the RAF file prefix, opens the RAF file, asks for the output file
// name and the step range, sets up the array layer in the nwiwa words of ia,
// recalls the structure, control and global data, records the step range and
// converts. Returns 0 on success and -1 on failure (the Z2EDI block closes the
// failure chain on unit 17), or kInputStop.
int32_t z2edi(io::WorkArray& ia, int32_t nwiwa);

// The file that holds the messages of the last run that failed (-1): the
// SIF file, or fort.17 when the run failed before the SIF file was open.
std::string_view messages_file();

}  // namespace driver

#endif  // RAF2SIF_DRIVER_Z2EDI_H_
