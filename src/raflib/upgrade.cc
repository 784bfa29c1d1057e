#include "raflib/upgrade.h"

#include <algorithm>
#include <array>

#include "raflib/blocks.h"
#include "raflib/diagnostics.h"
#include "raflib/key.h"
#include "raflib/transfer.h"

namespace raflib {

namespace {

constexpr int kLastEntry = kBlockWords - kWordsPerEntry;  // the first word of entry 64

}  // namespace

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
  std::array<int32_t, kBlockWords> block;
  const std::span<std::byte> bytes = std::as_writable_bytes(std::span(block));
  for (int32_t k = 1; k <= slot.mfpmax / kEntriesPerBlock - 1; ++k) {
    int64_t address = block_address(slot, k);
    FFILE(slot.unit, kRead, address, bytes, kBlockWords, status);
    if (status >= 0) patch_version0_block(slot, k, block, status);
    if (status < 0) {
      RFIOER(status, "RFCVER", kRead);
      return;
    }
    put_block(slot, k, bytes, status);
    if (status < 0) {
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

void patch_version0_block(const Slot& slot, int32_t block, std::span<int32_t, kBlockWords> words,
                          int32_t& status) {
  status = 0;
  if (block > slot.mfpmax / kEntriesPerBlock - 1) return;
  // Entry 64 of the next block lies at the end of its second record.
  std::array<int32_t, kRecordWords> record;
  int64_t address = block_address(slot, block + 1) + 1;
  const std::span<std::byte> bytes = std::as_writable_bytes(std::span(record));
  FFILE(file_unit(slot), kRead, address, bytes, kRecordWords, status);
  if (status < 0) return;
  std::copy_n(record.end() - kWordsPerEntry, kWordsPerEntry, words.begin() + kLastEntry);
}

}  // namespace raflib
