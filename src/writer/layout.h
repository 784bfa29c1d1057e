// How an analysis lays its arrays out in the RAF file: the array numbers
// given by a name table, the serials that first bookings in array-number
// order give within each class, the directory records 101 to 103 (NUMRAF,
// KEYRAF, IARRNM) and the RAF number of every other record.
#ifndef RAF2SIF_WRITER_LAYOUT_H_
#define RAF2SIF_WRITER_LAYOUT_H_

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "writer/model.h"

namespace writer {

// The converter's name table, 60 slots (blank ones empty): slot i names
// array number i.
std::vector<std::string> converter_names();

// The directory as it is stored: NUMRAF (20 words), KEYRAF (10 words per
// array number) and IARRNM (2 per array number).
struct Directory {
  std::vector<int32_t> numraf, keyraf, iarrnm;
};

// One record: its RAF number, its values and the type keyword they are
// written with.
struct Record {
  int32_t key = 0;
  const Values* values = nullptr;
  std::string_view type;
};

struct Layout {
  Directory directory;
  std::vector<Record> records;             // the arrays' records, directory excluded
  std::map<std::string, int32_t> numbers;  // the array number of every array
  int32_t last_key = 0;                    // the highest RAF number used
};

// Lays out the arrays for per-step records of steps 1 .. nstep. An array
// takes the number of its slot in names; names the table lacks follow it in
// the order given, then NUMRAF, KEYRAF and IARRNM. Arrays of those three
// names are not written. False when an array has a type keyword other than
// "IN", "RE", "DP" or an unknown store-info keyword.
bool lay_out(const std::vector<const Array*>& arrays, int32_t nstep,
             const std::vector<std::string>& names, Layout& layout);

}  // namespace writer

#endif  // RAF2SIF_WRITER_LAYOUT_H_
