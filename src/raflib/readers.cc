#include "raflib/readers.h"

#include <string_view>

#include "raflib/diagnostics.h"
#include "raflib/machine.h"
#include "raflib/mfp.h"
#include "raflib/state.h"
#include "raflib/transfer.h"

namespace raflib {

namespace {

// RAFGIN, RAFGRE and RAFGDP: one procedure for type 1, 2 or 3.
void get_array(std::span<std::byte> a, int32_t n, int32_t key, int32_t unit, int32_t type,
               std::string_view code, std::string_view routine, int32_t& status) {
  status = 0;
  if (!room_for(unit, key, n, unit_size(type), a.size(), {routine}, status)) return;
  RFFNFP(unit, key, type, n, kRead, status);
  if (status < 0) {
    RFTRCE(routine);
    return;
  }
  if (current_slot().access_status == 2) {
    status = -kMsgReadLocked;
    RFERR(status, routine, kUndefined, kDummy);
    return;
  }
  const int64_t words = int64_t{n} * unit_size(type) / kBytesPerWord;
  int64_t address = state().entry.address;
  FFILE(unit, kRead, address, a, words, status);
  if (status < 0) {
    RFIOER(status, routine, kRead);
    return;
  }
  RFSTAT(kRead);
  RFCNVD(code, a, n, status);
  if (status < 0) RFTRCE(routine);
}

}  // namespace

void RAFGIN(std::span<std::byte> ia, int32_t n, int32_t key, int32_t unit, int32_t& status) {
  get_array(ia, n, key, unit, 1, "IN", "RAFGIN", status);
}

void RAFGRE(std::span<std::byte> ra, int32_t n, int32_t key, int32_t unit, int32_t& status) {
  get_array(ra, n, key, unit, 2, "RE", "RAFGRE", status);
}

void RAFGDP(std::span<std::byte> da, int32_t n, int32_t key, int32_t unit, int32_t& status) {
  get_array(da, n, key, unit, 3, "DP", "RAFGDP", status);
}

void RAFGRD(std::span<std::byte> da, int32_t n, int32_t key, int32_t unit, int32_t& status) {
  status = 0;
  if (!room_for(unit, key, n, sizeof(double), da.size(), {"RAFGRE", "RAFGRD"}, status)) return;
  RAFGRE(da, n, key, unit, status);
  if (status < 0) {
    RFTRCE("RAFGRD");
    return;
  }
  RFR2DP(n, da);
}

}  // namespace raflib
