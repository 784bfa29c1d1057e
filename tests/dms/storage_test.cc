#include "dms/storage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dms/queries.h"
#include "dms_fixture.h"

namespace {

using dms_test::body;
using dms_test::kUnit;
using Lines = std::vector<std::string>;

class Storage : public dms_test::DmsTest {
 protected:
  int32_t number(std::string_view name) { return dms::DMSNUM(iwa_, name, 0); }
  int32_t dim(std::string_view name) { return dms::DMSINF(iwa_, name, 1); }
  int32_t address(std::string_view name) { return dms::DMSINF(iwa_, name, 3); }
  int32_t next_free() { return dms::DMSGEN(iwa_, 4); }
  int32_t high_water() { return dms::DMSGEN(iwa_, 6); }
  // The body lines (the fifth and sixth) of every message block in lines.
  static Lines second_body_lines(const Lines& lines, std::size_t block_size) {
    Lines out;
    for (std::size_t k = 5; k < lines.size(); k += block_size) out.push_back(lines[k]);
    return out;
  }
};

TEST_F(Storage, ImplicitNumbersAreHandedOutInOrderUpToTheLast) {
  open(300, -14, 1);
  for (std::string_view name : {"A1", "A2", "A3"}) dms::DMSDFN(iwa_, name, 0, 2, 1, 0);
  dms::DMSDFN(iwa_, "A1", 0, 2, 1, 7);  // error 17: the name exists
  dms::DMSDFN(iwa_, "A4", 0, 2, 1, 0);
  EXPECT_EQ(number("A1"), 11);
  EXPECT_EQ(number("A4"), 14);
  EXPECT_EQ(dms::DMSGEN(iwa_, 7), 15);  // next implicit number
  EXPECT_EQ(dms::DMSGEN(iwa_, 9), 14);  // highest named number
  EXPECT_EQ(W(3), -1);
  dms::DMSDFN(iwa_, "A5", 0, 2, 1, 7);  // error 18: all numbers given
  EXPECT_EQ(number("A5"), 0);
  EXPECT_EQ(W(3), -2);
  const Lines lines = messages();
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[4], body("Array  A1  cannot be defined/redefined"));
  EXPECT_EQ(lines[5], body("The array name already exists (for array no.   11)"));
  EXPECT_EQ(lines[6], body("Detected by a DMS-routine called with label     7"));
  EXPECT_EQ(lines[11], body("Array  A5  cannot be defined/redefined"));
  EXPECT_EQ(lines[12], body("Maximum number of data arrays ( =  14 ) has alreadybeen defined"));
}

TEST_F(Storage, ImplicitNumberingAllowsRedefinitionButNoFreeNumbers) {
  open(300, -14, 1);
  dms::DMSDFN(iwa_, "A1", 0, 2, 1, 0);
  dms::DMSDFN(iwa_, "A1", 11, 5, 2, 0);  // redefinition of a defined number
  EXPECT_EQ(dim("A1"), 5);
  EXPECT_EQ(W(3), 0);
  dms::DMSDFN(iwa_, "B", 13, 1, 1, 0);  // error 19: a free number
  EXPECT_EQ(number("B"), 0);
  EXPECT_EQ(W(3), -1);
  EXPECT_EQ(second_body_lines(messages(), 7),
            Lines{body("Explicit numbering is requested, but not specified")});
}

