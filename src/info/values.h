// The values of one named array, recalled as the converter recalls it.
#ifndef RAF2SIF_INFO_VALUES_H_
#define RAF2SIF_INFO_VALUES_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

#include "info/facts.h"
#include "io/work_array.h"

namespace info {

// The first n elements of type T held in bytes (as many as it holds),
// appended to out as values of type V: the one decoding of a recalled
// array's storage for every reader outside the converter.
template <typename T, typename V>
void append_elements(std::span<const std::byte> bytes, int64_t n, std::vector<V>& out) {
  const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(std::max<int64_t>(n, 0)),
                                                  bytes.size() / sizeof(T));
  const std::size_t at = out.size();
  if constexpr (std::is_same_v<T, V>) {
    out.resize(at + count);
    if (count > 0) std::memcpy(out.data() + at, bytes.data(), count * sizeof(T));
  } else {
    out.reserve(at + count);
    for (std::size_t k = 0; k < count; ++k) {
      T v;
      std::memcpy(&v, bytes.data() + k * sizeof(T), sizeof(T));
      out.push_back(static_cast<V>(v));
    }
  }
}

// Recalls array name for step (ARREC1) from the RAF file on unit and fills v
// with its values: integers for "IN" and "I8", reals for "SP", "RE" and "DP".
// Returns the failure of a name the converter does not know, of a step
// without a record, or of the recall.
std::optional<Failure> read_values(io::WorkArray& ia, int32_t unit, std::string_view name,
                                   int32_t step, ArrayValues& v);

}  // namespace info

#endif  // RAF2SIF_INFO_VALUES_H_
