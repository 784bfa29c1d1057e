#include "dms/vectors.h"

#include <algorithm>

namespace dms {

void IVFILL(io::IntView ia, int32_t m, int32_t n, int32_t ival) {
  const int64_t count = std::min(int64_t{m} * n, ia.size());
  for (int64_t k = 1; k <= count; ++k) ia.set(k, ival);
}

void IVCOPY(io::IntView ia, io::IntView ib, int32_t n) {
  const int64_t count = std::min({int64_t{n}, ia.size(), ib.size()});
  for (int64_t k = 1; k <= count; ++k) ib.set(k, ia(k));
}

}  // namespace dms
