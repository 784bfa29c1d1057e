// rafinfo end to end: the built program on RAF files written by the
// project's writer, its output, its exit status and the files it must leave
// as they are.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "arrays/work_space.h"
#include "info/gather.h"
#include "info/text_report.h"
#include "info_test.h"
#include "support/json.h"
#include "support/run.h"
#include "writer/frame.h"

namespace {

using testing_support::Json;
using testing_support::read_file;
using testing_support::RunResult;

class Rafinfo : public info_test::InfoTest {
 protected:
  RunResult run(const std::vector<std::string>& args) {
    return testing_support::run_program(RAFINFO_BINARY, args, "", dir());
  }
  Json json(const RunResult& r) {
    Json v;
    EXPECT_TRUE(testing_support::JsonReader(r.out).read(v)) << r.out;
    return v;
  }
};

TEST_F(Rafinfo, TheSample) {
  write(writer::sample_frame(), "sample.raf");
  const RunResult r = run({"sample.raf"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.rfind("RAF file sample.raf\n\nKey\n  identification    RAFLIB\n", 0), 0u)
      << r.out;
  EXPECT_NE(r.out.find("  stored            3: 3 5 8\n"), std::string::npos) << r.out;
  // The work space the converter sizes itself by.
  int32_t st = 0;
  const int64_t words = arrays::work_words("sample.raf", st);
  EXPECT_NE(r.out.find("  work space        " + std::to_string(words) + " words, raf2sif 1\n"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.out, info::text_report(facts("sample.raf")));
  const auto files = std::filesystem::directory_iterator(dir());
  EXPECT_EQ(std::distance(begin(files), end(files)), 1) << "rafinfo writes no file";

  const RunResult values = run({"--array", "meltyp", "sample.raf"});
  EXPECT_EQ(values.status, 0) << values.err;
  EXPECT_NE(values.out.find("\nArray MELTYP for step 1: IN, STRU, 68 elements, RAF number 113\n"
                            "       1          15          15"),
            std::string::npos)
      << values.out;
}

TEST_F(Rafinfo, JsonOfABigEndianFileReadsBack) {
  writer::Options big;
  big.computer_type = 8;
  write(writer::sample_frame(), "big.raf", big);
  const RunResult r = run({"--json", "--array", "U", "--step", "8", "big.raf"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const Json v = json(r);
  EXPECT_EQ(v["file"].text, "big.raf");
  EXPECT_EQ(v["key"]["computer_type"].number, 8);
  EXPECT_EQ(v["key"]["computer_type_name"].text, "HP PA-Risc / HP-UX");
  EXPECT_TRUE(v["key"]["byte_order_converted"].boolean);
  EXPECT_TRUE(v["key"]["size_matches_data_area"].boolean);
  EXPECT_EQ(v["steps"]["present"].number, 10);
  ASSERT_EQ(v["steps"]["stored"].elements.size(), 3u);
  EXPECT_EQ(v["steps"]["stored"][2].number, 8);
  int32_t st = 0;
  EXPECT_EQ(v["steps"]["work_space"]["words"].number, arrays::work_words("big.raf", st));
  EXPECT_EQ(v["steps"]["work_space"]["millions"].number, 1);
  EXPECT_EQ(v["directory"]["result_per_step"].number, 3);
  EXPECT_EQ(v["array"]["name"].text, "U");
  EXPECT_EQ(v["array"]["values"].elements.size(), 216u);
  const writer::Model model = writer::sample_frame();
  const std::vector<double>& u = model.find("U")->steps.at(8).reals;
  for (std::size_t k = 0; k < u.size(); ++k) EXPECT_EQ(v["array"]["values"][k].number, u[k]) << k;
  EXPECT_FALSE(v.has("error"));
}

TEST_F(Rafinfo, AVersion0FileThatMayOnlyBeReadIsLeftAsItWas) {
  writer::Options old;
  old.version0 = true;
  write(writer::sample_frame(), "v0.raf", old);
  ASSERT_EQ(chmod("v0.raf", 0444), 0);
  const std::string before = read_file("v0.raf");
  const RunResult r = run({"--array", "RNTRAN", "v0.raf"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("  version           0, revision 0\n"
                       "                    read as version 2, its MFP upgraded in memory; the "
                       "file is unchanged\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Array RNTRAN for step 1: DP, STRU, 27 elements, RAF number 128\n"),
            std::string::npos);
  EXPECT_TRUE(read_file("v0.raf") == before) << "the file was written";
}

TEST_F(Rafinfo, DamagedFilesPrintWhatCouldBeReadThenOneErrorLine) {
  testing_support::write_file("short.raf", "RAFLIB     2   1");
  RunResult r = run({"short.raf"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "RAF file short.raf\n");
  EXPECT_EQ(r.err,
            "rafinfo: short.raf: opening the file: RAFLIB message 1036: "
            "Cannot read from file - Computer's error flag = 5008\n");

  testing_support::write_file("text.raf", std::string(1024, 'x') + std::string(1024, '\n'));
  r = run({"text.raf"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "RAF file text.raf\n\nKey\n  identification    xxxxxxxx  (not a RAF file)\n"
            "  file size         2048 bytes\n");
  EXPECT_EQ(r.err,
            "rafinfo: text.raf: opening the file: RAFLIB message 1020: "
            "File is not a RAFLIB file\n");

  // Array 104 is entry 40 of MFP block 2 (records 5 and 6): a negative
  // number of elements.
  write(writer::sample_frame(), "mfp.raf");
  std::string image = read_file("mfp.raf");
  const int32_t elements = -7;
  std::memcpy(image.data() + 4 * 512 + (104 - 65) * 16 + 8, &elements, 4);
  testing_support::write_file("mfp.raf", image);
  r = run({"mfp.raf"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("\n     104   2 RE         -7"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Arrays"), std::string::npos) << r.out;
  EXPECT_EQ(r.err,
            "rafinfo: mfp.raf: MFP entry of array 104: RAFLIB message 1033: "
            "Corrupt MFP: Negative no of elements (-7)\n");

  r = run({"--json", "mfp.raf"});
  EXPECT_EQ(r.status, 1);
  const Json v = json(r);
  EXPECT_EQ(v["error"]["message"].number, 1033);
  EXPECT_EQ(v["mfp"].elements.size(), 45u);
  EXPECT_FALSE(v.has("directory"));
}

TEST_F(Rafinfo, TheCommandLine) {
  RunResult r = run({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("usage: rafinfo [--json] [--array NAME [--step S]] FILE.raf\n", 0), 0u);
  EXPECT_EQ(run({"-h"}).out, r.out);
  r = run({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "rafinfo 1.0 (RAF format version 2, revision 1)\n");
  for (const std::vector<std::string>& bad : {std::vector<std::string>{},
                                              {"a.raf", "b.raf"},
                                              {"--step", "2", "a.raf"},
                                              {"--array"},
                                              {"--step", "x", "--array", "U", "a.raf"},
                                              {"--verbose", "a.raf"}}) {
    r = run(bad);
    EXPECT_EQ(r.status, 2) << testing::PrintToString(bad);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("rafinfo: ", 0), 0u);
    EXPECT_EQ(r.err.find('\n'), r.err.find("\nusage: rafinfo")) << "one line, then the usage";
  }
  r = run({"absent.raf"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "rafinfo: absent.raf: opening the file: RAFLIB message 1034: "
            "Cannot open file - Computer's error flag = 2\n");
  EXPECT_FALSE(std::filesystem::exists(dir() / "absent.raf"));
}

}  // namespace
