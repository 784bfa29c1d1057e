#include "sections/tube.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <vector>

#include "section_test.h"
#include "sections/geo2cr.h"

namespace {

using Dims = std::array<double, 20>;
using section_test::Block;
using section_test::compute;
using section_test::dispatch;
using sections::TUBCRO;

class Tube : public section_test::SectionTest {};

Block tube(const Dims& g, int32_t& ierr) {
  return compute(TUBCRO, g, ierr);
}
Block tube(const Dims& g) {
  return compute(TUBCRO, g);
}

void expect_worked_example(std::span<const double> sc) {
  EXPECT_SIG10(sc[0], 0.1492256552);
  EXPECT_SIG10(sc[1], 0.03376230449);
  EXPECT_SIG10(sc[2], 0.01688115224);
  EXPECT_SIG10(sc[3], 0.01688115224);
  EXPECT_SIG10(sc[4], 0.04516666801);
  EXPECT_SIG10(sc[5], 0.04516666801);
  EXPECT_SIG10(sc[6], 0.07475048964);
  EXPECT_SIG10(sc[7], 0.07475048964);
  EXPECT_SIG10(sc[8], 0.07088218622);
  EXPECT_SIG10(sc[9], 0.95);
  EXPECT_SIG10(sc[10], 0.05);
  EXPECT_SIG10(sc[11], 0.02579908702);
  EXPECT_SIG10(sc[12], 0.02579908702);
  EXPECT_SIG10(sc[13], -0.6643641808);
  EXPECT_SIG10(sc[14], -0.6643641808);
  EXPECT_SIG10(sc[15], 2.524097828);
  EXPECT_SIG10(sc[16], 1.54650768);
  EXPECT_SIG10(sc[17], 3.141592741);
  EXPECT_EQ(sc[18], 0.0);
  EXPECT_EQ(sc[19], 0.0);
}

TEST_F(Tube, WorkedExampleWithInnerDiameterTakenFromTheWall) {
  expect_worked_example(tube({0.0, 1.0, 0.05}));
  EXPECT_TRUE(messages().empty());
}

TEST_F(Tube, WorkedExampleThroughTheDispatcher) {
  std::vector<double> cdt = {0.0, 1.0, 0.05};  // the positions not given read as 0
  int32_t ierr = 0;
  auto sc = dispatch(cdt, sections::kTube, ierr);
  EXPECT_EQ(ierr, 0);
  expect_worked_example(std::span(sc).first(20));
  EXPECT_EQ(sc[20], 99.0);  // no end sections asked for
}

TEST_F(Tube, TheMissingDimensionIsCompletedFromTheOtherTwo) {
  const Block full = tube({0.9, 1.0, 0.05});
  const Block no_outer = tube({0.9, 0.0, 0.05});
  const Block no_wall = tube({0.9, 1.0, 0.0});
  for (int k = 0; k < 18; ++k) {
    EXPECT_NEAR(no_outer[k], full[k], 1e-12 * std::abs(full[k])) << "item " << k + 1;
    EXPECT_NEAR(no_wall[k], full[k], 1e-9 * std::abs(full[k])) << "item " << k + 1;
  }
  EXPECT_SIG10(no_wall[10], 0.05);
}

TEST_F(Tube, ShearFactorsScaleTheShearAreasAndSmallOnesCountAsOne) {
  const Block plain = tube({0.9, 1.0, 0.05});
  const Block scaled = tube({0.9, 1.0, 0.05, 0.5, 2.0});
  EXPECT_DOUBLE_EQ(scaled[6], 0.5 * plain[6]);
  EXPECT_DOUBLE_EQ(scaled[7], 2.0 * plain[7]);
  const Block tiny = tube({0.9, 1.0, 0.05, 0.0099, 0.0099});
  EXPECT_EQ(tiny[6], plain[6]);
  EXPECT_EQ(tiny[7], plain[7]);
}

TEST_F(Tube, WallThicknessToleranceUsesTheSinglePrecisionBounds) {
  // DY = 2, DI = 1: half the difference is exactly 0.5, the ratio is 2T.
  int32_t ierr = 0;
  tube({1.0, 2.0, 0.5049999}, ierr);
  EXPECT_EQ(ierr, 0);
  tube({1.0, 2.0, 0.4950001}, ierr);
  EXPECT_EQ(ierr, 0);
  for (const double t : {0.505, 0.504999997, 0.495, 0.495000002}) {
    ierr = 0;
    tube({1.0, 2.0, t}, ierr);
    EXPECT_EQ(ierr, -1) << "T = " << t;
  }
}

TEST_F(Tube, IncorrectGeometryWritesTheValuesReceivedAndStoresNothing) {
  Dims g{1.2, 1.0, 0.05, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, -7.25, 99.0};
  expect_refused(TUBCRO, g,
                 {
                     "",
                     "",
                     " * ERROR   IN ROUTINE TUBCRO - INCORRECT GEOMETRY DATA",
                     "    CDT =      1.200     1.000     0.050     0.000     0.000"
                     "     0.000     0.000     0.000     0.000     0.000"
                     "     0.000     0.000     0.000     0.000    -7.250",
                 });
}

TEST_F(Tube, EachRuleOfIncorrectGeometry) {
  const Dims cases[] = {
      {0.0, 0.0, 0.0},   // DY not positive
      {-0.2, 1.0, 0.6},  // DI negative
      {1.0, 1.0, 0.0},   // no wall at all
      {0.5, 1.0, 0.3},   // wall thicker than the diameters allow
  };
  expect_each_refused(TUBCRO, cases);
}

TEST_F(Tube, DispatcherAddsItsBlockAndDecreasesTheStatus) {
  Dims cdt{1.2, 1.0, 0.05};
  int32_t ierr = -3;
  dispatch(cdt, sections::kTube, ierr);
  EXPECT_EQ(ierr, -4);
  const std::vector<std::string> lines = messages();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "  *** ERROR IN GEO2CR ***");
}

