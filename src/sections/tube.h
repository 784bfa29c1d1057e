// Constants of a circular tube.
#ifndef RAF2SIF_SECTIONS_TUBE_H_
#define RAF2SIF_SECTIONS_TUBE_H_

#include <cstdint>
#include <span>

namespace sections {

// Fills sc(1..20) for the tube G(1) DI inner diameter, G(2) DY outer
// diameter, G(3) T wall thickness (any one of the three may be 0 and is then
// completed from the others), G(4) SFY and G(5) SFZ shear factors, G(6) outer
// diameter at end 2 (0: prismatic). g holds at least 15 values. Incorrect
// geometry: the incorrect-geometry block on lpu, ierr = -1, nothing stored.
void TUBCRO(std::span<const double> g, std::span<double, 20> sc, int32_t lpu, int32_t& ierr);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_TUBE_H_