TEST_F(Storage, ExplicitNumbering) {
  open(300, -14, 0);
  dms::DMSDFN(iwa_, "X", 12, 1, 1, 0);
  dms::DMSDFN(iwa_, "Y", 12, 2, 1, 0);  // renames number 12
  EXPECT_EQ(number("X"), 0);
  EXPECT_EQ(number("Y"), 12);
  EXPECT_EQ(dim("Y"), 2);
  dms::DMSDFN(iwa_, "X", 13, 1, 1, 0);
  EXPECT_EQ(W(3), 0);

  dms::DMSDFN(iwa_, "Z", 0, 1, 1, 0);   // 16: no implicit numbering
  dms::DMSDFN(iwa_, "X", 14, 1, 1, 0);  // 17: X is 13
  dms::DMSDFN(iwa_, "Y", 13, 1, 1, 0);  // 17: Y is 12, also for a defined number
  dms::DMSDFN(iwa_, "Z", 10, 1, 1, 0);  // 21
  dms::DMSDFN(iwa_, "Z", 15, 1, 1, 0);  // 21
  set_W(14 + 14, -1);                   // a corrupt element size for number 14
  dms::DMSDFN(iwa_, "Z", 14, 1, 1, 0);  // 20
  EXPECT_EQ(W(3), -6);
  EXPECT_EQ(number("Z"), 0);
  EXPECT_EQ(second_body_lines(messages(), 7),
            (Lines{body("Implicit numbering is requested, but not specified"),
                   body("The array name already exists (for array no.   13)"),
                   body("The array name already exists (for array no.   12)"),
                   body("Illegal array number ( =   10 ) requested"),
                   body("Illegal array number ( =   15 ) requested"),
                   body("The DMS \"book-keeping-system\" is corrupt")}));
}

TEST_F(Storage, ANameGivenToANumberDefinedWithoutOneCanBeFound) {
  open(300, -14, 0);
  int32_t ierr = 0;
  dms::DMSDFN(iwa_, "A", 11, 1, 1, 0);
  dms::DMSDFI(iwa_, 14, 3, 1, 0, ierr);
  dms::DMSDFN(iwa_, "LATE", 14, 3, 1, 0);
  EXPECT_EQ(number("LATE"), 14);
  EXPECT_NE(dms::DMSPTN(iwa_, "LATE", 0), 0);
  EXPECT_EQ(W(3), 0);
  EXPECT_EQ(ierr, 0);
}

TEST_F(Storage, DefinitionByNumberChecks) {
  open(300, -14, 0);
  int32_t ierr = 0;
  dms::DMSDFI(iwa_, 10, 1, 1, 1, ierr);   // 11
  dms::DMSDFI(iwa_, 12, 1, 11, 1, ierr);  // 12 with the size and the number
  dms::DMSDFI(iwa_, 12, 1, 0, 1, ierr);   // 12
  dms::DMSDFI(iwa_, 12, -1, 1, 1, ierr);  // 26
  EXPECT_EQ(ierr, -4);
  EXPECT_EQ(W(3), -4);
  dms::DMSDFI(iwa_, 12, 4, 2, 1, ierr);
  dms::DMSDFI(iwa_, 12, 6, 1, 1, ierr);  // a definition without storage may change
  EXPECT_EQ(ierr, -4);
  int32_t iptr = 0;
  dms::DMSALI(iwa_, 12, iptr, 1, ierr);
  dms::DMSDFI(iwa_, 12, 6, 1, 1, ierr);  // 30: storage is reserved
  EXPECT_EQ(ierr, -5);
  const Lines lines = messages();
  ASSERT_EQ(lines.size(), 33u);
  EXPECT_EQ(lines[4], body("Illegal data array number ( =    10 ) specified"));
  EXPECT_EQ(lines[10], body("Illegal number of words per element ( =  11 )"));
  EXPECT_EQ(lines[11], body("specified for array number   12"));
  EXPECT_EQ(lines[12], body("Detected by a DMS-routine called with label     1"));
  EXPECT_EQ(lines[lines.size() - 3], body("Attempt to redefine an array ( no.   12 ) for which"));
}

TEST_F(Storage, AFailedDefinitionIsFollowedByOccuredForUnderExplicitNumbering) {
  open(300, -14, 0);
  dms::DMSDFN(iwa_, "BAD", 12, -1, 1, 0);
  EXPECT_EQ(W(3), -1);
  open(300, -14, 1);
  dms::DMSDFN(iwa_, "BAD", 0, -1, 1, 0);  // its own message stands alone
  EXPECT_EQ(W(3), -1);
  EXPECT_EQ(dms::DMSGEN(iwa_, 7), 11);
  const Lines lines = messages();
  ASSERT_EQ(lines.size(), 11u);  // DMSMSI prints no label line for label 0
  EXPECT_EQ(lines[5], body("Occured for array  BAD"));
  EXPECT_EQ(lines[10], body("Negative dimension specified for array number   11"));
}

