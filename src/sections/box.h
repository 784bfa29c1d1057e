// Constants of a rectangular box section.
#ifndef RAF2SIF_SECTIONS_BOX_H_
#define RAF2SIF_SECTIONS_BOX_H_

#include <cstdint>
#include <span>

namespace sections {

// Fills sc(1..20) for the box G(1) H height, G(2) TW side wall thickness,
// G(3) TT and G(4) TB flange thicknesses, G(5) B width, G(6) SFY, G(7) SFZ,
// G(10) H2 and G(11) B2 end-2 values (0: prismatic); g holds at least 15
// values. Incorrect geometry: the incorrect-geometry block on lpu, ierr = -1.
void BOXCRO(std::span<const double> g, std::span<double, 20> sc, int32_t lpu, int32_t& ierr);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_BOX_H_
