// Copies of RAF files in the forms this library reads but refuses to write,
// for tests, benchmarks and sample data. The source is a RAF file in this
// computer's byte order; the copy replaces the file `to`. Nothing is printed.
//
// Status: 0, or minus the message number that describes the failure: 1034
// (a file cannot be opened or created), 1035 (the copy cannot be written),
// 1036 (the source is shorter than its key or MFP area), 1020 (the source is
// not a RAF file), 1064 (a key field is no integer), 1060 or 1061 (MFPADR or
// MFPMAX illegal), 1070 (the source is not in this computer's byte order).
#ifndef RAF2SIF_RAFLIB_COPIES_H_
#define RAF2SIF_RAFLIB_COPIES_H_

#include <cstdint>
#include <string_view>

namespace raflib {

// The file as a computer of the other byte order, type 8 or 12, would have
// written it: the key's computer type number and name say so, every MFP
// entry is byte-reversed as 4-byte integers, and every allocated array is
// byte-reversed element by element by the unit size of its type (over its
// allocated length, as far as the file holds it). -1071 for a computer type
// that is not of the other byte order.
int32_t write_foreign_order_copy(std::string_view from, std::string_view to, int32_t computer_type);

// The file in format version 0, which opening upgrades back: the key says
// version 0, revision 0, with a blank record length, and with K = MFPMAX div
// 64 the entry 64 of each block k = 1 .. K-1 moves to entry 64 of block
// k + 1, where version 0 kept it. Entry 64 of block 1, which the upgrade
// overwrites, becomes zeros. Entry 64 of block K is replaced by that of block
// K-1 (the upgrade leaves block K alone, so in every upgraded file array 64K
// has the entry of array 64(K-1)): a source whose array 64K has an entry of
// its own is refused with -1, since its copy could not give it back. A
// source of version 0 gives -1028. With MFPMAX below 128 only the key changes.
int32_t write_version0_copy(std::string_view from, std::string_view to);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_COPIES_H_