TEST_F(Tube, NoMessageUnitWritesNothing) {
  Dims cdt{1.2, 1.0, 0.05};
  std::array<double, 60> sc{};
  int32_t ierr = 0;
  sections::GEO2CR(cdt, sc, sections::kTube, 0, ierr);
  EXPECT_EQ(ierr, -1);
  EXPECT_TRUE(std::filesystem::is_empty(dir()));
}

TEST_F(Tube, TaperedTubeAndItsEndSections) {
  // Outer diameter 1.0 at end 1 and 1.2 at end 2, wall 0.05.
  Dims cdt{0.0, 1.0, 0.05, 0.0, 0.0, 1.2};
  const double p4 = 0.78539818525314331;
  int32_t ierr = 0;
  auto sc = dispatch(cdt, sections::kTube, ierr);
  EXPECT_EQ(ierr, 0);
  EXPECT_SIG10(sc[0], (1.1 * 1.1 - 1.0 * 1.0) * p4);  // mean outer diameter 1.1
  EXPECT_EQ(sc[19], 0.0);                             // not asked for: flag cleared
  EXPECT_EQ(sc[20], 99.0);

  cdt[19] = -123.2;
  sc = dispatch(cdt, sections::kTube, ierr);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(sc[19], 1.0);
  expect_worked_example(std::span(sc).subspan(20, 20));
  EXPECT_SIG10(sc[40], (1.2 * 1.2 - 1.1 * 1.1) * p4);
  EXPECT_SIG10(sc[57], 1.2 * 3.1415927410125732);
  EXPECT_EQ(sc[59], 0.0);
}

TEST_F(Tube, EndSectionsAskedForButNotGivenLeaveTheEndBlocks) {
  Dims cdt{0.0, 1.0, 0.05};
  cdt[19] = -123.0;
  int32_t ierr = 0;
  auto sc = dispatch(cdt, sections::kTube, ierr);
  EXPECT_EQ(ierr, 0);
  expect_worked_example(std::span(sc).first(20));
  for (int k = 20; k < 60; ++k) EXPECT_EQ(sc[k], 99.0);
}

}  // namespace
