// The records of a SIF file read back: each record's name and values, its
// name line and continuation lines together.
#ifndef RAF2SIF_PYTHON_READER_SIF_RECORDS_H_
#define RAF2SIF_PYTHON_READER_SIF_RECORDS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reader {

// Record r is names[r] (blanks cut) with values[offsets[r] .. offsets[r+1]-1].
struct SifRecords {
  std::vector<std::string> names;
  std::vector<int64_t> offsets{0};
  std::vector<double> values;
};

// The value of one field of a SIF line: a number in either numeric style
// (an exponent beyond two digits without its E) or an integer, blanks
// around it; nullopt for anything else.
std::optional<double> sif_number(std::string_view field);

// True when line (without its line end) has the form of a SIF line: a
// record name or eight blanks, then fields of 16 columns (the last one may
// be shorter) that each hold a number.
bool is_sif_line(std::string_view line);

// Reads the SIF file path into out. Returns an empty text, or what is wrong
// with the first line that is not a SIF line, or why the file cannot be read.
std::string read_sif(const std::string& path, SifRecords& out);

}  // namespace reader

#endif  // RAF2SIF_PYTHON_READER_SIF_RECORDS_H_
