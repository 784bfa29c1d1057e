#include "sif/opnfil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "io/units.h"
#include "sif/state.h"
#include "support/temp_dir.h"

namespace {

using testing_support::read_file;
using testing_support::write_file;

// Messages go to unit 18, which lands in fort.18.
constexpr int32_t kMessages = 18;

class Opnfil : public testing_support::InTempDir {
 protected:
  void SetUp() override {
    InTempDir::SetUp();
    sif::reset();
  }
  std::string messages() {
    io::close(kMessages);
    return read_file("fort.18");
  }
};

TEST_F(Opnfil, UnitOutside1To99FailsBeforeAnyFileIsTouched) {
  for (const int32_t unit : {0, 100}) {
    int32_t istat = 7;
    sif::OPNFIL("never.sif", unit, 1, 0, 1, 0, 0, 1, kMessages, istat);
    EXPECT_EQ(istat, -901);
  }
  EXPECT_FALSE(std::filesystem::exists("never.sif"));
  EXPECT_EQ(
      messages(),
      "\r\n\r\n\r\n *** ERROR DURING OPENING OF FILE UNIT    0\r\n     ILLEGAL FILE UNIT\r\n"
      "\r\n\r\n\r\n *** ERROR DURING OPENING OF FILE UNIT  100\r\n     ILLEGAL FILE UNIT\r\n");
}

TEST_F(Opnfil, NoMessageUnitPrintsNothing) {
  int32_t istat = 0;
  sif::OPNFIL("never.sif", 0, 1, 0, 1, 0, 0, 1, -1, istat);
  EXPECT_EQ(istat, -901);
  sif::OPNFIL("absent.sif", 20, 2, 0, 1, 0, 0, 1, 0, istat);
  EXPECT_LT(istat, 0);
  EXPECT_TRUE(std::filesystem::is_empty("."));
}

TEST_F(Opnfil, DirectAccessNeedsARecordLength) {
  int32_t istat = 0;
  sif::OPNFIL("direct.bin", 20, 1, 20, 2, 0, 0, 0, kMessages, istat);
  EXPECT_EQ(istat, -902);
  EXPECT_FALSE(std::filesystem::exists("direct.bin"));
  EXPECT_EQ(messages(),
            "\r\n\r\n\r\n *** ERROR DURING OPENING OF FILE UNIT   20\r\n"
            "     ILLEGAL RECORD LENGTH =    0\r\n");
}

TEST_F(Opnfil, FailedOpenGivesMinusTheIoStatus) {
  int32_t istat = 0;
  sif::OPNFIL("absent.sif", 20, 2, 0, 1, 0, 0, 1, kMessages, istat);
  EXPECT_EQ(istat, -ENOENT);
  EXPECT_EQ(messages(),
            "\r\n\r\n\r\n *** ERROR DURING OPENING OF FILE UNIT   20\r\n"
            "     ERROR CODE =    2  (SYSTEM PARAMETER)\r\n");
}

TEST_F(Opnfil, ReportsTheCharacteristicsOfASequentialFile) {
  int32_t istat = 0;
  sif::OPNFIL("out.sif", 20, 3, 0, 1, 1, 0, 1, kMessages, istat);
  ASSERT_EQ(istat, 0);
  EXPECT_TRUE(io::is_open(20));
  EXPECT_EQ(messages(),
            "\r\n\r\n\r\n"
            "     FILE  out.sif\r\n"
            "     IS OPENED ON UNIT NO.  20\r\n"
            "     FILE CHARACTERISTICS :\r\n"
            "          STATUS =NEW    \r\n"
            "          ACCESS =SEQUENTIAL\r\n"
            "          FORM   =FORMATTED  \r\n"
            "          LENGTH =    0 WORDS/BYTES PER RECORD (SECTOR)\r\n"
            "          BLANK  =ZERO\r\n");
}

TEST_F(Opnfil, ReportsDirectAndScratchFiles) {
  int32_t istat = 0;
  sif::OPNFIL("direct.bin", 21, 0, 20, 0, 0, 128, 1, kMessages, istat);
  ASSERT_EQ(istat, 0);
  sif::OPNFIL("ignored", 22, 4, 0, 0, 0, 0, 1, kMessages, istat);
  ASSERT_EQ(istat, 0);
  EXPECT_FALSE(std::filesystem::exists("ignored"));
  EXPECT_EQ(messages(),
            "\r\n\r\n\r\n"
            "     FILE  direct.bin\r\n"
            "     IS OPENED ON UNIT NO.  21\r\n"
            "     FILE CHARACTERISTICS :\r\n"
            "          STATUS =UNKNOWN\r\n"
            "          ACCESS =DIRECT    \r\n"
            "          FORM   =UNFORMATTED\r\n"
            "          LENGTH =  128 WORDS/BYTES PER RECORD (SECTOR)\r\n"
            "\r\n\r\n\r\n"
            "     A SCRATCH FILE IS OPENED ON UNIT NO.  22\r\n"
            "     FILE CHARACTERISTICS :\r\n"
            "          STATUS =SCRATCH\r\n"
            "          ACCESS =SEQUENTIAL\r\n"
            "          FORM   =FORMATTED  \r\n"
            "          LENGTH =    0 WORDS/BYTES PER RECORD (SECTOR)\r\n"
            "          BLANK  =NULL\r\n");
}

TEST_F(Opnfil, FileKindsThePlatformDoesNotKeepAreRefused) {
  int32_t istat = 0;
  sif::OPNFIL("direct.txt", 20, 1, 20, 1, 0, 10, 0, -1, istat);  // direct formatted
  EXPECT_EQ(istat, -io::kIostatWrongUse);
  sif::OPNFIL("seq.bin", 20, 1, 0, 2, 0, 0, 0, -1, istat);  // sequential unformatted
  EXPECT_EQ(istat, -io::kIostatWrongUse);
}

TEST_F(Opnfil, OpnsifRewritesTheFileAndPrintsNothing) {
  write_file("out.sif", std::string(300, 'x'));
  int32_t istat = 0;
  sif::OPNSIF("out.sif      ", 17, 0, istat);
  ASSERT_EQ(istat, 0);
  io::write_record(17, "IDENT");
  io::close(17);
  EXPECT_EQ(read_file("out.sif"), "IDENT\r\n");
  EXPECT_FALSE(std::filesystem::exists("fort.17"));
}

TEST_F(Opnfil, OpnsifModeChoosesTheStatus) {
  int32_t istat = 0;
  sif::OPNSIF("first.sif", 17, -1, istat);  // first call: "UNKNOWN"
  EXPECT_EQ(istat, 0);
  EXPECT_TRUE(std::filesystem::exists("first.sif"));
  sif::OPNSIF("absent.sif", 17, 1, istat);  // "OLD"
  EXPECT_EQ(istat, -1);
  istat = 0;
  sif::OPNSIF("absent.sif", 17, -1, istat);  // "OLD" again
  EXPECT_EQ(istat, -1);
  EXPECT_FALSE(std::filesystem::exists("absent.sif"));
  istat = 0;
  sif::OPNSIF("absent.sif", 17, 0, istat);
  EXPECT_EQ(istat, 0);
  EXPECT_TRUE(std::filesystem::exists("absent.sif"));
}

}  // namespace
