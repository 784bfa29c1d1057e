// Constants of a solid bar (kind 13), round or rectangular.
#ifndef RAF2SIF_SECTIONS_SOLID_BAR_H_
#define RAF2SIF_SECTIONS_SOLID_BAR_H_

#include <cstdint>
#include <span>

namespace sections {

// Fills sc items 1 to 8 and 14 for the bar of sub-kind CDT(1): 1 round of
// diameter CDT(2), 2 rectangular of sides CDT(2) and CDT(3); any other
// sub-kind gives zeros. Positions outside cdt: the BARCRO refusal block on
// lpu, ierr = -1.
void BARCRO(std::span<double> cdt, std::span<double, 20> sc, int32_t lpu, int32_t& ierr);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_SOLID_BAR_H_