TEST_F(Storage, ReservationAlignsToTheElementSize) {
  open(200, -14, 0);  // names end at word 70
  dms::DMSDFN(iwa_, "A", 11, 3, 1, 0);
  dms::DMSDFN(iwa_, "B", 12, 2, 2, 0);
  dms::DMSDFN(iwa_, "EMPTY", 13, 0, 1, 0);
  dms::DMSDFN(iwa_, "TENS", 14, 0, 10, 0);
  EXPECT_EQ(dms::DMSPTN(iwa_, "A", 0), 71);
  EXPECT_EQ(next_free(), 74);
  EXPECT_EQ(dms::DMSPTN(iwa_, "B", 0), 38);  // words 75 .. 78, real 38
  EXPECT_EQ(address("B"), 75);
  EXPECT_EQ(dms::DMSPTN(iwa_, "EMPTY", 0), 79);  // no elements: one word
  EXPECT_EQ(next_free(), 80);
  EXPECT_EQ(dms::DMSPTN(iwa_, "TENS", 0), 9);  // word 81
  EXPECT_EQ(next_free(), 82);
  EXPECT_EQ(high_water(), 81);
  EXPECT_EQ(dms::DMSPTN(iwa_, "B", 0), 38);  // existing storage: no message
  EXPECT_EQ(W(3), 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Storage, ReservingAgainKeepsTheOldStorageWithAWarning) {
  open(200, -12, 0);
  dms::DMSDFN(iwa_, "B", 12, 2, 2, 0);
  int32_t iptr = 0;
  int32_t ierr = 0;
  dms::DMSALI(iwa_, 12, iptr, 0, ierr);
  EXPECT_EQ(iptr, 31);
  dms::DMSALI(iwa_, 12, iptr, 0, ierr);
  EXPECT_EQ(iptr, 31);
  EXPECT_EQ(next_free(), 65);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(W(3), 0);
  EXPECT_EQ(messages(), (Lines{"", "", "", " " + dms_test::kWarningHeader,
                               body("Primary storage requested for an array (no.   12 )"),
                               body("already occupying storage  -  old storage used")}));
}

TEST_F(Storage, ReservationErrors) {
  open(200, -14, 0);
  int32_t iptr = -9;
  int32_t ierr = 0;
  dms::DMSALI(iwa_, 13, iptr, 0, ierr);  // 24: not defined
  EXPECT_EQ(iptr, 0);
  dms::DMSALI(iwa_, 13000, iptr, 0, ierr);  // 11
  EXPECT_EQ(ierr, -2);
  EXPECT_EQ(dms::DMSPTN(iwa_, "NONE", 0), 0);  // 24: no such name
  EXPECT_EQ(W(3), -3);
  const Lines lines = messages();
  ASSERT_EQ(lines.size(), 6u + 5 + 6);  // DMSMSI prints no label line for label 0
  EXPECT_EQ(lines[5], body("an undefined array  (no.   13 )"));
  EXPECT_EQ(lines[15], body("Pointer requested for an undefined array (NONE)"));
}

TEST_F(Storage, AReservationBeyondTheWorkArrayRecordsNothing) {
  open(200, -14, 0);
  dms::DMSDFN(iwa_, "A", 11, 91, 1, 0);
  dms::DMSDFN(iwa_, "BIG", 12, 20, 2, 0);
  dms::DMSDFN(iwa_, "HUGE", 13, 2147483647, 10, 0);
  ASSERT_EQ(dms::DMSPTN(iwa_, "A", 0), 71);   // words 71 .. 161
  EXPECT_EQ(dms::DMSPTN(iwa_, "BIG", 4), 0);  // would be 163 .. 202
  EXPECT_EQ(dms::DMSPTN(iwa_, "HUGE", 4), 0);
  EXPECT_EQ(address("BIG"), 0);
  EXPECT_EQ(address("HUGE"), 0);
  EXPECT_EQ(next_free(), 162);
  EXPECT_EQ(high_water(), 161);
  EXPECT_EQ(W(3), -2);  // "Occured for array" is not counted
  const Lines lines = messages();
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[4], body("Available primary (\"core\") storage (of     200 words)"));
  EXPECT_EQ(lines[5], body("exceeded (by      2 words) for array number   12"));
  EXPECT_EQ(lines[6], body("Detected by a DMS-routine called with label     4"));
  EXPECT_EQ(lines[7], body("Occured for array  BIG"));
  EXPECT_EQ(lines[13], body("exceeded (by******* words) for array number   13"));

  dms::DMSDFN(iwa_, "BIG", 12, 19, 2, 0);  // 163 .. 200 fits exactly
  EXPECT_EQ(dms::DMSPTN(iwa_, "BIG", 0), 82);
  EXPECT_EQ(next_free(), 201);
  EXPECT_EQ(W(3), -2);
}

