// Constants of a composite section (kind 14): the sum of its components.
#ifndef RAF2SIF_SECTIONS_COMPOSITE_H_
#define RAF2SIF_SECTIONS_COMPOSITE_H_

#include <cstdint>
#include <span>

namespace sections {

// Clears sc(1..20) and adds, item by item, the constants SC(1..20) of each of
// the NC = CDT(1) components, computed by GEO2CR. CDT(2 .. NC+2) point to the
// components: component j has its kind in CDT(Pj + 1) and its dimensions in
// CDT(Pj + 2 .. P(j+1) - 1). A composite component, a failing component, a
// pointer outside cdt or more than 99 dimensions: the Comp_StoGeo block on
// lpu, ierr = -1, the sums of the components before kept.
void Comp_StoGeo(std::span<double> cdt, std::span<double, 20> sc, int32_t lpu, int32_t& ierr);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_COMPOSITE_H_
