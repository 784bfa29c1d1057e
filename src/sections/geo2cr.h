// Section constants of one beam cross-section from its dimensions: the
// dispatcher over the section kinds.
//
// SC holds 60 values in three blocks of 20: SC(1..20) for the section as a
// whole, SC(21..40) and SC(41..60) for the end sections of a tapered member
// (filled only on request). Within a block: 1 area, 2 torsion constant, 3 and
// 4 moments of inertia about y and z, 5 and 6 section moduli, 7 and 8 shear
// areas, 9 to 19 kind-specific, 20 taper flag (1.0 when the dimensions were
// averaged with end-2 dimensions). Items a kind does not set keep their
// values.
#ifndef RAF2SIF_SECTIONS_GEO2CR_H_
#define RAF2SIF_SECTIONS_GEO2CR_H_

#include <cstdint>
#include <span>

namespace sections {

// Section kinds. Any other code (4 is "none") computes nothing and is no
// error.
inline constexpr int32_t kTube = 1;
inline constexpr int32_t kISection = 2;
inline constexpr int32_t kBox = 3;
inline constexpr int32_t kLSection = 5;
inline constexpr int32_t kGeneral = 6;
inline constexpr int32_t kPolygon = 9;
inline constexpr int32_t kSolidBar = 13;
inline constexpr int32_t kComposite = 14;
inline constexpr int32_t kPipeInPipe = 21;

// Computes the constants sc (at least 60 values) of the section of kind
// `kind` with dimensions cdt. The tube, I and box kinds work on a copy of
// CDT(1..20) (positions missing from cdt read as 0) and, when the nearest
// integer of CDT(20) is -123 and end-2 dimensions are given, also fill the
// end blocks; the other kinds work on cdt itself and fill SC(1..20). When the
// kind routine fails: its blocks, then the GEO2CR block on lpu, and ierr
// decreased by 1.
void GEO2CR(std::span<double> cdt, std::span<double> sc, int32_t kind, int32_t lpu, int32_t& ierr);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_GEO2CR_H_
