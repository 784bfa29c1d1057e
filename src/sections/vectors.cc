#include "sections/vectors.h"

#include <algorithm>
#include <cstddef>

namespace sections {

namespace {

// M*N, limited to 0 .. limit.
std::size_t count(int32_t m, int32_t n, std::size_t limit) {
  const int64_t mn = int64_t{m} * n;
  if (mn <= 0) return 0;
  return std::min(static_cast<std::size_t>(mn), limit);
}

}  // namespace

void RVFILL(std::span<double> a, int32_t m, int32_t n, double val) {
  std::fill_n(a.begin(), count(m, n, a.size()), val);
}

void RVCOPY(std::span<const double> a, std::span<double> b, int32_t m, int32_t n, int32_t isign) {
  const std::size_t k = count(m, n, std::min(a.size(), b.size()));
  for (std::size_t i = 0; i < k; ++i) b[i] = isign >= 0 ? a[i] : -a[i];
}

void RVADD(std::span<const double> a, std::span<const double> b, std::span<double> c, int32_t m,
           int32_t n, int32_t isign) {
  const std::size_t k = count(m, n, std::min({a.size(), b.size(), c.size()}));
  for (std::size_t i = 0; i < k; ++i) c[i] = isign >= 0 ? a[i] + b[i] : a[i] - b[i];
}

}  // namespace sections
