// The line layout of every SIF record. A record is a name line (the name
// left-aligned in 8 columns, then up to four values of 16 columns) followed by
// continuation lines (8 blanks, then up to four values); the last line ends as
// soon as the values end. Every line is a record of the unit, ended by CR LF,
// so that stepping back over the last record steps back over one line; the
// lines of one SIF record are assembled in place in the unit's output block
// in one pass.
//
// A write failure is remembered by the unit (io::write_status); the writers do
// not test individual lines.
#ifndef RAF2SIF_SIF_RECORD_H_
#define RAF2SIF_SIF_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "io/sif_number.h"

namespace sif {

constexpr int kNameWidth = 8;
constexpr int kValuesPerLine = 4;

// Writes the record `name` holding `values` in the given style. A blank name
// gives continuation lines only (the pair lines of MISOPL, the node lines of
// a long element written in pieces).
void put_record(int32_t unit, std::string_view name, std::span<const double> values,
                io::SifStyle style);

inline void put_record(int32_t unit, std::string_view name, std::initializer_list<double> values,
                       io::SifStyle style) {
  put_record(unit, name, std::span<const double>(values.begin(), values.size()), style);
}

// The records of a long pass that differ from one record to the next in a
// few places only (the item's number and its results; the record's kind, the
// step and the fixed flags stay): the fields that stay are formatted once for
// the pass, and each record formats only its own values. The bytes are
// put_record's. Shared read-only by the two halves of a pass.
class RecordPattern {
 public:
  // At most this many places change from record to record.
  static constexpr std::size_t kMaxVarying = 32;

  // The pattern of the record `name` holding `values`, of which the places
  // in `varying` (indices into values) change.
  RecordPattern(std::string_view name, std::span<const double> values, std::span<const int> varying,
                io::SifStyle style);

  // Writes the record holding `values`, laid out as the pattern's: only the
  // values of the varying places are read.
  void put(int32_t unit, std::span<const double> values) const;

 private:
  std::vector<char> text_;            // the whole record, lines and line ends included
  std::vector<std::size_t> varying_;  // the places that change
  std::size_t last_ = 0;              // where the record's last line starts
  io::SifStyle style_;
};

// The count line of MISOPL: 8 blanks and the count right-aligned in 8 columns.
void put_count_line(int32_t unit, int64_t count);

}  // namespace sif

#endif  // RAF2SIF_SIF_RECORD_H_
