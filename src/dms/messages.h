// The DMS's two message tables. Every error and warning of the DMS is printed
// here, on the DMS message unit; a unit of 0 or less prints nothing.
//
// Status rule: the DMS counts its errors in the MCM. Every error lowers the
// error counter W(3) by one (DMSSTA reads it; it never rises again before a
// new open), and an operation with a status word ierr lowers that by one as
// well. A caller tests DMSSTA(iwa) < 0, or ierr < 0; warnings count nothing.
//
// Layout: a header is preceded by three empty records and starts with one
// blank; every body line and the label line start with five blanks.
#ifndef RAF2SIF_DMS_MESSAGES_H_
#define RAF2SIF_DMS_MESSAGES_H_

#include <cstdint>
#include <string_view>

namespace dms {

// DMSMSN codes: errors met while handling array names, and a follow-up line.
constexpr int32_t kNameTooLong = 11;          // more than 8 characters
constexpr int32_t kNameIllegalChar = 12;      // a blank or non-printable character
constexpr int32_t kNameIllegalCode = 13;      // a stored character number decodes to none
constexpr int32_t kNamesOutOfOrder = 14;      // DMSANN after storage, or a second time
constexpr int32_t kNameTableNoRoom = 15;      // the name table does not fit
constexpr int32_t kNameNoImplicit = 16;       // number 0 without implicit numbering
constexpr int32_t kNameExists = 17;           // the name belongs to another number
constexpr int32_t kNameNumbersUsed = 18;      // implicit numbering exhausted
constexpr int32_t kNameNoExplicit = 19;       // a number given under implicit numbering
constexpr int32_t kNameCorrupt = 20;          // a negative element size
constexpr int32_t kNameIllegalNumber = 21;    // a number outside 11..n
constexpr int32_t kNameReleaseUnknown = 22;   // release of a name that does not exist
constexpr int32_t kNameOfIllegalNumber = 23;  // the name of a number outside 11..n
constexpr int32_t kNameNoPointer = 24;        // pointer of a name with no defined array
constexpr int32_t kNameInconsistent = 25;     // stored address not aligned
constexpr int32_t kNameRetrieveUnknown = 28;  // element of an unknown array (not raised)
constexpr int32_t kFirstFollowUp = 50;        // codes from here on are follow-up lines
constexpr int32_t kNameFollowUp = 51;         // "Occured for array", after another error

// DMSMSI codes: warnings (up to kLastWarning) and errors met while handling
// array numbers and storage.
constexpr int32_t kLastWarning = 10;
constexpr int32_t kStorageKept = 1;         // warning: storage requested again
constexpr int32_t kIllegalNumber = 11;      // a number outside 11..n
constexpr int32_t kIllegalSize = 12;        // words per element outside 1..10
constexpr int32_t kMcmCorrupt = 13;         // negative or inconsistent MCM entries
constexpr int32_t kNoRoom = 14;             // reservation beyond the work array
constexpr int32_t kUndefinedNumber = 24;    // reservation for an undefined number
constexpr int32_t kNegativeDimension = 26;  // a negative dimension
constexpr int32_t kGrowingShrink = 27;      // shrink to more elements than there are
constexpr int32_t kStoredRedefined = 30;    // redefinition of an array with storage

// Errors met while handling array names (codes 11 to 29) and the follow-up
// line kNameFollowUp, printed with the name as passed. Codes below
// kFirstFollowUp decrease the error counter nerr by 1, also when unit < 1. value2
// is carried along but never printed. Every code but kNamesOutOfOrder,
// kNameRetrieveUnknown and kNameFollowUp ends with the label line, whatever
// the label.
void DMSMSN(int32_t code, std::string_view name, int32_t value, int32_t value2, int32_t label,
            int32_t unit, int32_t& nerr);

// Warnings (codes up to kLastWarning) and errors met while handling
// array numbers and storage, with up to three integer values. Counts nothing:
// the operation that raises an error counts it. The label line follows when
// label is not 0.
void DMSMSI(int32_t code, int32_t v1, int32_t v2, int32_t v3, int32_t label, int32_t unit);

// Lowers an error counter or status word by one; the lowest integer stays as
// it is, so a counter that a corrupt book-keeping holds cannot overflow.
inline void decrease(int32_t& counter) {
  if (counter > INT32_MIN) --counter;
}

}  // namespace dms

#endif  // RAF2SIF_DMS_MESSAGES_H_
