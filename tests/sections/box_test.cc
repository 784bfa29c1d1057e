#include "sections/box.h"

#include <gtest/gtest.h>

#include <array>

#include "section_test.h"
#include "sections/geo2cr.h"

namespace {

using sections::BOXCRO;
using Dims = std::array<double, 20>;
using section_test::Block;
using section_test::compute;
using section_test::dispatch;

class Box : public section_test::SectionTest {};

Block box(const Dims& g) {
  return compute(BOXCRO, g);
}

TEST_F(Box, ConstantsAgainstPlateByPlateSums) {
  // Two side walls of full height, two flanges between them.
  const double h = 0.4, b = 0.3, tw = 0.01, tf = 0.02;
  const Block sc = box({h, tw, tf, tf, b, 0.5, 2.0});
  const double bi = b - 2 * tw, hi = h - 2 * tf;
  const double flange_arm = (h - tf) / 2, wall_arm = (b - tw) / 2;
  const double iy =
      2 * tw * h * h * h / 12 + 2 * (bi * tf * tf * tf / 12 + bi * tf * flange_arm * flange_arm);
  const double iz =
      2 * tf * bi * bi * bi / 12 + 2 * (h * tw * tw * tw / 12 + h * tw * wall_arm * wall_arm);
  // Closed thin-walled cell: 4 A^2 / (sum of length over thickness).
  const double cell = (h - tf) * (b - tw);
  const double torsion = 4 * cell * cell / (2 * (b - tw) / tf + 2 * (h - tf) / tw);
  // First moments of the half sections above the y axis and right of the z axis.
  const double q_upper = b * tf * flange_arm + 2 * tw * (hi / 2) * (hi / 4);
  const double q_right = h * tw * wall_arm + 2 * tf * (bi / 2) * (bi / 4);

  EXPECT_SIG10(sc[0], 2 * tw * h + 2 * bi * tf);
  EXPECT_SIG10(sc[1], torsion);
  EXPECT_SIG10(sc[2], iy);
  EXPECT_SIG10(sc[3], iz);
  EXPECT_SIG10(sc[4], tw * h * h / 2 + bi * tf * (h - tf));
  EXPECT_SIG10(sc[5], tf * bi * bi / 2 + h * tw * (b - tw));
  EXPECT_SIG10(sc[6], iz * 2 * tf / q_right * 0.5);
  EXPECT_SIG10(sc[7], iy * 2 * tw / q_upper * 2.0);
  EXPECT_SIG10(sc[8], h * (b - tw) * tw + tf * (h - tf) * bi);
  EXPECT_SIG10(sc[9], b - tw);
  EXPECT_SIG10(sc[10], h - tf);
  EXPECT_EQ(sc[11], tw);
  EXPECT_EQ(sc[12], tf);
  EXPECT_SIG10(sc[13], 2 * (b + h));
  EXPECT_EQ(sc[14], 99.0);
  EXPECT_EQ(sc[19], 0.0);
}

TEST_F(Box, UnequalFlangesCountWithTheirMeanThickness) {
  const Block unequal = box({0.4, 0.01, 0.015, 0.025, 0.3});
  const Block mean = box({0.4, 0.01, 0.02, 0.02, 0.3});
  for (int k = 0; k < 20; ++k)
    EXPECT_NEAR(unequal[k], mean[k], 1e-12 * std::abs(mean[k])) << "item " << k + 1;
}

TEST_F(Box, WallsMeetingInTheMiddleAreIncorrect) {
  const Dims g{0.4, 0.15, 0.02, 0.02, 0.3, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0};
  expect_refused(BOXCRO, g,
                 {
                     "",
                     "",
                     " * ERROR   IN ROUTINE BOXCRO  - INCORRECT GEOMETRY DATA",
                     "    CDT =      0.400     0.150     0.020     0.020     0.300"
                     "     0.000     0.000     0.000     0.000     0.000"
                     "     0.000     0.000     0.000     0.000     1.000",
                 });
}

TEST_F(Box, EachRuleOfIncorrectGeometry) {
  const Dims cases[] = {
      {0.4, 0.01, 0.02, 0.02, 0.0},   // no width
      {0.4, 0.01, 0.0, 0.02, 0.3},    // no top flange
      {0.4, 0.0, 0.02, 0.02, 0.3},    // no walls
      {0.04, 0.01, 0.02, 0.02, 0.3},  // flanges meeting in the middle
  };
  expect_each_refused(BOXCRO, cases);
}

TEST_F(Box, TaperedBoxAndItsEndSections) {
  // Height 0.4 at end 1 and 0.6 at end 2; the end-2 width defaults to end 1's.
  Dims cdt{0.4, 0.01, 0.02, 0.02, 0.3};
  cdt[9] = 0.6;
  cdt[19] = -123.0;
  int32_t ierr = 0;
  auto sc = dispatch(cdt, sections::kBox, ierr);
  EXPECT_EQ(ierr, 0);
  const Block mean = box({0.5, 0.01, 0.02, 0.02, 0.3});
  const Block end1 = box({0.4, 0.01, 0.02, 0.02, 0.3});
  const Block end2 = box({0.6, 0.01, 0.02, 0.02, 0.3});
  for (int k = 0; k < 19; ++k) {
    EXPECT_EQ(sc[k], mean[k]) << "item " << k + 1;
    EXPECT_EQ(sc[20 + k], end1[k]) << "item " << k + 21;
    EXPECT_EQ(sc[40 + k], end2[k]) << "item " << k + 41;
  }
  EXPECT_EQ(sc[19], 1.0);
  EXPECT_EQ(sc[39], 0.0);
  EXPECT_EQ(sc[59], 0.0);
}

}  // namespace
