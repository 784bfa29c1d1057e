#include "sif/record.h"

#include <gtest/gtest.h>

#include <string>

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
