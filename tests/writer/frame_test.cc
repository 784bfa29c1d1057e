// The generated frames are consistent models: every index a model array
// holds lies within the array it indexes, counts agree with the
// parameters, and the stored flags agree with the result records.
#include "writer/frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "writer/write_raf.h"

namespace {

using writer::Model;

class Consistency {
 public:
  explicit Consistency(const Model& m) : m_(m) {}

  int64_t size(const std::string& name) const {
    const writer::Array* a = m_.find(name);
    return a == nullptr ? -1 : static_cast<int64_t>(a->once.size());
  }
  const std::vector<int32_t>& ints(const std::string& name) const {
    return m_.find(name)->once.ints;
  }
  int32_t p(const std::string& name) const { return m_.parameter(name); }

  // Every value of array name lies in lo .. hi.
  void expect_within(const std::string& name, int64_t lo, int64_t hi) const {
    for (const int32_t v : ints(name)) {
      ASSERT_TRUE(v >= lo && v <= hi) << name << " holds " << v << " outside " << lo << ".." << hi;
    }
  }

  void check() const {
    const int64_t nnp = p("NNP"), nel = p("NEL"), nma = p("NMA"), nge = p("NGE"), nlc = p("NLC");
    const int64_t necc = p("NECC"), ntrans = p("NTRANS"), mxgepr = p("MXGEPR");
    const int64_t mxmapr = p("MXMAPR"), mxglpr = p("MXGLPR"), mxstep = p("MXSTEP");
    for (const auto& [name, expected] :
         std::vector<std::pair<std::string, int64_t>>{{"MNPEX", nnp},
                                                      {"TCOORD", 3 * nnp},
                                                      {"NBOUN", 6 * nnp},
                                                      {"MNT", nnp},
                                                      {"MELEX", nel},
                                                      {"MELTYP", nel},
                                                      {"MELMAT", nel},
                                                      {"MELGEO", nel},
                                                      {"MELLOC", nel},
                                                      {"MPEVEC", nel},
                                                      {"MPMNPC", nel + 1},
                                                      {"TROT", 9 * nel},
                                                      {"MEXMAT", nma},
                                                      {"MATYP", nma},
                                                      {"TMAPA", mxmapr * nma},
                                                      {"MEXGEO", nge},
                                                      {"MGETYP", nge},
                                                      {"TCRGEO", mxgepr * nge},
                                                      {"MEXLOC", nlc},
                                                      {"ZLOC", 3 * nlc},
                                                      {"MEXECC", necc},
                                                      {"ECC", 9 * necc},
                                                      {"MEXTRA", ntrans},
                                                      {"RNTRAN", 9 * ntrans},
                                                      {"MNELNP", nnp + 1},
                                                      {"MGLRES", mxglpr * mxstep},
                                                      {"TGLRES", mxglpr * mxstep}}) {
      EXPECT_EQ(size(name), expected) << name;
    }
    const auto& mpmnpc = ints("MPMNPC");
    EXPECT_EQ(mpmnpc.front(), 1);
    EXPECT_TRUE(std::is_sorted(mpmnpc.begin(), mpmnpc.end()));
    EXPECT_EQ(mpmnpc.back(), size("MNPC") + 1);
    EXPECT_EQ(size("MELECC"), size("MNPC"));
    expect_within("MNPC", 1, nnp);
    expect_within("MELECC", 0, necc);
    expect_within("MELMAT", 1, nma);
    expect_within("MELGEO", 0, nge);
    expect_within("MELLOC", 0, nlc);
    expect_within("MNT", 0, ntrans);
    expect_within("MGETYP", 1, 10);
    const auto& mnelnp = ints("MNELNP");
    EXPECT_EQ(mnelnp.back(), size("MELNP") + 1);
    expect_within("MELNP", 1, nel);
    for (std::size_t i = 0; i < static_cast<std::size_t>(nel); ++i) {
      if (ints("MELTYP")[i] == 15) {
        EXPECT_EQ(mpmnpc[i + 1] - mpmnpc[i], 2) << "a beam has two nodes";
      }
    }
    // Plasticity pairs fit the material parameters.
    const auto& matyp = ints("MATYP");
    const auto& tmapa = m_.find("TMAPA")->once.reals;
    for (std::size_t k = 0; k < matyp.size(); ++k) {
      if (matyp[k] == 2) {
        EXPECT_LE(8 + 2 * tmapa[k * mxmapr + 7], mxmapr);
      }
    }
    // Stored flags: only on steps present, each with its results, whose
    // element and node slots fit.
    const auto& mglres = ints("MGLRES");
    int stored = 0;
    for (int32_t j = 1; j <= mxstep; ++j) {
      const std::size_t c = static_cast<std::size_t>(j - 1) * mxglpr;
      const bool present = mglres[c + 1] != 0 || mglres[c + 2] != 0;
      EXPECT_EQ(present, j <= m_.nstep) << "step " << j;
      if (mglres[c + 9] == 0) continue;
      ++stored;
      EXPECT_LE(j, m_.nstep);
      for (const char* name : {"TFLE", "TMIDFO", "U"}) {
        ASSERT_EQ(m_.find(name)->steps.count(j), 1u) << name << " step " << j;
      }
      const auto tfle = static_cast<int32_t>(m_.find("TFLE")->steps.at(j).size());
      for (const int32_t at : ints("MPEVEC")) EXPECT_LE(at + 11, tfle);
      EXPECT_EQ(m_.find("TMIDFO")->steps.at(j).size(), static_cast<std::size_t>(6 * nel));
      EXPECT_EQ(m_.find("U")->steps.at(j).size(), static_cast<std::size_t>(6 * nnp));
    }
    EXPECT_EQ(stored, static_cast<int>(m_.find("TFLE")->steps.size()));
    EXPECT_EQ(p("LSTSTO"),
              m_.find("TFLE")->steps.empty() ? 0 : m_.find("TFLE")->steps.rbegin()->first);
  }

