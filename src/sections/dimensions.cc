#include "sections/dimensions.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "io/fields.h"
#include "sections/messages.h"

namespace sections {

int64_t nearest(double v) {
  if (std::isnan(v)) return 0;
  return std::llround(std::clamp(v, -1e15, 1e15));
}

int32_t saturated(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

bool holds(std::span<const double> cdt, int64_t first, int64_t last, std::string_view name,
           int32_t lpu, int32_t& ierr) {
  const auto size = static_cast<int64_t>(cdt.size());
  if (first >= 1 && first <= last && last <= size) return true;
  write_refusal(lpu, name,
                io::Line()
                    .a("   Dimension positions")
                    .i(first, 6)
                    .a(" to")
                    .i(last, 6)
                    .a(" not within the")
                    .i(size, 6)
                    .a(" values given")
                    .view());
  ierr = -1;
  return false;
}

}  // namespace sections
