#include "sections/isection.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "section_test.h"
#include "sections/geo2cr.h"

namespace {

using sections::ICROSS;
using sections::WEBFAC;
using Dims = std::array<double, 20>;
using section_test::Block;
using section_test::compute;
using section_test::dispatch;

class ISection : public section_test::SectionTest {};

Block isection(const Dims& g) {
  return compute(ICROSS, g);
}

void expect_worked_example(std::span<const double> sc) {
  EXPECT_SIG10(sc[0], 0.0584);
  EXPECT_SIG10(sc[1], 3.092266482e-05);
  EXPECT_SIG10(sc[2], 0.01051914667);
  EXPECT_SIG10(sc[3], 0.0008339466667);
  EXPECT_SIG10(sc[4], 0.023432);
  EXPECT_SIG10(sc[5], 0.005092);
  EXPECT_SIG10(sc[6], 0.02620413721);
  EXPECT_SIG10(sc[7], 0.01795689086);
  EXPECT_SIG10(sc[8], 0.0184);
  EXPECT_SIG10(sc[9], 3.96);
  EXPECT_SIG10(sc[10], 0.92);
  EXPECT_SIG10(sc[11], 0.0184);
  EXPECT_SIG10(sc[12], 0.02);
  EXPECT_SIG10(sc[13], 0.46);
  EXPECT_SIG10(sc[15], 0.5);
  EXPECT_SIG10(sc[16], 0.5);
  EXPECT_EQ(sc[19], 0.0);
}

const Dims kWorked{1.0, 0.02, 0.5, 0.04, 0.5, 0.04};

TEST_F(ISection, WorkedSymmetricExample) {
  const Block sc = isection(kWorked);
  expect_worked_example(sc);
  EXPECT_EQ(sc[14], 99.0);  // only an unsymmetric section marks item 15
  EXPECT_TRUE(messages().empty());
}

TEST_F(ISection, WebShearFactorBranches) {
  const double root3 = 1.7320508075688772;
  // HW/TW = 100: e = sqrt(5 * 500) = 50, beyond 1.37 e: h = 1.51 * 5 * 500 / 100^2.
  EXPECT_SIG10(WEBFAC(1.0, 0.01, 2.1e11, 4.2e8), 0.3775 * 0.6 * root3);
  EXPECT_EQ(WEBFAC(0.5, 0.01, 2.1e11, 4.2e8), 1.0);  // h = 1
  EXPECT_SIG10(WEBFAC(0.6, 0.01, 2.1e11, 4.2e8),
               1.1 * 50.0 / 60.0 * 0.6 * root3);  // 1.1 e < 60 <= 1.37 e
  // Slender web, k = 2: e = sqrt(1000).
  EXPECT_SIG10(WEBFAC(3.0, 0.01, 2.1e11, 4.2e8),
               1.51 * 2.0 * 500.0 / (300.0 * 300.0) * 0.6 * root3);
}

TEST_F(ISection, NegativeBfzAsksForTheWebFactorAndZeroFactorsAreOneHalf) {
  // Web 2.0 high and 0.02 thick: HW/TW = 100.
  const Block sc = isection({2.08, 0.02, 0.5, 0.04, 0.5, 0.04, 0.0, 0.0, 0.0, 0.0, -1.0});
  EXPECT_SIG10(sc[16], 0.3775 * 0.6 * 1.7320508075688772);
  EXPECT_EQ(sc[15], 0.5);
  EXPECT_EQ(isection({2.08, 0.02, 0.5, 0.04, 0.5, 0.04, 0.0, 0.0, 0.0, 0.3, -0.5})[16], -0.5);
}

TEST_F(ISection, UnsymmetricSectionAgainstPlateByPlateSums) {
  const double h = 0.6, ty = 0.01, bt = 0.2, tt = 0.02, bb = 0.3, tb = 0.03;
  const Block sc = isection({h, ty, bt, tt, bb, tb, 0.0, 0.0, 0.0, 0.25, 0.75});

  // Plates from the bottom face up: area, centre height, width, thickness.
  struct Plate {
    double area, z, width, thick;
  };
  const double hw = h - tt - tb;
  const Plate plates[] = {
      {bb * tb, tb / 2, bb, tb}, {hw * ty, tb + hw / 2, ty, hw}, {bt * tt, h - tt / 2, bt, tt}};
  double area = 0, moment = 0;
  for (const Plate& p : plates) {
    area += p.area;
    moment += p.area * p.z;
  }
  const double zc = moment / area;
  double iy = 0, iz = 0, torsion = 0, plastic_z = 0, half_moment_z = 0;
  for (const Plate& p : plates) {
    iy += p.width * p.thick * p.thick * p.thick / 12 + p.area * (p.z - zc) * (p.z - zc);
    iz += p.thick * p.width * p.width * p.width / 12;
    const double along = std::max(p.width, p.thick), across = std::min(p.width, p.thick);
    torsion += along * across * across * across;
    plastic_z += p.thick * p.width * p.width / 4;
    half_moment_z += p.thick * (p.width / 2) * (p.width / 4);
  }
  // First moment of the part above the centroid.
  const double q_above = bt * tt * (h - tt / 2 - zc) + ty * (h - tt - zc) * (h - tt - zc) / 2;
  // Plastic axis where the area halves, lever arms to the flanges' inner faces.
  const double hp = (area / 2 - bb * tb) / ty;
  const double plastic_y =
      bb * tb * hp + bt * tt * (hw - hp) + ty * hp * hp / 2 + ty * (hw - hp) * (hw - hp) / 2;

  EXPECT_SIG10(sc[0], area);
  EXPECT_SIG10(sc[1], torsion * 0.43333330750465393);
  EXPECT_SIG10(sc[2], iy);
  EXPECT_SIG10(sc[3], iz);
  EXPECT_SIG10(sc[4], plastic_y);
  EXPECT_SIG10(sc[5], plastic_z);
  EXPECT_SIG10(sc[6], (tt + tb) * iz / half_moment_z);
  EXPECT_SIG10(sc[7], iy * ty / q_above);
  EXPECT_SIG10(sc[8], hw * ty);
  EXPECT_SIG10(sc[9], (bb + bt + h - ty) * 2);
  EXPECT_SIG10(sc[10], hw);
  EXPECT_SIG10(sc[12], bt * tt);
  EXPECT_SIG10(sc[13], hw / 2 * (area - bb * tb + bt * tt) / area);
  EXPECT_EQ(sc[14], -1.0);
  EXPECT_EQ(sc[15], 0.25);
  EXPECT_EQ(sc[16], 0.75);
}

TEST_F(ISection, WebWithTokenTopFlangeAndNoBottomFlangeIsSymmetricByArea) {
  // AB = 0, AT = 0.0001, AW = 0.01998: the areas differ by 0.5 % of the whole.
  const Block sc = isection({1.0, 0.02, 0.1, 0.001, 0.0, 0.0});
  for (int k = 0; k < 20; ++k) EXPECT_TRUE(std::isfinite(sc[k])) << "item " << k + 1;
  EXPECT_SIG10(sc[0], 0.999 * 0.02 + 0.1 * 0.001);  // areas as first computed
  // The bottom flange takes the top flange's width and thickness.
  EXPECT_SIG10(sc[3], (2 * 0.1 * 0.1 * 0.1 * 0.001 + 0.02 * 0.02 * 0.02 * 0.999) / 12);
  EXPECT_SIG10(sc[5], (0.999 * 0.02 * 0.02 + 2 * 0.001 * 0.1 * 0.1) / 4);
  EXPECT_EQ(sc[14], 99.0);
}

TEST_F(ISection, EqualWidthsWithoutBottomThicknessTakeTheTopThickness) {
  const Block sc = isection({1.0, 0.02, 0.5, 0.04, 0.5, 0.0});
  EXPECT_SIG10(sc[0], 0.96 * 0.02 + 0.5 * 0.04);  // web height without the missing flange
  EXPECT_SIG10(sc[3], (2 * 0.5 * 0.5 * 0.5 * 0.04 + 0.02 * 0.02 * 0.02 * 0.96) / 12);
  EXPECT_EQ(sc[14], 99.0);
}

TEST_F(ISection, IncorrectGeometryBlockNamesEveryDimension) {
  // No bottom flange and a top flange too large for the area test: unsymmetric.
  const Dims g{1.0, 0.02, 0.5, 0.04, 0.0, 0.0, 1.5, 0.0, 0.0, 0.25, -2.0, 0.0, 0.0, 0.0, 3.125};
  const std::vector<std::string> expected = {
      "",
      "",
      " * ERROR   IN ROUTINE ICROSS - INCORRECT GEOMETRY:",
      " H      =       1.000",
      " TY     =       0.020",
      " BT     =       0.500",
      " TT     =       0.040",
      " BB     =       0.000",
      " TB     =       0.000",
      " SFY    =       1.500",
      " SFZ    =       0.000",
      " Dummy  =       0.000",
      " BFY    =       0.250",
      " BFZ    =      -2.000",
      " H2     =       0.000",
      " BT2    =       0.000",
      " BB2    =       0.000",
      " Dummy  =       3.125",
  };
  expect_refused(ICROSS, g, expected);
}

TEST_F(ISection, EachRuleOfIncorrectGeometry) {
  const Dims cases[] = {
      {1.0, 0.0, 0.5, 0.04, 0.5, 0.04},    // no web thickness
      {0.08, 0.02, 0.5, 0.04, 0.5, 0.04},  // no web height
      {1.0, 0.02, 0.0, 0.0, 0.0, 0.0},     // no flanges at all
      {0.61, 0.01, 1.0, 0.5, 0.01, 0.01},  // centroid inside the top flange
  };
  expect_each_refused(ICROSS, cases);
}

TEST_F(ISection, TaperedSectionAndItsEndSections) {
  // Height 1.0 at end 1 and 1.2 at end 2; the end-2 widths default to end 1's.
  Dims cdt = kWorked;
  cdt[11] = 1.2;
  cdt[19] = -123.0;
  int32_t ierr = 0;
  auto sc = dispatch(cdt, sections::kISection, ierr);
  EXPECT_EQ(ierr, 0);
  EXPECT_SIG10(sc[0], 0.0584 + 0.1 * 0.02);  // mean height 1.1
  EXPECT_SIG10(sc[9], 3.96);                 // perimeter with the end-1 height
  EXPECT_EQ(sc[19], 1.0);
  expect_worked_example(std::span(sc).subspan(20, 20));
  EXPECT_SIG10(sc[40], 0.0584 + 0.2 * 0.02);
  EXPECT_SIG10(sc[49], 4.36);
  EXPECT_EQ(sc[59], 0.0);

  cdt[19] = 0.0;
  sc = dispatch(cdt, sections::kISection, ierr);
  EXPECT_EQ(sc[19], 0.0);
  EXPECT_EQ(sc[20], 99.0);
}

}  // namespace
