#include "info/values.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "arrays/recall.h"
#include "arrays/views.h"
#include "dms/names.h"
#include "info/failure.h"
#include "io/text.h"

namespace info {

namespace {

// Element k (from 0) of bytes, as a value of type T.
template <typename T>
T element(std::span<const std::byte> bytes, std::size_t k) {
  T v;
  std::memcpy(&v, bytes.data() + k * sizeof(T), sizeof(T));
  return v;
}

// The values of n elements of type code itype in bytes (as many as it holds).
void decode(std::span<const std::byte> bytes, int32_t itype, int64_t n, ArrayValues& v) {
  const auto count = [&](std::size_t size) {
    return std::min<std::size_t>(static_cast<std::size_t>(std::max<int64_t>(n, 0)),
                                 bytes.size() / size);
  };
  switch (itype) {
    case 1:
      for (std::size_t k = 0; k < count(4); ++k) v.ints.push_back(element<int32_t>(bytes, k));
      break;
    case 2:
      for (std::size_t k = 0; k < count(4); ++k) v.reals.push_back(element<float>(bytes, k));
      break;
    case 3:
      for (std::size_t k = 0; k < count(8); ++k) v.reals.push_back(element<double>(bytes, k));
      break;
    case 4:
      for (std::size_t k = 0; k < count(8); ++k) v.ints.push_back(element<int64_t>(bytes, k));
      break;
  }
}

}  // namespace

std::optional<Failure> read_values(io::WorkArray& ia, int32_t unit, std::string_view name,
                                   int32_t step, ArrayValues& v) {
  const std::string what = "array " + std::string(name) + " for step " + std::to_string(step);
  v.name = name;
  v.step = step;
  if (dms::DMSNUM(ia, name, 0) < 1) return Failure{what, 0, "not a name the converter knows"};
  arrays::Keys k;
  int32_t istat = 0;
  arrays::keys_of(ia, name, step, k, kQuiet, istat);
  v.type = std::string(io::trimmed(k.type));
  v.store = std::string(k.store.view());
  v.key = k.key;
  if (istat == 0 && k.key == 0) return Failure{what, 0, "no record on the file"};
  int32_t ipoint = 0;
  arrays::ARREC1(ia, name, ipoint, step, unit, kQuiet, istat);
  if (istat != 0) return raflib_failure(what, kRefused);
  decode(arrays::storage_bytes(ia, name, ipoint), k.itype, k.ndim, v);
  return std::nullopt;
}

}  // namespace info
