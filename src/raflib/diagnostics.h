// RAFLIB's message catalogue and its reports. A report is two or three lines
// on each unit of the message's severity:
//
//    *** RAFLIB ERROR - 24-03-01 14:05:09 - Routine RFIOLD:
//    *** File 22 / Msg_no 1020:
//    *** File is not a RAFLIB file
//
// and every routine that gives up on the way back adds an empty line and
//    *** Error return from RAFOLD
#ifndef RAF2SIF_RAFLIB_DIAGNOSTICS_H_
#define RAF2SIF_RAFLIB_DIAGNOSTICS_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "io/text.h"
#include "raflib/state.h"

namespace raflib {

constexpr std::string_view kDummy = "*DUMMY*";  // the text of a report that has none

// Reports message |status| of the catalogue for `routine` (6 characters),
// with value for "<I>" (kUndefined prints "<UNKNOWN>") and text for "<A>".
// On return status is minus the number for errors and fatal errors, the
// number otherwise.
void RFERR(int32_t& status, std::string_view routine, int32_t value, std::string_view text);

// The catalogue entry of message n: its text, severity (1 INFO, 2 WARNING,
// 3 ERROR, 4 FATAL ERROR) and detail level (0 none, 1 file, 4 file and array).
void RFMSG(int64_t n, io::Text<kMessageChars>& text, int32_t& severity, int32_t& level);

// Replaces the first "<I>" of text by value and then the first "<A>" by name
// without its trailing blanks; the text keeps its length.
void RFSUBS(std::span<char> text, int32_t value, std::string_view name);

// Closes every run of blanks that a non-blank character follows to one
// blank; trailing blanks stay.
void RFSQZB(std::span<char> line);

// The trace of a routine that gives up because a routine it called failed.
void RFTRCE(std::string_view routine);

// Reports a transfer failure of operation 1 (write) or 2 (read): the codes of
// FFILE as messages 1041 to 1045, a platform I/O status as 1035 or 1036.
void RFIOER(int32_t& status, std::string_view routine, int32_t operation);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_DIAGNOSTICS_H_
