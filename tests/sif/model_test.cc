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
  int32_t write(const ModelData& d) {
    auto& a = arrays;
    sif::Model m;
    m.nnp = d.nnp;
    m.nel = d.nel;
    m.nma = d.nma;
    m.nge = d.nge;
    m.nlc = d.nlc;
    m.necc = d.necc;
    m.mxmapr = d.mxmapr;
    m.mxgepr = d.mxgepr;
    m.mnpc = a.ints(d.mnpc);
    m.mpmnpc = a.ints(d.mpmnpc);
    m.mnpex = a.ints(d.mnpex);
    m.melex = a.ints(d.melex);
    m.mgetyp = a.ints(d.mgetyp);
    m.nboun = a.ints(d.nboun);
    m.melgeo = a.ints(d.melgeo);
    m.melmat = a.ints(d.melmat);
    m.melecc = a.ints(d.melecc);
    m.melloc = a.ints(d.melloc);
    m.mexmat = a.ints(d.mexmat);
    m.mexgeo = a.ints(d.mexgeo);
    m.mexecc = a.ints(d.mexecc);
    m.meltyp = a.ints(d.meltyp);
    m.matyp = a.ints(d.matyp);
    m.mexloc = a.ints(d.mexloc);
    m.tcoord = a.reals(d.tcoord);
    m.tcrgeo = a.reals(d.tcrgeo);
    m.tmapa = a.reals(d.tmapa);
    m.ecc = a.reals(d.ecc);
    m.zloc = a.reals(d.zloc);
    int32_t istat = 0;
    sif::WSIF_MODEL(m, kUnit, istat);
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
