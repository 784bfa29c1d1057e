// Constants of an I or H section of three plates (top flange, web, bottom
// flange), and the shear factor of its web.
#ifndef RAF2SIF_SECTIONS_ISECTION_H_
#define RAF2SIF_SECTIONS_ISECTION_H_

#include <cstdint>
#include <span>

namespace sections {

// Fills sc(1..20) for the section G(1) H height, G(2) TY web thickness, G(3)
// BT and G(4) TT top flange width and thickness, G(5) BB and G(6) TB bottom
// flange width and thickness, G(7) SFY, G(8) SFZ, G(10) BFY, G(11) BFZ, G(12)
// H2, G(13) BT2, G(14) BB2 end-2 values (0: prismatic); g holds at least 15
// values. A section symmetric by width or by area may omit its bottom flange.
// Incorrect geometry: the ICROSS block on lpu, ierr = -1.
void ICROSS(std::span<const double> g, std::span<double, 20> sc, int32_t lpu, int32_t& ierr);

// Shear factor (at most 1) of a web of height hw and thickness tw, for
// Young's modulus e and yield stress fy.
double WEBFAC(double hw, double tw, double e, double fy);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_ISECTION_H_
