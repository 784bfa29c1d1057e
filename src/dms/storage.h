// Defining arrays, reserving their storage in the work array and releasing
// it again.
//
// A pointer is an array's position in units of its element size: storage of
// e words per element starting at word a has pointer (a-1)/e+1. Storage is
// reserved upwards from the next free word; a release moves every array above
// the released one down, so that every pointer obtained before a release may
// be stale after it.
//
// Operations with a status word decrease it by 1 on error; the others report
// failure only through the error counter (DMSSTA; dms/messages.h).
#ifndef RAF2SIF_DMS_STORAGE_H_
#define RAF2SIF_DMS_STORAGE_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace dms {

// Defines or redefines the named array with ndim elements of nwpe words:
// no = 0 takes the next implicit number (implicit numbering), no in 11..n
// that number (explicit numbering, or a redefinition of a defined number).
// Errors kNameNoImplicit to kNameIllegalNumber, DMSDFI's, and
// kNameFollowUp after a failed conversion or redefinition.
void DMSDFN(io::WorkArray& iwa, std::string_view name, int32_t no, int32_t ndim, int32_t nwpe,
            int32_t label);

// Defines or redefines array number no: errors kIllegalNumber, kIllegalSize,
// kNegativeDimension, kStoredRedefined (storage already reserved).
void DMSDFI(io::WorkArray& iwa, int32_t no, int32_t ndim, int32_t nwpe, int32_t label,
            int32_t& ierr);

// The pointer of the named array, reserving its storage when it has none; 0
// on error (kNameNoPointer for a name without a defined array,
// kNameInconsistent for inconsistent storage, DMSALI's codes followed by
// kNameFollowUp).
int32_t DMSPTN(io::WorkArray& iwa, std::string_view name, int32_t label);

// Reserves storage for array no at the next free word, aligned to its element
// size (an array of no elements takes one word), and sets iptr to its pointer.
// Storage it has already is kept (warning kStorageKept). Errors
// kIllegalNumber, kMcmCorrupt, kUndefinedNumber, and kNoRoom when the work
// array is too small (nothing is then recorded).
void DMSALI(io::WorkArray& iwa, int32_t no, int32_t& iptr, int32_t label, int32_t& ierr);

// Releases the storage of the named array; error kNameReleaseUnknown when the
// name does not exist, kNameFollowUp after DMSRLI's errors.
void DMSRLN(io::WorkArray& iwa, std::string_view name, int32_t label);

// Releases the storage of array no; it stays defined with its dimension and
// element size. Errors as DMSSHR's.
void DMSRLI(io::WorkArray& iwa, int32_t no, int32_t label, int32_t& ierr);

// Shrinks array no to ndim elements and moves the arrays above it down, each
// aligned to its element size; with the storage-not-zeroed flag 0 the words
// given back are set to 0. The high-water mark stays. Errors kIllegalNumber,
// kNegativeDimension, kGrowingShrink (ndim above the dimension) and
// kMcmCorrupt.
void DMSSHR(io::WorkArray& iwa, int32_t no, int32_t ndim, int32_t label, int32_t& ierr);

}  // namespace dms

#endif  // RAF2SIF_DMS_STORAGE_H_
