// Constants of an unsymmetric L section (bottom flange, web, and a top
// flange no wider than the web), and the torsion constant of a rectangle.
#ifndef RAF2SIF_SECTIONS_LSECTION_H_
#define RAF2SIF_SECTIONS_LSECTION_H_

#include <cstdint>
#include <span>

namespace sections {

// Fills sc(1..20) for the section CDT(1), CDT(2) bottom flange from its left
// tip to the web centre line and on to its right tip, CDT(3), CDT(4) the same
// for the top flange, CDT(5) H height, CDT(6) TB, CDT(7) TW, CDT(8) TT plate
// thicknesses, CDT(9) YC, CDT(10) ZC centroid from the bottom flange's left
// tip and bottom face; stores the principal angle also in CDT(13). A top
// flange wider than the web, a negative root or cdt shorter than 13 values:
// the CROUSI block on lpu, ierr = -1.
void CROUSI(std::span<double> cdt, std::span<double, 20> sc, int32_t lpu, int32_t& ierr);

// Torsion constant of a thin rectangle of sides a and b; 0 when either is
// negative.
double TORREC(double a, double b);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_LSECTION_H_
