#include "sif/elements.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "support.h"

namespace {

using sif_test::parse_sif;
using V = std::vector<double>;

class Elements : public sif_test::SifFile {
 protected:
  // Elements of the given types and node counts, nodes numbered 1, 2, ...
  // through the whole list.
  std::vector<sif_test::Record> gelmnt1(const std::vector<int32_t>& types,
                                        const std::vector<int32_t>& counts) {
    std::vector<int32_t> mpmnpc{1};
    for (const int32_t n : counts) mpmnpc.push_back(mpmnpc.back() + n);
    std::vector<int32_t> mnpc(mpmnpc.back() - 1);
    std::iota(mnpc.begin(), mnpc.end(), 1);
    std::vector<int32_t> melex(types.size());
    std::iota(melex.begin(), melex.end(), 501);
    int32_t istat = 0;
    sif::WSIF_GELMNT1(static_cast<int32_t>(types.size()), static_cast<int32_t>(mnpc.size()),
                      arrays.ints(mnpc), arrays.ints(mpmnpc), arrays.ints(melex),
                      arrays.ints(types), kUnit, istat);
    EXPECT_EQ(istat, 0);
    return parse_sif(text());
  }
};

TEST_F(Elements, Gelmnt1NodeLinesOfOrdinaryElements) {
  const auto r = gelmnt1({15, 24, 24, 24}, {2, 3, 9, 13});
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].values, (V{501, 1, 15, 0, 1, 2, 0, 0}));
  EXPECT_EQ(r[1].values, (V{502, 2, 24, 0, 3, 4, 5, 0}));
  EXPECT_EQ(r[2].lines, 4);  // a ninth node takes a third node line
  EXPECT_EQ(V(r[2].values.begin() + 12, r[2].values.end()), (V{14, 0, 0, 0}));
  // Nodes past the twelfth are not written.
  EXPECT_EQ(r[3].values.size(), 16u);
  EXPECT_EQ(r[3].values.back(), 26.0);
}

TEST_F(Elements, Gelmnt1OfType70WritesEveryNode) {
  const auto r = gelmnt1({70, 70, 70}, {20, 70, 0});
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].lines, 6);
  EXPECT_EQ(V(r[0].values.begin(), r[0].values.begin() + 5), (V{501, 1, 70, 20, 1}));
  EXPECT_EQ(r[0].values.back(), 20.0);
  // More nodes than one piece of node lines holds, and more than 30.
  EXPECT_EQ(r[1].lines, 1 + 18);
  ASSERT_EQ(r[1].values.size(), 4u + 70u);
  for (int k = 0; k < 70; ++k) EXPECT_EQ(r[1].values[4 + k], 21.0 + k);
  EXPECT_EQ(r[2].values, (V{503, 3, 70, 0}));
}

TEST_F(Elements, Gelref1CommonEccentricityOrOnePerNode) {
  // Eccentricities by element: 2 nodes (4, 4), 2 nodes (4, 7), 1 node (7),
  // 3 nodes (9, 7, 4), 4 nodes (4, 4, 4, 4), 4 nodes (4, 4, none, 4), 5 nodes
  // (9, 4, 7, 7, 7).
  const std::vector<int32_t> counts = {2, 2, 1, 3, 4, 4, 5};
  std::vector<int32_t> mpmnpc{1};
  for (const int32_t n : counts) mpmnpc.push_back(mpmnpc.back() + n);
  const std::vector<int32_t> melecc = {1, 1, 1, 2, 2, 3, 2, 1, 1, 1, 1,
                                       1, 1, 1, 0, 1, 3, 1, 2, 2, 2};
  int32_t istat = 0;
  sif::WSIF_GELREF1(7, arrays.ints(mpmnpc), arrays.ints({1, 0, 1, 1, 1, 1, 1}),
                    arrays.ints({2, 1, -3, 1, 1, 1, 1}), arrays.ints(melecc),
                    arrays.ints({0, 1, 1, 1, 1, 1, 1}), arrays.ints({31, 32}), arrays.ints({41}),
                    arrays.ints({4, 7, 9}), arrays.ints({61}), kUnit, istat);
  EXPECT_EQ(istat, 0);
  const std::string out = text();
  EXPECT_EQ(out.substr(0, 3 * 74),
            "GELREF1   0.10000000E+01  0.32000000E+02  0.00000000E+00  0.00000000E+00\r\n"
            "          0.00000000E+00  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n"
            "          0.41000000E+02  0.00000000E+00  0.40000000E+01  0.00000000E+00\r\n");
  const auto r = parse_sif(out);
  ASSERT_EQ(r.size(), 7u);
  // Internal numbers 0 or less stand for themselves.
  EXPECT_EQ(r[1].values, (V{2, 31, 0, 0, 0, 0, 0, 0, 0, 0, -1, 61, 4, 7, 0, 0}));
  EXPECT_EQ(r[2].values, (V{3, -3, 0, 0, 0, 0, 0, 0, 41, 0, 7, 61}));
  EXPECT_EQ(r[3].values, (V{4, 31, 0, 0, 0, 0, 0, 0, 41, 0, 9, 61}));
  EXPECT_EQ(r[4].values, (V{5, 31, 0, 0, 0, 0, 0, 0, 41, 0, 4, 61}));
  // An internal eccentricity of 0 is no eccentricity.
  EXPECT_EQ(r[5].values, (V{6, 31, 0, 0, 0, 0, 0, 0, 41, 0, -1, 61, 4, 4, 0, 4}));
  EXPECT_EQ(r[6].values, (V{7, 31, 0, 0, 0, 0, 0, 0, 41, 0, 9, 61}));
}

