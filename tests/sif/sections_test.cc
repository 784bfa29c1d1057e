#include "sif/sections.h"

#include <gtest/gtest.h>

#include <vector>

#include "support.h"

namespace {

using sif_test::parse_sif;
using V = std::vector<double>;

class Sections : public sif_test::SifFile {};

constexpr int32_t kDims = 11;

// Section j of type types[j-1] with dimensions G(k) = 10 j + k.
std::vector<double> dimensions(std::size_t sections) {
  std::vector<double> g;
  for (std::size_t j = 1; j <= sections; ++j) {
    for (int k = 1; k <= kDims; ++k) g.push_back(10.0 * j + k);
  }
  return g;
}

TEST_F(Sections, OneRecordPerKnownTypeInItsLayout) {
  const std::vector<int32_t> types = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 11};
  std::vector<int32_t> external;
  for (int32_t j = 1; j <= 12; ++j) external.push_back(100 + j);
  int32_t istat = 0;
  sif::WSIF_GSECT(12, kDims, arrays.ints(types), arrays.ints(external),
                  arrays.reals(dimensions(12)), kUnit, istat);
  EXPECT_EQ(istat, 0);
  const std::string out = text();
  EXPECT_EQ(out.substr(0, 3 * 74),
            "GPIPE     0.10100000E+03  0.11000000E+02  0.12000000E+02  0.13000000E+02\r\n"
            "          0.14000000E+02  0.15000000E+02  0.16000000E+02  0.17000000E+02\r\n"
            "          0.18000000E+02  0.19000000E+02  0.00000000E+00  0.00000000E+00\r\n");
  const auto r = parse_sif(out);
  ASSERT_EQ(sif_test::names(r),
            (std::vector<std::string>{"GPIPE", "GIORH", "GBOX", "GBEAMG", "GLSEC", "GCHAN", "GUSYI",
                                      "GUSYI", "GBARM", "GELTH"}));
  EXPECT_EQ(r[2].values, (V{103, 31, 32, 33, 34, 35, 36, 37, 38, 39, 0, 0}));
  EXPECT_EQ(r[3].values, (V{104, 0, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 0, 0, 0, 0}));
  // G(11) = 61 is not below (51 + 52) / 2.
  EXPECT_EQ(r[4].values, (V{105, 55, 57, 103, 56, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(r[5].values, (V{106, 0, 61, 62, 63, 64, 0, 0, 65, 66, 67, 68, 0, 0, 0, 0}));
  EXPECT_EQ(r[8].values, (V{109, 0, 91, 92, 93, 94, 0, 0, 95, 96, 97, 98, 0, 0, 0, 0}));
  EXPECT_EQ(r[9].values, (V{110, 101, 0, 0}));
}

TEST_F(Sections, AngleFlagWhenG11LiesBelowHalfTheLegs) {
  std::vector<double> g(kDims, 0.0);
  g[0] = 0.1;
  g[1] = 0.08;
  g[10] = 0.0899;
  int32_t istat = 0;
  sif::WSIF_GSECT(1, kDims, arrays.ints({5}), arrays.ints({7}), arrays.reals(g), kUnit, istat);
  const auto r = parse_sif(text());
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].values[7], 1.0);
  EXPECT_DOUBLE_EQ(r[0].values[3], 0.18);
}

TEST_F(Sections, DimensionsPastTheArrayStopTheWriter) {
  // Ten dimensions per section: the angle's G(11) would lie past TCRGEO.
  int32_t istat = 0;
  sif::WSIF_GSECT(2, 10, arrays.ints({1, 5}), arrays.ints({7, 8}),
                  arrays.reals(std::vector<double>(20, 1.0)), kUnit, istat);
  EXPECT_EQ(istat, -1);
  const std::string out = text();
  EXPECT_EQ(out.substr(3 * 74),
            "\r\n  *** ERROR IN WSIF_GSECT ***\r\n"
            "    COLUMN           2 OUT OF RANGE IN TCRGEO FOR SECTION         2\r\n");
}

}  // namespace
