#include "raflib/open.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "raf_test.h"
#include "raflib/copies.h"
#include "raflib/readers.h"
#include "raflib/writers.h"

namespace {

using raf_test::bytes;
using raf_test::cbytes;
using raf_test::detail;
using raf_test::error_header;
using raf_test::kUnit;
using raf_test::patch;
using raf_test::text_line;
using testing_support::read_file;

class Open : public raf_test::RafTest {
 protected:
  // Creates name with maxarr arrays, array 1 holding 1 .. n, and closes it.
  void make(const std::string& name, int32_t maxarr, int n = 10) {
    create(name, maxarr);
    std::vector<int32_t> v(n);
    for (int i = 0; i < n; ++i) v[i] = i + 1;
    int32_t st = -1;
    raflib::RAFPIN(cbytes(v), n, 1, kUnit, st);
    ASSERT_EQ(st, 0);
    ASSERT_EQ(close(), 0);
    messages();
  }
};

TEST_F(Open, ANewFileHasItsKeyAndAnEmptyMfpArea) {
  create("new.raf", 65);
  ASSERT_EQ(close(), 0);
  const std::string image = read_file("new.raf");
  ASSERT_EQ(image.size(), 6u * 512);
  const std::string key = std::string("RAFLIB     2   1") + "PC / DIGITAL Visual Fortran" +
                          std::string(13, ' ') + "  14" + "20240301  140509" + "  000000  000000" +
                          "  000000  000000" + "   0   0" + "       3" + "      65" + "       0" +
                          "       7" + "       0" + "   0" + "       4" + "     512";
  EXPECT_EQ(image.substr(0, 176), key);
  EXPECT_EQ(image.substr(176, 848), std::string(848, ' '));
  EXPECT_EQ(image.substr(1024), std::string(4 * 512, '\0'));
}

TEST_F(Open, TheFirstArrayFollowsTheMfpArea) {
  for (const auto& [maxarr, address] : {std::pair{32, 5}, {64, 5}, {65, 7}}) {
    make("a.raf", maxarr);
    EXPECT_EQ(raf_test::word(read_file("a.raf"), 3, 0), address) << maxarr;
    std::remove("a.raf");
  }
}

TEST_F(Open, ABlankNameOnUnit22IsRaf022AndIsGivenBack) {
  make("raf022.raf", 10);
  char name[20];
  std::fill(std::begin(name), std::end(name), ' ');
  int32_t st = -1;
  raflib::RAFOLD(kUnit, name, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(std::string(name, 20), "raf022.raf          ");
}

TEST_F(Open, AFileWithoutTheIdentificationIsRefusedAndStaysAttached) {
  make("x.raf", 10);
  patch("x.raf", 1, "RAFLIB_ ");
  EXPECT_EQ(open_old("x.raf"), -1020);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{error_header("RFIOLD"), detail("File 0 / Msg_no 1020:"),
                                      text_line("File is not a RAFLIB file"), "",
                                      " *** Error return from RAFOLD"}));
  EXPECT_TRUE(io::is_open(kUnit));
  EXPECT_EQ(close(), 0);
  EXPECT_TRUE(io::is_open(kUnit));
  EXPECT_TRUE(messages().empty());
}

TEST_F(Open, AnEleventhFileIsRefused) {
  make("x.raf", 10);
  for (int unit = 30; unit < 40; ++unit) ASSERT_EQ(open_old("x.raf", unit), 0);
  EXPECT_EQ(open_old("x.raf", 40), -1038);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            error_header("RFFIOP"),
                            text_line("Attempt to open more than 10 RAFLIB files simultanously"),
                            "", " *** Error return from RAFOLD"}));
  EXPECT_FALSE(io::is_open(40));
}

TEST_F(Open, AUnitAlreadyInUseIsRefused) {
  make("x.raf", 10);
  ASSERT_EQ(open_old("x.raf"), 0);
  EXPECT_EQ(open_old("x.raf"), -1037);
}

