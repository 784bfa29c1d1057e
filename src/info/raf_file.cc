#include "info/raf_file.h"

#include <algorithm>
#include <string>

#include "info/failure.h"
#include "raflib/inspect.h"

namespace info {

namespace {

// The failure of an entry that no file written by RAFLIB can hold.
std::optional<Failure> check(const Key& key, const MfpEntry& e) {
  const std::string what = "MFP entry of array " + std::to_string(e.number);
  if (e.address < 0) {
    return catalogue_failure(what, raflib::kMsgNegativeAddress, raflib::kUndefined);
  }
  if (!e.known_type) return catalogue_failure(what, raflib::kMsgUnknownType, e.type);
  if (e.allocated < 0) return catalogue_failure(what, raflib::kMsgNegativeLength, e.allocated);
  if (e.stored < 0) return catalogue_failure(what, raflib::kMsgNegativeLength, e.stored);
  if (e.stored > e.allocated) {
    return Failure{what, 0,
                   std::to_string(e.stored) + " elements stored, more than the " +
                       std::to_string(e.allocated) + " allocated"};
  }
  // The file is in use: its key's MFP fields were decoded when it was opened.
  const int64_t first = int64_t{key.mfpadr.value_or(0)} + std::max(key.mfp_records.value_or(0), 1);
  const int32_t mfpnxt = key.mfpnxt.value_or(0);
  if (e.address < first || e.address + e.records > mfpnxt) {
    return Failure{what, 0,
                   std::to_string(e.records) + " records from record " + std::to_string(e.address) +
                       " lie outside the data area, records " + std::to_string(first) + " to " +
                       std::to_string(mfpnxt - 1)};
  }
  return std::nullopt;
}

}  // namespace

std::optional<Key> read_key(int32_t unit) {
  Key k;
  int32_t status = 0;
  raflib::inspect_key(unit, k, status);
  if (status < 0 || !k.read) return std::nullopt;
  return k;
}

std::optional<Failure> read_mfp(int32_t unit, const Key& key, std::vector<MfpEntry>& entries) {
  std::optional<Failure> damage;
  for (int32_t n = 1; n <= key.mfpcur.value_or(0); ++n) {
    MfpEntry e;
    int32_t status = 0;
    raflib::inspect_entry(unit, n, e, status);
    if (status < 0) return raflib_failure("MFP block of array " + std::to_string(n));
    if (e.address == 0) continue;
    entries.push_back(e);
    if (!damage) damage = check(key, e);
  }
  return damage;
}

}  // namespace info
