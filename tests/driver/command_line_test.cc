// The command line of the three programs, end to end: the converter without
// questions, what a failed conversion says on standard error, the work space
// a file needs, wrong command lines, --help and --version.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "arrays/work_space.h"
#include "support/run.h"
#include "support/temp_dir.h"
#include "writer/frame.h"
#include "writer/write_raf.h"

namespace {

using testing_support::read_file;
using testing_support::RunResult;

// A model whose conversion needs more than the default million words.
writer::Model large_model() {
  return writer::large_frame(15000, 15000, 2);
}

class CommandLine : public testing_support::InTempDir {
 protected:
  RunResult run(const std::vector<std::string>& args, const std::string& input = "") {
    return testing_support::run_program(RAF2SIF_BINARY, args, input, dir());
  }
  // The work space argument that gives exactly words words.
  static std::string exactly(int64_t words) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7f", (static_cast<double>(words) + 0.5) / 1.0e6);
    return text;
  }
  // Every file of the directory and its bytes.
  std::map<std::string, std::string> files() const {
    std::map<std::string, std::string> all;
    for (const auto& e : std::filesystem::directory_iterator(dir())) {
      all[e.path().filename().string()] = read_file(e.path());
    }
    return all;
  }
};

TEST_F(CommandLine, WithoutQuestionsTheSifFileIsTheDialogues) {
  ASSERT_EQ(writer::write_raf(writer::sample_frame(), "m.raf"), 0);
  const RunResult asked = run({}, "m\nasked.sif\n4\n8\n");
  ASSERT_EQ(asked.status, 0) << asked.err;
  const RunResult given = run({"--raf", "m", "-o", "given.sif", "--first", "4", "--last=8"});
  EXPECT_EQ(given.status, 0) << given.err;
  EXPECT_EQ(given.out, "") << "no prompt, no start-up message";
  EXPECT_EQ(given.err, "");
  EXPECT_TRUE(read_file("given.sif") == read_file("asked.sif"));

  // Defaults: PREFIX.sif, blank steps, the work space the file needs.
  ASSERT_EQ(run({}, "m\nblank.sif\n\n\n").status, 0);
  ASSERT_EQ(run({"--raf", "m"}).status, 0);
  EXPECT_TRUE(read_file("m.sif") == read_file("blank.sif"));
  EXPECT_FALSE(std::filesystem::exists("fort.17"));

  // A version-0 file is upgraded by both forms alike: the sizing of the
  // work space only reads it.
  writer::Options old;
  old.version0 = true;
  ASSERT_EQ(writer::write_raf(writer::sample_frame(), "a.raf", old), 0);
  ASSERT_EQ(writer::write_raf(writer::sample_frame(), "b.raf", old), 0);
  ASSERT_EQ(run({}, "a\na.sif\n\n\n").status, 0);
  ASSERT_EQ(run({"--raf", "b"}).status, 0);
  // Alike but for the time stamps of the openings (key columns 61-108),
  // which the two runs may take in different seconds.
  const auto unstamped = [](std::string raf) {
    if (raf.size() >= 108) raf.replace(60, 48, 48, ' ');
    return raf;
  };
  EXPECT_TRUE(unstamped(read_file("a.raf")) == unstamped(read_file("b.raf")));
  EXPECT_TRUE(read_file("a.sif") == read_file("b.sif"));
}

