// The computers RAFLIB knows: their type numbers and names, the two
// byte-order groups it converts between, and the data types of the arrays.
#ifndef RAF2SIF_RAFLIB_MACHINE_H_
#define RAF2SIF_RAFLIB_MACHINE_H_

#include <cstdint>
#include <string_view>

#include "io/text.h"

namespace raflib {

// This computer's type, written into every file the library creates.
constexpr int32_t kCurrentType = 14;
constexpr std::string_view kCurrentTypeText = "  14";

// Sets this computer's type number in the library's state.
void RFMACH();

// The 40-character name of a computer type; types 1 to 3 have blank names,
// and a number outside 1 to 15 (a damaged key) is named "computer type N".
io::Text<40> computer_type_name(int32_t type);

// How data of a file written on computer type `file` is read on `machine`.
enum class ByteOrder { kSame, kReversed, kUnsupported };
ByteOrder byte_order(int32_t file, int32_t machine);

// Bytes per element of data type 1 to 5 ("IN", "RE", "DP", "CO", bytes);
// 0 for any other number.
int unit_size(int32_t type);

// Words of the data area that `elements` elements of data type `type` take.
int64_t data_words(int32_t type, int32_t elements);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_MACHINE_H_
