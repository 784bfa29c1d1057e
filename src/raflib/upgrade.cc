#include "raflib/upgrade.h"

#include <algorithm>
#include <array>

#include "raflib/diagnostics.h"
#include "raflib/key.h"
#include "raflib/mfp.h"
#include "raflib/transfer.h"

namespace raflib {

void RFCVER(int32_t version, int32_t /*revision: every revision of version 0 is alike*/,
            int32_t& status) {
  status = 0;
  if (version >= 1) return;
  Slot& slot = current_slot();
  // A block patched without the key that records it would be patched again
  // at the next opening, so nothing is written unless everything may be.
  RFCHKW(status);
  if (status < 0) {
    RFTRCE("RFCVER");
    return;
  }
  std::array<int32_t, 2 * kBlockWords> pair;
  const std::span<std::byte> bytes = std::as_writable_bytes(std::span(pair));
  constexpr int kLastEntry = kBlockWords - kWordsPerEntry;  // entry 64 of block k
  for (int32_t k = 1; k <= slot.mfpmax / kEntriesPerBlock - 1; ++k) {
    int64_t address = block_address(slot, k);
    FFILE(slot.unit, kRead, address, bytes, 2 * kBlockWords, status);
    if (status != 0) {
      RFIOER(status, "RFCVER", kRead);
      return;
    }
    std::copy_n(pair.begin() + kBlockWords + kLastEntry, kWordsPerEntry, pair.begin() + kLastEntry);
    put_block(slot, k, bytes.first(kBlockWords * kBytesPerWord), status);
    if (status != 0) {
      RFIOER(status, "RFCVER", kWrite);
      return;
    }
  }
  put(slot.key, kVersionField, kVersion);
  put(slot.key, kRevisionField, kRevision);
  put(slot.key, kRecordLengthField, kRecordBytes);
  RFPKEY(status);
  if (status < 0) {
    RFTRCE("RFCVER");
    return;
  }
  ++state().iwfile;
}

}  // namespace raflib
