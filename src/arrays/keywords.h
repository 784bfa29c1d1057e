// The store-info and array-type keywords given with every booking, their
// codes in the directory, and the keywords given back for a stored code.
// One table each, shared by booking, registration and recall.
#ifndef RAF2SIF_ARRAYS_KEYWORDS_H_
#define RAF2SIF_ARRAYS_KEYWORDS_H_

#include <array>
#include <cstdint>
#include <string_view>

namespace arrays {

// A store-info keyword: its store code and the running counters of NUMRAF
// that the array's first booking advances (1 stored-once, 2 result, 3
// restart arrays). "SCRA" arrays get no pointer word in their entry.
struct StoreInfo {
  std::string_view keyword;
  int32_t code;
  bool once, post, rest;
  bool scratch;
};

inline constexpr std::array<StoreInfo, 13> kStoreInfos = {{
    {"SKIP", 0, false, false, false, false},
    {"SCRA", 0, false, false, false, true},
    {"STRU", 1, true, false, false, false},
    {"REST", 2, false, false, true, false},
    {"POST", 3, false, true, false, false},
    {"S+RS", 4, true, false, true, false},
    {"RS+S", 4, true, false, true, false},
    {"S+PO", 5, true, true, false, false},
    {"PO+S", 5, true, true, false, false},
    {"CTRL", 11, true, false, false, false},
    {"GLOB", 13, true, false, false, false},
    {"EXCL", 50, true, false, false, false},
    {"-AR-", 51, true, false, false, false},
}};

// The type codes of the directory.
constexpr int32_t kTypeInteger = 1;   // "IN"
constexpr int32_t kTypeSingle = 2;    // "SP"
constexpr int32_t kTypeReal = 3;      // "RE" or "DP": a real held in double precision
constexpr int32_t kTypeInteger8 = 4;  // "I8"

// An array-type keyword: its type code, its words per element in the work
// array, and whether it is a real stored on the file in single precision.
struct ArrayType {
  std::string_view keyword;
  int32_t code;
  int32_t words;
  bool single;
};

inline constexpr std::array<ArrayType, 5> kArrayTypes = {{
    {"IN", kTypeInteger, 1, false},
    {"SP", kTypeSingle, 1, false},
    {"RE", kTypeReal, 2, true},
    {"DP", kTypeReal, 2, false},
    {"I8", kTypeInteger8, 2, false},
}};

// The entry of the store info whose first four characters (blank-padded)
// are a keyword's; nullptr for any other.
const StoreInfo* store_info(std::string_view store);

// The entry of the type whose first two characters (blank-padded) are a
// keyword's; nullptr for any other.
const ArrayType* array_type(std::string_view type);

// The first entry of a store code; nullptr for a code of no keyword.
const StoreInfo* store_code_info(int32_t code);

// The keyword of a store code ("SKIP" for 0, "S+RS" for 4, "S+PO" for 5);
// "????" for a code of no keyword.
std::string_view store_keyword(int32_t code);

// The keyword of a type code: kTypeReal is "RE" when the single-precision flag is 1
// and "DP" otherwise; "??" for a code of no keyword.
std::string_view type_keyword(int32_t code, int32_t single_flag);

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_KEYWORDS_H_
