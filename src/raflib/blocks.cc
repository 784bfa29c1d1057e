#include "raflib/blocks.h"

#include "raflib/transfer.h"

namespace raflib {

int64_t block_address(const Slot& slot, int32_t block) {
  return slot.mfpadr + int64_t{kRecordsPerBlock} * (block - 1);
}

int32_t block_words(int32_t mfp_records, int32_t block) {
  const bool half = mfp_records % 2 != 0 && int64_t{kRecordsPerBlock} * block - 1 == mfp_records;
  return half ? kRecordWords : kBlockWords;
}

void put_block(const Slot& slot, int32_t block, std::span<const std::byte> words, int32_t& status) {
  int64_t address = block_address(slot, block);
  FFILE(file_unit(slot), kWrite, address, words, block_words(slot.mfp_records, block), status);
}

}  // namespace raflib
