#include "dms/queries.h"

#include <gtest/gtest.h>

#include "dms/storage.h"
#include "dms_fixture.h"

namespace {

using dms_test::kUnit;

class Queries : public dms_test::DmsTest {};

TEST_F(Queries, ItemsOfANamedArray) {
  open(200, -12, 0);
  dms::DMSDFN(iwa_, "TCOORD", 12, 4, 2, 0);
  EXPECT_EQ(dms::DMSINF(iwa_, "TCOORD", 1), 4);
  EXPECT_EQ(dms::DMSINF(iwa_, "TCOORD", 2), 2);
  EXPECT_EQ(dms::DMSINF(iwa_, "TCOORD", 3), 0);
  dms::DMSPTN(iwa_, "TCOORD", 0);
  EXPECT_EQ(dms::DMSINF(iwa_, "TCOORD", 3), 61);
  EXPECT_EQ(dms::DMSINF(iwa_, "TCOORD", 4), 0);  // no secondary-storage tables
  EXPECT_EQ(dms::DMSINF(iwa_, "TCOORD", 5), 0);
  EXPECT_EQ(dms::DMSINF(iwa_, "TCOORD", 0), 0);
  EXPECT_EQ(dms::DMSINF(iwa_, "TCOORD", 6), 0);
}

TEST_F(Queries, ItemsOfTheSecondaryStorageTables) {
  make_block(300);
  int32_t ierr = 0;
  dms::DMSOPN_32(iwa_, 300, -12, 1, kUnit, ierr);
  dms::DMSANN(iwa_, 1, 0, 0);
  dms::DMSDFN(iwa_, "S", 0, 1, 1, 0);
  set_W(3 * 12 + 11, 44);  // entry of number 11 in the first table (word 3n+1 on)
  set_W(4 * 12 + 11, 55);
  EXPECT_EQ(dms::DMSINF(iwa_, "S", 4), 44);
  EXPECT_EQ(dms::DMSINF(iwa_, "S", 5), 55);
  EXPECT_EQ(dms::DMSMOD(iwa_), 11);
}

TEST_F(Queries, ItemsOfUnknownOrIllegalNamesAreSilent) {
  open(200, -12, 0);
  EXPECT_EQ(dms::DMSINF(iwa_, "NONE", 1), -1);
  EXPECT_EQ(dms::DMSINF(iwa_, "NO NE", 1), -1);
  EXPECT_EQ(dms::DMSINF(iwa_, "", 1), -1);
  EXPECT_EQ(dms::DMSINF(iwa_, "MUCHTOOLONG", 1), -1);
  EXPECT_EQ(W(3), 0);
  EXPECT_EQ(W(4), kUnit);  // the unit is restored
  EXPECT_TRUE(messages().empty());
}

TEST_F(Queries, GeneralItems) {
  make_block(200);
  int32_t ierr = 0;
  dms::DMSOPN_32(iwa_, 150, 12, 0, kUnit, ierr);
  EXPECT_EQ(dms::DMSGEN(iwa_, 7), 0);  // no name table yet
  EXPECT_EQ(dms::DMSGEN(iwa_, 9), 0);
  dms::DMSANN(iwa_, 1, 1, 0);
  dms::DMSDFN(iwa_, "A", 0, 5, 2, 0);
  dms::DMSPTN(iwa_, "A", 0);
  const int32_t expected[] = {0, 12, kUnit, 0, 71, 150, 70, 12, 1, 11, 0};
  for (int32_t item = 0; item <= 10; ++item) {
    EXPECT_EQ(dms::DMSGEN(iwa_, item), expected[item]) << item;
  }
  EXPECT_EQ(dms::DMSGEN(iwa_, -1), 0);
}

TEST_F(Queries, NumberingModes) {
  make_block(200);
  int32_t ierr = 0;
  dms::DMSOPN_32(iwa_, 200, -12, 0, kUnit, ierr);
  EXPECT_EQ(dms::DMSMOD(iwa_), 3);
  open(200, -12, 1);
  EXPECT_EQ(dms::DMSMOD(iwa_), 1);
  for (std::string_view name : {"A", "B"}) dms::DMSDFN(iwa_, name, 0, 1, 1, 0);
  EXPECT_EQ(dms::DMSMOD(iwa_), 1);
  open(200, -12, 0);
  EXPECT_EQ(dms::DMSMOD(iwa_), 2);
  EXPECT_EQ(dms::DMSSTA(iwa_), 0);

  set_W(37, 5);  // NT(1) in 1 .. 10: corrupt
  EXPECT_EQ(dms::DMSMOD(iwa_), 0);
  EXPECT_EQ(dms::DMSSTA(iwa_), -1);
  set_W(37, -1);
  EXPECT_EQ(dms::DMSMOD(iwa_), 0);
  EXPECT_EQ(dms::DMSSTA(iwa_), -2);
}

TEST_F(Queries, StatusOfABlockTooSmallForTheCounter) {
  make_block(2);
  EXPECT_EQ(dms::DMSSTA(iwa_), -1);
  EXPECT_EQ(dms::DMSGEN(iwa_, 1), 0);
  make_block(0);
  EXPECT_EQ(dms::DMSSTA(iwa_), -1);
}

}  // namespace
