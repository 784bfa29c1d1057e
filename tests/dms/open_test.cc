#include "dms/open.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dms/queries.h"
#include "dms/storage.h"
#include "dms_fixture.h"

namespace {

using dms_test::body;
using dms_test::kUnit;

class Open : public dms_test::DmsTest {};

// The worked sequence: open for 12 numbers in 100 words, announce implicit
// numbering, define KEYRAF and reserve its storage, checked word by word.
TEST_F(Open, WorkedSequenceWordByWord) {
  make_block(100, 7777);
  int32_t ierr = 0;
  dms::DMSOPN_32(iwa_, 100, -12, 0, kUnit, ierr);
  EXPECT_EQ(ierr, 0);
  std::vector<int32_t> expected(100, 7777);
  auto set = [&expected](int64_t k, int32_t v) { expected[k - 1] = v; };
  for (int k = 1; k <= 37; ++k) set(k, 0);
  set(1, 24);
  set(2, 36);
  set(4, kUnit);
  set(5, 1);
  set(6, 12);
  set(7, 12);
  set(8, 12);
  set(18, 1);
  set(19, 1);
  set(20, 1);
  set(25, 37);
  set(26, 100);
  set(27, 37);
  set(30, 1);
  set(31, 13);
  set(32, 25);
  EXPECT_EQ(words(), expected);

  dms::DMSANN(iwa_, 1, 0, 0);
  for (int k = 38; k <= 60; ++k) set(k, 0);  // the new name table is cleared
  set(37, 11);
  set(39, 10);
  set(29, 37);
  set(25, 61);
  set(2, 60);
  EXPECT_EQ(words(), expected);

  dms::DMSDFN(iwa_, "KEYRAF", 0, 5, 1, 0);
  set(11, 5);
  set(23, 1);
  set(57, 45395952);
  set(58, 35400000);
  set(39, 11);
  set(37, 12);
  EXPECT_EQ(words(), expected);

  EXPECT_EQ(dms::DMSPTN(iwa_, "KEYRAF", 0), 61);
  set(35, 61);
  set(25, 66);
  set(27, 65);
  EXPECT_EQ(words(), expected);
  EXPECT_EQ(dms::DMSSTA(iwa_), 0);
}

TEST_F(Open, IllegalParametersInitialiseNothing) {
  struct Case {
    int32_t nwiwa, nla, nsec, block;
  };
  const Case cases[] = {
      {100, 10, 0, 100},   // fewer than 11 numbers
      {100, -10, 0, 100},  //
      {36, 12, 0, 36},     // 3n words: no room for the first word after the tables
      {60, -12, 1, 60},    // 5n words with the secondary-storage tables
      {101, -12, 0, 100},  // more words than the block holds
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nwiwa);
    SCOPED_TRACE(c.nla);
    io::reset();
    make_block(c.block, 7777);
    int32_t ierr = -2;
    dms::DMSOPN_32(iwa_, c.nwiwa, c.nla, c.nsec, kUnit, ierr);
    EXPECT_EQ(ierr, -3);
    // The counter word reports the failure; nothing else is touched.
    std::vector<int32_t> expected(c.block, 7777);
    expected[2] = -1;
    EXPECT_EQ(words(), expected);
    EXPECT_EQ(dms::DMSSTA(iwa_), -1);
    const std::vector<std::string> lines = messages();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], " *** ERROR RETURN - R A Z LIBRARY ROUTINE DMSOPN_32 **");
    EXPECT_EQ(lines[4],
              body("ILLEGAL PARAMETER(S) : NWIWA, NLA  =") +
                  std::string(8 - std::to_string(c.nwiwa).size(), ' ') + std::to_string(c.nwiwa) +
                  std::string(8 - std::to_string(c.nla).size(), ' ') + std::to_string(c.nla));
  }
}

