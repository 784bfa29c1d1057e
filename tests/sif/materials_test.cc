#include "sif/materials.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support.h"

namespace {

using sif_test::parse_sif;
using V = std::vector<double>;

constexpr int32_t kParams = 36;

class Materials : public sif_test::SifFile {
 protected:
  // Materials of the given types, external numbers 21, 22, ..., parameters
  // T(k) = 100 m + k unless given.
  void write_all(const std::vector<int32_t>& types, std::vector<double> t = {}) {
    const auto n = static_cast<int32_t>(types.size());
    if (t.empty()) {
      for (int32_t m = 1; m <= n; ++m) {
        for (int k = 1; k <= kParams; ++k) t.push_back(100.0 * m + k);
      }
    }
    std::vector<int32_t> external;
    for (int32_t m = 1; m <= n; ++m) external.push_back(20 + m);
    const io::IntView mexmat = arrays.ints(external);
    const io::RealView tmapa = arrays.reals(t);
    const io::IntView matyp = arrays.ints(types);
    sif::WSIF_MISOSEL(n, kParams, mexmat, tmapa, matyp, kUnit, istat);
    sif::WSIF_MGSPRNG(n, kParams, mexmat, tmapa, matyp, kUnit, istat);
    sif::WSIF_MISOPL(n, kParams, mexmat, tmapa, matyp, kUnit, istat);
  }
  int32_t istat = 0;
};

TEST_F(Materials, ElasticAndSpringMaterials) {
  write_all({1, 10, 5, 3});
  EXPECT_EQ(istat, 0);
  const auto r = parse_sif(text());
  ASSERT_EQ(sif_test::names(r), (std::vector<std::string>{"MISOSEL", "MISOSEL", "MGSPRNG"}));
  EXPECT_EQ(r[0].values, (V{21, 101, 102, 104, 0, 105, 1, 103}));
  EXPECT_EQ(r[1].values, (V{22, 201, 202, 204, 0, 205, 0, 0}));
  EXPECT_EQ(r[2].values, (V{23,  6,   301, 302, 303, 304, 305, 306, 308, 309, 310, 311,
                            312, 315, 316, 317, 318, 322, 323, 324, 329, 330, 336}));
  EXPECT_EQ(r[2].lines, 6);
}

TEST_F(Materials, PlasticMaterialWithRoundedPairCount) {
  std::vector<double> t(3 * kParams, 0.0);
  t[0] = 235.0;
  t[7] = 2.5;  // three pairs
  for (int k = 9; k <= 14; ++k) t[k - 1] = k;
  t[kParams + 7] = 0.4;       // none
  t[2 * kParams + 7] = -2.5;  // -3: none
  write_all({2, 2, 2}, t);
  EXPECT_EQ(istat, 0);
  EXPECT_EQ(text(),
            "MISOPL    0.21000000E+02  0.23500000E+03  0.00000000E+00  0.00000000E+00\r\n"
            "          0.00000000E+00  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n"
            "               3\r\n"
            "          0.90000000E+01  0.10000000E+02\r\n"
            "          0.11000000E+02  0.12000000E+02\r\n"
            "          0.13000000E+02  0.14000000E+02\r\n"
            "MISOPL    0.22000000E+02  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n"
            "          0.00000000E+00  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n"
            "               0\r\n"
            "MISOPL    0.23000000E+02  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n"
            "          0.00000000E+00  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n"
            "              -3\r\n");
}

TEST_F(Materials, PairsPastTheArrayStopTheWriter) {
  for (const double t8 : {15.0, 1e300, std::nan("")}) {
    std::vector<double> t(kParams, 0.0);
    t[7] = t8;  // more pairs than the 36 parameters hold
    write_all({2}, t);
  }
  EXPECT_EQ(istat, -3);
  const std::string block =
      "\r\n  *** ERROR IN WSIF_MISOPL ***\r\n"
      "    COLUMN           1 OUT OF RANGE IN TMAPA FOR MATERIAL         1\r\n";
  EXPECT_EQ(text(), block + block + block);
}

}  // namespace
