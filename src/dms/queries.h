// Questions about the DMS and its arrays.
#ifndef RAF2SIF_DMS_QUERIES_H_
#define RAF2SIF_DMS_QUERIES_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace dms {

// One item of the named array: 1 dimension, 2 words per element (0 = not
// defined), 3 first word of its storage (0 = none), 4 and 5 its entries of
// the secondary-storage tables (0 without them), any other item 0. -1 when
// the name is illegal, empty or not in the name table. Silent: prints and
// counts nothing.
int32_t DMSINF(io::WorkArray& iwa, std::string_view name, int32_t item);

// One general item: 1 highest array number n, 2 message unit, 3
// storage-not-zeroed flag, 4 next free word, 5 NWIWA, 6 high-water mark,
// 7 to 9 the name table's NT(1) to NT(3) (0 without names); any other item,
// or an MCM that cannot be read, 0.
int32_t DMSGEN(const io::WorkArray& iwa, int32_t item);

// The numbering mode: 1 implicit, 2 explicit, 3 names not announced; 10 more
// when the secondary-storage tables exist. A corrupt MCM or name table is
// error 13 (label 0) and gives the 10 or 0 alone.
int32_t DMSMOD(io::WorkArray& iwa);

// The error counter: 0 when the DMS has met no error, negative otherwise
// (-1 for a block too small to hold it).
int32_t DMSSTA(const io::WorkArray& iwa);

}  // namespace dms

#endif  // RAF2SIF_DMS_QUERIES_H_