TEST_F(Open, ClosingAUnitWithoutAFileIsQuiet) {
  EXPECT_EQ(close(33), 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Open, MfpcurMayReachMfpmaxButNotPassIt) {
  make("x.raf", 65);
  patch("x.raf", 133, "      65");
  EXPECT_EQ(open_old("x.raf"), 0);
  EXPECT_EQ(close(), 0);
  patch("x.raf", 133, "      66");
  messages();
  EXPECT_EQ(open_old("x.raf"), -1062);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{error_header("RFIOLD"), detail("File 0 / Msg_no 1062:"),
                                      text_line("Inconsistent CHKEY: MFPCUR = 66 is illegal"), "",
                                      " *** Error return from RAFOLD"}));
}

TEST_F(Open, InconsistentKeysAreRefusedFieldByField) {
  struct Case {
    int first;
    std::string text;
    int32_t status;
    std::string message;
  };
  const std::vector<Case> cases = {
      {9, "   3", -1029, "Too new RAFLIB file (version 3) - update program"},
      {117, "       1", -1060, "Inconsistent CHKEY: MFPADR = 1 is illegal"},
      {125, "       0", -1061, "Inconsistent CHKEY: MFPMAX = 0 is illegal"},
      {133, "      -1", -1062, "Inconsistent CHKEY: MFPCUR = -1 is illegal"},
      {141, "       3", -1063, "Inconsistent CHKEY: MFPNXT = 3 is illegal"},
      {141, "     1x2", -1064, "Inconsistent CHKEY: Decode error - Computer's error flag=5010"},
      {113, "  +-", -1064, "Inconsistent CHKEY: Decode error - Computer's error flag=5010"},
      {57, "  1a", -1064, "Inconsistent CHKEY: Decode error - Computer's error flag=5010"},
  };
  for (const Case& c : cases) {
    make("x.raf", 10);
    patch("x.raf", c.first, c.text);
    EXPECT_EQ(open_old("x.raf"), c.status) << c.text;
    // 1064 has no detail line.
    EXPECT_EQ(messages().at(c.status == -1064 ? 1 : 2), text_line(c.message));
    raflib::reset();
    raflib::RAFINI(raf_test::kMsgUnit);
    io::reset();
    std::remove("x.raf");
  }
}

TEST_F(Open, AFileShorterThanItsKeyIsAReadFailure) {
  testing_support::write_file("short.raf", "RAFLIB     2   1" + std::string(700, ' '));
  EXPECT_EQ(open_old("short.raf"), -1036);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            error_header("RFGKEY"),
                            detail("File -22 / Array 0 / Address 0 / Elements 0 / Msg_no 1036:"),
                            text_line("Cannot read from file - Computer's error flag = 5008"),
                            error_header("RFIOLD"),
                            detail("File 0 / Array 0 / Address 0 / Elements 0 / Msg_no 1036:"),
                            text_line("Cannot read from file - Computer's error flag = <UNKNOWN>"),
                            "", " *** Error return from RAFOLD"}));
}

TEST_F(Open, AFileOfAnUnknownComputerTypeIsRefused) {
  make("x.raf", 10);
  patch("x.raf", 57, "  11");
  EXPECT_EQ(open_old("x.raf"), -1070);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            error_header("RFCNVD"), detail("File 22 / Msg_no 1070:"),
                            text_line("Cannot read files generated on Sun SPARC / SunOS"), "",
                            " *** Error return from RFIOLD", "", " *** Error return from RAFOLD"}));
  // The file is in use nonetheless, and closes.
  EXPECT_EQ(close(), 0);
  EXPECT_FALSE(io::is_open(kUnit));
}

