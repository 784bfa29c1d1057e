#include "raflib/diagnostics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "raf_test.h"
#include "raflib/state.h"

namespace {

using raf_test::error_header;
using raf_test::text_line;

class Diagnostics : public raf_test::RafTest {};

std::string squeezed(std::string s) {
  raflib::RFSQZB(s);
  return s;
}

std::string substituted(const std::string& text, int32_t value, std::string_view name) {
  io::Text<70> t(text);
  raflib::RFSUBS(t.span(), value, name);
  return std::string(io::trimmed(t.view()));
}

TEST(Squeeze, RunsOfBlanksBeforeTextShrinkToOneAndTrailingBlanksStay) {
  EXPECT_EQ(squeezed("*** RAFLIB ERROR       - x   y  "), "*** RAFLIB ERROR - x y          ");
  EXPECT_EQ(squeezed("   a"), " a  ");
  EXPECT_EQ(squeezed("a b c"), "a b c");
  EXPECT_EQ(squeezed("    "), "    ");
}

TEST(Substitute, ValueNameAndUnknown) {
  EXPECT_EQ(substituted("Cannot open file - Computer's error flag = <I>", 29, raflib::kDummy),
            "Cannot open file - Computer's error flag = 29");
  EXPECT_EQ(substituted("Cannot open file - Computer's error flag = <I>", raflib::kUndefined, ""),
            "Cannot open file - Computer's error flag = <UNKNOWN>");
  EXPECT_EQ(substituted("flag = <I> (<A>) <I>", -7, "HP PA-Risc / HP-UX     "),
            "flag = -7 (HP PA-Risc / HP-UX) <I>");
  EXPECT_EQ(substituted("Cannot read files generated on <A>", 0, "   "),
            "Cannot read files generated on");
}

TEST(Catalogue, SeveritiesLevelsAndUndefinedNumbers) {
  struct Entry {
    int64_t n;
    std::string text;
    int32_t severity, level;
  };
  const std::vector<Entry> entries = {
      {1003, "Array read from file", 1, 4},
      {1013, "NOT YET DEFINED", 2, 0},
      {1055, "NOT YET DEFINED", 4, 0},
      {1071, "Cannot generate files for <A>", 3, 1},
      {1080, "Error no      1080 (No text defined for this error number)", 3, 0},
  };
  for (const Entry& e : entries) {
    io::Text<70> text;
    int32_t severity = 0, level = -1;
    raflib::RFMSG(e.n, text, severity, level);
    EXPECT_EQ(io::trimmed(text.view()), e.text);
    EXPECT_EQ(severity, e.severity) << e.n;
    EXPECT_EQ(level, e.level) << e.n;
  }
}

TEST_F(Diagnostics, ErrorReportHasHeaderDetailAndTextAndANegativeStatus) {
  for (const int32_t given : {1029, -1029}) {
    int32_t status = given;
    raflib::RFERR(status, "RFIOLD", raflib::kUndefined, "3");
    EXPECT_EQ(status, -1029);
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              error_header("RFIOLD"), raf_test::detail("File 0 / Msg_no 1029:"),
                              text_line("Too new RAFLIB file (version 3) - update program")}));
  }
}

TEST_F(Diagnostics, InfoHasNoUnitAndStaysPositive) {
  int32_t status = 1001;
  raflib::RFERR(status, "RAFOLD", raflib::kUndefined, raflib::kDummy);
  EXPECT_EQ(status, 1001);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Diagnostics, NoMessageUnitPrintsNothingButErrorsStayNegative) {
  raflib::RAFINI(0);
  int32_t status = 1020;
  raflib::RFERR(status, "RFIOLD", raflib::kUndefined, raflib::kDummy);
  raflib::RFTRCE("RAFOLD");
  EXPECT_EQ(status, -1020);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Diagnostics, TheFirstErrorSinceRafiniIsKeptWithItsText) {
  raflib::RAFINI(0);
  int32_t status = 1011;  // a warning is no error
  raflib::RFERR(status, "RFIOLD", raflib::kUndefined, "8");
  EXPECT_EQ(raflib::state().first_error.number, 0);
  status = 1062;
  raflib::RFERR(status, "RFIOLD", 99, raflib::kDummy);
  status = 1036;
  raflib::RFERR(status, "RAFGIN", 5008, raflib::kDummy);
  const raflib::Report& first = raflib::state().first_error;
  EXPECT_EQ(first.number, 1062);
  EXPECT_EQ(first.routine.view(), "RFIOLD");
  EXPECT_EQ(io::trimmed(first.text), "Inconsistent CHKEY: MFPCUR = 99 is illegal");
  raflib::RAFINI(0);
  EXPECT_EQ(raflib::state().first_error.number, 0);
}

TEST_F(Diagnostics, ANumberOutsideTheCatalogueIsAnErrorWithoutDetail) {
  int32_t status = 77;
  raflib::RFERR(status, "RAFGIN", raflib::kUndefined, raflib::kDummy);
  EXPECT_EQ(status, -77);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{
                error_header("RAFGIN"),
                text_line("Error no        77 (No text defined for this error number)")}));
}

TEST_F(Diagnostics, TransferFailuresMapToTheirMessages) {
  int32_t status = -993;
  raflib::RFIOER(status, "RFSMFP", raflib::kRead);
  EXPECT_EQ(status, -1043);
  status = -io::kIostatNoRecord;
  raflib::RFIOER(status, "RAFGIN", raflib::kRead);
  EXPECT_EQ(status, -1036);
  status = -9;
  raflib::RFIOER(status, "RAFPIN", raflib::kWrite);
  EXPECT_EQ(status, -1035);
  const auto lines = messages();
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0], error_header("RFSMFP"));
  EXPECT_EQ(lines[1], raf_test::detail("File 0 / Array 0 / Address 0 / Elements 0 / Msg_no 1043:"));
  EXPECT_EQ(lines[2], text_line("Negative file address in FFILE"));
  EXPECT_EQ(lines[5], text_line("Cannot read from file - Computer's error flag = 5008"));
  EXPECT_EQ(lines[8], text_line("Cannot write to file - Computer's error flag = 9"));
}

TEST_F(Diagnostics, TraceIsAnEmptyLineAndTheRoutine) {
  raflib::RFTRCE("RAFOLD");
  EXPECT_EQ(messages(), (std::vector<std::string>{"", " *** Error return from RAFOLD"}));
}

}  // namespace
