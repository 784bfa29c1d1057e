// Recalling arrays from the RAF file: a whole class of arrays (ARRECL) or
// one named array for one step (ARREC1), each booked with the type, size
// and store info of its directory entry and read from its record.
//
// RAF numbers: with N4, N5, N6 the counts of stored-once, result and
// restart arrays on the file and K0 = 100, the stored-once arrays lie at
// K0 + serial, and step s has the result arrays at K0 + N4 + (s-1)(N5+N6) +
// serial and the restart arrays after them.
//
// A record is read by the entry's type code: 1 integers, 2 single-precision
// reals, 3 reals delivered in double precision (from single precision when
// the entry's flag says "RE"), 4 integer words; an entry of any other code
// is a damaged one and fails like a record that cannot be read.
//
// The routines with a status word decrease it by 1 on failure (GTARAF sets
// it to -1) and report through ARMESS; called with it not 0, they do
// nothing.
#ifndef RAF2SIF_ARRAYS_RECALL_H_
#define RAF2SIF_ARRAYS_RECALL_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "arrays/directory.h"
#include "io/text.h"
#include "io/work_array.h"

namespace arrays {

// Recalls for step index irfins every array whose store code the 25
// characters of instr select ("**Recall structure data**" 1, 4, 5;
// "**Recall control data  **" 11; "**Recall global data   **" 13;
// "**Recall exclusive data *" 50; "**Recall result data   **" 3, 5;
// "**Recall restart data  **" 2, 4), in the order of their array numbers,
// from the RAF file on unit iraf. An array without a record for the index
// is skipped; the first failure stops the recall.
void ARRECL(io::WorkArray& ia, std::string_view instr, int32_t irfins, int32_t iraf, int32_t imsg,
            int32_t& istat);

// Recalls array name for step index irfins and gives its pointer. A name
// the DMS does not hold is ignored; a known name without a record for the
// index fails ("Error During Recallin Array: ").
void ARREC1(io::WorkArray& ia, std::string_view name, int32_t& ipoint, int32_t irfins, int32_t iraf,
            int32_t imsg, int32_t& istat);

// Everything about name's record for step index irfins: key its RAF number
// (0 = none, -1 = a directory entry whose number cannot be a record), the
// entry's type code, words per element, elements, store code, three
// serials and single-precision flag, and the keywords store (4 characters)
// and type (2 characters) that book it.
void ARKEYS(io::WorkArray& ia, std::string_view name, int32_t irfins, int32_t& key, int32_t& itype,
            int32_t& nwpe, int32_t& ndim, int32_t& icode, int32_t& iser1, int32_t& iser2,
            int32_t& iser3, int32_t& irefl, std::span<char> store, std::span<char> type,
            int32_t imsg, int32_t& istat);

// What ARKEYS tells about a record, as one value.
struct Keys {
  int32_t key = 0, itype = 0, nwpe = 0, ndim = 0, icode = 0;
  int32_t ser1 = 0, ser2 = 0, ser3 = 0, refl = 0;
  io::Text<4> store;
  io::Text<2> type;
};

// What entry e, that of array number n, says about its record for step
// index irfins: the entry's words, its RAF number and its two keywords.
Keys entry_keys(const Entry& e, int32_t n, int32_t irfins, io::IntView numraf, io::IntView keyraf);

// ARKEYS into k.
void keys_of(io::WorkArray& ia, std::string_view name, int32_t irfins, Keys& k, int32_t imsg,
             int32_t& istat);

// The RAF number of array n for step index irfins; 0 when the array has no
// record for it (nothing stored, a class without a slot for the index), -1
// when the entry lies outside KEYRAF or its number falls outside K0+1 ..
// 2^31-1 (a damaged directory).
int32_t ARRKEY(int32_t n, int32_t irfins, io::IntView numraf, io::IntView keyraf);

// Reads nwords elements of RAF number key into buf: itype 1 integers, 2
// single-precision reals, 3 double-precision reals (from single-precision
// ones when iprec is 1); any other itype reads nothing.
void GTARAF(std::span<std::byte> buf, int32_t nwords, int32_t key, int32_t itype, int32_t iprec,
            int32_t iraf, int32_t imsg, int32_t& istat);

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_RECALL_H_
