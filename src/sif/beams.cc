#include "sif/beams.h"

#include <algorithm>
#include <array>

#include "io/units.h"
#include "sections/geo2cr.h"
#include "sif/check.h"
#include "sif/record.h"

namespace sif {

namespace {

constexpr ErrorHeader kBeamError{1, "  *** ERROR IN WGBeamG  ***"};

// The section routines read the dimensions G(1) .. G(20) of a section.
constexpr int64_t kDimensions = 20;
constexpr std::size_t kConstants = 60;

struct HalfDimensions {
  double hz;
  double hy;
};

// The half-dimensions that turn the moments of inertia into section moduli:
// the outer radius of a tube, half the height and half the bottom flange or
// box width otherwise, each as the section routines used them. A tube stored
// without its outer diameter has it derived from the inner one and the wall;
// an I section stored without a bottom flange counts as symmetric and takes
// the top flange in its place.
HalfDimensions half_dimensions(int32_t type, const std::array<double, kDimensions>& g) {
  if (type == sections::kTube) {
    const double outer = g[1] != 0.0 ? g[1] : g[0] + 2.0 * g[2];
    return {outer * 0.5, outer * 0.5};
  }
  if (type == sections::kISection && g[4] <= 0.0) return {g[0] * 0.5, g[2] * 0.5};
  return {g[0] * 0.5, g[4] * 0.5};
}

}  // namespace

void WGBeamG(io::IntView mexgeo, io::RealView tcrgeo, int32_t nge, int32_t mxgepr,
             io::IntView mgetyp, int32_t unit, int32_t& istat) {
  RangeCheck check(kBeamError, unit, istat);
  if (!check.count("MGETYP", nge, mgetyp.size(), Item::kSection) ||
      !check.count("MEXGEO", nge, mexgeo.size(), Item::kSection)) {
    return;
  }
  const int64_t stored = std::min<int64_t>(mxgepr, kDimensions);
  for (int32_t j = 1; j <= nge; ++j) {
    const int32_t type = mgetyp(j);
    if (type < sections::kTube || type > sections::kBox) continue;
    if (!check.column("TCRGEO", j, mxgepr, stored, tcrgeo.size(), Item::kSection, j)) return;

    // The section's own dimensions, never those of the next column.
    std::array<double, kDimensions> g{};
    const Column column(tcrgeo, mxgepr, j);
    for (int64_t k = 1; k <= stored; ++k) g[k - 1] = column(k);
    std::array<double, kConstants> sc{};
    int32_t local = 0;
    sections::GEO2CR(g, sc, type, unit, local);
    if (local != 0) {
      write_header(unit, kBeamError);
      istat = -1;
      return;
    }

    const HalfDimensions h = half_dimensions(type, g);
    put_record(unit, "GBEAMG",
               {static_cast<double>(mexgeo(j)), 0.0, sc[0], sc[1],  //
                sc[2], sc[3], 0.0, sc[8],                           //
                sc[2] / h.hz, sc[3] / h.hy, sc[6], sc[7],           //
                0.0, 0.0, 0.0, 0.0},
               io::SifStyle::kScaled);
  }
}

}  // namespace sif
