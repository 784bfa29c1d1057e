#include "sections/tube.h"

#include <algorithm>
#include <cmath>

#include "sections/dimensions.h"
#include "sections/messages.h"

namespace sections {

namespace {

// Single-precision constants of the tube formulas, widened exactly.
constexpr double kQuarterPi = 0.78539818525314331;
constexpr double kPiBy32 = 0.098174773156642914;
constexpr double kSixth = 0.16666667163372040;
constexpr double kPi = 3.1415927410125732;
// The wall thickness may differ from half the diameter difference by 1 %.
constexpr double kMinWallRatio = 0.99000000953674316;
constexpr double kMaxWallRatio = 1.0099999904632568;

}  // namespace

void TUBCRO(std::span<const double> g, std::span<double, 20> sc, int32_t lpu, int32_t& ierr) {
  if (!holds(g, 1, 15, "TUBCRO", lpu, ierr)) return;
  double di = g[0];
  double dy = g[1];
  double t = g[2];
  const double sfy = shear_factor(g[3]);
  const double sfz = shear_factor(g[4]);
  const double d2 = g[5];

  // A tapered tube is computed for its mean outer diameter.
  double taper = 0.0;
  if (d2 > 1e-10) {
    dy = (dy + d2) * 0.5;
    di = dy - 2.0 * t;
    taper = 1.0;
  }

  // Complete the diameter or thickness not given from the other two.
  if (t > 0.0) {
    if (std::abs(di) < kTiny) di = dy - 2.0 * t;
    if (std::abs(dy) < kTiny) dy = di + 2.0 * t;
  }
  if (std::abs(t) < kTiny) t = (dy - di) * 0.5;

  // Written so that a NaN anywhere counts as incorrect.
  const double wall_ratio = t / ((dy - di) * 0.5);
  if (!(dy > 0.0) || !(di >= 0.0) || !(di <= dy) ||
      !(wall_ratio >= kMinWallRatio && wall_ratio <= kMaxWallRatio)) {
    write_incorrect_geometry(lpu, "TUBCRO - ", g);
    ierr = -1;
    return;
  }

  const double dy3_di3 = dy * dy * dy - di * di * di;
  sc[0] = (dy * dy - di * di) * kQuarterPi;
  sc[1] = (dy * dy * dy * dy - di * di * di * di) * kPiBy32;
  sc[2] = sc[1] * 0.5;
  sc[3] = sc[2];
  sc[4] = dy3_di3 * kSixth;
  sc[5] = sc[4];
  sc[6] = sc[2] / (dy3_di3 / 12.0) * 2.0 * t * sfy;
  sc[7] = sfz * sc[6] / sfy;

  const double dm = dy - t;  // mean diameter
  sc[8] = sc[0] * dm * 0.5;
  sc[9] = dm;
  sc[10] = t;

  // Items of the slenderness r = DM / T.
  const double r = dm / t;
  const double r2 = r * r;
  const double r3 = r2 * r;
  const double f = 0.0025400000158697367 * dm / t + 0.000050930000725202262 * r2 -
                   0.00000034650000202418596 * r3 - 0.038470000028610229;
  const double f2 = f * f;
  const double f3 = f2 * f;
  const double q = 34.119998931884766 * f3 - 29.239999771118164 * f2 + 8.0240001678466797 * f -
                   0.85250002145767212;
  sc[11] = std::max(f, 0.0);
  sc[12] = sc[11];
  sc[13] = q;
  sc[14] = q;
  sc[15] = 109000.0 / std::pow(r, 3.6500000953674316) + 0.18;
  sc[16] = 43000.0 / std::pow(r, 3.5099999904632568) + 0.15;

  sc[17] = dy * kPi;  // outer circumference
  sc[18] = 0.0;
  sc[19] = taper;
}

}  // namespace sections
