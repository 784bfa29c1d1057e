// The long passes of the model's writers go in two parts at once; the file
// must hold the bytes of one writer's pass, warnings and error blocks
// included. Holding the spare unit open makes the same writers write in one
// part, which gives the bytes to compare with.
#include "sif/passes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sif/elements.h"
#include "sif/model.h"
#include "sif/nodes.h"
#include "sif/results.h"
#include "support.h"

namespace {

constexpr int32_t kCount = 6001;  // nodes and elements: a pass in two parts

class Passes : public sif_test::SifFile {
 protected:
  // A chain of two-node beams, but for element 1500 of type 70 with twelve
  // nodes and beam 4500 with twelve, which COOELM warns about in the second
  // part; a bad node (failing) stops GELMNT1 and the result points at element
  // 5000, and a bad material stops GELREF1 at element 5500; written again
  // with a bad material at 2500 as well, GELREF1 stops in the first part.
  struct Arrays {
    std::vector<int32_t> mnpc, mpmnpc, meltyp, melex, mnpex, melecc, zeros, ones, early;
    std::vector<double> tcoord, trot;
  };

  static Arrays make(bool failing) {
    Arrays a;
    for (int32_t i = 1; i <= kCount; ++i) {
      a.mpmnpc.push_back(static_cast<int32_t>(a.mnpc.size()) + 1);
      const int nodes = i == 1500 || i == 4500 ? 12 : 2;
      for (int k = 0; k < nodes; ++k) a.mnpc.push_back((i + k - 1) % kCount + 1);
      a.meltyp.push_back(i == 1500 ? 70 : 15);
      a.melex.push_back(i + 100);
      a.mnpex.push_back(i + 1000);
      for (int k = 1; k <= 3; ++k) a.tcoord.push_back(i * 0.5 + k);
      for (int k = 1; k <= 9; ++k) a.trot.push_back(k == 1 || k == 5 || k == 9 ? 1.0 : 0.0);
    }
    a.mpmnpc.push_back(static_cast<int32_t>(a.mnpc.size()) + 1);
    a.melecc.assign(a.mnpc.size(), 0);
    a.zeros.assign(kCount, 0);
    a.ones.assign(kCount, 1);
    if (failing) {
      a.mnpc[static_cast<std::size_t>(a.mpmnpc[5000 - 1])] = kCount + 1;
      a.ones[5500 - 1] = 2;
    }
    a.early = a.ones;
    if (failing) a.early[2500 - 1] = 2;
    return a;
  }

  // The file the writers give, in two parts or in one; each writer's status
  // goes to istat.
  std::string write(const Arrays& a, bool two_parts, std::vector<int32_t>& istat) {
    EXPECT_EQ(io::open_formatted(kUnit, "out.sif", io::OpenStatus::kUnknown), 0);
    if (!two_parts) {
      EXPECT_EQ(io::open_formatted(sif::kPartUnit, "spare.txt", io::OpenStatus::kUnknown), 0);
    }
    const io::IntView mnpc = arrays.ints(a.mnpc), mpmnpc = arrays.ints(a.mpmnpc);
    const io::IntView meltyp = arrays.ints(a.meltyp), zeros = arrays.ints(a.zeros);
    const io::IntView one = arrays.ints({7});
    istat.assign(6, 0);
    sif::WSIF_GNODE(kCount, arrays.ints(a.mnpex), kUnit, istat[0]);
    sif::WSIF_GCOORD(kCount, arrays.reals(a.tcoord), kUnit, istat[1]);
    sif::WSIF_GELMNT1(kCount, kCount, mnpc, mpmnpc, arrays.ints(a.melex), meltyp, kUnit, istat[2]);
    sif::WSIF_GELREF1(kCount, mpmnpc, zeros, arrays.ints(a.ones), arrays.ints(a.melecc), zeros, one,
                      one, one, one, kUnit, istat[3]);
    sif::Model m;
    m.nel = kCount;
    m.meltyp = meltyp;
    m.mnpc = mnpc;
    m.mpmnpc = mpmnpc;
    m.melecc = arrays.ints(a.melecc);
    m.tcoord = arrays.reals(a.tcoord);
    m.ecc = arrays.reals({0, 0, 0, 0, 0, 0, 0, 0, 0});
    m.trot = arrays.reals(a.trot);
    sif::WSIF_INI(m, 1, kUnit, istat[4]);
    sif::WSIF_GELREF1(kCount, mpmnpc, zeros, arrays.ints(a.early), arrays.ints(a.melecc), zeros,
                      one, one, one, one, kUnit, istat[5]);
    if (!two_parts) {
      EXPECT_EQ(io::close(sif::kPartUnit), 0);
    }
    return text();
  }
};

TEST_F(Passes, TwoPartsWriteTheBytesOfOnePassWarningsAndErrorBlocksIncluded) {
  ASSERT_EQ(io::close(kUnit), 0);
  for (const bool failing : {false, true}) {
    SCOPED_TRACE(failing ? "failing" : "sound");
    const Arrays a = make(failing);
    std::vector<int32_t> istat_two, istat_one;
    const std::string two = write(a, true, istat_two);
    const std::string one = write(a, false, istat_one);
    EXPECT_TRUE(two == one) << two.size() << " bytes against " << one.size();
    EXPECT_EQ(istat_two, istat_one);
    const std::vector<int32_t> want =
        failing ? std::vector<int32_t>{0, 0, -1, -1, -1, -1} : std::vector<int32_t>(6, 0);
    EXPECT_EQ(istat_two, want);
    // The warning of beam 4500 comes from the second part, once.
    const std::size_t warning = two.find("Actual element number, (internal) :       4500");
    ASSERT_NE(warning, std::string::npos);
    EXPECT_EQ(two.find("Actual element number, (internal) :       4500", warning + 1),
              std::string::npos);
    if (!failing) continue;
    // Each block right after the record of the element before the one that
    // fails: its empty lines, then the header.
    struct Stop {
      const char* header;
      std::size_t empty_lines;
      const char* record;
      std::size_t field;  // of the element's number
      double element;
    };
    for (const Stop& s : {Stop{"  *** ERROR IN WSIF_GELMNT1 ***", 1, "\r\nGELMNT1 ", 1, 4999},
                          Stop{"  *** ERROR IN WSIF_GELREF1 ***", 1, "\r\nGELREF1 ", 0, 5499},
                          Stop{" *** ERROR   IN ROUTINE COOELM ***", 2, "\r\nRDPOINTS", 2, 4999}}) {
      const std::size_t header = two.find(s.header);
      ASSERT_NE(header, std::string::npos) << s.header;
      const std::size_t end = header - 2 * s.empty_lines;
      const std::size_t start = two.rfind(s.record, end) + 2;
      const auto r = sif_test::parse_sif(two.substr(start, end - start));
      ASSERT_EQ(r.size(), 1u) << s.header;
      EXPECT_EQ(r[0].values[s.field], s.element) << s.header;
    }
    // A first part that stops ends the pass: its block closes the file.
    const std::size_t last = two.rfind("  *** ERROR IN WSIF_GELREF1 ***");
    const std::size_t start = two.rfind("\r\nGELREF1 ", last - 2) + 2;
    const auto r = sif_test::parse_sif(two.substr(start, last - 2 - start));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].values[0], 2499);
    EXPECT_EQ(two.substr(two.size() - 23), "FOR ELEMENT      2500\r\n");
  }
}

}  // namespace
