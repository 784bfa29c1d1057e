// RAFLIB's status rule and the catalogue numbers it raises, by name.
//
// Every RAFLIB routine sets its status word to 0 on entry. A failure writes
// its report on the message unit and leaves minus the message number; a
// caller tests `status < 0`, adds its trace line and returns. A positive
// status is a warning or a note and is no failure.
//
// The texts are in the catalogue table of diagnostics.cc.
#ifndef RAF2SIF_RAFLIB_MESSAGES_H_
#define RAF2SIF_RAFLIB_MESSAGES_H_

#include <cstdint>

namespace raflib {

constexpr int32_t kUndefined = -12345;  // "no value" for the diagnostics: "<UNKNOWN>"

constexpr int32_t kMsgNoFileOpen = 1012;       // no RAFLIB file open with this number
constexpr int32_t kMsgNotRaflib = 1020;        // file is not a RAFLIB file
constexpr int32_t kMsgNoFile = 1022;           // no open/initialize routine called for the file
constexpr int32_t kMsgReadLocked = 1023;       // file is read locked
constexpr int32_t kMsgTypeMismatch = 1025;     // array type mismatch
constexpr int32_t kMsgTooFew = 1026;           // fewer elements specified than stored
constexpr int32_t kMsgTooMany = 1027;          // more elements specified than allocated
constexpr int32_t kMsgTooOld = 1028;           // too old RAFLIB file
constexpr int32_t kMsgTooNew = 1029;           // too new RAFLIB file
constexpr int32_t kMsgNegativeAddress = 1030;  // corrupt MFP: negative file address
constexpr int32_t kMsgUnknownType = 1032;      // corrupt MFP: unknown data type
constexpr int32_t kMsgNegativeLength = 1033;   // corrupt MFP: negative number of elements
constexpr int32_t kMsgCannotOpen = 1034;       // the platform refused the open
constexpr int32_t kMsgCannotWrite = 1035;      // the platform refused a write
constexpr int32_t kMsgCannotRead = 1036;       // the platform refused a read
constexpr int32_t kMsgUnitInUse = 1037;        // unit already in use for another RAF file
constexpr int32_t kMsgTooManyFiles = 1038;     // every file slot taken
constexpr int32_t kMsgReinitialize = 1039;     // the unit's slot is already in use
constexpr int32_t kMsgOpenStatus = 1040;       // open status not NEW, OLD or UNKNOWN
constexpr int32_t kMsgFfileUnit = 1041;        // the first of FFILE's messages, 1041 to 1045
constexpr int32_t kMsgMaxArrays = 1046;        // maximum number of arrays 0 or less
constexpr int32_t kMsgAllocated = 1047;        // allocation of an allocated array
constexpr int32_t kMsgNotAllocated = 1048;     // read of a non-allocated array
constexpr int32_t kMsgMfpAdr = 1060;           // inconsistent key: MFPADR
constexpr int32_t kMsgMfpMax = 1061;           // inconsistent key: MFPMAX
constexpr int32_t kMsgMfpCur = 1062;           // inconsistent key: MFPCUR
constexpr int32_t kMsgMfpNxt = 1063;           // inconsistent key: MFPNXT
constexpr int32_t kMsgDecode = 1064;           // a key field holds no integer
constexpr int32_t kMsgOutsideMfp = 1069;       // array number outside 1 to MFPMAX
constexpr int32_t kMsgCannotReadType = 1070;   // files of that computer type cannot be read
constexpr int32_t kMsgCannotWriteType = 1071;  // files of that computer type cannot be written

// FFILE's own failures, as magnitudes of its status; RFIOER reports code c
// as catalogue message kMsgFfileUnit + (c - kFfileUnit).
constexpr int32_t kFfileUnit = 991, kFfileOperation = 992, kFfileAddress = 993, kFfileCount = 995;

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_MESSAGES_H_
