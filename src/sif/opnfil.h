// Opening the SIF file, over the general file-opening routine.
#ifndef RAF2SIF_SIF_OPNFIL_H_
#define RAF2SIF_SIF_OPNFIL_H_

#include <cstdint>
#include <string_view>

namespace sif {

// Opens `name` on `unit` as a sequential formatted file. The status code
// comes from mode: 0 "UNKNOWN" (created or rewritten), above 0 "OLD", below 0
// the code of the previous call ("UNKNOWN" at the first). Prints nothing; any
// failure sets istat to -1.
void OPNSIF(std::string_view name, int32_t unit, int32_t mode, int32_t& istat);

// Opens `name` on `unit`. Codes: istatus 2 "OLD", 3 "NEW", 4 "SCRATCH",
// other "UNKNOWN"; iaccess 20 or 30 direct unformatted, other sequential;
// iform 1 "FORMATTED", 2 "UNFORMATTED" (over what the access implied); iblank
// 1 "ZERO", other "NULL"; irecl the record length of access 20 (at least 1;
// times 4 for a formatted file), 128 for access 30. With irep >= 1 the file's
// characteristics are reported on lpu after the open; errors are reported on
// lpu when it is at least 1. istat: 0, -901 bad unit, -902 bad record length,
// or minus the I/O status of a failed open.
void OPNFIL(std::string_view name, int32_t unit, int32_t istatus, int32_t iaccess, int32_t iform,
            int32_t iblank, int32_t irecl, int32_t irep, int32_t lpu, int32_t& istat);

}  // namespace sif

#endif  // RAF2SIF_SIF_OPNFIL_H_