TEST_F(Elements, GunivecSkipsExternalNumberZeroAndGeccenReadsTheRotationRule) {
  int32_t istat = 0;
  sif::WSIF_GUNIVEC(2, arrays.reals({1.0, 0.0, 0.0, 0.0, 0.0, 1.0}), arrays.ints({0, 8}), kUnit,
                    istat);
  sif::WSIF_GECCEN(2, arrays.ints({4, 5}),
                   arrays.reals({0.1, 0.2, 0.3, 1e-11, 0.0, 0.0, 0.0, -5e-11, 0.0,  // offset
                                 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0}),
                   kUnit, istat);
  EXPECT_EQ(istat, 0);
  const auto r = parse_sif(text());
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].values, (V{8, 0, 0, 1}));
  EXPECT_EQ(r[1].values, (V{4, 0.1, 0.2, 0.3}));
  EXPECT_EQ(r[2].values, (V{5, 8.0, 3.0, 4.0}));
}

TEST_F(Elements, Gelmnt1RefusesNodesTheModelDoesNotHave) {
  // Two nodes. Element 2 (a spring, whose node no coordinate look-up checks)
  // lists node 3, or element 3 (type 70) node 0: the elements before it are
  // written, then the block.
  struct Case {
    std::vector<int32_t> mnpc;
    const char* node;
    const char* element;
    std::size_t written;
  };
  for (const Case& c : {Case{{1, 2, 3, 1, 2}, "3", "2", 1}, Case{{1, 2, 2, 1, 0}, "0", "3", 2}}) {
    ASSERT_EQ(io::open_formatted(kUnit, "out.sif", io::OpenStatus::kUnknown), 0);
    int32_t istat = 0;
    sif::WSIF_GELMNT1(3, 2, arrays.ints(c.mnpc), arrays.ints({1, 3, 4, 6}), arrays.ints({1, 2, 3}),
                      arrays.ints({15, 18, 70}), kUnit, istat);
    EXPECT_EQ(istat, -1);
    const std::string t = text();
    std::size_t written = 0;
    for (std::size_t at = 0; (at = t.find("GELMNT1", at)) != std::string::npos; ++at) ++written;
    EXPECT_EQ(written, c.written + 1);  // and the block's header
    EXPECT_TRUE(
        t.ends_with(std::string("\r\n  *** ERROR IN WSIF_GELMNT1 ***\r\n    INDEX           ") +
                    c.node + " OUT OF RANGE IN MNPEX FOR ELEMENT         " + c.element + "\r\n"))
        << t;
  }
}

TEST_F(Elements, NodeListsMustHaveACountAndLieInMnpc) {
  // Element 2 of MPMNPC 1, 3, 1 has -2 nodes; element 1 of MPMNPC 1, 20 has
  // 19, of which 12 are written, but MNPC ends at 13.
  std::vector<int32_t> mnpc(13, 1);
  int32_t istat = 0;
  sif::WSIF_GELMNT1(2, 1, arrays.ints({1, 1}), arrays.ints({1, 3, 1}), arrays.ints({1, 2}),
                    arrays.ints({15, 15}), kUnit, istat);
  sif::WSIF_GELMNT1(1, 1, arrays.ints(mnpc), arrays.ints({1, 20}), arrays.ints({1}),
                    arrays.ints({15}), kUnit, istat);
  EXPECT_EQ(istat, -2);
  const std::string t = text();
  EXPECT_NE(t.find("    COUNT          -2 OUT OF RANGE IN MPMNPC FOR ELEMENT         2\r\n"),
            std::string::npos)
      << t;
  EXPECT_TRUE(t.ends_with("    INDEX          19 OUT OF RANGE IN MNPC FOR ELEMENT         1\r\n"))
      << t;
}

TEST_F(Elements, IndexesOutOfRangeStopTheWriter) {
  int32_t istat = 0;
  // Element 2's node list ends past MNPC.
  sif::WSIF_GELMNT1(2, 3, arrays.ints({1, 2, 3}), arrays.ints({1, 3, 5}), arrays.ints({1, 2}),
                    arrays.ints({15, 15}), kUnit, istat);
  EXPECT_EQ(istat, -1);
  // Element 1's material 3 lies past MEXMAT.
  sif::WSIF_GELREF1(1, arrays.ints({1, 2}), arrays.ints({0}), arrays.ints({3}), arrays.ints({0}),
                    arrays.ints({0}), arrays.ints({31, 32}), {}, {}, {}, kUnit, istat);
  EXPECT_EQ(istat, -2);
  // Element 1's eccentricity 2 lies past MEXECC.
  sif::WSIF_GELREF1(1, arrays.ints({1, 2}), arrays.ints({0}), arrays.ints({0}), arrays.ints({2}),
                    arrays.ints({0}), {}, {}, arrays.ints({4}), {}, kUnit, istat);
  EXPECT_EQ(istat, -3);
  const auto r = parse_sif(text().substr(0, 2 * 74));
  EXPECT_EQ(r.size(), 1u);  // element 1 was written
  EXPECT_EQ(text().substr(2 * 74),
            "\r\n  *** ERROR IN WSIF_GELMNT1 ***\r\n"
            "    INDEX           4 OUT OF RANGE IN MNPC FOR ELEMENT         2\r\n"
            "\r\n  *** ERROR IN WSIF_GELREF1 ***\r\n"
            "    INDEX           3 OUT OF RANGE IN MEXMAT FOR ELEMENT         1\r\n"
            "\r\n  *** ERROR IN WSIF_GELREF1 ***\r\n"
            "    INDEX           2 OUT OF RANGE IN MEXECC FOR ELEMENT         1\r\n");
}

}  // namespace
