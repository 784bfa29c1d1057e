// The key of a RAF file (records 1 and 2): 1024 characters of text whose
// numbers are decimal integers right-aligned in fixed columns.
#ifndef RAF2SIF_RAFLIB_KEY_H_
#define RAF2SIF_RAFLIB_KEY_H_

#include <cstdint>
#include <string_view>

#include "raflib/state.h"

namespace raflib {

struct KeyField {
  int first;  // column of the first character, from 1
  int width;
};

constexpr KeyField kIdentField{1, 8};
constexpr KeyField kVersionField{9, 4};
constexpr KeyField kRevisionField{13, 4};
constexpr KeyField kTypeNameField{17, 40};
constexpr KeyField kTypeNumberField{57, 4};
constexpr KeyField kCreatedField{61, 16};
constexpr KeyField kLastWriteField{77, 16};
constexpr KeyField kLastReadField{93, 16};
constexpr KeyField kAccess1Field{109, 4};
constexpr KeyField kAccess2Field{113, 4};
constexpr KeyField kMfpAdrField{117, 8};
constexpr KeyField kMfpMaxField{125, 8};
constexpr KeyField kMfpCurField{133, 8};
constexpr KeyField kMfpNxtField{141, 8};
constexpr KeyField kReserved1Field{149, 8};
constexpr KeyField kReserved2Field{157, 4};
constexpr KeyField kMfpRecordsField{161, 8};
constexpr KeyField kRecordLengthField{169, 8};

constexpr std::string_view kIdent = "RAFLIB  ";
constexpr std::string_view kNoStamp = "  000000  000000";

std::string_view get(const Key& key, KeyField f);

// Text cut or blank-padded to the field.
void put(Key& key, KeyField f, std::string_view text);

// The value right-aligned in the field (asterisks when it does not fit).
void put(Key& key, KeyField f, int64_t value);

// Reads the field as an integer; returns 0 or the decoder's I/O status,
// value unchanged then. Fields are at most 8 columns wide, so every value
// fits 32 bits.
int decode(const Key& key, KeyField f, int32_t& value);

// Reads records 1 and 2 into the current slot's key (1036 or an FFILE
// message through RFIOER for a file shorter than its key).
void RFGKEY(int32_t& status);

// Writes the current slot's key with its MFP values and, by the access
// state, the open time stamp as the last write or read; lowers the access
// state; refuses a foreign file (1071).
void RFPKEY(int32_t& status);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_KEY_H_
