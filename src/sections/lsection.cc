#include "sections/lsection.h"

#include <algorithm>
#include <cmath>

#include "io/fields.h"
#include "io/text.h"
#include "io/units.h"
#include "sections/dimensions.h"
#include "sections/messages.h"

namespace sections {

namespace {

constexpr double kTinyInertia = 1.0000000031710769e-30;  // the single-precision 1e-30

// Two empty lines and the first detail line of a CROUSI block, padded to 40.
void write_first_detail(int32_t lpu, std::string_view detail) {
  io::write_record(lpu, "");
  io::write_record(lpu, "");
  io::write_record(lpu, io::Text<40>(detail).view());
}

// First moment about an axis of a plate of extent w along the axis that the
// axis cuts into parts a and b across it.
double cut_plate(double a, double b, double w) {
  return w * a * a / 2.0 + w * b * b / 2.0;
}

}  // namespace

double TORREC(double a, double b) {
  if (a < 0.0 || b < 0.0) return 0.0;
  const double longer = std::max(a, b);
  const double shorter = std::min(a, b);
  return longer * shorter * shorter * shorter / 3.0;
}

void CROUSI(std::span<double> cdt, std::span<double, 20> sc, int32_t lpu, int32_t& ierr) {
  if (!holds(cdt, 1, 13, "CROUSI", lpu, ierr)) return;
  const double left_b = cdt[0];  // bottom flange either side of the web centre line
  const double right_b = cdt[1];
  const double left_t = cdt[2];  // top flange likewise
  const double right_t = cdt[3];
  const double h = cdt[4];
  const double tb = cdt[5];
  const double tw = cdt[6];
  const double tt = cdt[7];
  const double yc = cdt[8];
  const double zc = cdt[9];

  const double bb = left_b + right_b;
  const double bt = left_t + right_t;
  if (bt > 1.1000000238418579 * tw) {
    write_error_header(lpu, "CROUSI");
    write_first_detail(lpu, "   Illegal Cross section");
    io::write_record(lpu, io::Text<40>("   Only L_section available").view());
    ierr = -1;
    return;
  }

  const double hw = h - tb - tt;
  const double ab = bb * tb;
  const double aw = hw * tw;
  const double at = bt * tt;
  const double a = ab + aw + at;

  // Plate centres relative to the centroid.
  const double dzb = tb / 2.0 - zc;
  const double dzw = tb + hw / 2.0 - zc;
  const double dzt = h - zc - tt / 2.0;
  const double dyb = yc - bb / 2.0;
  const double dyw = yc - left_b;
  const double dyt = (left_t - right_t) / 2.0 + yc - left_b;

  constexpr double kTwelfth = 0.083333333333333333;
  const double iyy = dzw * dzw * aw + dzt * dzt * at + dzb * dzb * ab +
                     (bt * tt * tt * tt + bb * tb * tb * tb + tw * hw * hw * hw) * kTwelfth;
  const double izz = dyw * dyw * aw + dyt * dyt * at + dyb * dyb * ab +
                     (bt * bt * bt * tt + bb * bb * bb * tb + tw * tw * tw * hw) * kTwelfth;
  const double iyz = dzw * dyw * aw + dzb * dyb * ab + dzt * dyt * at;

  // Principal angle.
  double theta;
  if (std::abs(iyz) < kTinyInertia) {
    theta = 0.0;
  } else if (std::abs(iyy - izz) < kTinyInertia) {
    theta = std::copysign(0.7854, iyz);  // an eighth of a turn, to four digits
  } else {
    theta = std::atan2(2.0 * iyz, iyy - izz) / 2.0;
  }

  const double d = (iyy + izz) * (iyy + izz) - 4.0 * (iyy * izz - iyz * iyz);
  if (d < 0.0) {
    io::write_record(lpu, error_line("CROUSI").view());
    write_first_detail(lpu, "   Attempt to take a root of");
    io::write_record(lpu, io::Line().a("   a negative number       : ").e(d, 12, 5).view());
    ierr = -1;
    return;
  }
  const double s = std::sqrt(d);

  // Plastic neutral axes halve the area: vertical at y = YP from the bottom
  // flange's left tip, horizontal at z = ZP from the bottom face.
  const double half = a / 2.0;
  const double web_left = left_b - tw / 2.0;
  const double web_right = left_b + tw / 2.0;
  const double area_left_of_web = tb * web_left + tt * (left_t - tw / 2.0);
  double yp;
  if (area_left_of_web >= half) {
    yp = (half - std::max(0.0, left_t - left_b) * tt) / (tb + tt);
  } else if (area_left_of_web + h * tw >= half) {
    yp = (half - area_left_of_web) / h + web_left;
  } else {
    yp = bb - (half - std::max(0.0, right_t - right_b) * tt) / (tb + tt);
  }
  double zp;
  if (ab >= half) {
    zp = half / bb;
  } else if (ab + aw >= half) {
    zp = (half - ab) / tw + tb;
  } else {
    zp = h - (half - ab) / bt;
  }

  // Plastic moduli: first moments of the three plates about the axes.
  const double web_top = h - tt;
  const double zp_bottom = zp < tb ? cut_plate(zp, tb - zp, bb) : ab * std::abs(zp - tb / 2.0);
  const double zp_web = tb < zp && zp < web_top ? cut_plate(zp - tb, web_top - zp, tw)
                                                : aw * std::abs(zp - (tb + hw / 2.0));
  const double zp_top = web_top < zp && zp < h ? cut_plate(zp - web_top, h - zp, bt)
                                               : at * std::abs(zp - (h - tt / 2.0));
  const double top_left = left_b - left_t;
  const double top_right = left_b + right_t;
  const double yp_bottom =
      0.0 <= yp && yp <= bb ? cut_plate(yp, bb - yp, tb) : ab * std::abs(yp - bb / 2.0);
  const double yp_web = web_left < yp && yp < web_right
                            ? cut_plate(yp - web_left, web_right - yp, hw)
                            : aw * std::abs(yp - left_b);
  const double yp_top = top_left < yp && yp < top_right
                            ? cut_plate(yp - top_left, top_right - yp, tt)
                            : at * std::abs(yp - (top_left + top_right) / 2.0);

  sc[0] = a;
  sc[1] = TORREC(bb, tb) + TORREC(hw, tw) + TORREC(bt, tt);
  sc[2] = (iyy + izz + s) / 2.0;
  sc[3] = (iyy + izz - s) / 2.0;
  sc[4] = zp_bottom + zp_web + zp_top;
  sc[5] = yp_bottom + yp_web + yp_top;
  sc[6] = ab + at;
  sc[7] = aw;
  sc[8] = 0.0;
  sc[9] = yp;
  sc[10] = zp;
  sc[11] = -theta;
  sc[12] = iyy;
  sc[13] = izz;
  sc[15] = iyz;
  sc[16] = (h + left_b + right_b + left_t + right_t - tw) * 2.0;
  cdt[12] = -theta;
}

}  // namespace sections
