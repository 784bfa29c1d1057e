#include "sections/composite.h"

#include <array>

#include "io/fields.h"
#include "sections/dimensions.h"
#include "sections/geo2cr.h"
#include "sections/messages.h"
#include "sections/vectors.h"

namespace sections {

void Comp_StoGeo(std::span<double> cdt, std::span<double, 20> sc, int32_t lpu, int32_t& ierr) {
  const auto fail = [&] {
    write_error_header(lpu, "Comp_StoGeo");
    ierr = -1;
  };
  RVFILL(sc, 20, 1, 0.0);
  if (!holds(cdt, 1, 1, "Comp_StoGeo", lpu, ierr)) return;
  const int64_t nc = nearest(cdt[0]);
  if (nc < 1) return;
  if (!holds(cdt, 2, nc + 2, "Comp_StoGeo", lpu, ierr)) return;

  for (int64_t j = 1; j <= nc; ++j) {
    const int64_t first = nearest(cdt[j]);  // P(j): the kind follows it
    const int64_t next = nearest(cdt[j + 1]);
    if (!holds(cdt, first + 1, next - 1, "Comp_StoGeo", lpu, ierr)) return;
    const int64_t count = next - first - 2;
    if (count > kMaxDimensions) {
      write_refusal(lpu, "Comp_StoGeo",
                    io::Line()
                        .a("   Component")
                        .i(j, 4)
                        .a(" has")
                        .i(count, 6)
                        .a(" dimensions, more than 99")
                        .view());
      ierr = -1;
      return;
    }
    const int32_t kind = saturated(nearest(cdt[first]));
    if (kind == kComposite) return fail();
    std::array<double, kMaxDimensions> dims{};
    std::array<double, kMaxDimensions> constants{};
    RVCOPY(cdt.subspan(static_cast<std::size_t>(first + 1)), dims, static_cast<int32_t>(count), 1,
           1);
    int32_t status = 0;
    GEO2CR(dims, constants, kind, lpu, status);
    if (status != 0) return fail();
    RVADD(sc, constants, sc, 20, 1, 1);
  }
}

}  // namespace sections
