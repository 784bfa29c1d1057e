// The array layer's messages: ARMESS, which prints a message text on a unit
// or keeps it in a message store, and the message blocks of the layer's
// routines.
//
// Status rule: the layer is sticky. A routine entered with its status word
// not 0 does nothing, so that a caller may test once after a group of calls.
// A failure writes its message block and leaves the status negative:
// decreased by one, or set to -1 where the routine says so. Callers test
// istat != 0.
#ifndef RAF2SIF_ARRAYS_ARMESS_H_
#define RAF2SIF_ARRAYS_ARMESS_H_

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace arrays {

// Message codes handed to ARMESS with a text; negative codes are errors.
constexpr int32_t kCodeNone = 0;        // no code: printed on a unit, never stored
constexpr int32_t kCodeFailed = -1;     // a failure without a code of its own
constexpr int32_t kCodeNoSpace = -101;  // ARBOOK: the work array has no room
constexpr int32_t kCodeOpen = -102;     // INIRAF: the RAF file cannot be opened
constexpr int32_t kCodeCut = -103;      // held by a store that had to cut a text

// Word 1 of a message descriptor that is a message store.
constexpr int32_t kMessageStore = -321;
// First word of the stored text in a message store.
constexpr int32_t kStoreText = 11;

// Prints or stores one message text. imsg(1) > 0 is a unit: text up to its
// last non-blank character is written there as one record. Otherwise imsg
// is a message store of imsg(2) words (at most imsg.size(); nothing happens
// unless it exceeds 100): opt "S..." stores text under the message code
// istat (a held error is not buried by a notice; a text that does not fit is
// cut and marks the store kCodeCut), opt "F..." fetches the stored text into the
// first positions of text. A store whose words do not fit its span is left
// alone.
void ARMESS(std::span<int32_t> imsg, int32_t istat, std::span<char> text, std::string_view opt);

// Makes store an empty message store of store.size() words (at least 101).
void prepare_message_store(std::span<int32_t> store);

// For the layer's routines.

// The line feed that separates the lines of one message text.
inline constexpr std::string_view kLf = "\n";

// Builds a message text from parts in a blank 256-character field (cut
// there) and hands it to ARMESS with the message code and option "Store" on
// the unit imsg.
void report(int32_t imsg, int32_t code, std::initializer_list<std::string_view> parts);

// The failure of a routine that sets the status to -1: its header as the
// message text, code kCodeFailed.
void set_failed(int32_t imsg, std::string_view header, int32_t& istat);

// The line groups routines write directly on their message unit; nothing is
// written on a unit below 1.

// An empty line, then two blanks, text and value.
void write_group(int32_t unit, std::string_view text, std::string_view value = {});

// n empty lines.
void write_empty(int32_t unit, int n);

// A header group, then six blanks, detail and value; six blanks and
// "LEAVING " with the routine's name; three empty lines.
void write_leaving(int32_t unit, std::string_view header, std::string_view detail,
                   std::string_view value, std::string_view routine);

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_ARMESS_H_
