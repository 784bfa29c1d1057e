// What a program that is not RAFLIB itself may know of a RAF file: its key,
// its MFP entries and the first error RAFLIB reported, as plain values.
//
// Status rule, as for every RAFLIB routine: the status word is set to 0 on
// entry; a failure writes its report on the message unit (none for unit 0)
// and leaves minus the catalogue message number. Nothing is thrown.
//
//   int32_t opened = 0, status = 0;
//   raflib::open_to_inspect(22, "analysis.raf", 0, opened);
//   raflib::KeyInfo key;
//   raflib::inspect_key(22, key, status);  // also after a refused open
//   raflib::MfpEntry entry;                // of arrays 1 to *key.mfpcur
//   if (opened == 0) raflib::inspect_entry(22, 1, entry, status);
//   if (opened < 0 || status < 0) report(raflib::first_error().text);
#ifndef RAF2SIF_RAFLIB_INSPECT_H_
#define RAF2SIF_RAFLIB_INSPECT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "raflib/messages.h"

namespace raflib {

// The key of a file, field by field as it stands in records 1 and 2. A
// number is std::nullopt when its field holds no integer.
struct KeyInfo {
  bool read = false;           // the file holds its whole key (1024 bytes)
  std::string identification;  // columns 1-8
  bool raflib = false;         // identification "RAFLIB  ": the rest is meaningful
  std::optional<int32_t> version, revision;
  std::string type_name;  // columns 17-56 without trailing blanks
  std::optional<int32_t> type_number;
  std::string created, last_write, last_read;  // "yyyymmdd  hhmmss"
  std::optional<int32_t> access1, access2;
  std::optional<int32_t> mfpadr, mfpmax, mfpcur, mfpnxt, mfp_records;
  bool converted = false;           // byte order reversed on reading
  bool upgraded_in_memory = false;  // format version 0, read as version 2
  int64_t file_size = -1;           // bytes
  int64_t data_end = -1;            // bytes up to the end of the data area (MFPNXT - 1 records)
};

// One MFP entry: the array's number, its four words, and the
// records of the data area its allocated length takes (0 for an unknown
// data type or a negative length).
struct MfpEntry {
  int32_t number = 0;
  int32_t address = 0, type = 0, allocated = 0, stored = 0;
  int64_t records = 0;
  bool known_type = false;  // data type 1 to 5
};

// The first error reported since RAFINI or clear_first_error, printed or
// not: number 0 when there is none.
struct ErrorInfo {
  int64_t number = 0;  // catalogue message number, positive
  std::string routine;
  std::string text;  // with its placeholders filled in, without trailing blanks
};

// Opens the existing RAF file `file` on unit for reading only: RAFINI with
// msg_unit, whatever RAF file was on the unit closed, then RAFOLD. The file
// is never written; one of format version 0 is upgraded in memory.
void open_to_inspect(int32_t unit, std::string_view file, int32_t msg_unit, int32_t& status);

// The key of the file attached to unit, in use or refused when it was
// opened (what could be read of it then). -1022 when no file is attached.
void inspect_key(int32_t unit, KeyInfo& key, int32_t& status);

// The MFP entry of array number `array` of the file in use on unit; its
// address is 0 when the array is not allocated. Fails as the lookup of a
// reader does (1022, 1036, 1041 to 1045, 1069, 1070).
void inspect_entry(int32_t unit, int32_t array, MfpEntry& entry, int32_t& status);

ErrorInfo first_error();
void clear_first_error();

// The catalogue text of message n with value for "<I>" (kUndefined gives
// "<UNKNOWN>"), without trailing blanks.
std::string message_text(int32_t n, int32_t value = kUndefined);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_INSPECT_H_
