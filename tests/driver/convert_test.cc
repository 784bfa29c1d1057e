// The converter end to end: the built program on RAF files written by the
// project's writer, its console, its exit status and the SIF file byte for
// byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "support/run.h"
#include "support/temp_dir.h"
#include "writer/frame.h"
#include "writer/write_raf.h"

namespace {

using testing_support::read_file;
using testing_support::RunResult;

constexpr const char* kPrompts =
    " Give RAF File Name Prefix         :  "
    " Give Output File Name             :  "
    " First TORVE step to be written    :  "
    " Last  TORVE step                  :  ";
constexpr const char* kAllocated = "\n\n 1 million words successfully allocated \n\n";

// One record of a SIF file: its name and the values of all its lines.
struct Record {
  std::string name;
  std::vector<double> values;
};

std::vector<Record> parse(const std::string& sif) {
  std::vector<Record> records;
  std::size_t pos = 0;
  while (pos < sif.size()) {
    const std::size_t end = sif.find("\r\n", pos);
    if (end == std::string::npos) break;
    const std::string line = sif.substr(pos, end - pos);
    pos = end + 2;
    const std::string name = line.substr(0, std::min<std::size_t>(8, line.size()));
    if (name.find_first_not_of(' ') != std::string::npos || records.empty()) {
      records.push_back({name.substr(0, name.find_last_not_of(' ') + 1), {}});
    }
    for (std::size_t f = 8; f + 16 <= line.size(); f += 16) {
      records.back().values.push_back(std::stod(line.substr(f, 16)));
    }
  }
  return records;
}

std::vector<Record> named(const std::vector<Record>& records, const std::string& name) {
  std::vector<Record> out;
  std::copy_if(records.begin(), records.end(), std::back_inserter(out),
               [&](const Record& r) { return r.name == name; });
  return out;
}

class Convert : public testing_support::InTempDir {
 protected:
  // Writes model as model.raf and converts it into out.sif with the given
  // step answers.
  RunResult convert(const writer::Model& model, const std::string& first = "",
                    const std::string& last = "", const writer::Options& options = {},
                    std::vector<std::string> args = {}) {
    EXPECT_EQ(writer::write_raf(model, "model.raf", options), 0);
    return run(args, "model\nout.sif\n" + first + "\n" + last + "\n");
  }
  RunResult run(const std::vector<std::string>& args, const std::string& input) {
    return testing_support::run_program(RAF2SIF_BINARY, args, input, dir());
  }
  // The SIF file of a successful run, which never holds a non-finite value.
  std::string sif() {
    const std::string text = read_file("out.sif");
    EXPECT_EQ(text.find("Infinity"), std::string::npos);
    EXPECT_EQ(text.find("NaN"), std::string::npos);
    return text;
  }
};

TEST_F(Convert, TheSampleMatchesItsReferenceFile) {
  const RunResult r = convert(writer::sample_frame());
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(r.out, std::string(kAllocated) + kPrompts);
  EXPECT_EQ(r.err, "");
  EXPECT_FALSE(std::filesystem::exists("fort.17"));
  EXPECT_EQ(sif(), read_file(RAF2SIF_GOLDEN_DIR "/sample.sif"));
}

TEST_F(Convert, StoredStepsAreNumberedInStepOrderInBothPasses) {
  // Steps 3, 5 and 8 of 10 are stored.
  ASSERT_EQ(convert(writer::sample_frame(), "1", "10").status, 0);
  const auto records = parse(sif());
  const auto forces = named(records, "RVFORCES");
  const auto displacements = named(records, "RVNODDIS");
  ASSERT_FALSE(forces.empty());
  ASSERT_FALSE(displacements.empty());
  EXPECT_EQ(forces[0].values, (std::vector<double>{-4, 2, 3, 68}));
  EXPECT_EQ(displacements[0].values, (std::vector<double>{-4, 2, 3, 36}));
  std::vector<double> order;
  for (std::size_t k = 1; k < forces.size(); ++k) order.push_back(forces[k].values[1]);
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
  EXPECT_EQ(order.front(), 1);
  EXPECT_EQ(order.back(), 3);
  EXPECT_EQ(displacements.size(), 1 + 3 * 36u);
  EXPECT_EQ(displacements[1].values[1], 1);
  EXPECT_EQ(displacements.back().values[1], 3);
  EXPECT_EQ(named(records, "RDRESREF").size(), 3u);
  // Blank answers mean the same range.
  const std::string full = read_file("out.sif");
  ASSERT_EQ(convert(writer::sample_frame()).status, 0);
  EXPECT_EQ(read_file("out.sif"), full);
}

TEST_F(Convert, ARangeWithoutStoredStepsHasNoResultValues) {
  for (const auto& [first, last] : {std::pair{"9", "10"}, std::pair{"8", "3"}}) {
    const RunResult r = convert(writer::sample_frame(), first, last);
    EXPECT_EQ(r.status, 0) << first << " " << last;
    const auto records = parse(sif());
    EXPECT_TRUE(named(records, "RVFORCES").empty());
    EXPECT_TRUE(named(records, "RVNODDIS").empty());
    EXPECT_TRUE(named(records, "RDRESREF").empty());
    ASSERT_GE(records.size(), 3u);
    EXPECT_EQ(records[records.size() - 3].name, "RDIELCOR");
    EXPECT_EQ(records.back().values, (std::vector<double>{2, 0, 0, 0}));
  }
}

TEST_F(Convert, APartOfTheRangeAndALastStepBeyondTheTable) {
  ASSERT_EQ(convert(writer::sample_frame(), "4", "6").status, 0);
  EXPECT_EQ(named(parse(sif()), "RVFORCES")[0].values, (std::vector<double>{-4, 2, 1, 68}));
  // Beyond the table of steps the range is cut at its end.
  ASSERT_EQ(convert(writer::sample_frame(), "6", "99999").status, 0);
  EXPECT_EQ(named(parse(sif()), "RVFORCES")[0].values, (std::vector<double>{-4, 2, 1, 68}));
}

TEST_F(Convert, ElementTypesTheSifModelKnowsUnderOtherCodes) {
  writer::Model model = writer::sample_frame();
  writer::Array* meltyp = model.find("MELTYP");
  ASSERT_NE(meltyp, nullptr);
  std::vector<int32_t>& types = meltyp->once.ints;
  // The last four elements become types 48, 481, 49 and 491.
  const std::size_t n = types.size();
  types[n - 4] = 48;
  types[n - 3] = 481;
  types[n - 2] = 49;
  types[n - 1] = 491;
  ASSERT_EQ(convert(model).status, 0);
  const auto elements = named(parse(sif()), "GELMNT1");
  ASSERT_EQ(elements.size(), n);
  EXPECT_EQ(elements[n - 4].values[2], 18);
  EXPECT_EQ(elements[n - 3].values[2], 18);
  EXPECT_EQ(elements[n - 2].values[2], 16);
  EXPECT_EQ(elements[n - 1].values[2], 16);
  const auto refs = named(parse(sif()), "GELREF1");
  const double first_material = model.find("MEXMAT")->once.ints[0];
  const double first_section = model.find("MEXGEO")->once.ints[0];
  for (std::size_t k = n - 4; k < n; ++k) EXPECT_EQ(refs[k].values[1], first_material) << k;
  EXPECT_EQ(refs[n - 2].values[8], first_section);
  EXPECT_EQ(refs[n - 1].values[8], first_section);
}

TEST_F(Convert, ForeignByteOrderAndVersionZeroFilesGiveTheSameSif) {
  ASSERT_EQ(convert(writer::sample_frame()).status, 0);
  const std::string native = sif();
  for (const int32_t type : {8, 12}) {
    writer::Options options;
    options.computer_type = type;
    ASSERT_EQ(convert(writer::sample_frame(), "", "", options).status, 0) << type;
    EXPECT_EQ(sif(), native) << type;
  }
  writer::Options old;
  old.version0 = true;
  ASSERT_EQ(convert(writer::sample_frame(), "", "", old).status, 0);
  EXPECT_EQ(sif(), native);
}

TEST_F(Convert, TheFixedParameterLayoutHasNoPlaceForTheStepRange) {
  writer::Options options;
  options.mstru.layout = writer::MstruLayout::kFixed;
  const RunResult r = convert(writer::sample_frame(), "", "", options);
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(std::filesystem::exists("out.sif"));
  const std::string fort17 = read_file("fort.17");
  EXPECT_NE(fort17.find("PARAMETER NOT FOUND:"), std::string::npos) << fort17;
  EXPECT_TRUE(fort17.ends_with("\r\n  *** ERROR IN Z2EDI   ***\r\n"));
  EXPECT_TRUE(r.out.ends_with("\n Return value from z2edi: -1 \n"));
}

TEST_F(Convert, AWorkArrayTooSmallForTheModel) {
  const RunResult r = convert(writer::sample_frame(), "", "", {}, {"0.002"});
  EXPECT_EQ(r.status, 1);
  const std::string fort17 = read_file("fort.17");
  EXPECT_NE(fort17.find("Insufficient space for array "), std::string::npos) << fort17;
  EXPECT_TRUE(fort17.ends_with("\r\n  *** ERROR IN Z2EDI   ***\r\n"));
}

TEST_F(Convert, AMissingForceRecordGivesExactlyOneFailureChain) {
  writer::Model model = writer::sample_frame();
  model.find("TFLE")->steps.erase(5);
  const RunResult r = convert(model);
  EXPECT_EQ(r.status, 1);
  const std::string text = read_file("out.sif");
  // The forces of the first stored step, then the chain: RAFLIB's report,
  // the array layer's text, the driver's block and the dialogue's block.
  const std::size_t chain = text.find(" *** RAFLIB ERROR");
  ASSERT_NE(chain, std::string::npos) << text;
  EXPECT_EQ(text.find(" *** RAFLIB ERROR", chain + 1), std::string::npos);
  const std::string tail = text.substr(chain);
  const std::size_t arrec1 =
      tail.find("*** ERROR IN ARREC1 ***\nError During Recallin Array: TFLE");
  const std::size_t driver = tail.find("  *** ERROR IN raf2sif   ***");
  const std::size_t dialogue = tail.find("  *** ERROR IN Z2EDI   ***");
  EXPECT_NE(arrec1, std::string::npos) << tail;
  EXPECT_LT(arrec1, driver);
  EXPECT_LT(driver, dialogue);
  EXPECT_TRUE(tail.ends_with("  *** ERROR IN Z2EDI   ***\r\n"));
  for (const char* block : {"ERROR IN ARREC1", "ERROR IN raf2sif", "ERROR IN Z2EDI"}) {
    EXPECT_EQ(tail.find(block, tail.find(block) + 1), std::string::npos) << block;
  }
}

TEST_F(Convert, StoredFlagsBeyondTheStepCountStayInsideTheScratchTable) {
  // Steps 11 to MXSTEP carry no step data but are flagged as stored: a damaged
  // step table. Asking for them walks the flags without writing past the
  // scratch table and fails cleanly on the missing records.
  writer::Model model = writer::sample_frame();
  const int32_t mxglpr = model.parameter("MXGLPR");
  std::vector<int32_t>& mglres = model.find("MGLRES")->once.ints;
  const int32_t mxstep = static_cast<int32_t>(mglres.size()) / mxglpr;
  ASSERT_GT(mxstep, 10);
  for (int32_t step = 11; step <= mxstep; ++step) mglres[(step - 1) * mxglpr + 9] = 1;
  const RunResult r = convert(model, "1", std::to_string(mxstep));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(read_file("out.sif").find("  *** ERROR IN raf2sif   ***"), std::string::npos);
}

TEST_F(Convert, TubeWithoutStoredOuterDiameterAndISectionWithoutBottomFlange) {
  writer::Model model = writer::sample_frame();
  std::vector<double>& g = model.find("TCRGEO")->once.reals;
  const int32_t mxgepr = model.parameter("MXGEPR");
  // Section 1, the tube: DI = 0.3, DY = 0 (derived as DI + 2T), T = 0.0125.
  std::fill(g.begin(), g.begin() + mxgepr, 0.0);
  g[0] = 0.3f;
  g[2] = 0.0125f;
  // Section 2, the I section: a web plate with token flanges and no bottom
  // flange, which the area test counts as symmetric.
  std::fill(g.begin() + mxgepr, g.begin() + 2 * mxgepr, 0.0);
  g[mxgepr + 0] = 1.0f;
  g[mxgepr + 1] = 0.02f;
  g[mxgepr + 2] = 0.1f;
  g[mxgepr + 3] = 0.001f;
  ASSERT_EQ(convert(model).status, 0);
  const auto beams = named(parse(sif()), "GBEAMG");
  const double tube_number = model.find("MEXGEO")->once.ints[0];
  const double i_number = model.find("MEXGEO")->once.ints[1];
  const auto find = [&](double number) {
    return *std::find_if(beams.begin(), beams.end(), [&](const Record& r) {
      return r.values[0] == number && r.values[2] != 0;
    });
  };
  const auto near = [](double got, double want) {
    EXPECT_NEAR(got, want, std::fabs(want) * 6e-9 + 1e-300) << want;
  };
  // The tube as stored in single precision: DI, T; DY = DI + 2T.
  const double di = 0.3f, t = 0.0125f, dy = di + 2 * t;
  const double area = (dy * dy - di * di) * 0.78539818525314331;
  const double torsion = (std::pow(dy, 4) - std::pow(di, 4)) * 0.098174773156642914;
  const Record tube = find(tube_number);
  near(tube.values[2], area);
  near(tube.values[3], torsion);
  near(tube.values[8], torsion * 0.5 / (dy * 0.5));
  near(tube.values[9], torsion * 0.5 / (dy * 0.5));
  // The I section, value by value: BB and TB take BT and TT, HW and the
  // bottom flange area keep the stored zero.
  const double h = 1.0f, ty = 0.02f, bt = 0.1f, tt = 0.001f;
  const double hw = h - tt, at = bt * tt, aw = hw * ty, a = aw + at;
  const double e = ((hw + tt) * at) * 0.5 / a;
  const double zb = tt / 2 + hw / 2 + e, zt = tt / 2 + hw / 2 - e;
  const double iy = aw * e * e + (hw * hw * hw * ty + tt * tt * tt * bt + tt * tt * tt * bt) / 12 +
                    zt * zt * at + zb * zb * 0.0;
  const double iz = (bt * bt * bt * tt + ty * ty * ty * hw + bt * bt * bt * tt) / 12;
  const double qy =
      ((hw / 2 - e) * (hw / 2 - e) * ty / 2 + at * zt + (e + hw / 2) * (e + hw / 2) * ty / 2) * 0.5;
  const double qz = (tt * bt * bt + tt * bt * bt + hw * ty * ty) * 0.125;
  const Record isec = find(i_number);
  EXPECT_EQ(isec.values[1], 0);
  near(isec.values[2], a);
  near(isec.values[3], (ty * ty * ty * hw + 2 * tt * tt * tt * bt) * 0.43333330750465393);
  near(isec.values[4], iy);
  near(isec.values[5], iz);
  EXPECT_EQ(isec.values[6], 0);
  near(isec.values[7], aw);
  near(isec.values[8], iy / (h * 0.5));
  near(isec.values[9], iz / (bt * 0.5));
  near(isec.values[10], (tt + tt) * iz / qz);
  near(isec.values[11], iy * ty / qy);
  EXPECT_EQ(std::vector<double>(isec.values.begin() + 12, isec.values.end()),
            std::vector<double>(4, 0.0));
}

}  // namespace

