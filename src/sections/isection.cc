#include "sections/isection.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "io/fields.h"
#include "io/units.h"
#include "sections/dimensions.h"

namespace sections {

namespace {

// The labels of G(1..15) in the ICROSS block.
constexpr std::string_view kLabels[15] = {
    " H      =  ", " TY     =  ", " BT     =  ", " TT     =  ", " BB     =  ",
    " TB     =  ", " SFY    =  ", " SFZ    =  ", " Dummy  =  ", " BFY    =  ",
    " BFZ    =  ", " H2     =  ", " BT2    =  ", " BB2    =  ", " Dummy  =  ",
};

void write_incorrect_isection(int32_t lpu, std::span<const double> g) {
  io::write_record(lpu, "");
  io::write_record(lpu, "");
  io::write_record(lpu, " * ERROR   IN ROUTINE ICROSS - INCORRECT GEOMETRY:");
  for (int k = 0; k < 15; ++k)
    io::write_record(lpu, io::Line().a(kLabels[k]).f(g[k], 10, 3).view());
}

// Steel, for the web shear factor a BFZ below -0.99 asks for.
constexpr double kYoung = 210000000000.0;
constexpr double kYield = 420000000.0;

}  // namespace

double WEBFAC(double hw, double tw, double e, double fy) {
  const double lambda = hw / tw;
  const double k = lambda < 260.0 ? 5.0 : 2.0;
  const double eps = std::sqrt(k * e / fy);
  double h;
  if (lambda <= 1.1 * eps) {
    h = 1.0;
  } else if (lambda <= 1.37 * eps) {
    h = 1.1 * eps / lambda;
  } else {
    h = 1.51 * k * e / (lambda * lambda * fy);
  }
  return std::min(1.0, h * 0.6 * 1.7320508075688772);
}

void ICROSS(std::span<const double> g, std::span<double, 20> sc, int32_t lpu, int32_t& ierr) {
  if (!holds(g, 1, 15, "ICROSS", lpu, ierr)) return;
  const auto incorrect = [&] {
    write_incorrect_isection(lpu, g);
    ierr = -1;
  };
  double h = g[0];
  const double ty = g[1];
  double bt = g[2];
  double tt = g[3];
  double bb = g[4];
  double tb = g[5];
  double bfy = g[9];
  double bfz = g[10];

  // A tapered member is computed for its mean dimensions.
  const double h0 = h;
  double taper = 0.0;
  if (g[11] > 1e-12) {
    h = (h + g[11]) / 2.0;
    taper = 1.0;
  }
  if (g[12] > 1e-12) {
    bt = (bt + g[12]) / 2.0;
    taper = 1.0;
  }
  if (g[13] > 1e-12) {
    bb = (bb + g[13]) / 2.0;
    taper = 1.0;
  }
  const double sfy = shear_factor(g[6]);
  const double sfz = shear_factor(g[7]);

  const double hw = h - tt - tb;
  const double ab = bb * tb;
  const double at = bt * tt;
  const double aw = hw * ty;

  if (std::abs(bfy) < 1e-12) bfy = 0.5;
  if (std::abs(bfz) < 1e-12) bfz = 0.5;
  if (bfz < -0.99) bfz = WEBFAC(hw, ty, kYoung, kYield);

  // A symmetric section may leave its bottom flange to the top one's values.
  const bool symmetric =
      std::abs(bb - bt) / (bb + bt) <= 0.01 || std::abs(ab - at) / (ab + at + aw) <= 0.01;
  if (symmetric) {
    if (bb <= 0.0) bb = bt;
    if (tb <= 0.0) tb = tt;
    if (!(tt > 0.0 && bt > 0.0 && hw > 0.0 && ty > 0.0)) return incorrect();
  } else {
    if (!(tb > 0.0 && bb > 0.0 && hw > 0.0 && ty > 0.0)) return incorrect();
    sc[14] = -1.0;
  }

  // Centroid offset from mid-web, towards the top flange.
  const double a = aw + at + ab;
  sc[0] = a;
  const double e = ((hw + tt) * at - (hw + tb) * ab) * 0.5 / a;
  const double hh = hw / 2.0;
  if (!(std::abs(e) <= hh)) return incorrect();

  sc[1] = (ty * ty * ty * hw + tt * tt * tt * bt + tb * tb * tb * bb) * 0.43333330750465393;
  const double zb = tb / 2.0 + hh + e;  // lever arms of the flanges
  const double zt = tt / 2.0 + hh - e;
  sc[2] = aw * e * e + (hw * hw * hw * ty + tb * tb * tb * bb + tt * tt * tt * bt) / 12.0 +
          zt * zt * at + zb * zb * ab;
  sc[3] = (bb * bb * bb * tb + ty * ty * ty * hw + bt * bt * bt * tt) / 12.0;
  if (symmetric) {
    sc[4] = ab * zb + ty * e * e + ty * hw * hw / 4.0 + at * zt;
  } else {
    // Plastic neutral axis at HP above the bottom of the web.
    const double hp = std::clamp((1.0 - (ab - at) / aw) * hh, 0.0, hw);
    const double rho = hp / hw;
    sc[4] = (ab * rho + at * (1.0 - rho) + (1.0 - rho) * (1.0 - rho) * aw / 2.0 +
             rho * rho * aw / 2.0) *
            hw;
  }
  sc[5] = (hw * ty * ty + tt * bt * bt + tb * bb * bb) * 0.25;

  // First moments of area for the shear areas.
  const double qy =
      ((hh - e) * (hh - e) * ty / 2.0 + at * zt + ab * zb + (e + hh) * (e + hh) * ty / 2.0) * 0.5;
  const double qz = (tt * bt * bt + tb * bb * bb + hw * ty * ty) * 0.125;
  if (std::abs(qy) < kTiny || std::abs(qz) < kTiny) return incorrect();
  sc[6] = (tt + tb) * sc[3] / qz * sfy;
  sc[7] = sc[2] * ty / qy * sfz;
  sc[8] = aw;
  sc[9] = (bb + bt + h0 - ty) * 2.0;
  sc[10] = hw;
  sc[11] = aw;
  sc[12] = at;
  sc[13] = (1.0 - (ab - at) / a) * hh;
  sc[15] = bfy;
  sc[16] = bfz;
  sc[19] = taper;
}

}  // namespace sections
