#include "sif/nodes.h"

#include <gtest/gtest.h>

#include <vector>

#include "support.h"

namespace {

using sif_test::parse_sif;
using V = std::vector<double>;

class Nodes : public sif_test::SifFile {};

TEST_F(Nodes, GnodeAndGcoordPerNode) {
  int32_t istat = 0;
  sif::WSIF_GNODE(2, arrays.ints({101, 7}), kUnit, istat);
  sif::WSIF_GCOORD(2, arrays.reals({0.0, 0.0, 0.0, 1.5, -2.0, 0.25}), kUnit, istat);
  const std::string out = text();
  EXPECT_EQ(out.substr(0, 74),
            "GNODE     0.10100000E+03  0.10000000E+01  0.60000000E+01  0.12345600E+06\r\n");
  const auto r = parse_sif(out);
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[1].values, (V{7.0, 2.0, 6.0, 123456.0}));
  EXPECT_EQ(r[3].name, "GCOORD");
  EXPECT_EQ(r[3].values, (V{2.0, 1.5, -2.0, 0.25}));
  EXPECT_EQ(istat, 0);
}

TEST_F(Nodes, BnbcdOnlyForNodesWithAFixedCodeAndFiveReadAsZero) {
  int32_t istat = 0;
  sif::WSIF_BNBCD(4,
                  arrays.ints({
                      0, 5,  0, 5, 5, 0,  // free: no record
                      5, 1,  5, 0, 0, 1,  // fixed in 2 and 6
                      1, -1, 0, 0, 0, 0,  // codes adding up to 0: no record
                      1, 1,  1, 1, 1, 1,
                  }),
                  kUnit, istat);
  const std::string out = text();
  EXPECT_EQ(out.substr(0, 74 + 74),
            "BNBCD     0.20000000E+01  0.60000000E+01  0.00000000E+00  0.10000000E+01\r\n"
            "          0.00000000E+00  0.00000000E+00  0.00000000E+00  0.10000000E+01\r\n");
  const auto r = parse_sif(out);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[1].values, (V{4.0, 6.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0}));
}

TEST_F(Nodes, ArraysShorterThanTheNodeCountStopTheWriter) {
  int32_t istat = 0;
  sif::WSIF_GNODE(3, arrays.ints({101, 102}), kUnit, istat);
  EXPECT_EQ(istat, -1);
  sif::WSIF_GCOORD(2, arrays.reals({0.0, 0.0, 0.0, 1.0, 1.0}), kUnit, istat);
  EXPECT_EQ(istat, -2);
  sif::WSIF_BNBCD(1, arrays.ints({1, 1, 1}), kUnit, istat);
  EXPECT_EQ(istat, -3);
  EXPECT_EQ(text(),
            "\r\n  *** ERROR IN WSIF_GNODE ***\r\n"
            "    INDEX           3 OUT OF RANGE IN MNPEX FOR NODE         3\r\n"
            "\r\n  *** ERROR IN WSIF_GCOORD ***\r\n"
            "    COLUMN           2 OUT OF RANGE IN TCOORD FOR NODE         2\r\n"
            "\r\n  *** ERROR IN WSIF_BNBCD ***\r\n"
            "    COLUMN           1 OUT OF RANGE IN NBOUN FOR NODE         1\r\n");
}

}  // namespace
