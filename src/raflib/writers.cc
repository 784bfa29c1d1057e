#include "raflib/writers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

#include "raflib/diagnostics.h"
#include "raflib/machine.h"
#include "raflib/mfp.h"
#include "raflib/state.h"
#include "raflib/transfer.h"

namespace raflib {

namespace {

float narrow(double d) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (d > kMax) return std::numeric_limits<float>::infinity();
  if (d < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(d);
}

// Writes n doubles of a as single-precision reals from address on, a few
// whole records at a time.
void write_narrowed(int32_t unit, int64_t& address, std::span<const std::byte> a, int32_t n,
                    int32_t& status) {
  constexpr int64_t kChunk = 16 * kRecordWords;
  std::array<std::byte, kChunk * sizeof(float)> buffer;
  status = 0;
  for (int64_t done = 0; done < n && status >= 0;) {
    const int64_t count = std::min<int64_t>(kChunk, n - done);
    for (int64_t k = 0; k < count; ++k) {
      double d;
      std::memcpy(&d, a.data() + (done + k) * sizeof d, sizeof d);
      const float f = narrow(d);
      std::memcpy(buffer.data() + k * sizeof f, &f, sizeof f);
    }
    FFILE(unit, kWrite, address, std::span<const std::byte>(buffer), count, status);
    done += count;
  }
}

// The writers: n elements of elem_bytes bytes from a, stored as type `type`.
void put_array(std::span<const std::byte> a, int32_t n, int32_t key, int32_t unit, int32_t type,
               int elem_bytes, std::string_view routine, int32_t& status) {
  status = 0;
  if (!room_for(unit, key, n, elem_bytes, a.size(), {routine}, status)) return;
  // Checked before the lookup, which allocates: a refused write leaves the
  // MFP as it was.
  RFCHKW(status);
  if (status < 0) {
    RFTRCE(routine);
    return;
  }
  RFFNFP(unit, key, type, n, kWrite, status);
  if (status < 0) {
    RFTRCE(routine);
    return;
  }
  int64_t address = state().entry.address;
  if (elem_bytes == unit_size(type)) {
    FFILE(unit, kWrite, address, a, int64_t{n} * elem_bytes / kBytesPerWord, status);
  } else {
    write_narrowed(unit, address, a, n, status);
  }
  if (status < 0) {
    RFIOER(status, routine, kWrite);
    return;
  }
  RFSTAT(kWrite);
  // Counted like a key write, so that closing the file writes its MFP and key.
  ++state().iwfile;
}

}  // namespace

void RAFPIN(std::span<const std::byte> ia, int32_t n, int32_t key, int32_t unit, int32_t& status) {
  put_array(ia, n, key, unit, 1, 4, "RAFPIN", status);
}

void RAFPRE(std::span<const std::byte> ra, int32_t n, int32_t key, int32_t unit, int32_t& status) {
  put_array(ra, n, key, unit, 2, 4, "RAFPRE", status);
}

void RAFPDP(std::span<const std::byte> da, int32_t n, int32_t key, int32_t unit, int32_t& status) {
  put_array(da, n, key, unit, 3, 8, "RAFPDP", status);
}

void RAFPRD(std::span<const std::byte> da, int32_t n, int32_t key, int32_t unit, int32_t& status) {
  put_array(da, n, key, unit, 2, 8, "RAFPRD", status);
}

}  // namespace raflib
