#include "raflib/transfer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "io/units.h"
#include "raflib/diagnostics.h"
#include "raflib/machine.h"

namespace raflib {

namespace {

struct TypeCode {
  std::string_view code;
  int size;
};
constexpr std::array<TypeCode, 4> kConvertedCodes = {{{"IN", 4}, {"RE", 4}, {"DP", 8}, {"CO", 4}}};

// FFREC: operation 1 writes nwords words from `from` as records `record`,
// record + 1, ...; operation 2 reads them into `to`. A partial last record
// written is completed with zero bytes. Status: the platform's I/O status.
void FFREC(int32_t unit, int32_t op, int64_t record, int32_t& status, std::byte* to,
           const std::byte* from, int64_t nwords) {
  const auto bytes = static_cast<std::size_t>(nwords) * kBytesPerWord;
  status = op == kWrite ? io::write_direct(unit, record, from, bytes)
                        : io::read_direct(unit, record, to, bytes);
}

// FFILE for memory that may be written (to) or only read (to == nullptr).
void transfer(int32_t unit, int32_t op, int64_t& address, std::byte* to, const std::byte* from,
              std::size_t bytes, int64_t nwords, int32_t& status) {
  status = 0;
  if (nwords == 0) return;
  if (nwords < 0) {
    status = -kFfileCount;
    return;
  }
  if (op != kSkip) {
    if (unit < 1 || unit > io::kMaxUnit) {
      status = -kFfileUnit;
      return;
    }
    if ((op != kWrite && op != kRead) || (op == kRead && to == nullptr)) {
      status = -kFfileOperation;
      return;
    }
    // The caller's memory bounds the transfer whatever the count says.
    if (nwords > static_cast<int64_t>(bytes / kBytesPerWord)) {
      status = -kFfileCount;
      return;
    }
  }
  const int64_t records = (nwords + kRecordWords - 1) / kRecordWords;
  if (address <= 0 || address > kMaxAddress - records) {
    status = -kFfileAddress;
    return;
  }
  if (op != kSkip) {
    FFREC(unit, op, address, status, to, from, nwords);
    if (status != 0) status = status < 0 ? status : -status;
  }
  address += records;
}

}  // namespace

void FFILE(int32_t unit, int32_t op, int64_t& address, std::span<std::byte> array, int64_t nwords,
           int32_t& status) {
  transfer(unit, op, address, array.data(), array.data(), array.size(), nwords, status);
}

void FFILE(int32_t unit, int32_t op, int64_t& address, std::span<const std::byte> array,
           int64_t nwords, int32_t& status) {
  transfer(unit, op, address, nullptr, array.data(), array.size(), nwords, status);
}

bool foreign(const Slot& slot) {
  return slot.computer_type != 0 && slot.computer_type != state().machine_type;
}

void RFCHKW(int32_t& status) {
  status = 0;
  const Slot& slot = current_slot();
  if (!foreign(slot)) return;
  status = -kMsgCannotWriteType;
  RFERR(status, "RFCHKW", kUndefined, computer_type_name(slot.computer_type));
}

void RFCNVD(std::string_view code, std::span<std::byte> array, int64_t n, int32_t& status) {
  status = 0;
  const int32_t file_type = current_slot().computer_type;
  switch (byte_order(file_type, state().machine_type)) {
    case ByteOrder::kSame:
      return;
    case ByteOrder::kUnsupported:
      status = -kMsgCannotReadType;
      RFERR(status, "RFCNVD", kUndefined, computer_type_name(file_type));
      return;
    case ByteOrder::kReversed:
      break;
  }
  const auto* c = std::find_if(kConvertedCodes.begin(), kConvertedCodes.end(),
                               [code](const TypeCode& t) { return t.code == code; });
  if (c == kConvertedCodes.end()) return;
  RFSWAP(array, n, c->size, status);
  if (status < 0) RFTRCE("RFCNVD");
}

void RFSWAP(std::span<std::byte> array, int64_t n, int size, int32_t& status) {
  status = 0;
  if (n < 0) {
    status = -kSwapCount;
  } else if (size < 2 || size > 8) {
    status = -kSwapSize;
  } else if (n > static_cast<int64_t>(array.size()) / size) {
    status = -kSwapCount;
  }
  if (status < 0) return;
  for (std::byte* e = array.data(); e != array.data() + n * size; e += size)
    std::reverse(e, e + size);
}

void RFR2DP(int64_t n, std::span<std::byte> array) {
  n = std::min<int64_t>(n, static_cast<int64_t>(array.size() / sizeof(double)));
  // From the last value to the first, so that no value is overwritten before
  // it is read: double k covers floats 2k and 2k + 1, both at or after k.
  for (int64_t k = n - 1; k >= 0; --k) {
    float f;
    std::memcpy(&f, array.data() + k * sizeof f, sizeof f);
    const double d = f;
    std::memcpy(array.data() + k * sizeof d, &d, sizeof d);
  }
}

}  // namespace raflib
