#include "sif/beams.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support.h"

namespace {

using V = std::vector<double>;

class Beams : public sif_test::SifFile {
 protected:
  // Writes the records of sections numbered 41, 42, ... with dimensions g
  // (mxgepr per section).
  void write(const std::vector<int32_t>& types, const V& g, int32_t mxgepr, int32_t& istat) {
    std::vector<int32_t> external;
    for (std::size_t j = 1; j <= types.size(); ++j)
      external.push_back(static_cast<int32_t>(j) + 40);
    sif::WGBeamG(arrays.ints(external), arrays.reals(g), static_cast<int32_t>(types.size()), mxgepr,
                 arrays.ints(types), kUnit, istat);
  }
};

// Relative comparison at the 9 significant digits of the scaled style (and
// the 10 of the worked examples).
void expect_close(double got, double want) {
  EXPECT_NEAR(got, want, std::fabs(want) * 6e-9) << "want " << want;
}

V section(std::initializer_list<double> dims, std::size_t mxgepr = 20) {
  V g(dims);
  g.resize(mxgepr, 0.0);
  return g;
}

TEST_F(Beams, TubeRecordFromTheWorkedExample) {
  // DY = 1.0, T = 0.05, DI derived as 0.9.
  int32_t istat = 0;
  write({1}, section({0.0, 1.0, 0.05}), 20, istat);
  const auto r = records();
  EXPECT_EQ(istat, 0);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].name, "GBEAMG");
  EXPECT_EQ(r[0].lines, 4);
  const V& v = r[0].values;
  ASSERT_EQ(v.size(), 16u);
  EXPECT_EQ(v[0], 41);
  EXPECT_EQ(v[1], 0);
  expect_close(v[2], 0.1492256552);
  expect_close(v[3], 0.03376230449);
  expect_close(v[4], 0.01688115224);
  expect_close(v[5], 0.01688115224);
  EXPECT_EQ(v[6], 0);
  expect_close(v[7], 0.07088218622);
  expect_close(v[8], 0.01688115224 / 0.5);
  expect_close(v[9], 0.01688115224 / 0.5);
  expect_close(v[10], 0.07475048964);
  expect_close(v[11], 0.07475048964);
  EXPECT_EQ(V(v.begin() + 12, v.end()), V(4, 0.0));
}

TEST_F(Beams, TubeHalfDimensionsComeFromTheOuterDiameter) {
  // DY = 0.5, DI = 0.4, T = 0.05: HZ = HY = 0.25.
  int32_t istat = 0;
  write({1}, section({0.4, 0.5, 0.05}), 20, istat);
  const auto r = records();
  ASSERT_EQ(r.size(), 1u);
  const V& v = r[0].values;
  const double i = (std::pow(0.5, 4) - std::pow(0.4, 4)) * 0.098174773156642914 * 0.5;
  expect_close(v[4], i);
  expect_close(v[8], i / 0.25);
  expect_close(v[9], i / 0.25);
}

TEST_F(Beams, TubeWithoutStoredOuterDiameterGetsFiniteModuli) {
  // DY = 0: the section routine derives DY = DI + 2T = 1.0, and so do the
  // half-dimensions, rather than dividing by zero.
  int32_t istat = 0;
  write({1}, section({0.9, 0.0, 0.05}), 20, istat);
  const std::string out = text();
  EXPECT_EQ(istat, 0);
  EXPECT_EQ(out.find("Infinity"), std::string::npos);
  EXPECT_EQ(out.find("NaN"), std::string::npos);
  const auto r = sif_test::parse_sif(out);
  ASSERT_EQ(r.size(), 1u);
  expect_close(r[0].values[8], 0.01688115224 / 0.5);
  expect_close(r[0].values[9], 0.01688115224 / 0.5);
}

TEST_F(Beams, ISectionRecordFromTheWorkedExample) {
  int32_t istat = 0;
  write({2}, section({1.0, 0.02, 0.5, 0.04, 0.5, 0.04}), 20, istat);
  const auto r = records();
  ASSERT_EQ(r.size(), 1u);
  const V& v = r[0].values;
  expect_close(v[2], 0.0584);
  expect_close(v[3], 3.092266482e-05);
  expect_close(v[4], 0.01051914667);
  expect_close(v[5], 0.0008339466667);
  expect_close(v[7], 0.0184);                  // the web area
  expect_close(v[8], 0.01051914667 / 0.5);     // HZ = H / 2
  expect_close(v[9], 0.0008339466667 / 0.25);  // HY = BB / 2
  expect_close(v[10], 0.02620413721);
  expect_close(v[11], 0.01795689086);
}

