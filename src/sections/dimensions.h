// Reading a section's dimensions array: counts, kinds and positions stored as
// reals, positions checked against the array before use, and the thresholds
// the plate sections share.
#ifndef RAF2SIF_SECTIONS_DIMENSIONS_H_
#define RAF2SIF_SECTIONS_DIMENSIONS_H_

#include <cstdint>
#include <span>
#include <string_view>

namespace sections {

// The dimensions arrays the section routines build for a component hold this
// many values.
inline constexpr int kMaxDimensions = 99;

// A dimension or first moment of area whose magnitude lies below this
// (the single-precision 1e-20) counts as zero.
inline constexpr double kTiny = 9.9999996826552254e-21;

// A shear factor below the single-precision 0.01 is not given: it is 1.0.
inline double shear_factor(double sf) {
  return sf < 0.0099999997764825821 ? 1.0 : sf;
}

// The integer nearest to v, halves away from zero: a count, kind or position
// stored as a real. NaN reads as 0 and magnitudes beyond 1e15 are clamped, so
// positions computed from the result cannot overflow.
int64_t nearest(double v);

// v limited to the range of int32_t.
int32_t saturated(int64_t v);

// True when positions first .. last (1-based) all lie in cdt, with
// first <= last. Otherwise writes the refusal block of routine `name` on lpu
// and sets ierr to -1.
bool holds(std::span<const double> cdt, int64_t first, int64_t last, std::string_view name,
           int32_t lpu, int32_t& ierr);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_DIMENSIONS_H_
