#include "info/values.h"

#include <string>

#include "arrays/keywords.h"
#include "arrays/recall.h"
#include "arrays/views.h"
#include "dms/names.h"
#include "info/failure.h"
#include "io/text.h"

namespace info {

namespace {

// The values of n elements of type code itype in bytes (as many as it holds).
void decode(std::span<const std::byte> bytes, int32_t itype, int64_t n, ArrayValues& v) {
  switch (itype) {
    case arrays::kTypeInteger:
      return append_elements<int32_t>(bytes, n, v.ints);
    case arrays::kTypeSingle:
      return append_elements<float>(bytes, n, v.reals);
    case arrays::kTypeReal:
      return append_elements<double>(bytes, n, v.reals);
    case arrays::kTypeInteger8:
      return append_elements<int64_t>(bytes, n, v.ints);
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
