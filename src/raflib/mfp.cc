#include "raflib/mfp.h"

#include <algorithm>
#include <array>

#include "raflib/blocks.h"
#include "raflib/diagnostics.h"
#include "raflib/machine.h"
#include "raflib/transfer.h"
#include "raflib/upgrade.h"

namespace raflib {

namespace {

// The access state after a read and after a write, by the state before.
constexpr std::array<std::array<int32_t, 2>, 7> kNextState = {
    {{4, 5}, {4, 6}, {6, 5}, {6, 6}, {4, 6}, {6, 5}, {6, 6}}};

BlockBuffer& current_buffer() {
  return current_slot().buffers[state().entry.buffer - 1];
}

// The first word of the current entry in its buffer.
int32_t* entry_words() {
  return current_buffer().words.data() + (state().entry.position - 1) * kWordsPerEntry;
}

// Stores the current entry into its buffer, which then has to reach the file.
void store_entry() {
  const CurrentEntry& e = state().entry;
  int32_t* w = entry_words();
  w[0] = e.address;
  w[1] = e.type;
  w[2] = e.allocated;
  w[3] = e.stored;
  current_buffer().modified = true;
}

}  // namespace

void RFFNFP(int32_t unit, int32_t array, int32_t type, int32_t n, int32_t op, int32_t& status) {
  RFFINO(unit, status);
  if (status < 0) {
    RFTRCE("RFFNFP");
    return;
  }
  RFMFPB(array, status);
  if (status < 0) {
    RFTRCE("RFFNFP");
    return;
  }
  if (op == kLocate) return;
  CurrentEntry& e = state().entry;
  int32_t refused = 0;  // the message of an operation the entry does not allow
  if (e.address > 0) {
    if (op == kAllocate) {
      refused = kMsgAllocated;
    } else if (op == kWrite && n > e.allocated) {
      refused = kMsgTooMany;
    } else if (op == kWrite && e.type == type && n != e.stored) {
      // The type is checked first, so that a refused write leaves the entry
      // of an array of another type as it was.
      e.stored = n;
      store_entry();
    }
  } else if (e.address == 0) {
    if (op == kRead) {
      refused = kMsgNotAllocated;
    } else {
      RFALL(unit, array, type, n, op == kWrite ? n : 0, status);
      if (status < 0) {
        RFTRCE("RFFNFP");
        return;
      }
    }
  }
  if (refused == 0) {
    if (e.type != type) {
      refused = kMsgTypeMismatch;
    } else if (n < e.stored) {
      refused = kMsgTooFew;
    } else if (n > e.allocated) {
      refused = kMsgTooMany;
    }
  }
  if (refused == 0) return;
  status = -refused;
  RFERR(status, "RFFNFP", kUndefined, kDummy);
}

void RFFINO(int32_t unit, int32_t& status) {
  status = 0;
  State& s = state();
  s.entry = CurrentEntry{};
  s.current = 0;
  for (int i = 0; i < kSlots && unit > 0; ++i) {
    if (s.slots[i].unit == unit) {
      s.current = i + 1;
      return;
    }
  }
  status = -kMsgNoFile;
  RFERR(status, "RFFINO", kUndefined, kDummy);
  RFTRCE("RFFINO");
}

void RFMFPB(int32_t array, int32_t& status) {
  status = 0;
  State& s = state();
  Slot& slot = current_slot();
  s.entry.array = array;
  if (array < 1 || array > slot.mfpmax) {
    status = -kMsgOutsideMfp;
    RFERR(status, "RFMFPB", kUndefined, kDummy);
    return;
  }
  const int32_t block = (array - 1) / kEntriesPerBlock + 1;
  auto& buffers = slot.buffers;
  auto it = std::find_if(buffers.begin(), buffers.end(),
                         [block](const BlockBuffer& b) { return b.block == block; });
  if (it != buffers.end()) {
    const int32_t age = it->age;
    if (age != 1) {
      for (BlockBuffer& b : buffers) {
        if (b.age < age) ++b.age;
      }
      it->age = 1;
    }
  } else {
    // The least recently used buffer: the first of the greatest age.
    it = std::max_element(buffers.begin(), buffers.end(),
                          [](const BlockBuffer& a, const BlockBuffer& b) { return a.age < b.age; });
    RFSMFP(static_cast<int32_t>(it - buffers.begin()) + 1, block, status);
    for (BlockBuffer& b : buffers) b.age = std::min(b.age + 1, kBuffers);
    it->age = 1;
  }
  s.entry.block = block;
  s.entry.buffer = static_cast<int32_t>(it - buffers.begin()) + 1;
  s.entry.position = (array - 1) % kEntriesPerBlock + 1;
  const int32_t* w = entry_words();
  s.entry.address = w[0];
  s.entry.type = w[1];
  s.entry.allocated = w[2];
  s.entry.stored = w[3];
}

void RFSMFP(int32_t buffer_number, int32_t block, int32_t& status) {
  status = 0;
  State& s = state();
  Slot& slot = current_slot();
  BlockBuffer& buffer = slot.buffers[buffer_number - 1];
  if (buffer.block != 0 && buffer.modified) {
    RFCHKW(status);
    if (status < 0) {
      RFTRCE("RFSMFP");
      return;
    }
    put_block(slot, buffer.block, std::as_bytes(std::span(buffer.words)), status);
    if (status < 0) {
      RFIOER(status, "RFSMFP", kWrite);
      RFTRCE("RFSMFP");
      return;
    }
    ++s.iwfile;
  }
  buffer.block = 0;
  buffer.modified = false;
  // Words of a block beyond the MFP area belong to the data area: they are
  // no entries and are not read.
  buffer.words.fill(0);
  int64_t address = block_address(slot, block);
  const std::span<std::byte> bytes = std::as_writable_bytes(std::span(buffer.words));
  FFILE(file_unit(slot), kRead, address, bytes, block_words(slot.mfp_records, block), status);
  if (status >= 0 && slot.version0_in_memory) {
    patch_version0_block(slot, block, buffer.words, status);
  }
  if (status < 0) {
    RFIOER(status, "RFSMFP", kRead);
    RFTRCE("RFSMFP");
    return;
  }
  RFCNVD("IN", bytes, kBlockWords, status);
  if (status < 0) {
    RFTRCE("RFSMFP");
    return;
  }
  buffer.block = block;
}

void RFALL(int32_t unit, int32_t array, int32_t type, int32_t allocated, int32_t stored,
           int32_t& status) {
  status = 0;
  Slot& slot = current_slot();
  CurrentEntry& e = state().entry;
  e.address = slot.mfpnxt;
  e.type = type;
  e.allocated = allocated;
  e.stored = stored;
  store_entry();
  const int64_t words = data_words(type, allocated);
  int64_t address = slot.mfpnxt;
  FFILE(unit, kSkip, address, std::span<std::byte>(), words, status);
  if (status < 0) {
    RFIOER(status, "RFALL", kSkip);
    return;
  }
  slot.mfpnxt = static_cast<int32_t>(address);
  slot.mfpcur = std::max(slot.mfpcur, array);
}

void RFPMFP(int32_t& status) {
  status = 0;
  RFCHKW(status);
  if (status < 0) {
    RFTRCE("RFPMFP");
    return;
  }
  Slot& slot = current_slot();
  for (BlockBuffer& b : slot.buffers) {
    if (b.block == 0 || !b.modified) continue;
    put_block(slot, b.block, std::as_bytes(std::span(b.words)), status);
    if (status < 0) {
      RFIOER(status, "RFPMFP", kWrite);
      return;
    }
    b.modified = false;
  }
  ++state().iwfile;
}

void RFSTAT(int32_t op) {
  if (op == kLocate) return;
  int32_t& st = current_slot().access_state;
  if (st < 0 || st > 6) return;
  st = kNextState[st][op == kRead ? 0 : 1];
}

bool room_for(int32_t unit, int32_t array, int32_t n, int elem_bytes, std::size_t bytes,
              std::initializer_list<std::string_view> way_out, int32_t& status) {
  RFFINO(unit, status);
  if (status < 0) {
    RFTRCE("RFFNFP");
    for (const std::string_view routine : way_out) RFTRCE(routine);
    return false;
  }
  if (n >= 0 && int64_t{n} * elem_bytes <= static_cast<int64_t>(bytes)) return true;
  state().entry.array = array;
  status = n < 0 ? -kMsgTooFew : -kMsgTooMany;
  RFERR(status, *(way_out.end() - 1), kUndefined, kDummy);
  return false;
}

}  // namespace raflib
