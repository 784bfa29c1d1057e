// The layer's directory in the work array: NUMRAF, the counters and
// constants; KEYRAF, one entry of E words per array number; IARRNM, the two
// character numbers of each array's name. The layer reads them only through
// views sized by their DMS dimensions, and an entry only when it lies whole
// in KEYRAF's view.
#ifndef RAF2SIF_ARRAYS_DIRECTORY_H_
#define RAF2SIF_ARRAYS_DIRECTORY_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace arrays {

inline constexpr std::string_view kNumraf = "NUMRAF";
inline constexpr std::string_view kKeyraf = "KEYRAF";
inline constexpr std::string_view kIarrnm = "IARRNM";

// NUMRAF's words.
constexpr int32_t kNumrafWords = 20;
constexpr int64_t kOnceCounter = 1;  // serial of the last stored-once array booked
constexpr int64_t kPostCounter = 2;  // of the last result array
constexpr int64_t kRestCounter = 3;  // of the last restart array
constexpr int64_t kFileOnce = 4;     // N4: stored-once arrays on the RAF file
constexpr int64_t kFilePost = 5;     // N5: result arrays per step on the file
constexpr int64_t kFileRest = 6;     // N6: restart arrays per step on the file
constexpr int64_t kEntryLength = 7;  // E
constexpr int64_t kNumbers = 8;      // array numbers the directory covers
constexpr int64_t kNameLength = 9;   // NCHAR
constexpr int64_t kRafBase = 10;     // K0: RAF numbers 1 .. K0 hold no arrays
constexpr int64_t kDivisor = 11;     // divisor of entry word 10

constexpr int32_t kEntryWords = 10;  // E as the layer sets it
constexpr int32_t kBase = 100;       // K0 as the layer sets it
// RAF numbers of the stored directory: its three arrays are the first
// stored-once arrays.
constexpr int32_t kStoredNumraf = kBase + 1, kStoredKeyraf = kBase + 2, kStoredIarrnm = kBase + 3;
constexpr int32_t kDirectoryCode = 51;
// Words per element of a name known but never booked (defined with 0
// elements).
constexpr int32_t kPlaceholderWords = 10;

// Words of a KEYRAF entry.
constexpr int kTypeCode = 1;
constexpr int kElementWords = 2;
constexpr int kDimension = 3;
constexpr int kStoreCode = 4;
constexpr int kOnceSerial = 5;
constexpr int kPostSerial = 6;
constexpr int kRestSerial = 7;
constexpr int kSingleFlag = 8;
constexpr int kPointerWord = 10;

// Entry n of KEYRAF for entries of e words: words (n-1)*e+1 .. n*e.
class Entry {
 public:
  Entry(io::IntView keyraf, int64_t e, int64_t n)
      : keyraf_(keyraf),
        base_((n - 1) * e),
        valid_(e >= kEntryWords && n >= 1 && e <= keyraf.size() && n <= keyraf.size() / e) {}

  // True when e is at least 10 and the whole entry lies in KEYRAF's view;
  // nothing below may be used otherwise.
  bool valid() const { return valid_; }
  int32_t operator()(int w) const { return keyraf_(base_ + w); }
  void set(int w, int32_t v) { keyraf_.set(base_ + w, v); }

 private:
  io::IntView keyraf_;
  int64_t base_;
  bool valid_;
};

// NUMRAF's view at its pointer; empty unless it holds its 20 words.
io::IntView numraf_view(io::WorkArray& ia, int32_t ipoint);

// NUMRAF and KEYRAF at their pointers as the DMS gives them (DMSPTN, which
// reports an array it does not hold); false when either view is empty.
bool directory_views(io::WorkArray& ia, io::IntView& numraf, io::IntView& keyraf);

// Stores the character numbers of name in IARRNM at array number n; false,
// storing nothing, when IARRNM has no place for n.
bool store_name(io::WorkArray& ia, io::IntView iarrnm, int64_t n, std::string_view name);

// Raises a running counter of NUMRAF by one; the largest integer stays.
void advance(io::IntView numraf, int64_t counter);

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_DIRECTORY_H_
