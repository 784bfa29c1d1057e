// Error blocks of the SIF writers, and the one way every writer checks an
// index it takes from the model arrays before using it: a value out of range
// stops the writer with its block, a line naming the array, the item being
// written and the value, and a status decreased by 1, instead of a read
// outside the array.
//
// Status of the SIF writers: a writer that fails writes its block on its
// unit and decreases istat by 1 (WGBeamG and OPNSIF set it to -1); the
// records written before stay. A writer does not test istat on entry; its
// caller tests it after each call, != 0, and stops. Writers that cannot fail
// take no status word.
#ifndef RAF2SIF_SIF_CHECK_H_
#define RAF2SIF_SIF_CHECK_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace sif {

// The head of a routine's error block: empty lines, then the header line. A
// header without text writes nothing: the caller's own block follows the
// detail line.
struct ErrorHeader {
  int empty_lines;
  std::string_view text;
};

// Writes the header on lpu (nothing when lpu is below 1).
void write_header(int32_t lpu, const ErrorHeader& header);

// What a writer is handling when it meets a bad index.
enum class Item {
  kNode,
  kElement,
  kSection,
  kMaterial,
  kUnitVector,
  kEccentricity,
  kTransformation,
  kStep
};

// Checks of one writer: its header, its message unit and its status word.
class RangeCheck {
 public:
  RangeCheck(const ErrorHeader& header, int32_t lpu, int32_t& istat)
      : header_(header), lpu_(lpu), istat_(istat) {}

  // k indexes an array of `size` entries (1 .. size).
  bool index(std::string_view array, int64_t k, int64_t size, Item item, int64_t number);

  // Items 1 .. count all index an array of `size` entries (count <= 0 needs
  // nothing).
  bool count(std::string_view array, int64_t count, int64_t size, Item item) {
    return count <= size || index(array, count, size, item, count);
  }

  // Column j of an array of `per` entries per column holds at least its
  // first `used` entries within the array's `size` entries. More entries
  // than a column has (used > per) would be those of the next column.
  bool column(std::string_view array, int64_t j, int64_t per, int64_t used, int64_t size, Item item,
              int64_t number);

  // Element i's node list: first = MPMNPC(i) and n = MPMNPC(i+1) - first
  // nodes, a count of 0 or more whose positions all lie in `array` of `size`
  // entries (MNPC or an array parallel to it), with entry i + 1 in MPMNPC.
  bool node_list(std::string_view array, io::IntView mpmnpc, int32_t i, int64_t size,
                 int64_t& first, int64_t& n);

  // Columns 1 .. count of `per` entries each all lie in the array (count <= 0
  // needs nothing).
  bool columns(std::string_view array, int64_t count, int64_t per, int64_t size, Item item) {
    return count <= 0 || column(array, count, per, per, size, item, count);
  }

 private:
  bool fail(std::string_view what, std::string_view array, int64_t value, Item item,
            int64_t number);

  ErrorHeader header_;
  int32_t lpu_;
  int32_t& istat_;
};

// Column j of a real array of `per` values per column: value k is element
// (j - 1) * per + k. Checked by RangeCheck::column before use.
class Column {
 public:
  Column(io::RealView v, int64_t per, int64_t j) : v_(v), base_((j - 1) * per) {}
  double operator()(int64_t k) const { return v_(base_ + k); }

 private:
  io::RealView v_;
  int64_t base_;
};

}  // namespace sif

#endif  // RAF2SIF_SIF_CHECK_H_
