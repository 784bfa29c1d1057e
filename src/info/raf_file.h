// The key and the MFP of the RAF file open on a unit, as RAFLIB's inspection
// gives them, with the entries no file written by RAFLIB can hold.
#ifndef RAF2SIF_INFO_RAF_FILE_H_
#define RAF2SIF_INFO_RAF_FILE_H_

#include <cstdint>
#include <optional>
#include <vector>

#include "info/facts.h"

namespace info {

// The key of the file RAFLIB opened on unit, validated or not; nullopt when
// RAFLIB holds no file there or the file is shorter than its key.
std::optional<Key> read_key(int32_t unit);

// Appends every allocated entry of the MFP of the file in use on unit, array
// numbers 1 to MFPCUR, to entries. Returns the failure of a block that
// cannot be read (the listing stops there) or else of the first entry that
// cannot be right: a negative address or length, an unknown data type, more
// elements stored than allocated, or records outside the data area of key.
std::optional<Failure> read_mfp(int32_t unit, const Key& key, std::vector<MfpEntry>& entries);

}  // namespace info

#endif  // RAF2SIF_INFO_RAF_FILE_H_
