// Whatever the book-keeping holds, the DMS reads and writes only inside the
// work array: a corrupt MCM is error 13 (or the operation's own code). Run
// under the sanitizer build, the guards around the block turn any access
// outside it into a failure.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "dms/names.h"
#include "dms/open.h"
#include "dms/queries.h"
#include "dms/storage.h"
#include "dms_fixture.h"
#include "io/text.h"

namespace {

using dms_test::body;
using dms_test::kUnit;

constexpr int32_t kWords = 120;
constexpr int32_t kN = 14;  // L = 43, name table 43 .. 70, storage from 71

class Corrupt : public dms_test::DmsTest {
 protected:
  // Names, three stored arrays (A 71..73, B 75..78, C 79..81) and a defined
  // one without storage (D).
  void populate(int32_t unit) {
    make_block(kWords, 3);
    int32_t ierr = 0;
    dms::DMSOPN_32(iwa_, kWords, -kN, 0, unit, ierr);
    dms::DMSANN(iwa_, 0, 0, 0);
    dms::DMSDFN(iwa_, "A", 11, 3, 1, 0);
    dms::DMSDFN(iwa_, "B", 12, 2, 2, 0);
    dms::DMSDFN(iwa_, "C", 13, 3, 1, 0);
    dms::DMSDFN(iwa_, "D", 14, 4, 1, 0);
    for (std::string_view name : {"A", "B", "C"}) dms::DMSPTN(iwa_, name, 0);
    ASSERT_EQ(dms::DMSGEN(iwa_, 4), 82);
    ASSERT_EQ(W(3), 0);
  }

  // A pointer handed out must address storage inside the block.
  void expect_inside(std::string_view name, int32_t pointer) {
    if (pointer == 0) return;
    const int64_t dim = dms::DMSINF(iwa_, name, 1);
    const int64_t size = dms::DMSINF(iwa_, name, 2);
    ASSERT_GE(size, 1) << name;
    ASSERT_GE(dim, 0) << name;
    EXPECT_LE((pointer - 1) * size + size * dim, iwa_.words()) << name;
  }

  // Every operation of the DMS once.
  void run_everything() {
    int32_t ierr = 0;
    int32_t iptr = 0;
    int32_t cn1 = 0;
    int32_t cn2 = 0;
    int32_t nchar = 0;
    io::Text<8> name;
    dms::DMSANN(iwa_, 1, 0, 1);
    dms::DMSCHN(iwa_, "B", 1, cn1, cn2);
    dms::DMSNCH(iwa_, 45395952, 35400000, 1, name.span(), nchar);
    for (int32_t no = 10; no <= kN + 1; ++no) dms::DMSNAM(iwa_, no, 1, name.span(), nchar);
    dms::DMSNUM(iwa_, "C", 1);
    for (std::string_view n : {"A", "B", "C", "D"}) expect_inside(n, dms::DMSPTN(iwa_, n, 1));
    for (int32_t no = 11; no <= kN; ++no) dms::DMSALI(iwa_, no, iptr, 1, ierr);
    dms::DMSDFI(iwa_, 14, 2, 2, 1, ierr);
    dms::DMSDFN(iwa_, "E", 14, 1, 1, 1);
    dms::DMSDFN(iwa_, "F", 0, 1, 1, 1);
    dms::DMSSHR(iwa_, 12, 1, 1, ierr);
    dms::DMSRLI(iwa_, 11, 1, ierr);
    dms::DMSRLN(iwa_, "C", 1);
    dms::DMSRLN(iwa_, "B", 1);
    expect_inside("D", dms::DMSPTN(iwa_, "D", 1));
    for (int32_t item = 1; item <= 5; ++item) dms::DMSINF(iwa_, "D", item);
    for (int32_t item = 1; item <= 9; ++item) dms::DMSGEN(iwa_, item);
    dms::DMSMOD(iwa_);
    dms::DMSSTA(iwa_);
  }
};

// Every word of the book-keeping and the name table, and the first words of
// storage, set in turn to values that lie inside, at the edges of and far
// outside the block.
TEST_F(Corrupt, EverySingleWordWithEdgeValues) {
  const int32_t values[] = {std::numeric_limits<int32_t>::min(),
                            -100000,
                            -1,
                            0,
                            1,
                            2,
                            10,
                            11,
                            kN,
                            43,
                            70,
                            82,
                            kWords,
                            kWords + 1,
                            1000000,
                            std::numeric_limits<int32_t>::max()};
  for (int32_t k = 1; k <= 82; ++k) {
    for (int32_t v : values) {
      SCOPED_TRACE("W(" + std::to_string(k) + ") = " + std::to_string(v));
      populate(0);
      set_W(k, v);
      run_everything();
      ASSERT_TRUE(guards_intact());
      if (HasFatalFailure()) return;
    }
  }
}

TEST_F(Corrupt, SeveralWordsAtRandom) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int32_t> word(1, 82);
  std::uniform_int_distribution<int32_t> small(-5, kWords + 5);
  std::uniform_int_distribution<int32_t> any(std::numeric_limits<int32_t>::min(),
                                             std::numeric_limits<int32_t>::max());
  for (int round = 0; round < 3000; ++round) {
    SCOPED_TRACE(round);
    populate(0);
    for (int k = 0; k < 3; ++k) set_W(word(random), k == 2 ? any(random) : small(random));
    run_everything();
    ASSERT_TRUE(guards_intact());
    if (HasFatalFailure()) return;
  }
}

