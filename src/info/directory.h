// The named arrays of the array directory that the analysis stored in
// records 101 to 103 (NUMRAF, KEYRAF, IARRNM).
#ifndef RAF2SIF_INFO_DIRECTORY_H_
#define RAF2SIF_INFO_DIRECTORY_H_

#include <cstdint>
#include <optional>
#include <vector>

#include "info/facts.h"
#include "io/work_array.h"

namespace info {

// True when the MFP holds records 101 to 103.
bool has_directory(const std::vector<MfpEntry>& mfp);

// Fills d with every array the stored directory names and books, in the
// order of its array numbers, once INIDMS has merged the directory into ia:
// the converter's names through the array layer (ARKEYS), names it does not
// know from the stored entries (ARRKEY). Returns the failure of a record that
// cannot be read, of an entry that cannot be right (a name of no characters,
// a type or store code of no keyword, no RAF number), or of a record stored
// once that the MFP does not hold.
std::optional<Failure> read_directory(io::WorkArray& ia, int32_t unit,
                                      const std::vector<MfpEntry>& mfp, Directory& d);

}  // namespace info

#endif  // RAF2SIF_INFO_DIRECTORY_H_
