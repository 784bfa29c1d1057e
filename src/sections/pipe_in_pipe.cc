#include "sections/pipe_in_pipe.h"

#include <array>

#include "sections/dimensions.h"
#include "sections/messages.h"
#include "sections/tube.h"
#include "sections/vectors.h"

namespace sections {

namespace {

// Tube dimensions (DI, DY, T) of a pipe of diameter d and wall t: no shear
// factors, not tapered.
std::array<double, kMaxDimensions> tube(double d, double t) {
  std::array<double, kMaxDimensions> g{};
  g[0] = d - 2.0 * t;
  g[1] = d;
  g[2] = t;
  return g;
}

}  // namespace

void PipnPip(std::span<double> cdt, std::span<double, 20> sc, int32_t lpu, int32_t& ierr) {
  if (!holds(cdt, 1, 15, "PipnPip", lpu, ierr)) return;
  std::array<double, 20> outer{};
  std::array<double, 20> inner{};
  int32_t outer_status = 0;
  int32_t inner_status = 0;
  TUBCRO(tube(cdt[1], cdt[2]), outer, lpu, outer_status);
  TUBCRO(tube(cdt[3], cdt[4]), inner, lpu, inner_status);
  if (outer_status != 0 || inner_status != 0) {
    write_incorrect_geometry(lpu, "PipnPip - ", cdt);
    ierr = -1;
    return;
  }
  RVADD(outer, inner, sc, 9, 1, 1);
}

}  // namespace sections
