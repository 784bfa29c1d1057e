// The program as a user starts it: the work-space argument, the messages of
// the start-up and the exit statuses.
#include <gtest/gtest.h>

#include <string>

#include "support/run.h"
#include "support/temp_dir.h"

namespace {

using testing_support::run_program;

constexpr const char* kFirstPrompt = " Give RAF File Name Prefix         :  ";

class Startup : public testing_support::InTempDir {
 protected:
  testing_support::RunResult run(std::vector<std::string> args, const std::string& input = "") {
    return run_program(RAF2SIF_BINARY, args, input, dir());
  }
};

TEST_F(Startup, WorkSpaceSizesAndTheirMessages) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{}, "\n\n 1 million words successfully allocated \n\n"},
      {{"0.5"}, "\n\n 0.50 million words successfully allocated \n\n"},
      {{"2"}, "\n\n 2 million words successfully allocated \n\n"},
      {{"1.5"}, "\n\n 1 million words successfully allocated \n\n"},
      {{"  .25e1xyz", "ignored"}, "\n\n 2 million words successfully allocated \n\n"},
  };
  for (const Case& c : cases) {
    const auto r = run(c.args);
    // The dialogue then meets the end of the input at its first question.
    EXPECT_EQ(r.out, c.message + kFirstPrompt) << (c.args.empty() ? "" : c.args[0]);
    EXPECT_EQ(r.err, "raf2sif: unexpected end of input\n");
    EXPECT_EQ(r.status, 1);
  }
}

TEST_F(Startup, ZeroNegativeAndNonNumericSizesAreRefused) {
  const auto zero = run({"0"});
  EXPECT_EQ(zero.out, "\n The nwiwa value (0) is zero or negative! \n");
  EXPECT_EQ(zero.status, 1);
  EXPECT_EQ(run({"abc"}).out, "\n The nwiwa value (0) is zero or negative! \n");
  EXPECT_EQ(run({"0x10"}).out, "\n The nwiwa value (0) is zero or negative! \n");
  EXPECT_EQ(run({"-3"}).out, "\n The nwiwa value (-3000000) is zero or negative! \n");
  EXPECT_EQ(run({"0.0000001"}).out, "\n The nwiwa value (0) is zero or negative! \n");
}

TEST_F(Startup, SizesBeyondAThirtyTwoBitWordCountAreAllocationFailures) {
  const auto r = run({"5000"});
  EXPECT_EQ(r.out,
            "\a\n\n ***************************************************** "
            "\n ******  Allocating 5000 million words failed!  ****** "
            "\n ***************************************************** \n\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(run({"1e300"}).status, 1);
  EXPECT_EQ(run({"2147.483648"}).status, 1);
}

TEST_F(Startup, AMissingRafFileEndsTheDialogueAfterTheFirstQuestion) {
  const auto r = run({}, "nofile\nout.sif\n\n\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, std::string("\n\n 1 million words successfully allocated \n\n") + kFirstPrompt +
                       "*** ERROR IN INIRAF ***\nError Opening raf_file   : nofile.raf\n"
                       "\n Return value from z2edi: -1 \n");
  const std::string fort17 = testing_support::read_file("fort.17");
  EXPECT_TRUE(fort17.ends_with("\r\n  *** ERROR IN Z2EDI   ***\r\n")) << fort17;
  EXPECT_FALSE(std::filesystem::exists("out.sif"));
}

}  // namespace