namespace {

TEST_F(Convert, WithoutComputedSectionsTheResultDefinitionsTakeTheModelsEnd) {
  // Only general sections and no transformations: nothing follows the
  // boundary conditions in the model, so the first result definition takes
  // the place of the model-closing IEND.
  writer::Model model = writer::sample_frame();
  for (int32_t& type : model.find("MGETYP")->once.ints) type = 4;
  model.set_parameter("NTRANS", 0);
  ASSERT_EQ(convert(model).status, 0);
  const auto records = parse(sif());
  const auto first_result = std::find_if(records.begin(), records.end(),
                                         [](const Record& r) { return r.name == "RDFORCES"; });
  ASSERT_NE(first_result, records.end());
  EXPECT_EQ(std::prev(first_result)->name, "BNBCD");
  EXPECT_EQ(named(records, "IEND").size(), 2u);
  EXPECT_EQ(named(records, "GBEAMG").size(), 4u);  // the general sections' own records
}

TEST_F(Convert, AMissingModelArrayStopsTheModelWithItsChain) {
  // An array the model records need ends before the first record with
  // WSIF_GEO's block; one only the result records need ends after the whole
  // model with the array layer's block alone.
  struct Case {
    const char* array;
    const char* blocks;
    bool model_written;
  };
  const Case cases[] = {
      {"MNELNP",
       "  *** ERROR IN ARPOIN ***\r\n"
       "\r\n  *** Array not allocated : MNELNP\r\n\r\n\r\n"
       "\r\n\r\n * ERROR   IN ROUTINE WSIF_GEO  *\r\n",
       false},
      {"MNT",
       "  *** ERROR IN ARGTIP ***\r\n"
       "\r\n  *** Array not allocated : MNT\r\n\r\n\r\n",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.array);
    writer::Model model = writer::sample_frame();
    model.remove(c.array);
    const RunResult r = convert(model);
    EXPECT_EQ(r.status, 1);
    const std::string text = read_file("out.sif");
    EXPECT_TRUE(text.ends_with(std::string(c.blocks) + "\r\n  *** ERROR IN raf2sif   ***\r\n"
                                                       "\r\n  *** ERROR IN Z2EDI   ***\r\n"))
        << text.substr(text.size() > 400 ? text.size() - 400 : 0);
    EXPECT_EQ(text.find("IDENT") != std::string::npos, c.model_written);
    EXPECT_EQ(text.find("BNBCD") != std::string::npos, c.model_written);
    EXPECT_EQ(text.find("RDFORCES"), std::string::npos);  // no result definition
  }
}

}  // namespace

namespace {

TEST_F(Convert, AStepAnswerThatIsNotANumberEndsTheRunBeforeAnySifFile) {
  ASSERT_EQ(writer::write_raf(writer::sample_frame(), "model.raf"), 0);
  const RunResult bad = run({}, "model\nout.sif\n  abc  \n\n");
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "raf2sif: invalid step number: abc\n");
  EXPECT_EQ(bad.out, std::string(kAllocated) +
                         " Give RAF File Name Prefix         :  "
                         " Give Output File Name             :  "
                         " First TORVE step to be written    :  ");
  EXPECT_FALSE(std::filesystem::exists("out.sif"));
  EXPECT_FALSE(std::filesystem::exists("fort.17"));

  const RunResult short_input = run({}, "model\nout.sif\n3\n");
  EXPECT_EQ(short_input.status, 1);
  EXPECT_EQ(short_input.err, "raf2sif: unexpected end of input\n");
  EXPECT_EQ(short_input.out, std::string(kAllocated) + kPrompts);
  EXPECT_FALSE(std::filesystem::exists("out.sif"));
}

}  // namespace
