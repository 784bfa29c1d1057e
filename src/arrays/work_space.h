// The work space a conversion needs: how many words of work array the
// converter books, at its highest point, for a given RAF file.
#ifndef RAF2SIF_ARRAYS_WORK_SPACE_H_
#define RAF2SIF_ARRAYS_WORK_SPACE_H_

#include <cstdint>
#include <string_view>

namespace arrays {

// The least number of words of work array in which the converter converts
// the RAF file fname over its widest step range (a narrower range needs no
// more): the DMS book-keeping and the directory, the prefix, the recalled
// structure, control and global data, the step table of the range and one
// step's results, placed as the DMS places them. The file is only read, on
// a unit of its own, and closed again. A file that cannot be opened, or
// whose directory or MSTRU cannot be read, sets istat to -1 and gives 0;
// called with istat not 0, it does nothing.
int64_t work_words(std::string_view fname, int32_t& istat);

// The work space in millions of words, as the converter's command line
// takes it, that holds words.
constexpr int64_t work_millions(int64_t words) {
  return (words + 999999) / 1000000;
}

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_WORK_SPACE_H_
