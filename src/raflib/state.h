// What RAFLIB keeps between calls: the file slots with their keys and MFP
// block buffers, the current slot and entry, the write counter and the
// message units. One struct, so that reset() returns to a fresh process.
#ifndef RAF2SIF_RAFLIB_STATE_H_
#define RAF2SIF_RAFLIB_STATE_H_

#include <array>
#include <cstdint>

#include "io/text.h"
#include "raflib/messages.h"

namespace raflib {

constexpr int kSlots = 10;            // files open at a time
constexpr int kBuffers = 10;          // MFP block buffers per file
constexpr int kEntriesPerBlock = 64;  // MFP entries per block
constexpr int kWordsPerEntry = 4;     // address, type, allocated, stored
constexpr int kBlockWords = kEntriesPerBlock * kWordsPerEntry;
constexpr int kRecordsPerBlock = 2;
constexpr int kRecordWords = 128;
constexpr int kRecordBytes = 512;
constexpr int kBytesPerWord = 4;
constexpr int kKeyChars = 1024;
constexpr int kKeyWords = kKeyChars / kBytesPerWord;
constexpr int32_t kVersion = 2;
constexpr int32_t kRevision = 1;
constexpr int kMessageChars = 70;  // the text of a catalogue message

// Operation codes of the lookup and the access state.
constexpr int32_t kAllocate = 0, kWrite = 1, kRead = 2, kLocate = 3;
// Operation codes of FFILE.
constexpr int32_t kSkip = 0;  // kWrite and kRead as above

using Key = io::Text<kKeyChars>;
using Stamp = io::Text<16>;  // "yyyymmdd  hhmmss"

struct BlockBuffer {
  int32_t block = 0;  // 0 = empty
  int32_t age = 0;    // 1 = used most recently .. 10 = least recently
  bool modified = false;
  std::array<int32_t, kBlockWords> words{};  // in this computer's byte order
};

struct Slot {
  int32_t unit = 0;  // 0 free; -unit opened, not validated; unit in use
  Key key;
  int32_t mfpadr = 0, mfpmax = 0, mfpcur = 0, mfpnxt = 0;
  int32_t reserved1 = 0, reserved2 = 0;
  int32_t mfp_records = 0;  // length of the MFP area, carried from the key
  int32_t access_status = 0;
  int32_t access_state = 0;
  // The computer type that wrote the file, which decides its byte order.
  // Kept per file, so that one file opened after another does not change
  // how the first is read or whether it may be written.
  int32_t computer_type = 0;
  // A file of format version 0 opened for reading only: its MFP blocks are
  // upgraded in memory as they are loaded, since the file may not be.
  bool version0_in_memory = false;
  Stamp opened;
  std::array<BlockBuffer, kBuffers> buffers;
};

// The MFP entry found by the last lookup, printed by the diagnostics.
struct CurrentEntry {
  int32_t array = 0;
  int32_t block = 0;
  int32_t buffer = 0;    // 1 .. 10
  int32_t position = 0;  // entry in its block, 1 .. 64
  int32_t address = 0, type = 0, allocated = 0, stored = 0;
};

// One report of the diagnostics: its message number (0 = none), the
// routine that made it and its text with the placeholders filled in.
struct Report {
  int64_t number = 0;
  io::Text<6> routine;
  io::Text<kMessageChars> text;
};

struct State {
  std::array<Slot, kSlots> slots;
  int32_t current = 0;  // current slot, 1 .. 10; 0 = none
  CurrentEntry entry;
  int32_t machine_type = 0;  // this computer's type number, set by RFMACH
  int32_t iwfile = 0;        // key and MFP block writes since RAFINI
  // Two message units per severity (INFO, WARNING, ERROR, FATAL ERROR);
  // a unit below 1 is none.
  std::array<std::array<int32_t, 2>, 4> message_units{};
  // The first error reported since RAFINI, printed or not: what a program
  // that speaks for itself says when RAFLIB fails.
  Report first_error;
  // RAFOLD opens files for reading only and never writes them.
  bool read_only = false;
};

State& state();

// The unit a slot's file is attached to, opened or in use.
inline int32_t file_unit(const Slot& slot) {
  return slot.unit < 0 ? -slot.unit : slot.unit;
}

// The current slot; only valid while state().current is 1 .. 10.
Slot& current_slot();

// The state of a fresh process: every slot free, no message unit. Units the
// library opened stay as they are (io::reset closes them).
void reset();

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_STATE_H_
