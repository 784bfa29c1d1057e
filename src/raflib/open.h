// Preparing RAFLIB, attaching RAF files to units, and releasing them.
//
// Every operation sets its status word to 0 first; a failure is reported on
// the message unit and leaves the status at minus the message number.
#ifndef RAF2SIF_RAFLIB_OPEN_H_
#define RAF2SIF_RAFLIB_OPEN_H_

#include <cstdint>
#include <span>
#include <string_view>

namespace raflib {

// Sends warnings and errors to msg_unit (below 1: nowhere), sets this
// computer's type and the write counter to 0. Open files stay open.
void RAFINI(int32_t msg_unit);

// Opens the existing RAF file fname on unit and validates its key (1020,
// 1029, 1060 to 1064, 1070); a file of format version 0 is upgraded. A
// blank name is "rafNNN.raf" for unit NNN; the completed name is given back
// in fname. A file that may only be read opens for reading.
void RAFOLD(int32_t unit, std::span<char> fname, int32_t& status);

// With on, RAFOLD opens every file for reading only, so that it is never
// written, and upgrades a file of format version 0 in memory, block by block
// as its MFP is read, instead of in place; with off (the default) as above.
// For programs that inspect RAF files.
void open_for_reading_only(bool on);
// Whether RAFOLD opens for reading only now.
bool opens_for_reading_only();

// Opens fname on unit with open status "NEW", "UNKNOWN" or "OLD" (first
// letter, either case) and writes a new, empty RAF structure for maxarr
// arrays into it, replacing whatever the file held.
void RAFNEW(int32_t unit, std::span<char> fname, std::string_view open_status, int32_t maxarr,
            int32_t& status);

// Closes the file of the unit, first writing its modified MFP blocks and its
// key when anything was written since RAFINI and the file may be written
// here. A unit without a file in use is no error.
void RAFCLS(int32_t unit, int32_t& status);

// Writes the modified MFP blocks and the key of the unit's file.
void RAFUPD(int32_t unit, int32_t& status);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_OPEN_H_