// Three stored arrays A (3 words), B (2 reals, aligned) and C (3 words);
// releasing A moves B and C down.
class Release : public Storage {
 protected:
  void store_three(int32_t nla) {
    open(200, nla, 0);  // storage from word 71 on
    ASSERT_EQ(dms::DMSGEN(iwa_, 3), nla > 0 ? 0 : 1);
    dms::DMSDFN(iwa_, "A", 11, 3, 1, 0);
    dms::DMSDFN(iwa_, "B", 12, 2, 2, 0);
    dms::DMSDFN(iwa_, "C", 13, 3, 1, 0);
    const int32_t a = dms::DMSPTN(iwa_, "A", 0);
    const int32_t b = dms::DMSPTN(iwa_, "B", 0);
    const int32_t c = dms::DMSPTN(iwa_, "C", 0);
    ASSERT_EQ(a, 71);  // 71 .. 73, the word 74 skipped for B's alignment
    ASSERT_EQ(b, 38);  // 75 .. 78
    ASSERT_EQ(c, 79);  // 79 .. 81
    for (int k = 0; k < 3; ++k) set_W(a + k, 1 + k);
    iwa_.set_real(b, 1.5);
    iwa_.set_real(b + 1, -2.25);
    for (int k = 0; k < 3; ++k) set_W(c + k, 7 + k);
  }
  void expect_moved() {
    EXPECT_EQ(address("A"), 0);
    EXPECT_EQ(dim("A"), 3);  // still defined
    EXPECT_EQ(dms::DMSINF(iwa_, "A", 2), 1);
    const int32_t b = dms::DMSPTN(iwa_, "B", 0);
    const int32_t c = dms::DMSPTN(iwa_, "C", 0);
    EXPECT_EQ(b, 36);  // words 71 .. 74
    EXPECT_EQ(c, 75);  // 75 .. 77
    EXPECT_EQ(iwa_.real_at(b), 1.5);
    EXPECT_EQ(iwa_.real_at(b + 1), -2.25);
    EXPECT_EQ(W(c), 7);
    EXPECT_EQ(W(c + 2), 9);
    EXPECT_EQ(next_free(), 78);
    EXPECT_EQ(high_water(), 81);
    EXPECT_EQ(W(3), 0);
  }
};

TEST_F(Release, TheArraysAboveMoveDownAndTheFreedTopIsZeroed) {
  store_three(14);
  dms::DMSRLN(iwa_, "A", 0);
  expect_moved();
  for (int k = 78; k <= 81; ++k) EXPECT_EQ(W(k), 0) << k;
  EXPECT_EQ(dms::DMSPTN(iwa_, "A", 0), 78);  // storage again, at the new top
}

TEST_F(Release, TheFreedTopKeepsItsWordsWhenStorageIsNotZeroed) {
  store_three(-14);
  dms::DMSRLN(iwa_, "A", 0);
  expect_moved();
  for (int k = 79; k <= 81; ++k) EXPECT_EQ(W(k), 7 + k - 79) << k;
}

TEST_F(Release, AReleaseByNumberAndOfAnArrayWithoutStorage) {
  store_three(14);
  int32_t ierr = 0;
  dms::DMSRLI(iwa_, 11, 0, ierr);
  expect_moved();
  dms::DMSRLI(iwa_, 11, 0, ierr);  // nothing to release
  EXPECT_EQ(dim("A"), 3);
  EXPECT_EQ(next_free(), 78);
  EXPECT_EQ(ierr, 0);
}

