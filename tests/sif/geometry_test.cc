#include "sif/geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "support.h"

namespace {

using sif_test::parse_sif;
using V = std::vector<double>;

class Geometry : public sif_test::SifFile {
 protected:
  // Nodes 1 (1, 2, 3), 2 (4, 5, 6), 3 (0.1, 0.2, 0.3).
  io::RealView tcoord = arrays.reals({1, 2, 3, 4, 5, 6, 0.1, 0.2, 0.3});
  // Column 1: a plain offset (0.5, 0, -0.5); column 2: a rotation matrix.
  io::RealView ecc = arrays.reals({0.5, 0, -0.5, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  std::array<double, 36> coor;

  Geometry() { coor.fill(-99.0); }

  int32_t cooelm(int32_t iel, const std::vector<int32_t>& mnpc, const std::vector<int32_t>& mpmnpc,
                 const std::vector<int32_t>& melecc, int32_t ndecc = 9,
                 io::RealView ecc_view = {}) {
    int32_t istat = 0;
    sif::COOELM(iel, std::span<double>(coor.data(), 30), arrays.ints(mnpc), arrays.ints(mpmnpc),
                arrays.ints(melecc), tcoord, ndecc == 9 ? ecc : ecc_view, ndecc, 10, kUnit, istat);
    return istat;
  }
};

TEST_F(Geometry, EccentricityVectorRuleUsesTheSinglePrecisionLimit) {
  // |E(4)| + ... + |E(9)| = 1.00000001E-10 lies below the single-precision
  // 1.0E-10 (1.000000013E-10): still a plain offset.
  const io::RealView e = arrays.reals({1, 2, 3, 0.50000001e-10, 0, 0, 0, -0.5e-10, 0,  //
                                       1, 2, 3, 0.6e-10, 0, 0, 0, -0.5e-10, 0});
  EXPECT_EQ(sif::eccentricity_vector(sif::Column(e, 9, 1)), (std::array<double, 3>{1, 2, 3}));
  EXPECT_EQ(sif::eccentricity_vector(sif::Column(e, 9, 2)),
            (std::array<double, 3>{-0.5e-10, 3, 0.6e-10}));
}

TEST_F(Geometry, CooelmAddsEachNodesEccentricity) {
  // Element 2: nodes 1 (no eccentricity: exact coordinates), 2 (offset), 3
  // (rotation rule: E(8), E(3), E(4)).
  EXPECT_EQ(cooelm(2, {3, 1, 2, 3}, {1, 2, 5}, {0, 0, 1, 2}), 0);
  EXPECT_EQ(V(coor.begin(), coor.begin() + 9), (V{1, 2, 3, 4.5, 5, 5.5, 8.1, 3.2, 4.3}));
  EXPECT_EQ(coor[9], -99.0);
  // Three values per column: always the first three.
  const io::RealView ecc3 = arrays.reals({0.5, 0, -0.5, 1, 2, 3});
  EXPECT_EQ(cooelm(1, {1, 2}, {1, 3}, {2, 1}, 3, ecc3), 0);
  EXPECT_EQ(V(coor.begin(), coor.begin() + 6), (V{2, 4, 6, 4.5, 5, 5.5}));
  EXPECT_EQ(text(), "");
}

TEST_F(Geometry, CooelmWarnsAndKeepsTheFirstMaxnodNodes) {
  std::vector<int32_t> mnpc(12, 3);
  mnpc[0] = 1;
  EXPECT_EQ(cooelm(1, mnpc, {1, 13}, std::vector<int32_t>(12, 0)), 0);
  EXPECT_EQ(V(coor.begin(), coor.begin() + 3), (V{1, 2, 3}));
  EXPECT_EQ(V(coor.begin() + 27, coor.begin() + 30), (V{0.1, 0.2, 0.3}));
  EXPECT_EQ(coor[30], -99.0);
  EXPECT_EQ(text(),
            "\r\n\r\n *** Warning from routine COOELM ***\r\n"
            "\r\n\r\n   Number of nodes per element ecceded !\r\n"
            "   Actual element number, (internal) :          1\r\n"
            "   Actual number of element nodes    :         12\r\n"
            "   Max number of element nodes       :         10\r\n");
}

TEST_F(Geometry, CooelmRejectsElementNumbersBelowOneAndBadIndexes) {
  EXPECT_EQ(cooelm(0, {1, 2}, {1, 3}, {0, 0}), -1);
  EXPECT_EQ(coor[0], -99.0);
  EXPECT_EQ(cooelm(1, {1, 4}, {1, 3}, {0, 0}), -1);     // node 4 past TCOORD
  EXPECT_EQ(cooelm(1, {1, 2}, {1, 3}, {0, 3}), -1);     // eccentricity 3 past ECC
  EXPECT_EQ(cooelm(2, {1, 2}, {1, 3}, {0, 0}), -1);     // no MPMNPC(3)
  EXPECT_EQ(cooelm(1, {1, 2}, {1, 4}, {0, 0, 0}), -1);  // list past MNPC
  const std::string head = "\r\n\r\n *** ERROR   IN ROUTINE COOELM ***\r\n";
  EXPECT_EQ(text(),
            head + head +
                "    COLUMN           4 OUT OF RANGE IN TCOORD FOR ELEMENT         1\r\n" + head +
                "    COLUMN           3 OUT OF RANGE IN ECC FOR ELEMENT         1\r\n" + head +
                "    INDEX           3 OUT OF RANGE IN MPMNPC FOR ELEMENT         2\r\n" + head +
                "    INDEX           3 OUT OF RANGE IN MNPC FOR ELEMENT         1\r\n");
}

TEST_F(Geometry, BntrcosSkipsUnnumberedAndAllZeroTransformations) {
  const double just_above = std::sqrt(0.00100000002);  // below the single-precision 0.001
  const io::RealView r = arrays.reals({
      1,          0,      0, 0, 1, 0, 0, 0, 1,  // identity
      0,          0,      0, 0, 0, 0, 0, 0, 0,  // all zero
      just_above, 0,      0, 0, 0, 0, 0, 0, 0,  // nearly zero
      1,          0,      0, 0, 1, 0, 0, 0, 1,  // external number 0
      0,          0.0317, 0, 0, 0, 0, 0, 0, 0,  // 0.00100489: written
  });
  int32_t istat = 0;
  sif::WSIF_BNTRCOS(5, r, arrays.ints({5, 6, 7, 0, 9}), kUnit, istat);
  EXPECT_EQ(istat, 0);
  const std::string out = text();
  EXPECT_EQ(out.substr(0, 3 * 74),
            "BNTRCOS   0.50000000E+01  0.10000000E+01  0.00000000E+00  0.00000000E+00\r\n"
            "          0.00000000E+00  0.10000000E+01  0.00000000E+00  0.00000000E+00\r\n"
            "          0.00000000E+00  0.10000000E+01  0.00000000E+00  0.00000000E+00\r\n");
  const auto records = parse_sif(out);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].values[0], 9.0);
}

TEST_F(Geometry, BntrcosStopsAtAColumnPastRntran) {
  int32_t istat = 0;
  sif::WSIF_BNTRCOS(2, arrays.reals(V(12, 1.0)), arrays.ints({1, 2}), kUnit, istat);
  EXPECT_EQ(istat, -1);
  EXPECT_EQ(text().substr(3 * 74),
            "\r\n  *** ERROR IN WSIF_BNTRCOS ***\r\n"
            "    COLUMN           2 OUT OF RANGE IN RNTRAN FOR TRANSFORMATION         2\r\n");
}

}  // namespace