TEST_F(Open, ClosingFlushesOnlyAfterWrites) {
  make("x.raf", 10);
  const std::string before = read_file("x.raf");
  raflib::RAFINI(raf_test::kMsgUnit);
  io::fix_clock(raf_test::kNow + 3600);
  ASSERT_EQ(open_old("x.raf"), 0);
  std::vector<int32_t> v(10);
  int32_t st = -1;
  raflib::RAFGIN(bytes(v), 10, 1, kUnit, st);
  ASSERT_EQ(st, 0);
  ASSERT_EQ(close(), 0);
  EXPECT_EQ(read_file("x.raf"), before);

  // Once anything was written, every close writes the key, here with the
  // time of the reading opening after that of the creating one.
  make("other.raf", 5);
  ASSERT_EQ(open_old("x.raf"), 0);
  raflib::RAFGIN(bytes(v), 10, 1, kUnit, st);
  ASSERT_EQ(close(), 0);
  const std::string after = read_file("x.raf");
  EXPECT_EQ(after.substr(76, 32),
            "20240301  140509"
            "20240301  150509");
  EXPECT_EQ(after.substr(1024), before.substr(1024));
}

TEST_F(Open, NewWithUnknownReplacesTheStructure) {
  make("x.raf", 10);
  io::Text<20> name("x.raf");
  int32_t st = -1;
  raflib::RAFNEW(kUnit, name.span(), "unknown", 10, st);
  ASSERT_EQ(st, 0);
  std::vector<int32_t> v(10);
  raflib::RAFGIN(bytes(v), 10, 1, kUnit, st);
  EXPECT_EQ(st, -1048);
  EXPECT_EQ(raflib::state().slots[0].mfpcur, 0);
}

TEST_F(Open, NewRefusesABadStatusAndNoArrays) {
  io::Text<20> name("x.raf");
  int32_t st = 0;
  raflib::RAFNEW(kUnit, name.span(), "SCRATCH", 10, st);
  EXPECT_EQ(st, -1040);
  raflib::RAFNEW(kUnit, name.span(), "NEW", 0, st);
  EXPECT_EQ(st, -1046);
  EXPECT_EQ(
      messages(),
      (std::vector<std::string>{
          error_header("RAFNEW"), text_line("Illegal file status code (Not NEW, OLD or UNKNOWN)"),
          error_header("RAFNEW"),
          text_line("Attempt to define max no of arrays in file as zero or negative")}));
  EXPECT_FALSE(io::is_open(kUnit));
}

// Runs body as a user who may only read the files of this directory: the
// test itself when it is not root, else a child process as user nobody,
// since root may write any file. body returns the number of its failures.
void as_reader(const std::function<int()>& body) {
  if (geteuid() != 0) {
    EXPECT_EQ(body(), 0);
    return;
  }
  ASSERT_EQ(chmod(".", 0755), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(100);
    _exit(body());
  }
  int wstatus = 0;
  ASSERT_EQ(waitpid(pid, &wstatus, 0), pid);
  ASSERT_TRUE(WIFEXITED(wstatus));
  EXPECT_EQ(WEXITSTATUS(wstatus), 0);
}

TEST_F(Open, AFileThatMayOnlyBeReadOpensAndOnlyWritesFail) {
  make("ro.raf", 200);
  ASSERT_EQ(raflib::write_version0_copy("ro.raf", "ro0.raf"), 0);
  chmod("ro.raf", 0444);
  chmod("ro0.raf", 0444);
  as_reader([this] {
    raflib::RAFINI(0);
    int failures = 0;
    failures += open_old("ro.raf") != 0;
    failures += !io::is_read_only(kUnit);
    std::vector<int32_t> v(10);
    int32_t st = -1;
    raflib::RAFGIN(bytes(v), 10, 1, kUnit, st);
    failures += st != 0 || v[9] != 10;
    raflib::RAFPIN(cbytes(v), 10, 2, kUnit, st);
    failures += st != -1035;
    raflib::state().iwfile = 1;  // as after writing another file
    failures += close() != 0;
    failures += io::is_open(kUnit);
    failures += open_old("ro0.raf") != -1035;
    return failures;
  });
}

}  // namespace