 private:
  const Model& m_;
};

TEST(Frame, TheSampleIsConsistent) {
  const Model m = writer::sample_frame();
  Consistency(m).check();
  EXPECT_EQ(m.parameter("NNP"), 36);
  EXPECT_EQ(m.parameter("NEL"), 68);
  EXPECT_EQ(m.parameter("NBEAM"), 63);
  EXPECT_EQ(m.nstep, 10);
  std::vector<int32_t> stored;
  for (const auto& [step, values] : m.find("U")->steps) stored.push_back(step);
  EXPECT_EQ(stored, (std::vector<int32_t>{3, 5, 8}));
  // Every section kind, material kind and the mapped element types occur.
  const auto& meltyp = m.find("MELTYP")->once.ints;
  for (const int32_t type : {15, 18, 48, 49, 70}) {
    EXPECT_NE(std::find(meltyp.begin(), meltyp.end(), type), meltyp.end()) << type;
  }
  EXPECT_EQ(m.find("MATYP")->once.ints, (std::vector<int32_t>{1, 2, 5, 10, 1}));
  EXPECT_EQ(m.find("MGETYP")->once.ints, (std::vector<int32_t>{1, 2, 3, 4}));
  const auto& melecc = m.find("MELECC")->once.ints;
  EXPECT_GT(std::count_if(melecc.begin(), melecc.end(), [](int32_t e) { return e > 0; }), 0);
  // Values of "RE" arrays are single-precision values.
  for (const writer::Array& a : m.arrays) {
    if (a.type != "RE") continue;
    for (const double v : a.once.reals)
      EXPECT_EQ(v, static_cast<double>(static_cast<float>(v))) << a.name;
  }
}

TEST(Frame, LargeFramesHaveTheCountsAskedFor) {
  for (const auto& [nodes, elements, steps] :
       {std::tuple{1, 3, 1}, std::tuple{250, 100, 2}, std::tuple{500, 5000, 3},
        std::tuple{20000, 20000, 20}}) {
    SCOPED_TRACE(::testing::Message() << nodes << " nodes " << elements << " elements");
    const Model m = writer::large_frame(nodes, elements, steps);
    EXPECT_EQ(m.parameter("NNP"), nodes);
    EXPECT_EQ(m.parameter("NEL"), elements);
    EXPECT_EQ(m.nstep, 2 * steps);
    EXPECT_EQ(m.find("U")->steps.size(), static_cast<std::size_t>(steps));
    Consistency(m).check();
  }
}

class FrameFiles : public testing_support::InTempDir {};

TEST_F(FrameFiles, TheSameArgumentsWriteTheSameFile) {
  ASSERT_EQ(writer::write_raf(writer::sample_frame(), "a.raf"), 0);
  ASSERT_EQ(writer::write_raf(writer::sample_frame(), "b.raf"), 0);
  const std::string a = testing_support::read_file("a.raf");
  const std::string b = testing_support::read_file("b.raf");
  // The key's time stamps (characters 61 to 108) aside.
  ASSERT_EQ(a.size(), b.size());
  EXPECT_EQ(a.substr(0, 60), b.substr(0, 60));
  EXPECT_EQ(a.substr(108), b.substr(108));
}

}  // namespace
