#include "sections/general.h"

#include "sections/dimensions.h"
#include "sections/vectors.h"

namespace sections {

namespace {

// The item SC(n) receiving CDT(k + i), for i = 0..9 (0: not used).
constexpr int kItemOf[10] = {1, 2, 3, 4, 0, 9, 5, 6, 7, 8};

}  // namespace

void GENCRO(std::span<double> cdt, std::span<double, 20> sc, int32_t lpu, int32_t& ierr) {
  RVFILL(sc, 20, 1, 0.0);
  const int64_t k = cdt.empty() ? 0 : nearest(cdt[0]);
  if (!holds(cdt, k, k + 9, "GENCRO", lpu, ierr)) return;
  for (int i = 0; i < 10; ++i) {
    if (kItemOf[i] != 0) sc[kItemOf[i] - 1] = cdt[k - 1 + i];
  }
}

}  // namespace sections