TEST_F(Beams, ISectionWithoutBottomFlangeTakesTheTopFlangeWidth) {
  // A web plate with token flanges counts as symmetric by the area test.
  int32_t istat = 0;
  write({2}, section({1.0, 0.02, 0.1, 0.001, 0.0, 0.0}), 20, istat);
  const std::string out = text();
  EXPECT_EQ(istat, 0);
  EXPECT_EQ(out.find("Infinity"), std::string::npos);
  EXPECT_EQ(out.find("NaN"), std::string::npos);
  const auto r = sif_test::parse_sif(out);
  ASSERT_EQ(r.size(), 1u);
  const V& v = r[0].values;
  // Symmetric: BB and TB take BT and TT, while HW = H - TT - TB and the
  // bottom flange area AB = 0 keep the values of the stored TB = 0.
  const double hw = 1.0 - 0.001, at = 0.1 * 0.001, aw = hw * 0.02;
  expect_close(v[2], aw + at);
  const double flange = 0.1 * 0.1 * 0.1 * 0.001;
  const double izz = (flange + std::pow(0.02, 3) * hw + flange) / 12.0;
  expect_close(v[5], izz);
  expect_close(v[9], izz / 0.05);
}

TEST_F(Beams, BoxHalfDimensionsAreHalfHeightAndHalfWidth) {
  // H = 1.0, TW = 0.02, TT = TB = 0.03, B = 0.6.
  int32_t istat = 0;
  write({3}, section({1.0, 0.02, 0.03, 0.03, 0.6}), 20, istat);
  const auto r = records();
  ASSERT_EQ(r.size(), 1u);
  const V& v = r[0].values;
  const double hi = 1.0 - 0.06, bi = 0.6 - 0.04;
  const double iy = (1.0 * 0.6 - hi * hi * hi * bi) / 12.0;
  const double iz = (0.6 * 0.6 * 0.6 * 1.0 - bi * bi * bi * hi) / 12.0;
  expect_close(v[4], iy);
  expect_close(v[5], iz);
  expect_close(v[8], iy / 0.5);
  expect_close(v[9], iz / 0.3);
}

TEST_F(Beams, OnlyTubesISectionsAndBoxesGetARecord) {
  int32_t istat = 0;
  const V tube = section({0.0, 1.0, 0.05});
  V g;
  for (int j = 0; j < 6; ++j) g.insert(g.end(), tube.begin(), tube.end());
  write({0, -3, 4, 5, 11, 1}, g, 20, istat);
  const auto r = records();
  EXPECT_EQ(istat, 0);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].values[0], 46);
}

TEST_F(Beams, ShortColumnsNeverBorrowTheNextSectionsDimensions) {
  // With 5 dimensions per section, the first tube's taper diameter G(6)
  // would be the second tube's G(1) if the columns ran into each other.
  int32_t istat = 0;
  write({1, 1}, {0.9, 1.0, 0.05, 0, 0, 0.8, 1.0, 0.1, 0, 0}, 5, istat);
  const auto r = records();
  EXPECT_EQ(istat, 0);
  ASSERT_EQ(r.size(), 2u);
  expect_close(r[0].values[2], 0.1492256552);
}

TEST_F(Beams, RejectedGeometryStopsWithTheBlocks) {
  // The second section is a box whose walls fill its width.
  int32_t istat = 0;
  V g = section({0.0, 1.0, 0.05});
  const V box = section({1.0, 0.3, 0.03, 0.03, 0.6});
  g.insert(g.end(), box.begin(), box.end());
  g.insert(g.end(), g.begin(), g.begin() + 20);
  write({1, 3, 1}, g, 20, istat);
  EXPECT_EQ(istat, -1);
  const std::string out = text();
  EXPECT_EQ(out.find("GBEAMG"), 0u);
  EXPECT_EQ(out.find("GBEAMG", 1), std::string::npos);
  EXPECT_NE(out.find(" * ERROR   IN ROUTINE BOXCRO  - INCORRECT GEOMETRY DATA\r\n"),
            std::string::npos);
  EXPECT_TRUE(
      out.ends_with("\r\n  *** ERROR IN GEO2CR ***\r\n\r\n  *** ERROR IN WGBeamG  ***\r\n"));
}

TEST_F(Beams, SectionCountBeyondTheArraysIsRefused) {
  int32_t istat = 0;
  sif::WGBeamG(arrays.ints({41}), arrays.reals(section({0.0, 1.0, 0.05})), 2, 20,
               arrays.ints({1, 1}), kUnit, istat);
  EXPECT_LT(istat, 0);
  const std::string out = text();
  EXPECT_EQ(out.find("GBEAMG"), std::string::npos);
  EXPECT_NE(out.find("*** ERROR IN WGBeamG  ***"), std::string::npos);
}

}  // namespace
