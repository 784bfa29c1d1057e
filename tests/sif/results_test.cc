#include "sif/results.h"

#include <gtest/gtest.h>

#include <vector>

#include "support.h"

namespace {

using sif_test::names;
using sif_test::parse_sif;
using V = std::vector<double>;

class Results : public sif_test::SifFile {
 protected:
  // Element 1: a beam from node 1 (0, 0, 0) to node 2 (2, 4, -6) with
  // eccentricity (0, 0, 1) at its second node; element 2 of type 24.
  io::IntView meltyp = arrays.ints({15, 24});
  io::IntView mnpc = arrays.ints({1, 2, 1, 2});
  io::IntView mpmnpc = arrays.ints({1, 3, 5});
  io::IntView melecc = arrays.ints({0, 1, 0, 0});
  io::RealView tcoord = arrays.reals({0, 0, 0, 2, 4, -6});
  io::RealView ecc = arrays.reals({0, 0, 1, 0, 0, 0, 0, 0, 0});
  io::RealView trot = arrays.reals({1, 2, 3, 4, 5, 6, 7, 8, 9, -1, -1, -1, -1, -1, -1, -1, -1, -1});
  int32_t istat = 0;

  // The model of nel of these elements.
  sif::Model model(int32_t nel) const {
    sif::Model m;
    m.nel = nel;
    m.meltyp = meltyp;
    m.mnpc = mnpc;
    m.mpmnpc = mpmnpc;
    m.melecc = melecc;
    m.tcoord = tcoord;
    m.ecc = ecc;
    m.trot = trot;
    return m;
  }
};

TEST_F(Results, IniWritesTheDefinitionsAndOneResultPointRecordPerBeam) {
  sif::WSIF_INI(model(2), 2, kUnit, istat);
  EXPECT_EQ(istat, 0);
  const std::string out = text();
  EXPECT_EQ(out.substr(0, 2 * 74 + 26),
            "RDFORCES  9.00000000E+00  1.50000000E+01  6.00000000E+00  1.00000000E+00\r\n"
            "          2.00000000E+00  3.00000000E+00  1.00000000E+01  1.10000000E+01\r\n"
            "          1.20000000E+01\r\n");
  const std::string rdpoints =
      "RDPOINTS  3.00000000E+01  1.00000000E+00  1.00000000E+00  1.50000000E+01\r\n"
      "          1.50000000E+01  3.00000000E+00  1.01030000E+04  1.00000000E+00\r\n"
      "          0.00000000E+00  1.00000000E+00  0.00000000E+00  0.00000000E+00\r\n"
      "          0.00000000E+00  2.00000000E+00  1.00000000E+00  2.00000000E+00\r\n"
      "         -2.50000000E+00  3.00000000E+00  2.00000000E+00  4.00000000E+00\r\n"
      "         -5.00000000E+00  1.00000000E+00  4.00000000E+00  7.00000000E+00\r\n"
      "          2.00000000E+00  5.00000000E+00  8.00000000E+00  3.00000000E+00\r\n"
      "          6.00000000E+00  9.00000000E+00\r\n";
  EXPECT_NE(out.find(rdpoints), std::string::npos);
  const auto r = parse_sif(out);
  EXPECT_EQ(names(r),
            (std::vector<std::string>{"RDFORCES", "RDNODRES", "RDPOINTS", "RDPOINTS", "RDIELCOR",
                                      "RDRESREF", "RDRESREF", "RBLODCMB", "RBLODCMB"}));
  EXPECT_EQ(r[1].values, (V{9, 6, 6, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(r[2].values, (V{-4, 2, 1, 2}));
  EXPECT_EQ(r[4].values, (V{8, 15, 0, 0, 0, -1, 0, 1}));
  EXPECT_EQ(r[6].values, (V{10, 2, 1, 2, 0, 0, 0, 10, 2, 0}));
  EXPECT_EQ(r[8].values, (V{7, 2, 0, 1, 2, 1, 0}));
}

TEST_F(Results, IniWithoutBeamsOrStoredSteps) {
  sif::Model m = model(1);
  m.meltyp = arrays.ints({24});
  sif::WSIF_INI(m, 0, kUnit, istat);
  EXPECT_EQ(istat, 0);
  EXPECT_EQ(names(parse_sif(text())),
            (std::vector<std::string>{"RDFORCES", "RDNODRES", "RDPOINTS", "RDIELCOR"}));
}

TEST_F(Results, IniStopsWhenTheCoordinatesOfABeamCannotBeFound) {
  // The beam's second node lies past TCOORD.
  sif::Model m = model(1);
  m.mnpc = arrays.ints({1, 3});
  sif::WSIF_INI(m, 1, kUnit, istat);
  EXPECT_EQ(istat, -1);
  const std::string out = text();
  EXPECT_EQ(out.substr(out.find("RDPOINTS") + 74),
            "\r\n\r\n *** ERROR   IN ROUTINE COOELM ***\r\n"
            "    COLUMN           3 OUT OF RANGE IN TCOORD FOR ELEMENT         1\r\n"
            "\r\n  *** ERROR IN WSIF_INI ***\r\n");
}

TEST_F(Results, IniStopsAtABeamWithoutItsAxes) {
  sif::Model m = model(1);
  m.trot = arrays.reals(V(8, 0.0));
  sif::WSIF_INI(m, 1, kUnit, istat);
  EXPECT_EQ(istat, -1);
  const std::string out = text();
  EXPECT_EQ(out.substr(out.find("RDPOINTS") + 74),
            "\r\n  *** ERROR IN WSIF_INI ***\r\n"
            "    COLUMN           1 OUT OF RANGE IN TROT FOR ELEMENT         1\r\n");
}

TEST_F(Results, ForcesOfBeamsWithSifSignsAndNoRecordForOtherElements) {
  // Element 1 (beam) at TFLE(13), element 2 (type 24), element 3 (beam) at
  // TFLE(1); middle forces 100 i + k.
  V tfle;
  for (int k = 1; k <= 24; ++k) tfle.push_back(k);
  tfle[12] = 0.0;  // a zero force turned negative still prints as zero
  V tmidfo;
  for (int i = 1; i <= 3; ++i) {
    for (int k = 1; k <= 6; ++k) tmidfo.push_back(100 * i + k);
  }
  sif::Model m;
  m.nel = 3;
  m.meltyp = arrays.ints({15, 24, 15});
  m.mpevec = arrays.ints({13, 99, 1});
  const io::RealView f = arrays.reals(tfle);
  const io::RealView middle = arrays.reals(tmidfo);
  for (int32_t isto = 1; isto <= 2; ++isto) sif::WSIF_FOR(m, isto, f, middle, 2, kUnit, istat);
  EXPECT_EQ(istat, 0);
  const std::string out = text();
  EXPECT_EQ(out.substr(0, 74),
            "RVFORCES -4.00000000E+00  2.00000000E+00  2.00000000E+00  3.00000000E+00\r\n");
  EXPECT_EQ(out.find("-0.0"), std::string::npos);
  const auto r = parse_sif(out);
  EXPECT_EQ(names(r),
            (std::vector<std::string>{"RVFORCES", "RVFORCES", "RVFORCES", "RVFORCES", "RVFORCES"}));
  EXPECT_EQ(r[1].values, (V{23,   1,   1,   1,    15,  0,  14,  -15, -16, 17,  -18, 101,
                            -102, 103, 104, -105, 106, 19, -20, 21,  22,  -23, 24}));
  EXPECT_EQ(r[2].values, (V{23,   1,   3,   1,    15,  -1, 2,  -3, -4, 5,   -6, 301,
                            -302, 303, 304, -305, 306, 7,  -8, 9,  10, -11, 12}));
  EXPECT_EQ(r[2].lines, 6);
  EXPECT_EQ(V(r[3].values.begin(), r[3].values.begin() + 3), (V{23, 2, 1}));
  EXPECT_EQ(V(r[4].values.begin(), r[4].values.begin() + 3), (V{23, 2, 3}));
}

TEST_F(Results, ForcesStopAtAPositionPastTfle) {
  sif::Model m;
  m.nel = 1;
  m.meltyp = arrays.ints({15});
  m.mpevec = arrays.ints({14});
  sif::WSIF_FOR(m, 2, arrays.reals(V(24, 1.0)), arrays.reals(V(6, 1.0)), 2, kUnit, istat);
  EXPECT_EQ(istat, -1);
  m.nel = 2;
  m.meltyp = arrays.ints({24, 15});
  m.mpevec = arrays.ints({1});
  sif::WSIF_FOR(m, 2, arrays.reals(V(12, 1.0)), arrays.reals(V(12, 1.0)), 2, kUnit, istat);
  EXPECT_EQ(istat, -2);
  EXPECT_EQ(text(),
            "\r\n  *** ERROR IN WSIF_FOR ***\r\n"
            "    INDEX          25 OUT OF RANGE IN TFLE FOR ELEMENT         1\r\n"
            "\r\n  *** ERROR IN WSIF_FOR ***\r\n"
            "    INDEX           2 OUT OF RANGE IN MPEVEC FOR ELEMENT         2\r\n");
}

// A large pass goes in two parts at once: every record once, in order, the
// same as one writer's; a beam that fails late still has its block right
// after the records before it.
TEST_F(Results, LargePassesInOrderAndAFailureAfterTheRecordsBeforeIt) {
  constexpr int32_t kCount = 9001;
  std::vector<int32_t> types, pointers;
  V tfle, tmidfo, u;
  for (int32_t i = 1; i <= kCount; ++i) {
    types.push_back(i % 3 == 0 ? 24 : 15);
    pointers.push_back(12 * (i - 1) + 1);
    for (int k = 1; k <= 12; ++k) tfle.push_back(i + k / 100.0);
    for (int k = 1; k <= 6; ++k) tmidfo.push_back(-i);
    for (int k = 1; k <= 6; ++k) u.push_back(i * 10 + k);
  }
  sif::Model m;
  m.nel = m.nnp = kCount;
  m.meltyp = arrays.ints(types);
  m.mpevec = arrays.ints(pointers);
  sif::WSIF_FOR(m, 1, arrays.reals(tfle), arrays.reals(tmidfo), 1, kUnit, istat);
  sif::WSIF_DIS(m, 1, arrays.reals(u), 1, kUnit, istat);
  EXPECT_EQ(istat, 0);
  const auto r = parse_sif(text());
  std::vector<double> beams, nodes;
  for (std::size_t k = 1; k < r.size(); ++k) {
    if (r[k].name == "RVFORCES") {
      beams.push_back(r[k].values[2]);
      EXPECT_EQ(r[k].values[6], r[k].values[2] + 0.02) << k;
    }
    if (r[k].name == "RVNODDIS" && r[k].values[0] == 11) {
      nodes.push_back(r[k].values[2]);
      EXPECT_EQ(r[k].values[10], r[k].values[2] * 10 + 6) << k;
    }
  }
  V want_beams, want_nodes;
  for (int32_t i = 1; i <= kCount; ++i) {
    if (i % 3 != 0) want_beams.push_back(i);
    want_nodes.push_back(i);
  }
  EXPECT_EQ(beams, want_beams);
  EXPECT_EQ(nodes, want_nodes);

  pointers[8999 - 1] = 12 * kCount;  // beam 8999 points past TFLE
  m.mpevec = arrays.ints(pointers);
  ASSERT_EQ(io::open_formatted(kUnit, "out.sif", io::OpenStatus::kUnknown), 0);
  sif::WSIF_FOR(m, 2, arrays.reals(tfle), arrays.reals(tmidfo), 1, kUnit, istat);
  EXPECT_EQ(istat, -1);
  const std::string out = text();
  const std::size_t block = out.find("\r\n  *** ERROR IN WSIF_FOR ***\r\n");
  ASSERT_NE(block, std::string::npos);
  EXPECT_EQ(out.substr(block + 31),
            "    INDEX      108023 OUT OF RANGE IN TFLE FOR ELEMENT      8999\r\n");
  const auto written = parse_sif(out.substr(0, block));
  EXPECT_EQ(written.size(), 5999u);
  EXPECT_EQ(written.back().values[2], 8998);
}

TEST_F(Results, DisplacementsOfEveryNodeNumberedByStoredStep) {
  V u;
  for (int n = 1; n <= 3; ++n) {
    for (int k = 1; k <= 6; ++k) u.push_back(10 * n + k);
  }
  const io::RealView uv = arrays.reals(u);
  sif::Model m;
  m.nnp = 3;
  for (int32_t isto = 1; isto <= 2; ++isto) sif::WSIF_DIS(m, isto, uv, 2, kUnit, istat);
  EXPECT_EQ(istat, 0);
  const std::string out = text();
  EXPECT_EQ(out.substr(0, 3 * 74 + 58),
            "RVNODDIS -4.00000000E+00  2.00000000E+00  2.00000000E+00  3.00000000E+00\r\n"
            "RVNODDIS  1.10000000E+01  1.00000000E+00  1.00000000E+00  6.00000000E+00\r\n"
            "          0.00000000E+00  1.10000000E+01  1.20000000E+01  1.30000000E+01\r\n"
            "          1.40000000E+01  1.50000000E+01  1.60000000E+01\r\n");
  const auto r = parse_sif(out);
  ASSERT_EQ(r.size(), 7u);
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(r[k].values[1], k <= 3 ? 1.0 : 2.0);
    EXPECT_EQ(r[k].values[2], (k - 1) % 3 + 1);
  }
  EXPECT_EQ(r[6].values, (V{11, 2, 3, 6, 0, 31, 32, 33, 34, 35, 36}));
}

TEST_F(Results, DisplacementsStopWhenUIsShorterThanTheNodes) {
  sif::Model m;
  m.nnp = 2;
  sif::WSIF_DIS(m, 1, arrays.reals(V(11, 0.0)), 1, kUnit, istat);
  EXPECT_EQ(istat, -1);
  EXPECT_EQ(text(),
            "\r\n  *** ERROR IN WSIF_DIS ***\r\n"
            "    COLUMN           2 OUT OF RANGE IN U FOR NODE         2\r\n");
}

}  // namespace
