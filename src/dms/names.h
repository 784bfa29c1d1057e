// Array names, their character numbers, and the look-ups between names and
// array numbers.
//
// A name has 1 to 8 printable characters, "!" (33) to "~" (126). It is kept
// as two character numbers: each character coded as the two decimal digits of
// its code minus 30, characters 1..4 in the first number and 5..8 in the
// second, first character most significant, missing positions 0. Two names
// are equal exactly when both numbers are. Every operation here needs the
// name table that DMSANN creates.
#ifndef RAF2SIF_DMS_NAMES_H_
#define RAF2SIF_DMS_NAMES_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "dms/mcm.h"
#include "io/work_array.h"

namespace dms {

// The conversion's scratch, kept between the steps of one operation as the
// DMS keeps it in static storage: the character numbers of the last
// converted name and the last looked-up array number.
struct State {
  int32_t cn1 = 0;
  int32_t cn2 = 0;
  int32_t number = 0;
};
State& state();
// Back to the state of a fresh process.
void reset();

// The character numbers of name (all its characters, blanks included). A name
// longer than 8 is error kNameTooLong; an empty one, or a blank or
// non-printable character, kNameIllegalChar; both numbers are then 0. With the case switch 1 the
// letters a to z count as A to Z.
void DMSCHN(io::WorkArray& iwa, std::string_view name, int32_t label, int32_t& cn1, int32_t& cn2);

// The name coded by cn1 and cn2, blank-padded into name (a field of 8
// characters or more; a shorter one gets the name cut), and its number of
// characters. A group that is no printable character is kNameIllegalCode with that
// character code; the characters decoded before it stay.
void DMSNCH(io::WorkArray& iwa, int32_t cn1, int32_t cn2, int32_t label, std::span<char> name,
            int32_t& nchar);

// The lowest number j in 11..NT(3) whose name in the name table nt (NT(1) ..
// NT(2n)) has the character numbers cn1 and cn2; 0 when there is none.
int32_t DMSLKP(io::IntView nt, int32_t cn1, int32_t cn2);

// The array number of name; 0 when the name is not in the name table
// (silently) or is illegal (its error and "Occured for array").
int32_t DMSNUM(io::WorkArray& iwa, std::string_view name, int32_t label);

// The name of array no, blank-padded, and its number of characters; blank and
// 0 for a number without a name. no outside 11..n is kNameOfIllegalNumber.
void DMSNAM(io::WorkArray& iwa, int32_t no, int32_t label, std::span<char> name, int32_t& nchar);

// For the DMS's own operations.

// True when the MCM is sound and holds a name table; otherwise kMcmCorrupt.
bool names_ready(Mcm& m, int32_t label);

// Converts name into state().cn1 and cn2; false after its error
// (kNameTooLong or kNameIllegalChar).
bool convert_name(Mcm& m, std::string_view name, int32_t label);

// The number whose name is state()'s, recorded in state().number; 0 when the
// name is not in the name table.
int32_t look_up(Mcm& m);

// Converts and looks name up: no is its number, 0 when it has none. False,
// with no = 0, when the MCM cannot hold names (kMcmCorrupt) or the name is
// illegal (its error followed by "Occured for array").
bool find_name(Mcm& m, std::string_view name, int32_t label, int32_t& no);

// Records state()'s character numbers as the name of number no.
void store_name(Mcm& m, int32_t no);

}  // namespace dms

#endif  // RAF2SIF_DMS_NAMES_H_