TEST_F(Corrupt, AnUnreadableHeaderIsError13ForEveryOperation) {
  populate(kUnit);
  set_W(1, 1000000);  // the address table far outside the block
  int32_t ierr = 0;
  EXPECT_EQ(dms::DMSPTN(iwa_, "A", 2), 0);
  EXPECT_EQ(dms::DMSNUM(iwa_, "A", 2), 0);
  EXPECT_EQ(dms::DMSINF(iwa_, "A", 1), -1);  // silent
  EXPECT_EQ(dms::DMSGEN(iwa_, 4), 0);
  dms::DMSRLI(iwa_, 11, 2, ierr);
  EXPECT_EQ(ierr, -1);
  EXPECT_EQ(dms::DMSSTA(iwa_), -3);
  const std::vector<std::string> lines = messages();
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[4], body("The DMS \"book-keeping-system\" (MCM) is corrupt"));
  EXPECT_EQ(lines[5], body("Detected by a DMS-routine called with label     2"));
}

TEST_F(Corrupt, HeaderItemsBeyondTheBlock) {
  populate(kUnit);
  const auto before = words();
  set_W(2 * kN + 2, kWords + 1);  // NWIWA larger than the block
  EXPECT_EQ(dms::DMSPTN(iwa_, "D", 0), 0);
  set_W(2 * kN + 2, kWords);
  set_W(2 * kN + 5, kWords - 10);  // the name table reaching past the block
  EXPECT_EQ(dms::DMSNUM(iwa_, "A", 0), 0);
  set_W(2 * kN + 5, 43);
  set_W(2 * kN + 1, kWords + 2);  // the next free word past NWIWA + 1
  int32_t iptr = 0;
  int32_t ierr = 0;
  dms::DMSALI(iwa_, 14, iptr, 0, ierr);
  set_W(2 * kN + 1, 82);
  EXPECT_EQ(ierr, -1);
  EXPECT_EQ(W(3), -3);
  set_W(3, 0);
  EXPECT_EQ(words(), before);
}

TEST_F(Corrupt, StoredArraysWithInconsistentEntries) {
  populate(kUnit);
  int32_t ierr = 0;
  int32_t iptr = 0;
  set_W(2 * kN + 12, 76);                   // B's start not aligned to its 2 words per element
  EXPECT_EQ(dms::DMSPTN(iwa_, "B", 0), 0);  // 25
  dms::DMSALI(iwa_, 12, iptr, 0, ierr);     // 13
  set_W(2 * kN + 12, 75);
  set_W(13, 1000000);                       // C's dimension reaching past the next free word
  EXPECT_EQ(dms::DMSPTN(iwa_, "C", 0), 0);  // 25
  set_W(13, 3);
  set_W(kN + 11, 0);                     // A stored but not defined
  dms::DMSALI(iwa_, 11, iptr, 0, ierr);  // 24
  EXPECT_EQ(ierr, -2);
  EXPECT_EQ(W(3), -4);
  const std::vector<std::string> lines = messages();
  ASSERT_EQ(lines.size(), 6u + 5 + 6 + 6);
  EXPECT_EQ(lines[4], body("Inconsistent (corrupt) DMS-info for array B"));
  EXPECT_EQ(lines[10], body("The DMS \"book-keeping-system\" (MCM) is corrupt"));
  EXPECT_EQ(lines[15], body("Inconsistent (corrupt) DMS-info for array C"));
}

TEST_F(Corrupt, ACompactionThatMeetsACorruptArrayMovesNothing) {
  populate(kUnit);
  set_W(2 * kN + 13, 200);  // C stored beyond the block
  const auto before = words();
  int32_t ierr = 0;
  dms::DMSRLI(iwa_, 11, 0, ierr);
  EXPECT_EQ(ierr, -1);
  EXPECT_EQ(W(3), -1);
  set_W(3, 0);
  EXPECT_EQ(words(), before);  // B was not moved either
  EXPECT_EQ(dms::DMSINF(iwa_, "A", 3), 71);
}

}  // namespace
