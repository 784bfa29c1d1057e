// Questions about the DMS and its arrays.
#ifndef RAF2SIF_DMS_QUERIES_H_
#define RAF2SIF_DMS_QUERIES_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace dms {

// DMSINF's items.
constexpr int32_t kInfDimension = 1;
constexpr int32_t kInfElementWords = 2;  // 0 = the number is not defined
constexpr int32_t kInfAddress = 3;       // first word of the storage; 0 = none
constexpr int32_t kInfSecondary1 = 4;    // entries of the secondary-storage tables
constexpr int32_t kInfSecondary2 = 5;
constexpr int32_t kInfNoName = -1;  // the result for a name not in the name table

// DMSGEN's items.
constexpr int32_t kGenHighestNumber = 1;  // n
constexpr int32_t kGenUnit = 2;           // message unit
constexpr int32_t kGenNotZeroed = 3;      // storage-not-zeroed flag
constexpr int32_t kGenNextFree = 4;       // next free word
constexpr int32_t kGenNwiwa = 5;          // size of the work array
constexpr int32_t kGenHighWater = 6;      // highest word ever reserved
constexpr int32_t kGenNextImplicit = 7;   // the name table's NT(1) to NT(3)
constexpr int32_t kGenCaseSwitch = 8;
constexpr int32_t kGenHighestNamed = 9;

// DMSMOD's numbering modes; kModeSecondary is added when the
// secondary-storage tables exist.
constexpr int32_t kModeImplicit = 1;
constexpr int32_t kModeExplicit = 2;
constexpr int32_t kModeNoNames = 3;
constexpr int32_t kModeSecondary = 10;

// One item (kInf...) of the named array; any other item 0. kInfNoName when
// the name is illegal, empty or not in the name table. Silent: prints and counts
// nothing.
int32_t DMSINF(io::WorkArray& iwa, std::string_view name, int32_t item);

// One general item (kGen...; the name table's are 0 without names); any
// other item, or an MCM that cannot be read, 0.
int32_t DMSGEN(const io::WorkArray& iwa, int32_t item);

// The numbering mode (kMode...). A corrupt MCM or name table is error
// kMcmCorrupt (label 0) and gives kModeSecondary or 0 alone.
int32_t DMSMOD(io::WorkArray& iwa);

// The error counter: 0 when the DMS has met no error, negative otherwise
// (-1 for a block too small to hold it); see the status rule in
// dms/messages.h.
int32_t DMSSTA(const io::WorkArray& iwa);

}  // namespace dms

#endif  // RAF2SIF_DMS_QUERIES_H_
