// The kinds whose constants are given or assembled: general, solid bar,
// pipe in pipe and composite, reached through the dispatcher.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <vector>

#include "section_test.h"
#include "sections/geo2cr.h"
#include "sections/tube.h"

namespace {

using section_test::Constants;
using section_test::dispatch;

class StoredKinds : public section_test::SectionTest {
 protected:
  Constants constants(std::vector<double> cdt, int32_t kind) {
    int32_t ierr = 0;
    const Constants sc = dispatch(cdt, kind, ierr);
    EXPECT_EQ(ierr, 0);
    return sc;
  }
};

section_test::Block tube(double di, double dy, double t) {
  const std::array<double, 20> g{di, dy, t};
  return section_test::compute(sections::TUBCRO, g);
}

TEST_F(StoredKinds, GeneralSectionTakesItsConstantsFromTheGivenOffset) {
  const Constants sc =
      constants({3, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, sections::kGeneral);
  const std::array<double, 20> expected = {10, 20, 30, 40, 70, 80, 90, 100, 60};
  for (int k = 0; k < 20; ++k) EXPECT_EQ(sc[k], expected[k]) << "item " << k + 1;
  EXPECT_EQ(sc[20], 99.0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(StoredKinds, GeneralSectionOffsetBeyondTheDimensionsIsRefused) {
  std::vector<double> cdt = {4, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
  int32_t ierr = -2;
  dispatch(cdt, sections::kGeneral, ierr);
  EXPECT_EQ(ierr, -3);  // decreased by the dispatcher
  const std::vector<std::string> expected = {
      "", "  *** ERROR IN GENCRO ***",
      "   Dimension positions     4 to    13 not within the    12 values given", "",
      "  *** ERROR IN GEO2CR ***"};
  EXPECT_EQ(messages(), expected);
}

TEST_F(StoredKinds, RoundBar) {
  const double d = 0.1, pi = 3.1415926535;
  const Constants sc = constants({1, d}, sections::kSolidBar);
  EXPECT_SIG10(sc[0], pi * d * d / 4);
  EXPECT_SIG10(sc[1], pi * d * d * d * d / 32);
  EXPECT_SIG10(sc[2], pi * d * d * d * d / 64);
  EXPECT_SIG10(sc[3], pi * d * d * d * d / 64);
  EXPECT_SIG10(sc[4], d * d * d / 6);
  EXPECT_SIG10(sc[5], d * d * d / 6);
  EXPECT_SIG10(sc[6], 12 * pi * d * d / 32);
  EXPECT_SIG10(sc[7], 12 * pi * d * d / 32);
  EXPECT_EQ(sc[8], 99.0);
  EXPECT_SIG10(sc[13], pi * d);
}

TEST_F(StoredKinds, RectangularBarAndOtherSubKinds) {
  const double a = 0.2, b = 0.1;
  const Constants sc = constants({2, a, b}, sections::kSolidBar);
  const std::array<double, 8> expected = {
      a * b,         a * a * b * b / 32, a * a * a * b / 12, a * b * b * b / 12,
      a * a * b / 6, a * b * b / 6,      a * b / 2,          a * b / 2};
  for (int k = 0; k < 8; ++k) EXPECT_SIG10(sc[k], expected[k]);
  EXPECT_SIG10(sc[13], 2 * (a + b));

  const Constants other = constants({3, a, b}, sections::kSolidBar);
  for (int k = 0; k < 20; ++k)
    EXPECT_EQ(other[k], k < 8 || k == 13 ? 0.0 : 99.0) << "item " << k + 1;
}

TEST_F(StoredKinds, PipeInPipeIsTheSumOfTheTwoTubes) {
  std::vector<double> cdt(15);
  cdt[1] = 1.0, cdt[2] = 0.05, cdt[3] = 0.5, cdt[4] = 0.02;
  const Constants sc = constants(cdt, sections::kPipeInPipe);
  const auto outer = tube(0.9, 1.0, 0.05);
  const auto inner = tube(0.46, 0.5, 0.02);
  for (int k = 0; k < 9; ++k) EXPECT_EQ(sc[k], outer[k] + inner[k]) << "item " << k + 1;
  for (int k = 9; k < 20; ++k) EXPECT_EQ(sc[k], 99.0);
}

TEST_F(StoredKinds, PipeInPipeWithAnIncorrectTube) {
  std::vector<double> cdt(15);
  cdt[0] = 7.0, cdt[1] = 1.0, cdt[2] = 0.05, cdt[3] = 0.5, cdt[4] = 0.3;
  int32_t ierr = 0;
  const Constants sc = dispatch(cdt, sections::kPipeInPipe, ierr);
  EXPECT_EQ(ierr, -1);
  for (int k = 0; k < 20; ++k) EXPECT_EQ(sc[k], 99.0);
  const std::vector<std::string> expected = {
      "",
      "",
      " * ERROR   IN ROUTINE TUBCRO - INCORRECT GEOMETRY DATA",
      "    CDT =     -0.100     0.500     0.300     0.000     0.000     0.000     0.000     0.000"
      "     0.000     0.000     0.000     0.000     0.000     0.000     0.000",
      "",
      "",
      " * ERROR   IN ROUTINE PipnPip - INCORRECT GEOMETRY DATA",
      "    CDT =      7.000     1.000     0.050     0.500     0.300     0.000     0.000     0.000"
      "     0.000     0.000     0.000     0.000     0.000     0.000     0.000",
      "",
      "  *** ERROR IN GEO2CR ***",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(StoredKinds, CompositeOfOneTubeIsThatTube) {
  // One component: pointers 3 and 8, kind at 4, three dimensions at 5..7.
  const Constants sc = constants({1, 3, 8, 1, 0.9, 1.0, 0.05}, sections::kComposite);
  const auto alone = tube(0.9, 1.0, 0.05);
  for (int k = 0; k < 20; ++k) EXPECT_EQ(sc[k], alone[k]) << "item " << k + 1;
  EXPECT_EQ(sc[20], 99.0);
}

TEST_F(StoredKinds, CompositeAddsEveryItemOfItsComponents) {
  const Constants sc =
      constants({2, 4, 9, 14, 1, 0.9, 1.0, 0.05, 0, 13, 2, 0.2, 0.1}, sections::kComposite);
  const auto pipe = tube(0.9, 1.0, 0.05);
  const Constants bar = constants({2, 0.2, 0.1}, sections::kSolidBar);
  for (int k = 0; k < 20; ++k) {
    const double from_bar = k < 8 || k == 13 ? bar[k] : 0.0;
    EXPECT_EQ(sc[k], pipe[k] + from_bar) << "item " << k + 1;
  }
  EXPECT_EQ(constants({0, 5, 6}, sections::kComposite)[0], 0.0);  // no components: cleared
}

TEST_F(StoredKinds, NestedCompositeFailsAfterTheComponentsBefore) {
  std::vector<double> cdt = {2, 4, 9, 12, 1, 0.9, 1.0, 0.05, 0, 14, 1};
  int32_t ierr = 0;
  const Constants sc = dispatch(cdt, sections::kComposite, ierr);
  EXPECT_EQ(ierr, -1);
  const auto pipe = tube(0.9, 1.0, 0.05);
  for (int k = 0; k < 20; ++k) EXPECT_EQ(sc[k], pipe[k]);
  const std::vector<std::string> expected = {"", "  *** ERROR IN Comp_StoGeo ***", "",
                                             "  *** ERROR IN GEO2CR ***"};
  EXPECT_EQ(messages(), expected);
}

TEST_F(StoredKinds, FailingComponentStacksTheBlocks) {
  std::vector<double> cdt = {1, 3, 8, 1, 1.2, 1.0, 0.05};
  int32_t ierr = 0;
  dispatch(cdt, sections::kComposite, ierr);
  EXPECT_EQ(ierr, -1);
  const std::vector<std::string> lines = messages();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[2], " * ERROR   IN ROUTINE TUBCRO - INCORRECT GEOMETRY DATA");
  EXPECT_EQ(lines[5], "  *** ERROR IN GEO2CR ***");
  EXPECT_EQ(lines[7], "  *** ERROR IN Comp_StoGeo ***");
  EXPECT_EQ(lines[9], "  *** ERROR IN GEO2CR ***");
}

TEST_F(StoredKinds, CompositePointersAndSizesAreChecked) {
  struct Case {
    std::vector<double> cdt;
    const char* detail;
  };
  std::vector<double> big(120);
  big[0] = 1, big[1] = 3, big[2] = 105, big[3] = 4;  // 100 dimensions
  std::vector<double> largest = big;
  largest[2] = 104;  // 99 dimensions of a kind that computes nothing
  int32_t ierr = 0;
  dispatch(largest, sections::kComposite, ierr);
  EXPECT_EQ(ierr, 0);

  const Case cases[] = {
      {{1, 3, 50, 1, 0.9, 1.0, 0.05, 0, 0, 0},
       "   Dimension positions     4 to    49 not within the    10 values given"},
      {{1, 3, 4, 1, 0.9},
       "   Dimension positions     4 to     3 not within the     5 values given"},
      {{3, 5, 9}, "   Dimension positions     2 to     5 not within the     3 values given"},
      {big, "   Component   1 has   100 dimensions, more than 99"},
  };
  for (const Case& c : cases) {
    std::vector<double> cdt = c.cdt;
    ierr = 0;
    dispatch(cdt, sections::kComposite, ierr);
    EXPECT_EQ(ierr, -1);
    const std::vector<std::string> expected = {"", "  *** ERROR IN Comp_StoGeo ***", c.detail, "",
                                               "  *** ERROR IN GEO2CR ***"};
    EXPECT_EQ(messages(), expected);
    std::remove("fort.17");
  }
}

TEST_F(StoredKinds, KindsWithoutConstantsLeaveEverything) {
  for (const int32_t kind : {4, 0, 7, 22, -1}) {
    std::vector<double> cdt = {1, 2, 3};
    int32_t ierr = -5;
    const Constants sc = dispatch(cdt, kind, ierr);
    EXPECT_EQ(ierr, -5);
    for (const double v : sc) EXPECT_EQ(v, 99.0);
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(StoredKinds, ShortDimensionsAreRefusedNotRead) {
  for (const int32_t kind : {sections::kSolidBar, sections::kPipeInPipe, sections::kComposite}) {
    std::vector<double> cdt = {1};
    int32_t ierr = 0;
    const Constants sc = dispatch(cdt, kind, ierr);
    EXPECT_EQ(ierr, -1) << "kind " << kind;
    EXPECT_EQ(sc[0], kind == sections::kComposite ? 0.0 : 99.0);  // a composite is cleared first
  }
  const std::vector<std::string> lines = messages();
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[1], "  *** ERROR IN BARCRO ***");
  EXPECT_EQ(lines[2], "   Dimension positions     1 to     2 not within the     1 values given");
  EXPECT_EQ(lines[6], "  *** ERROR IN PipnPip ***");
  EXPECT_EQ(lines[11], "  *** ERROR IN Comp_StoGeo ***");
}

}  // namespace
