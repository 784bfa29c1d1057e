#include "raflib/inspect.h"

#include <algorithm>
#include <span>

#include "io/text.h"
#include "io/units.h"
#include "raflib/diagnostics.h"
#include "raflib/key.h"
#include "raflib/machine.h"
#include "raflib/mfp.h"
#include "raflib/open.h"
#include "raflib/state.h"

namespace raflib {

namespace {

// The slot that holds the unit: in use, or opened and refused.
const Slot* slot_of(int32_t unit) {
  const auto& slots = state().slots;
  const auto it = std::find_if(slots.begin(), slots.end(), [unit](const Slot& s) {
    return s.unit != 0 && file_unit(s) == unit;
  });
  return it == slots.end() ? nullptr : &*it;
}

std::optional<int32_t> number(const Key& key, KeyField f) {
  int32_t v = 0;
  if (decode(key, f, v) != 0) return std::nullopt;
  return v;
}

std::string text(const Key& key, KeyField f) {
  return std::string(get(key, f));
}

}  // namespace

void open_to_inspect(int32_t unit, std::string_view file, int32_t msg_unit, int32_t& status) {
  RAFINI(msg_unit);
  open_for_reading_only(true);
  RAFCLS(unit, status);
  if (status < 0) return;
  std::string name(file);
  RAFOLD(unit, name, status);
}

void inspect_key(int32_t unit, KeyInfo& k, int32_t& status) {
  status = 0;
  const Slot* slot = slot_of(unit);
  if (slot == nullptr) {
    RFFINO(unit, status);
    return;
  }
  const Key& key = slot->key;
  k = KeyInfo{};
  k.file_size = io::file_size(unit);
  k.read = k.file_size >= kKeyChars;
  if (!k.read) return;
  k.identification = text(key, kIdentField);
  k.raflib = k.identification == kIdent;
  if (!k.raflib) return;
  k.version = number(key, kVersionField);
  k.revision = number(key, kRevisionField);
  k.type_name = std::string(io::trimmed(get(key, kTypeNameField)));
  k.type_number = number(key, kTypeNumberField);
  k.created = text(key, kCreatedField);
  k.last_write = text(key, kLastWriteField);
  k.last_read = text(key, kLastReadField);
  k.access1 = number(key, kAccess1Field);
  k.access2 = number(key, kAccess2Field);
  k.mfpadr = number(key, kMfpAdrField);
  k.mfpmax = number(key, kMfpMaxField);
  k.mfpcur = number(key, kMfpCurField);
  k.mfpnxt = number(key, kMfpNxtField);
  k.mfp_records = number(key, kMfpRecordsField);
  k.converted = k.type_number && byte_order(*k.type_number, kCurrentType) == ByteOrder::kReversed;
  k.upgraded_in_memory = slot->version0_in_memory;
  if (k.mfpnxt) k.data_end = (int64_t{*k.mfpnxt} - 1) * kRecordBytes;
}

void inspect_entry(int32_t unit, int32_t array, MfpEntry& entry, int32_t& status) {
  RFFNFP(unit, array, 0, 0, kLocate, status);
  if (status < 0) return;
  const CurrentEntry& e = state().entry;
  entry = {array, e.address, e.type, e.allocated, e.stored};
  entry.known_type = unit_size(e.type) != 0;
  if (entry.known_type && e.allocated >= 0) {
    entry.records = (data_words(e.type, e.allocated) + kRecordWords - 1) / kRecordWords;
  }
}

ErrorInfo first_error() {
  const Report& first = state().first_error;
  if (first.number == 0) return {};
  return {first.number, std::string(io::trimmed(first.routine)),
          std::string(io::trimmed(first.text))};
}

void clear_first_error() {
  state().first_error = Report{};
}

std::string message_text(int32_t n, int32_t value) {
  io::Text<kMessageChars> text;
  int32_t severity = 0, level = 0;
  RFMSG(n, text, severity, level);
  RFSUBS(text.span(), value, kDummy);
  return std::string(io::trimmed(text));
}

}  // namespace raflib
