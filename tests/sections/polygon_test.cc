#include "sections/polygon.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

#include "section_test.h"
#include "sections/geo2cr.h"

namespace {

using sections::PLYCMP;
using sections::PLYUNP;
using sections::PolygonStatus;
using sections::R4PAIR;

class Polygon : public section_test::SectionTest {
 protected:
  // The constants of kind 9 for cdt; ierr as returned by GEO2CR.
  section_test::Constants constants(std::vector<double>& cdt, int32_t& ierr) {
    ierr = 0;
    return section_test::dispatch(cdt, sections::kPolygon, ierr);
  }
};

// The square of nodes (+-1, +-1) walked round by four segments of thickness 0.1.
std::array<double, 8> square_nodes = {-1, -1, 1, -1, 1, 1, -1, 1};
std::array<double, 4> square_thickness = {0.1, 0.1, 0.1, 0.1};
std::array<int32_t, 8> square_segments = {1, 2, 2, 3, 3, 4, 4, 1};

// Each side has 10 points of area 2 * t / 10 from its start node on. Along a
// side from -1 to 1 the points sit at -1, -0.8, ..., 0.8: their squares sum
// to 3.4 and their magnitudes to 5.0; across it every point is at distance 1.
void expect_square(std::span<const double> sc, double t) {
  const double a = 2 * t / 10;
  const double inertia = 2 * (10 * a) + 2 * (3.4 * a);
  const double modulus = 2 * (10 * a) + 2 * (5.0 * a);
  EXPECT_SIG10(sc[0], 40 * a);
  EXPECT_SIG10(sc[1], inertia / 10);
  EXPECT_SIG10(sc[2], inertia);
  EXPECT_SIG10(sc[3], inertia);
  EXPECT_SIG10(sc[4], modulus);
  EXPECT_SIG10(sc[5], modulus);
  EXPECT_SIG10(sc[6], 20 * a);
  EXPECT_SIG10(sc[7], 20 * a);
  EXPECT_SIG10(sc[8], modulus / 10);
  for (int k = 9; k < 20; ++k) EXPECT_EQ(sc[k], 99.0) << "item " << k + 1;
}

TEST_F(Polygon, SquareInThePlainForm) {
  std::vector<double> cdt(2 + 8 + 12, -5.0);
  int32_t nn = 4, ne = 4;
  ASSERT_EQ(PLYUNP(cdt, square_nodes, square_thickness, square_segments, nn, ne, 1),
            PolygonStatus::kDone);
  const std::vector<double> expected_cdt = {4,   4,   -1,  -1, 1, -1, 1, 1, -1, 1, 0.1,
                                            0.1, 0.1, 0.1, 1,  2, 2,  3, 3, 4,  4, 1};
  EXPECT_EQ(cdt, expected_cdt);
  int32_t ierr = 0;
  const auto sc = constants(cdt, ierr);
  EXPECT_EQ(ierr, 0);
  EXPECT_SIG10(sc[0], 0.8);
  expect_square(sc, 0.1);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Polygon, SquareInTheCompactForm) {
  std::vector<double> cdt(1 + 4 + 4, -5.0);
  int32_t nn = 4, ne = 4;
  ASSERT_EQ(PLYCMP(cdt, square_nodes, square_thickness, square_segments, nn, ne, 1),
            PolygonStatus::kDone);
  int32_t ierr = 0;
  const auto sc = constants(cdt, ierr);
  EXPECT_EQ(ierr, 0);
  expect_square(sc, static_cast<double>(0.1f));  // thicknesses kept in single precision

  // Unpacked through the plain reader, which falls back on the compact form.
  std::array<double, 8> y{};
  std::array<double, 4> t{};
  std::array<int32_t, 8> ic{};
  nn = ne = 0;
  ASSERT_EQ(PLYUNP(cdt, y, t, ic, nn, ne, 2), PolygonStatus::kDone);
  EXPECT_EQ(nn, 4);
  EXPECT_EQ(ne, 4);
  EXPECT_EQ(y, square_nodes);
  EXPECT_EQ(ic, square_segments);
  EXPECT_EQ(t[3], static_cast<double>(0.1f));
}

TEST_F(Polygon, CompactSlotsHoldTwoSinglePrecisionReals) {
  double slot = 0.0;
  double x1 = 1.5, x2 = -2.25;
  R4PAIR(slot, x1, x2, 1);
  unsigned char bytes[8];
  std::memcpy(bytes, &slot, 8);
  float first, second;
  std::memcpy(&first, bytes, 4);
  std::memcpy(&second, bytes + 4, 4);
  EXPECT_EQ(first, 1.5f);
  EXPECT_EQ(second, -2.25f);
  double r1 = 0, r2 = 0;
  R4PAIR(slot, r1, r2, 2);
  EXPECT_EQ(r1, 1.5);
  EXPECT_EQ(r2, -2.25);
  R4PAIR(slot, r1, r2, 3);  // other modes do nothing
  EXPECT_EQ(std::memcmp(bytes, &slot, 8), 0);
  EXPECT_EQ(r1, 1.5);

  // Three nodes and two segments: the code 2003 joins nodes 2 and 3.
  std::vector<double> cdt(6);
  double values[][2] = {{3, 2}, {0, 0}, {1, 0}, {1, 2}, {0.01, 1002}, {0.02, 2003}};
  for (std::size_t k = 0; k < cdt.size(); ++k) R4PAIR(cdt[k], values[k][0], values[k][1], 1);
  std::array<double, 6> y{};
  std::array<double, 2> t{};
  std::array<int32_t, 4> ic{};
  int32_t nn = 0, ne = 0;
  ASSERT_EQ(PLYCMP(cdt, y, t, ic, nn, ne, 2), PolygonStatus::kDone);
  EXPECT_EQ(nn, 3);
  EXPECT_EQ(ne, 2);
  EXPECT_EQ(y, (std::array<double, 6>{0, 0, 1, 0, 1, 2}));
  EXPECT_EQ(ic, (std::array<int32_t, 4>{1, 2, 2, 3}));
  EXPECT_EQ(t[1], static_cast<double>(0.02f));
}

TEST_F(Polygon, LumpedPointsStartAtTheFirstNodeOfEachSegment) {
  // One segment from (1, 2) to (4, 6): length 5, thickness 0.2, in 5 parts.
  std::vector<double> cdt = {2, 1, 1, 2, 4, 6, 0.2, 1, 2};
  std::array<double, 15> pts{};
  int32_t np = 0;
  ASSERT_EQ(sections::PLYLMP(cdt, np, 5, pts), PolygonStatus::kDone);
  EXPECT_EQ(np, 5);
  for (int k = 0; k < 5; ++k) {
    EXPECT_DOUBLE_EQ(pts[3 * k], 1 + 0.6 * k);
    EXPECT_DOUBLE_EQ(pts[3 * k + 1], 2 + 0.8 * k);
    EXPECT_DOUBLE_EQ(pts[3 * k + 2], 0.2);
  }
  std::array<double, 14> short_table{};
  EXPECT_EQ(sections::PLYLMP(cdt, np, 5, short_table), PolygonStatus::kTooLarge);
}

TEST_F(Polygon, FiftySegmentsFitTheLumpedTable) {
  std::vector<double> cdt = {2, 50, 0, 0, 1, 0};
  cdt.insert(cdt.end(), 50, 0.1);
  for (int j = 0; j < 50; ++j) cdt.insert(cdt.end(), {1, 2});
  int32_t ierr = 0;
  const auto sc = constants(cdt, ierr);
  EXPECT_EQ(ierr, 0);
  EXPECT_SIG10(sc[0], 50 * 0.1);
}

TEST_F(Polygon, RefusedDescriptions) {
  struct Case {
    std::vector<double> cdt;
    const char* detail;
  };
  std::vector<double> fifty_one = {2, 51, 0, 0, 1, 0};
  fifty_one.insert(fifty_one.end(), 51, 0.1);
  for (int j = 0; j < 51; ++j) fifty_one.insert(fifty_one.end(), {1, 2});
  std::vector<double> compact_201(1);
  double nodes = 201, segments = 1;
  R4PAIR(compact_201[0], nodes, segments, 1);
  compact_201.resize(203);

  const Case cases[] = {
      {fifty_one, "   Polygon not within 200 nodes and 50 segments"},
      {compact_201, "   Polygon not within 200 nodes and 50 segments"},
      {{4, 4, -1, -1, 1, -1, 1, 1, -1, 1}, "   Polygon description beyond the dimensions given"},
      {{2, 1, 0, 0, 1, 0, 0.1, 1, 3}, "   Segment end node outside the polygon's nodes"},
  };
  for (const Case& c : cases) {
    std::vector<double> cdt = c.cdt;
    int32_t ierr = 0;
    const auto sc = constants(cdt, ierr);
    EXPECT_EQ(ierr, -1);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(sc[k], 99.0);
    const std::vector<std::string> expected = {"", "  *** ERROR IN PLYCRO ***", c.detail, "",
                                               "  *** ERROR IN GEO2CR ***"};
    EXPECT_EQ(messages(), expected);
    std::remove("fort.17");
  }
}

TEST_F(Polygon, PackingRefusesShortArraysAndTables) {
  std::vector<double> cdt(21);
  int32_t nn = 4, ne = 4;
  EXPECT_EQ(PLYUNP(cdt, square_nodes, square_thickness, square_segments, nn, ne, 1),
            PolygonStatus::kBeyondArray);
  nn = 5;
  cdt.resize(100);
  EXPECT_EQ(PLYUNP(cdt, square_nodes, square_thickness, square_segments, nn, ne, 1),
            PolygonStatus::kTooLarge);
  std::vector<double> compact(8);
  nn = 4;
  EXPECT_EQ(PLYCMP(compact, square_nodes, square_thickness, square_segments, nn, ne, 1),
            PolygonStatus::kBeyondArray);
}

}  // namespace
