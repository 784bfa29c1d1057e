#include "raflib/key.h"

#include "io/fields.h"
#include "raflib/diagnostics.h"
#include "raflib/transfer.h"

namespace raflib {

namespace {

std::span<char> field_span(Key& key, KeyField f) {
  return key.span().subspan(static_cast<std::size_t>(f.first - 1),
                            static_cast<std::size_t>(f.width));
}

}  // namespace

std::string_view get(const Key& key, KeyField f) {
  return key.view().substr(static_cast<std::size_t>(f.first - 1),
                           static_cast<std::size_t>(f.width));
}

void put(Key& key, KeyField f, std::string_view text) {
  io::assign(field_span(key, f), text);
}

void put(Key& key, KeyField f, int64_t value) {
  put(key, f, io::Line().i(value, f.width).view());
}

int decode(const Key& key, KeyField f, int32_t& value) {
  int64_t v = 0;
  const int rc = io::get_i(get(key, f), v);
  if (rc == 0) value = static_cast<int32_t>(v);
  return rc;
}

void RFGKEY(int32_t& status) {
  Slot& slot = current_slot();
  int64_t address = 1;
  FFILE(file_unit(slot), kRead, address, std::as_writable_bytes(slot.key.span()), kKeyWords,
        status);
  if (status < 0) RFIOER(status, "RFGKEY", kRead);
}

void RFPKEY(int32_t& status) {
  status = 0;
  Slot& slot = current_slot();
  Key& key = slot.key;
  if (slot.access_state == 5 || slot.access_state == 6) put(key, kLastWriteField, slot.opened);
  if (slot.access_state == 4 || slot.access_state == 6) put(key, kLastReadField, slot.opened);
  put(key, kMfpAdrField, slot.mfpadr);
  put(key, kMfpMaxField, slot.mfpmax);
  put(key, kMfpCurField, slot.mfpcur);
  put(key, kMfpNxtField, slot.mfpnxt);
  put(key, kReserved1Field, slot.reserved1);
  put(key, kReserved2Field, slot.reserved2);
  put(key, kMfpRecordsField, slot.mfp_records);
  // Only the last four columns of the record length are kept.
  put(key, KeyField{kRecordLengthField.first, 4}, "");
  RFCHKW(status);
  if (status < 0) {
    RFTRCE("RFPKEY");
    return;
  }
  int64_t address = 1;
  FFILE(file_unit(slot), kWrite, address, std::as_bytes(slot.key.span()), kKeyWords, status);
  if (status < 0) {
    RFIOER(status, "RFPKEY", kWrite);
    return;
  }
  if (slot.access_state >= 4) slot.access_state -= 3;
  ++state().iwfile;
}

}  // namespace raflib
