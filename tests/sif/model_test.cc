#include "sif/model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support.h"

namespace {

using sif_test::names;
using sif_test::parse_sif;
using V = std::vector<double>;
using I = std::vector<int32_t>;

// A model with one of everything: three nodes, a beam and a three-node
// element, a tube, a unit vector, an eccentricity, and elastic, spring,
// plastic and unknown materials.
struct ModelData {
  int32_t nnp = 3, nel = 2, nma = 4, nge = 1, mxmapr = 36, mxgepr = 11, necc = 1, nlc = 1;
  I mnpc = {1, 2, 1, 2, 3}, mpmnpc = {1, 3, 6}, mnpex = {101, 102, 103}, melex = {11, 12};
  I mgetyp = {1}, nboun = {1, 1, 1, 1, 1, 1, 0, 1, 5, 0, 0, 1, 5, 5, 5, 5, 5, 5};
  I melgeo = {1, 0}, melmat = {1, 2}, melecc = {1, 0, 0, 0, 0}, melloc = {1, 0};
  I mexmat = {21, 22, 23, 24}, mexgeo = {7}, mexecc = {4};
  V tcoord = {0, 0, 0, 1.5, 0, 0, 3, -2, 0.25};
  V tcrgeo = {0.5, 0.01, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  V tmapa = V(4 * 36, 1.0);
  V ecc = {0.1, 0.2, 0.3, 0, 0, 0, 0, 0, 0};
  V zloc = {0, 0, 1};
  I meltyp = {15, 24}, matyp = {1, 5, 2, 3}, mexloc = {3};
};

class Model : public sif_test::SifFile {
 protected:
  int32_t write(const ModelData& m) {
    int32_t istat = 0;
    auto& a = arrays;
    sif::WSIF_MODEL(m.nnp, m.nel, m.nma, m.nge, m.mxmapr, m.mxgepr, a.ints(m.mnpc),
                    a.ints(m.mpmnpc), a.ints(m.mnpex), a.ints(m.melex), a.ints(m.mgetyp),
                    a.ints(m.nboun), a.ints(m.melgeo), a.ints(m.melmat), a.ints(m.melecc),
                    a.ints(m.melloc), a.ints(m.mexmat), a.ints(m.mexgeo), a.ints(m.mexecc), m.necc,
                    a.reals(m.tcoord), a.reals(m.tcrgeo), a.reals(m.tmapa), a.reals(m.ecc),
                    a.reals(m.zloc), m.nlc, a.ints(m.meltyp), a.ints(m.matyp), a.ints(m.mexloc),
                    kUnit, kUnit, istat);
    return istat;
  }
};

TEST_F(Model, WritesEveryRecordKindInTheFileOrder) {
  ModelData m;
  m.tmapa[2 * 36 + 7] = 1.0;  // the plastic material has one pair
  ASSERT_EQ(write(m), 0);
  const std::string out = text();
  const auto r = parse_sif(out);
  EXPECT_EQ(names(r), (std::vector<std::string>{
                          "IDENT",   "GNODE",   "GNODE",   "GNODE",   "GCOORD", "GCOORD",  "GCOORD",
                          "GELMNT1", "GELMNT1", "GELREF1", "GELREF1", "GPIPE",  "GUNIVEC", "GECCEN",
                          "MISOSEL", "MGSPRNG", "MISOPL",  "BNBCD",   "BNBCD",  "IEND"}));
  EXPECT_NE(
      out.find("GELMNT1   0.12000000E+02  0.20000000E+01  0.24000000E+02  0.00000000E+00\r\n"
               "          0.10000000E+01  0.20000000E+01  0.30000000E+01  0.00000000E+00\r\n"),
      std::string::npos);
  EXPECT_NE(
      out.find("GELREF1   0.10000000E+01  0.21000000E+02  0.00000000E+00  0.00000000E+00\r\n"
               "          0.00000000E+00  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n"
               "          0.70000000E+01  0.00000000E+00 -0.10000000E+01  0.30000000E+01\r\n"
               "          0.40000000E+01  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n"),
      std::string::npos);
  EXPECT_TRUE(out.ends_with(
      "IEND      0.00000000E+00  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n"));
  EXPECT_EQ(r[6].values, (V{3, 3, -2, 0.25}));
  EXPECT_EQ(r[10].values, (V{2, 22, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(r[11].values[0], 7.0);
  EXPECT_EQ(r[13].values, (V{4, 0.1, 0.2, 0.3}));
  EXPECT_EQ(r[16].values, (V{23, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1}));
  EXPECT_EQ(r[18].values, (V{2, 6, 0, 1, 0, 0, 0, 1}));
}

TEST_F(Model, CountsOfZeroLeaveOnlyTheFrame) {
  ModelData m;
  m.nnp = m.nel = m.nma = m.nge = m.necc = m.nlc = 0;
  ASSERT_EQ(write(m), 0);
  EXPECT_EQ(text(),
            "IDENT     0.10000000E+01  0.10000000E+01  0.00000000E+00  0.00000000E+00\r\n"
            "IEND      0.00000000E+00  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n");
}

TEST_F(Model, StopsAtTheFirstWriterThatFails) {
  ModelData m;
  m.melmat[1] = 9;  // element 2's material lies past MEXMAT
  EXPECT_EQ(write(m), -1);
  const std::string out = text();
  EXPECT_TRUE(
      out.ends_with("\r\n  *** ERROR IN WSIF_GELREF1 ***\r\n"
                    "    INDEX           9 OUT OF RANGE IN MEXMAT FOR ELEMENT         2\r\n"));
  const auto r = parse_sif(out.substr(0, out.find("\r\n\r\n") + 2));
  EXPECT_EQ(r.back().name, "GELREF1");
  EXPECT_EQ(r.size(), 10u);
}

}  // namespace
