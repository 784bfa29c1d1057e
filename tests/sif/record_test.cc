#include "sif/record.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "io/units.h"
#include "sif/framing.h"
#include "sif/results.h"
#include "support.h"

namespace {

using io::SifStyle;

class Record : public sif_test::SifFile {};

TEST_F(Record, IdentIsOneLineOf72Columns) {
  sif::WSIF_IDENT(kUnit);
  const std::string expected =
      "IDENT     0.10000000E+01  0.10000000E+01  0.00000000E+00  0.00000000E+00\r\n";
  EXPECT_EQ(expected.size(), 74u);
  EXPECT_EQ(text(), expected);
}

TEST_F(Record, FiveValuesTakeANameLineAndA24ColumnContinuation) {
  sif::put_record(kUnit, "GCOORD", {1.0, -2.5, 0.0, 123456.0, 6.0}, SifStyle::kPlain);
  EXPECT_EQ(text(),
            "GCOORD    0.10000000E+01 -0.25000000E+01  0.00000000E+00  0.12345600E+06\r\n"
            "          0.60000000E+01\r\n");
}

TEST_F(Record, ScaledStyleAndLongNames) {
  sif::put_record(kUnit, "RVNODDIS", {6.0, -1.0e-120}, SifStyle::kScaled);
  sif::put_record(kUnit, "TOOLONGNAME", {1.0}, SifStyle::kScaled);
  EXPECT_EQ(text(),
            "RVNODDIS  6.00000000E+00 -1.00000000-120\r\n"
            "TOOLONGN  1.00000000E+00\r\n");
}

// A pattern's records are put_record's, byte for byte, whatever the places
// that vary (on the name line, across lines, the last one) and the values
// put in them (one for the exact path among them), and a step back goes over
// the record's last line.
TEST_F(Record, PatternRecordsAreThoseOfPutRecord) {
  struct Case {
    std::vector<double> values;
    std::vector<int> varying;
  };
  const std::vector<Case> cases = {
      {{1.0}, {0}},
      {{11.0, 2.0, 0.0, 6.0, 0.0, 0, 0, 0, 0, 0, 0}, {2, 5, 6, 7, 8, 9, 10}},
      {{23.0, 1.0, 0.0, 1.0, 15.0}, {2, 4}},
      {std::vector<double>(23, 7.0), {0, 3, 4, 21, 22}}};
  const std::array<double, 7> fill = {
      -1.0e-300, 4.9e-324, 123456789.5, -0.0, std::numeric_limits<double>::quiet_NaN(),
      1.0e22,    0.5};
  for (const Case& c : cases) {
    const sif::RecordPattern pattern("RVNODDIS", c.values, c.varying, SifStyle::kScaled);
    std::vector<double> record = c.values;
    for (std::size_t k = 0; k < c.varying.size(); ++k) record[c.varying[k]] = fill[k];
    pattern.put(kUnit, record);
    pattern.put(kUnit, record);
    ASSERT_EQ(io::backspace(kUnit), 0);
    pattern.put(kUnit, record);
    const std::string lines = text();
    ASSERT_EQ(io::open_formatted(kUnit, "out.sif", io::OpenStatus::kUnknown), 0);
    sif::put_record(kUnit, "RVNODDIS", record, SifStyle::kScaled);
    sif::put_record(kUnit, "RVNODDIS", record, SifStyle::kScaled);
    ASSERT_EQ(io::backspace(kUnit), 0);
    sif::put_record(kUnit, "RVNODDIS", record, SifStyle::kScaled);
    EXPECT_EQ(lines, text()) << c.values.size() << " values";
    ASSERT_EQ(io::open_formatted(kUnit, "out.sif", io::OpenStatus::kUnknown), 0);
  }
}

TEST_F(Record, BlankNameGivesContinuationLinesAndCountLineIsI8) {
  sif::put_count_line(kUnit, 3);
  sif::put_record(kUnit, "", {1.0, 2.0}, SifStyle::kPlain);
  sif::put_count_line(kUnit, -123456789);  // does not fit I8
  EXPECT_EQ(text(),
            "               3\r\n"
            "          0.10000000E+01  0.20000000E+01\r\n"
            "        ********\r\n");
}

TEST_F(Record, FinalIendPairEndsTheFile) {
  sif::write_final_iend_pair(kUnit);
  EXPECT_EQ(text(),
            "IEND      1.00000000E+00  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n"
            "IEND      2.00000000E+00  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n");
}

TEST_F(Record, ModelClosingIendIsReplacedByTheNextRecord) {
  sif::WSIF_IDENT(kUnit);
  sif::WSIF_IEND(kUnit);
  ASSERT_EQ(io::backspace(kUnit), 0);
  int32_t istat = 0;
  sif::WSIF_INI(sif::Model{}, 0, kUnit, istat);
  const auto records = sif_test::parse_sif(text());
  EXPECT_EQ(sif_test::names(records),
            (std::vector<std::string>{"IDENT", "RDFORCES", "RDNODRES", "RDPOINTS", "RDIELCOR"}));
}

TEST_F(Record, ModelClosingIendStaysWhenNothingFollows) {
  sif::WSIF_IDENT(kUnit);
  sif::WSIF_IEND(kUnit);
  ASSERT_EQ(io::backspace(kUnit), 0);
  EXPECT_EQ(text(),
            "IDENT     0.10000000E+01  0.10000000E+01  0.00000000E+00  0.00000000E+00\r\n"
            "IEND      0.00000000E+00  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n");
}

TEST_F(Record, StepBackAfterALongRecordTakesItsLastLineOnly) {
  // Every line is a record of the unit, as the file's readers count them.
  sif::put_record(kUnit, "RDFORCES", {9.0, 15.0, 6.0, 1.0, 2.0}, SifStyle::kScaled);
  ASSERT_EQ(io::backspace(kUnit), 0);
  sif::put_record(kUnit, "", {3.0}, SifStyle::kScaled);
  EXPECT_EQ(text(),
            "RDFORCES  9.00000000E+00  1.50000000E+01  6.00000000E+00  1.00000000E+00\r\n"
            "          3.00000000E+00\r\n");
}

}  // namespace