TEST_F(Release, ReleasingTheTopArrayOnlyLowersTheNextFreeWord) {
  store_three(14);
  dms::DMSRLN(iwa_, "C", 0);
  EXPECT_EQ(next_free(), 79);
  EXPECT_EQ(dms::DMSPTN(iwa_, "B", 0), 38);
  EXPECT_EQ(W(79), 0);
  EXPECT_EQ(W(3), 0);
}

TEST_F(Release, AnArrayThatIsAlreadyAlignedInPlaceEndsTheCompaction) {
  open(200, 14, 0);
  dms::DMSDFN(iwa_, "A", 11, 1, 1, 0);
  dms::DMSDFN(iwa_, "Y", 12, 1, 1, 0);
  dms::DMSDFN(iwa_, "B", 13, 1, 2, 0);
  dms::DMSPTN(iwa_, "A", 0);                 // 71
  dms::DMSPTN(iwa_, "Y", 0);                 // 72
  ASSERT_EQ(dms::DMSPTN(iwa_, "B", 0), 37);  // 73 .. 74, no gap
  iwa_.set_real(37, 4.5);
  dms::DMSRLN(iwa_, "Y", 0);  // B's first aligned word at or above 72 is 73
  EXPECT_EQ(dms::DMSPTN(iwa_, "B", 0), 37);
  EXPECT_EQ(next_free(), 75);
  EXPECT_EQ(address("Y"), 0);
  EXPECT_EQ(dim("Y"), 1);
  EXPECT_EQ(iwa_.real_at(37), 4.5);
  EXPECT_EQ(W(3), 0);
}

TEST_F(Release, ShrinkingKeepsTheFirstElementsAndMovesTheRest) {
  store_three(14);
  int32_t ierr = 0;
  dms::DMSSHR(iwa_, 11, 1, 0, ierr);
  EXPECT_EQ(dim("A"), 1);
  EXPECT_EQ(W(71), 1);
  EXPECT_EQ(dms::DMSPTN(iwa_, "B", 0), 37);  // 73 .. 76
  EXPECT_EQ(iwa_.real_at(37), 1.5);
  EXPECT_EQ(dms::DMSPTN(iwa_, "C", 0), 77);
  EXPECT_EQ(W(79), 9);
  EXPECT_EQ(next_free(), 80);
  EXPECT_EQ(W(80), 0);
  EXPECT_EQ(ierr, 0);

  dms::DMSSHR(iwa_, 11, 2, 5, ierr);   // 27: that would expand it
  dms::DMSSHR(iwa_, 11, -1, 5, ierr);  // 26
  dms::DMSSHR(iwa_, 9, 0, 5, ierr);    // 11
  EXPECT_EQ(ierr, -3);
  EXPECT_EQ(W(3), -3);
  const Lines lines = messages();
  ASSERT_EQ(lines.size(), 7u + 6 + 6);
  EXPECT_EQ(lines[4], body("Negative shrinking (i.e. expansion) attempted"));
  EXPECT_EQ(lines[5], body("for array number   11"));
  EXPECT_EQ(lines[11], body("Negative dimension specified for array number   11"));
  EXPECT_EQ(lines[17], body("Illegal data array number ( =     9 ) specified"));
}

TEST_F(Release, ReleasingAnUnknownOrIllegalName) {
  store_three(14);
  dms::DMSRLN(iwa_, "NONE", 3);
  EXPECT_EQ(W(3), -1);
  dms::DMSRLN(iwa_, "NO NE", 3);  // 12, its follow-up, then 22
  EXPECT_EQ(W(3), -3);
  const Lines lines = messages();
  ASSERT_EQ(lines.size(), 7u + 6 + 1 + 7);
  EXPECT_EQ(lines[4], body("Storage allocation/release attempted for a non-"));
  EXPECT_EQ(lines[5], body("existing array (NONE)"));
  EXPECT_EQ(lines[13], body("Occured for array  NO NE"));
  EXPECT_EQ(lines[19], body("existing array (NO NE)"));
  EXPECT_EQ(next_free(), 82);
}

}  // namespace