TEST_F(CommandLine, AFailedConversionSaysWhatFailedAndWhere) {
  ASSERT_EQ(writer::write_raf(writer::sample_frame(), "m.raf"), 0);
  const RunResult missing = run({"--raf", "none"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err,
            "raf2sif: conversion failed: Cannot open file - Computer's error flag = 2 (messages "
            "in fort.17)\n");
  EXPECT_NE(read_file("fort.17").find("  *** ERROR IN Z2EDI   ***"), std::string::npos);

  // Too small a work space, found with the SIF file open and before it: the
  // size that converts, for both forms.
  const RunResult small = run({"0.008", "--raf", "m", "-o", "out put.sif"});
  EXPECT_EQ(small.status, 1);
  EXPECT_EQ(small.err,
            "raf2sif: conversion failed: Insufficient space for array U (messages at the end of "
            "out put.sif); the file needs 1 million words: raf2sif 1 --raf m -o 'out put.sif'\n");
  const RunResult asked = run({"0.002"}, "m\nasked.sif\n\n\n");
  EXPECT_EQ(asked.status, 1);
  EXPECT_NE(asked.out.find("\n Return value from z2edi: -1 \n"), std::string::npos);
  EXPECT_EQ(asked.err,
            "raf2sif: conversion failed: Insufficient space for array MELTYP (messages in "
            "fort.17); the file needs 1 million words: raf2sif 1\n");
  EXPECT_EQ(run({"1", "--raf", "m", "-o", "out put.sif"}).status, 0);
}

TEST_F(CommandLine, TheWorkSpaceAFileNeedsIsTheLeastThatConverts) {
  ASSERT_EQ(writer::write_raf(writer::sample_frame(), "sample.raf"), 0);
  ASSERT_EQ(writer::write_raf(large_model(), "large.raf"), 0);
  for (const std::string prefix : {"sample", "large"}) {
    int32_t st = 0;
    const int64_t words = arrays::work_words(prefix + ".raf", st);
    ASSERT_EQ(st, 0);
    EXPECT_EQ(run({exactly(words), "--raf", prefix}).status, 0) << prefix << " " << words;
    EXPECT_EQ(run({exactly(words - 1), "--raf", prefix}).status, 1) << prefix << " " << words;
  }

  // The large model converts without a size, and the size it is told to
  // use when the default is too small converts it.
  EXPECT_EQ(run({"--raf", "large", "-o", "default.sif"}).status, 0);
  const RunResult small = run({"1", "--raf", "large"});
  EXPECT_EQ(small.status, 1);
  const std::size_t at = small.err.find(": raf2sif ");
  ASSERT_NE(at, std::string::npos) << small.err;
  const std::string told = small.err.substr(at + 10, small.err.find(' ', at + 10) - at - 10);
  EXPECT_GT(std::stoi(told), 1) << small.err;
  EXPECT_EQ(run({told, "--raf", "large"}).status, 0);
  EXPECT_TRUE(read_file("large.sif") == read_file("default.sif"));
}

TEST_F(CommandLine, AWrongCommandLineChangesNothing) {
  ASSERT_EQ(writer::write_raf(writer::sample_frame(), "m.raf"), 0);
  testing_support::write_file("m.sif", "an earlier file\n");
  const auto before = files();
  const std::vector<std::vector<std::string>> wrong = {
      {"--bogus"},
      {"-x", "--raf", "m"},
      {"--raf"},
      {"--raf", "m", "--first", "x"},
      {"--raf", "m", "--last", "1.5"},
      {"-o", "m.sif"},
      {"abc", "--raf", "m"},
      {"0", "--raf", "m"},
      {"1", "2", "--raf", "m"},
  };
  for (const auto& args : wrong) {
    const RunResult r = run(args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.find('\n'), r.err.find("\nusage: raf2sif")) << "one line, then the usage";
    EXPECT_EQ(r.err.rfind("raf2sif: ", 0), 0u) << r.err;
    EXPECT_TRUE(files() == before) << args[0];
  }
}

TEST_F(CommandLine, HelpVersionAndAnUnknownOptionInEveryProgram) {
  for (const std::string program : {RAF2SIF_BINARY, RAFINFO_BINARY, RAFWRITE_BINARY}) {
    const std::string name = std::filesystem::path(program).filename().string();
    for (const std::string option : {"-h", "--help"}) {
      const RunResult r = testing_support::run_program(program, {option}, "", dir());
      EXPECT_EQ(r.status, 0) << name;
      EXPECT_EQ(r.out.rfind("usage: " + name + " ", 0), 0u) << r.out;
    }
    const RunResult v = testing_support::run_program(program, {"--version"}, "", dir());
    EXPECT_EQ(v.status, 0) << name;
    EXPECT_EQ(v.out.rfind(name + " " + RAF2SIF_VERSION, 0), 0u) << v.out;
    const RunResult bad = testing_support::run_program(program, {"--bogus"}, "", dir());
    EXPECT_EQ(bad.status, 2) << name;
    EXPECT_EQ(bad.err.rfind(name + ": unknown option '--bogus'\nusage: " + name + " ", 0), 0u)
        << bad.err;
  }
}

}  // namespace