TEST_F(Open, IllegalParametersPrintNothingWithoutAUnit) {
  make_block(20);
  int32_t ierr = 0;
  dms::DMSOPN_32(iwa_, 20, 12, 0, 0, ierr);
  EXPECT_EQ(ierr, -1);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Open, SmallestWorkArrayOpensButHasNoRoomForNames) {
  make_block(34, 5);
  int32_t ierr = 0;
  dms::DMSOPN_32(iwa_, 34, 11, 0, kUnit, ierr);
  ASSERT_EQ(ierr, 0);
  EXPECT_EQ(dms::DMSGEN(iwa_, 4), 34);  // next free word = NWIWA + 1
  dms::DMSANN(iwa_, 0, 0, 3);
  EXPECT_EQ(W(3), -1);
  EXPECT_EQ(dms::DMSMOD(iwa_), 3);  // nothing recorded
  EXPECT_EQ(dms::DMSGEN(iwa_, 4), 34);
  const std::vector<std::string> lines = messages();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[5], body("storage space in work array by     21 words"));
  EXPECT_EQ(lines[6], body("Detected by a DMS-routine called with label     3"));
}

TEST_F(Open, NegativeNlaClearsOnlyTheBookKeeping) {
  make_block(100, 7777);
  int32_t ierr = 0;
  dms::DMSOPN_32(iwa_, 100, -12, 0, kUnit, ierr);
  for (int k = 38; k <= 100; ++k) ASSERT_EQ(W(k), 7777) << k;
  EXPECT_EQ(dms::DMSGEN(iwa_, 3), 1);

  dms::DMSOPN_32(iwa_, 90, 12, 0, kUnit, ierr);
  for (int k = 38; k <= 90; ++k) ASSERT_EQ(W(k), 0) << k;
  for (int k = 91; k <= 100; ++k) ASSERT_EQ(W(k), 7777) << k;  // beyond NWIWA
  EXPECT_EQ(dms::DMSGEN(iwa_, 3), 0);
  EXPECT_EQ(ierr, 0);
}

TEST_F(Open, SecondaryStorageTablesFollowTheThreeOthers) {
  make_block(100, 7777);
  int32_t ierr = 0;
  dms::DMSOPN_32(iwa_, 100, -12, 1, kUnit, ierr);
  ASSERT_EQ(ierr, 0);
  EXPECT_EQ(W(2), 60);
  EXPECT_EQ(W(9), 12);
  EXPECT_EQ(W(10), 12);
  EXPECT_EQ(W(21), 1);
  EXPECT_EQ(W(22), 1);
  EXPECT_EQ(W(33), 37);
  EXPECT_EQ(W(34), 49);
  EXPECT_EQ(W(25), 61);
  EXPECT_EQ(W(62), 7777);
  EXPECT_EQ(dms::DMSMOD(iwa_), 13);
  dms::DMSANN(iwa_, 0, 0, 0);
  EXPECT_EQ(dms::DMSMOD(iwa_), 12);
  EXPECT_EQ(W(29), 61);
  EXPECT_EQ(dms::DMSSTA(iwa_), 0);
}

TEST_F(Open, NamesAreAnnouncedOnceAndBeforeAnyStorage) {
  open(100, -12, 0);
  dms::DMSANN(iwa_, 1, 0, 5);
  EXPECT_EQ(W(3), -1);
  EXPECT_EQ(dms::DMSMOD(iwa_), 2);  // the first announcement stands

  make_block(100);
  int32_t ierr = 0;
  dms::DMSOPN_32(iwa_, 100, -12, 0, kUnit, ierr);
  dms::DMSDFI(iwa_, 11, 4, 1, 0, ierr);
  int32_t iptr = 0;
  dms::DMSALI(iwa_, 11, iptr, 0, ierr);
  ASSERT_EQ(iptr, 37);
  dms::DMSANN(iwa_, 1, 0, 6);
  EXPECT_EQ(W(3), -1);
  EXPECT_EQ(dms::DMSMOD(iwa_), 3);
  EXPECT_EQ(ierr, 0);

  const std::vector<std::string> lines = messages();
  const std::vector<std::string> block = {"",
                                          "",
                                          "",
                                          " " + dms_test::kErrorHeader,
                                          body("Subroutine DMSANN is called out of order"),
                                          body("(or the DMS \"book-keeping-system\" is corrupt)")};
  std::vector<std::string> expected = block;
  expected.insert(expected.end(), block.begin(), block.end());
  EXPECT_EQ(lines, expected);
}

}  // namespace
