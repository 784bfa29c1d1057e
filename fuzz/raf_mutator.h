// The fuzz targets' custom mutator. It reads the RAF file of an input (see
// input.h) as the inspector does, through RAFLIB and the array layer (its
// key, its MFP entries, the array directory and MSTRU), and mutates it at
// that level, patching the records in place in the file's byte order: an
// array's values (integers near the model's counts and the arrays' lengths,
// step flags and kinds; reals including NaN, infinities, huge, tiny and
// negative zero), the directory's words (NUMRAF counts, KEYRAF types, store
// codes, dimensions and serials, IARRNM names), MSTRU in either layout (a
// parameter's value, the layout flag, the identifier directory), an MFP
// entry's words, a key field, the header's answers and work space, or the
// file's length. About a fifth of the mutations, and every one of an input
// whose key cannot be read, are the fuzzer's own byte mutations of the RAF
// file; the header is kept.
#ifndef RAF2SIF_FUZZ_RAF_MUTATOR_H_
#define RAF2SIF_FUZZ_RAF_MUTATOR_H_

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Mutates the input data[0, size) in place, in room for max_size bytes, and
// returns its new size. Leaves every subsystem in the state of a fresh
// process.
std::size_t mutate(uint8_t* data, std::size_t size, std::size_t max_size, unsigned seed);

}  // namespace fuzz

#endif  // RAF2SIF_FUZZ_RAF_MUTATOR_H_
