#include "raflib/open.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "io/fields.h"
#include "io/text.h"
#include "io/units.h"
#include "raflib/blocks.h"
#include "raflib/date.h"
#include "raflib/diagnostics.h"
#include "raflib/key.h"
#include "raflib/machine.h"
#include "raflib/mfp.h"
#include "raflib/state.h"
#include "raflib/transfer.h"
#include "raflib/upgrade.h"

namespace raflib {

namespace {

using FileName = io::Text<255>;

// The open statuses by their first letter ("NEW", "UNKNOWN", "OLD").
struct OpenWord {
  char letter;
  io::OpenStatus status;
};
constexpr std::array<OpenWord, 3> kOpenWords = {
    {{'N', io::OpenStatus::kNew}, {'U', io::OpenStatus::kUnknown}, {'O', io::OpenStatus::kOld}}};

const OpenWord* open_word(char letter) {
  const auto* w = std::find_if(kOpenWords.begin(), kOpenWords.end(), [letter](const OpenWord& o) {
    return o.letter == letter || o.letter == letter - 'a' + 'A';
  });
  return w == kOpenWords.end() ? nullptr : w;
}

// Completes a file name: leading blanks go; a blank name becomes
// "rafNNN.raf" for unit NNN.
void RFDFNM(std::span<char> name, int32_t unit) {
  const std::string_view whole(name.data(), name.size());
  const int first = io::IFSTNB(whole);
  io::Line line;
  if (first == 0) {
    line.a("raf").iz(unit, 3).a(".raf");
  } else {
    line.a(whole.substr(static_cast<std::size_t>(first - 1)));
  }
  io::assign(name, line.view());
}

// Opens the file on the unit and takes a free slot for it, holding minus the
// unit until the file is validated or initialised.
void RFFIOP(std::string_view name, int32_t unit, io::OpenStatus open_status, int32_t& status) {
  status = 0;
  State& s = state();
  int32_t refused = 0, value = kUndefined;
  auto free_slot =
      std::find_if(s.slots.begin(), s.slots.end(), [](const Slot& x) { return x.unit == 0; });
  if (std::any_of(s.slots.begin(), s.slots.end(),
                  [unit](const Slot& x) { return x.unit == unit; })) {
    refused = kMsgUnitInUse;
  } else if (free_slot == s.slots.end()) {
    refused = kMsgTooManyFiles;
    value = kSlots;
  } else {
    const int rc = io::open_direct(unit, io::trimmed(name), open_status, kRecordBytes);
    if (rc > 0) {
      refused = kMsgCannotOpen;
      value = rc;
    }
  }
  if (refused != 0) {
    s.current = 0;
    status = -refused;
    RFERR(status, "RFFIOP", value, kDummy);
    return;
  }
  free_slot->unit = -unit;
  RFDATE(free_slot->opened.span(), 1);
}

// Makes the slot opened for the unit (holding minus the unit) current and
// returns 0; or returns, unreported, the message of a slot already in use by
// the unit before it or of no such slot.
int32_t find_opened_slot(int32_t unit) {
  State& s = state();
  for (int i = 0; i < kSlots; ++i) {
    if (s.slots[i].unit == unit) return kMsgReinitialize;
    if (s.slots[i].unit == -unit) {
      s.current = i + 1;
      return 0;
    }
  }
  return kMsgNoFile;
}

void fresh_buffers(Slot& slot) {
  for (BlockBuffer& b : slot.buffers) b.age = kBuffers;
}

// Validates the key of the file just opened on the unit, puts the file in
// use and upgrades it when it is of format version 0: in place, or in memory
// when files are opened for reading only.
void RFIOLD(int32_t unit, int32_t& status) {
  status = 0;
  State& s = state();
  // Failures before the file is in use are reported with no current slot.
  // A failure of a routine called is reported a second time, as RFIOLD's.
  auto fail = [&](int32_t message, int32_t value, std::string_view text) {
    s.current = 0;
    status = -message;
    RFERR(status, "RFIOLD", value, text);
  };
  if (const int32_t refused = find_opened_slot(unit); refused != 0) {
    fail(refused, kUndefined, kDummy);
    return;
  }
  Slot& slot = current_slot();
  RFGKEY(status);
  if (status < 0) {
    fail(-status, kUndefined, kDummy);
    return;
  }
  const Key& key = slot.key;
  if (get(key, kIdentField) != kIdent) {
    fail(kMsgNotRaflib, kUndefined, kDummy);
    return;
  }
  auto decoded = [&](KeyField field, int32_t& value) {
    const int rc = decode(key, field, value);
    if (rc != 0) fail(kMsgDecode, rc, kDummy);
    return rc == 0;
  };
  int32_t version = 0, revision = 0;
  if (!decoded(kVersionField, version) || !decoded(kRevisionField, revision)) return;
  if (version > kVersion) {
    char text[12];
    const auto res = std::to_chars(text, text + sizeof text, version);
    fail(kMsgTooNew, kUndefined, std::string_view(text, res.ptr));
    return;
  }
  int32_t access1 = 0, access2 = 0;
  if (!decoded(kAccess1Field, access1) || !decoded(kAccess2Field, access2)) return;
  slot.access_status = (access1 == 0 ? 1 : 0) + (access2 == 0 ? 2 : 0);
  for (const auto& [field, value] :
       {std::pair{kMfpAdrField, &slot.mfpadr}, std::pair{kMfpMaxField, &slot.mfpmax},
        std::pair{kMfpCurField, &slot.mfpcur}, std::pair{kMfpNxtField, &slot.mfpnxt},
        std::pair{kReserved1Field, &slot.reserved1}, std::pair{kReserved2Field, &slot.reserved2},
        std::pair{kMfpRecordsField, &slot.mfp_records}}) {
    if (!decoded(field, *value)) return;
  }
  if (slot.mfpadr <= 1) {
    fail(kMsgMfpAdr, slot.mfpadr, kDummy);
  } else if (slot.mfpmax <= 0) {
    fail(kMsgMfpMax, slot.mfpmax, kDummy);
  } else if (slot.mfpcur < 0 || slot.mfpcur > slot.mfpmax) {
    fail(kMsgMfpCur, slot.mfpcur, kDummy);
  } else if (slot.mfpnxt <= slot.mfpadr) {
    fail(kMsgMfpNxt, slot.mfpnxt, kDummy);
  } else if (slot.mfpnxt - slot.mfpadr < int64_t{kRecordsPerBlock} * mfp_blocks(slot.mfpmax)) {
    // The data area begins after the MFP area: a larger MFPMAX would take
    // the records of arrays for MFP blocks.
    fail(kMsgMfpMax, slot.mfpmax, kDummy);
  }
  if (status < 0) return;
  fresh_buffers(slot);
  slot.access_state = 0;
  slot.unit = unit;
  if (!decoded(kTypeNumberField, slot.computer_type)) return;
  RFMACH();
  if (slot.computer_type != s.machine_type) {
    RFCNVD("CK", {}, 0, status);
    if (status < 0) {
      RFTRCE("RFIOLD");
      return;
    }
  }
  if (version < 1 && s.read_only) {
    slot.version0_in_memory = true;
  } else if (version < kVersion) {
    RFCVER(version, revision, status);
    if (status < 0) fail(-status, kUndefined, kDummy);
  }
}

// Writes a new key and an empty MFP area for maxarr arrays into the file just
// opened on the unit, and puts the file in use.
void RFINEW(int32_t unit, int32_t maxarr, int32_t& status) {
  status = 0;
  if (const int32_t refused = find_opened_slot(unit); refused != 0) {
    state().current = 0;
    status = -refused;
    RFERR(status, "RFINEW", kUndefined, kDummy);
    return;
  }
  State& s = state();
  Slot& slot = current_slot();
  const int32_t blocks = mfp_blocks(maxarr);
  slot.mfpadr = 3;  // after the key's two records
  slot.mfpnxt = slot.mfpadr + kRecordsPerBlock * blocks;
  slot.mfpmax = maxarr;
  slot.mfpcur = 0;
  slot.reserved1 = 0;
  slot.reserved2 = 0;
  slot.mfp_records = slot.mfpnxt - slot.mfpadr;
  slot.computer_type = s.machine_type;
  Key& key = slot.key;
  key = "";
  put(key, kIdentField, kIdent);
  put(key, kVersionField, kVersion);
  put(key, kRevisionField, kRevision);
  put(key, kTypeNameField, computer_type_name(s.machine_type));
  put(key, kTypeNumberField, s.machine_type);
  put(key, kCreatedField, slot.opened);
  put(key, kLastWriteField, kNoStamp);
  put(key, kLastReadField, kNoStamp);
  put(key, kAccess1Field, 0);
  put(key, kAccess2Field, 0);
  put(key, kRecordLengthField, kRecordBytes);
  slot.access_state = 0;
  RFPKEY(status);
  if (status < 0) {
    RFERR(status, "RFINEW", kUndefined, kDummy);
    return;
  }
  static constexpr std::array<int32_t, kBlockWords> kEmptyBlock{};
  int64_t address = slot.mfpadr;
  for (int32_t b = 1; b <= blocks && status >= 0; ++b) {
    FFILE(unit, kWrite, address, std::as_bytes(std::span(kEmptyBlock)), kBlockWords, status);
  }
  if (status < 0) {
    RFIOER(status, "RFINEW", kWrite);
    return;
  }
  slot.access_status = 3;
  fresh_buffers(slot);
  slot.unit = unit;
  ++s.iwfile;
}

}  // namespace

void RAFINI(int32_t msg_unit) {
  State& s = state();
  s.message_units = {{{0, 0}, {msg_unit, 0}, {msg_unit, 0}, {msg_unit, 0}}};
  RFMACH();
  s.iwfile = 0;
  s.first_error = Report{};
}

void RAFOLD(int32_t unit, std::span<char> fname, int32_t& status) {
  FileName name(std::string_view(fname.data(), fname.size()));
  RFDFNM(name.span(), unit);
  RFFIOP(name, unit, state().read_only ? io::OpenStatus::kReadOnly : io::OpenStatus::kOld, status);
  if (status >= 0) {
    io::assign(fname, name.view());
    RFIOLD(unit, status);
  }
  if (status < 0) RFTRCE("RAFOLD");
}

void open_for_reading_only(bool on) {
  state().read_only = on;
}

bool opens_for_reading_only() {
  return state().read_only;
}

void RAFNEW(int32_t unit, std::span<char> fname, std::string_view open_status, int32_t maxarr,
            int32_t& status) {
  status = 0;
  FileName name(std::string_view(fname.data(), fname.size()));
  const OpenWord* word = open_status.empty() ? nullptr : open_word(open_status[0]);
  if (word == nullptr || maxarr <= 0) {
    status = word == nullptr ? -kMsgOpenStatus : -kMsgMaxArrays;
    RFERR(status, "RAFNEW", kUndefined, kDummy);
    return;
  }
  RFDFNM(name.span(), unit);
  RFFIOP(name, unit, word->status, status);
  if (status >= 0) {
    io::assign(fname, name.view());
    RFINEW(unit, maxarr, status);
  }
  if (status < 0) RFTRCE("RAFNEW");
}

void RAFCLS(int32_t unit, int32_t& status) {
  status = 0;
  State& s = state();
  const auto slot = std::find_if(s.slots.begin(), s.slots.end(),
                                 [unit](const Slot& x) { return unit > 0 && x.unit == unit; });
  if (slot == s.slots.end()) return;
  // Nothing can have reached a file that this computer may not write, or
  // that could only be opened for reading: there is nothing to flush.
  if (s.iwfile != 0 && !foreign(*slot) && !io::is_read_only(unit)) {
    RAFUPD(unit, status);
    if (status < 0) {
      RFTRCE("RAFCLS");
      return;
    }
  }
  io::close(unit);
  *slot = Slot{};
  s.current = 0;
}

void RAFUPD(int32_t unit, int32_t& status) {
  RFFINO(unit, status);
  if (status >= 0) RFPMFP(status);
  if (status >= 0) RFPKEY(status);
  if (status < 0) RFTRCE("RAFUPD");
}

}  // namespace raflib
