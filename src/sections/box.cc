#include "sections/box.h"

#include <cmath>

#include "sections/dimensions.h"
#include "sections/messages.h"

namespace sections {

void BOXCRO(std::span<const double> g, std::span<double, 20> sc, int32_t lpu, int32_t& ierr) {
  if (!holds(g, 1, 15, "BOXCRO", lpu, ierr)) return;
  const auto incorrect = [&] {
    write_incorrect_geometry(lpu, "BOXCRO  - ", g);
    ierr = -1;
  };
  double h = g[0];
  const double tw = g[1];
  const double tt = g[2];
  const double tb = g[3];
  double b = g[4];

  // A tapered member is computed for its mean height and width.
  double taper = 0.0;
  if (g[9] > 1e-10) {
    h = (h + g[9]) / 2.0;
    taper = 1.0;
    if (g[10] > 1e-10) b = (b + g[10]) / 2.0;
  }
  const double sfy = shear_factor(g[5]);
  const double sfz = shear_factor(g[6]);

  if (!(b > 0.0 && tb > 0.0 && tt > 0.0 && h > 0.0 && tw > 0.0)) return incorrect();
  const double tf = (tt + tb) / 2.0;  // mean flange thickness
  const double hm = h - tf;           // between flange mid-planes
  const double bm = b - tw;           // between wall mid-planes
  const double hi = h - 2.0 * tf;     // inside height and width
  const double bi = b - 2.0 * tw;
  if (!(hi > 0.0 && bi > 0.0)) return incorrect();

  sc[0] = b * h - hi * bi;
  sc[1] = 2.0 * hm * hm * bm * bm / (bm / tf + hm / tw);
  sc[2] = (h * h * h * b - hi * hi * hi * bi) / 12.0;
  sc[3] = (b * b * b * h - bi * bi * bi * hi) / 12.0;
  sc[4] = (b * h * h - bi * hi * hi) / 4.0;
  sc[5] = (h * b * b - hi * bi * bi) / 4.0;

  // First moments of area of half the section, for the shear areas.
  const double q0 = tf * b * 0.5 * hm + (hi / 2.0) * (hi / 2.0) * tw;
  const double q1 = tw * h * 0.5 * bm + (bi / 2.0) * (bi / 2.0) * tf;
  if (std::abs(q0) < kTiny || std::abs(q1) < kTiny) return incorrect();
  sc[6] = sc[3] / q1 * 2.0 * tf * sfy;
  sc[7] = sc[2] / q0 * 2.0 * tw * sfz;
  sc[8] = h * bm * tw + (tb + tt) * (h - tb / 2.0 - tt / 2.0) * bi * 0.5;
  sc[9] = bm;
  sc[10] = hm;
  sc[11] = tw;
  sc[12] = tf;
  sc[13] = (b + h) * 2.0;
  sc[19] = taper;
}

}  // namespace sections
