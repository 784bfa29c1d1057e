// Constants of a general section (kind 6): given, not computed.
#ifndef RAF2SIF_SECTIONS_GENERAL_H_
#define RAF2SIF_SECTIONS_GENERAL_H_

#include <cstdint>
#include <span>

namespace sections {

// Clears sc(1..20) and takes the constants from CDT(k .. k+9), k the nearest
// integer of CDT(1): area, torsion constant, the two moments of inertia, an
// unused value, the torsional section modulus (into SC(9)), the two section
// moduli and the two shear areas. Positions outside cdt: the GENCRO refusal
// block on lpu, ierr = -1.
void GENCRO(std::span<double> cdt, std::span<double, 20> sc, int32_t lpu, int32_t& ierr);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_GENERAL_H_
