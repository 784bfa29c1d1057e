#include "info/raf_file.h"

#include <algorithm>
#include <string>

#include "info/failure.h"
#include "io/text.h"
#include "io/units.h"
#include "raflib/key.h"
#include "raflib/machine.h"
#include "raflib/mfp.h"
#include "raflib/state.h"

namespace info {

namespace {

// The slot that holds the unit: in use, or opened and refused.
const raflib::Slot* slot_of(int32_t unit) {
  const auto& slots = raflib::state().slots;
  const auto it = std::find_if(slots.begin(), slots.end(), [unit](const raflib::Slot& s) {
    return s.unit != 0 && raflib::file_unit(s) == unit;
  });
  return it == slots.end() ? nullptr : &*it;
}

std::optional<int32_t> number(const raflib::Key& key, raflib::KeyField f) {
  int32_t v = 0;
  if (raflib::decode(key, f, v) != 0) return std::nullopt;
  return v;
}

std::string text(const raflib::Key& key, raflib::KeyField f) {
  return std::string(io::trimmed(raflib::get(key, f)));
}

// The failure of an entry that no file written by RAFLIB can hold.
std::optional<Failure> check(const raflib::Slot& slot, const MfpEntry& e) {
  const std::string what = "MFP entry of array " + std::to_string(e.number);
  if (e.address < 0) return catalogue_failure(what, 1030, raflib::kUndefined);
  if (raflib::unit_size(e.type) == 0) return catalogue_failure(what, 1032, e.type);
  if (e.allocated < 0) return catalogue_failure(what, 1033, e.allocated);
  if (e.stored < 0) return catalogue_failure(what, 1033, e.stored);
  if (e.stored > e.allocated) {
    return Failure{what, 0,
                   std::to_string(e.stored) + " elements stored, more than the " +
                       std::to_string(e.allocated) + " allocated"};
  }
  const int64_t words = raflib::data_words(e.type, e.allocated);
  const int64_t records = (words + raflib::kRecordWords - 1) / raflib::kRecordWords;
  const int64_t first = int64_t{slot.mfpadr} + std::max(slot.mfp_records, 1);
  if (e.address < first || e.address + records > slot.mfpnxt) {
    return Failure{what, 0,
                   std::to_string(records) + " records from record " + std::to_string(e.address) +
                       " lie outside the data area, records " + std::to_string(first) + " to " +
                       std::to_string(slot.mfpnxt - 1)};
  }
  return std::nullopt;
}

}  // namespace

std::optional<Key> read_key(int32_t unit) {
  const raflib::Slot* slot = slot_of(unit);
  const int64_t size = io::file_size(unit);
  if (slot == nullptr || size < raflib::kKeyChars) return std::nullopt;
  const raflib::Key& key = slot->key;
  Key k;
  k.file_size = size;
  k.identification = std::string(raflib::get(key, raflib::kIdentField));
  k.raflib = k.identification == raflib::kIdent;
  if (!k.raflib) return k;
  k.version = number(key, raflib::kVersionField);
  k.revision = number(key, raflib::kRevisionField);
  k.type_name = text(key, raflib::kTypeNameField);
  k.type_number = number(key, raflib::kTypeNumberField);
  k.created = std::string(raflib::get(key, raflib::kCreatedField));
  k.last_write = std::string(raflib::get(key, raflib::kLastWriteField));
  k.last_read = std::string(raflib::get(key, raflib::kLastReadField));
  k.access1 = number(key, raflib::kAccess1Field);
  k.access2 = number(key, raflib::kAccess2Field);
  k.mfpadr = number(key, raflib::kMfpAdrField);
  k.mfpmax = number(key, raflib::kMfpMaxField);
  k.mfpcur = number(key, raflib::kMfpCurField);
  k.mfpnxt = number(key, raflib::kMfpNxtField);
  k.mfp_records = number(key, raflib::kMfpRecordsField);
  k.converted = k.type_number && raflib::byte_order(*k.type_number, raflib::kCurrentType) ==
                                     raflib::ByteOrder::kReversed;
  k.upgraded_in_memory = slot->version0_in_memory;
  if (k.mfpnxt) k.data_end = (int64_t{*k.mfpnxt} - 1) * raflib::kRecordBytes;
  return k;
}

std::optional<Failure> read_mfp(int32_t unit, std::vector<MfpEntry>& entries) {
  const raflib::Slot* slot = slot_of(unit);
  std::optional<Failure> damage;
  for (int32_t n = 1; slot != nullptr && n <= slot->mfpcur; ++n) {
    int32_t st = 0;
    raflib::RFFNFP(unit, n, 0, 0, raflib::kLocate, st);
    if (st != 0) return raflib_failure("MFP block of array " + std::to_string(n));
    const raflib::CurrentEntry& e = raflib::state().entry;
    if (e.address == 0) continue;
    entries.push_back({n, e.address, e.type, e.allocated, e.stored});
    if (!damage) damage = check(*slot, entries.back());
  }
  return damage;
}

}  // namespace info
