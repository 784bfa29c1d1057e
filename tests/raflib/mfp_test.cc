#include "raflib/mfp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "raf_test.h"
#include "raflib/readers.h"
#include "raflib/writers.h"

namespace {

using raf_test::bytes;
using raf_test::cbytes;
using raf_test::kUnit;

class Mfp : public raf_test::RafTest {
 protected:
  // The block held by each of the ten buffers of the file in slot 1.
  static std::vector<int32_t> blocks() {
    std::vector<int32_t> b;
    for (const raflib::BlockBuffer& buffer : raflib::state().slots[0].buffers) {
      b.push_back(buffer.block);
    }
    return b;
  }

  // Reads the array of block b (its first entry) and checks its value.
  static void touch(int32_t b) {
    std::vector<int32_t> v(1);
    int32_t st = -1;
    raflib::RAFGIN(bytes(v), 1, 64 * (b - 1) + 1, kUnit, st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(v[0], b * 100);
  }

  // A file of 11 blocks with one array in each, written in one opening, so
  // that modified blocks leave their buffers before the close.
  void make_eleven_blocks() {
    create("m.raf", 11 * 64);
    for (int32_t b = 1; b <= 11; ++b) {
      const std::vector<int32_t> v = {b * 100};
      int32_t st = -1;
      raflib::RAFPIN(cbytes(v), 1, 64 * (b - 1) + 1, kUnit, st);
      ASSERT_EQ(st, 0);
    }
    ASSERT_EQ(close(), 0);
    ASSERT_EQ(open_old("m.raf"), 0);
  }
};

TEST_F(Mfp, TheEleventhBlockReplacesTheLeastRecentlyUsed) {
  make_eleven_blocks();
  EXPECT_EQ(blocks(), std::vector<int32_t>(10, 0));  // nothing read at opening
  touch(6);
  EXPECT_EQ(blocks(), (std::vector<int32_t>{6, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  for (const int32_t b : {1, 2, 3, 4, 5, 7, 8, 9, 10}) touch(b);
  EXPECT_EQ(blocks(), (std::vector<int32_t>{6, 1, 2, 3, 4, 5, 7, 8, 9, 10}));
  touch(11);  // block 6, read first, goes
  EXPECT_EQ(blocks(), (std::vector<int32_t>{11, 1, 2, 3, 4, 5, 7, 8, 9, 10}));
  touch(6);  // back into the buffer that is now the oldest, that of block 1
  EXPECT_EQ(blocks(), (std::vector<int32_t>{11, 6, 2, 3, 4, 5, 7, 8, 9, 10}));
}

TEST_F(Mfp, UsingABlockMakesItTheMostRecent) {
  make_eleven_blocks();
  for (int32_t b = 1; b <= 10; ++b) touch(b);
  touch(1);
  touch(11);  // block 2 is the oldest now
  EXPECT_EQ(blocks(), (std::vector<int32_t>{1, 11, 3, 4, 5, 6, 7, 8, 9, 10}));
  std::vector<int32_t> ages;
  for (const raflib::BlockBuffer& b : raflib::state().slots[0].buffers) ages.push_back(b.age);
  EXPECT_EQ(ages, (std::vector<int32_t>{2, 1, 10, 9, 8, 7, 6, 5, 4, 3}));
}

TEST_F(Mfp, ArrayNumbersAtBlockEdges) {
  create("m.raf", 130);
  int32_t st = -1;
  for (const int32_t key : {64, 65, 128, 129}) {
    raflib::RAFPIN(cbytes(std::vector<int32_t>{key}), 1, key, kUnit, st);
    ASSERT_EQ(st, 0);
    EXPECT_EQ(raflib::state().entry.block, (key - 1) / 64 + 1);
    EXPECT_EQ(raflib::state().entry.position, (key - 1) % 64 + 1);
  }
  ASSERT_EQ(close(), 0);
  const std::string image = testing_support::read_file("m.raf");
  // Entry 64 is the last of block 1 (records 3-4), entry 65 the first of
  // block 2 (records 5-6); the data area begins at record 9.
  EXPECT_EQ(raf_test::word(image, 4, 124), 9);
  EXPECT_EQ(raf_test::word(image, 5, 0), 10);
  EXPECT_EQ(raf_test::word(image, 6, 124), 11);
  EXPECT_EQ(raf_test::word(image, 7, 0), 12);
}

TEST_F(Mfp, TheDataRecordAfterAnOddMfpAreaKeepsItsContent) {
  // A file made elsewhere: a one-record MFP area (record 3), the first array
  // at record 4, in the second half of MFP block 1.
  create("odd.raf", 32);
  ASSERT_EQ(close(), 0);
  raf_test::patch("odd.raf", 133, "       1       5");
  raf_test::patch("odd.raf", 161, "       1");
  for (const auto& [w, v] : {std::pair{0, 4}, {1, 1}, {2, 10}, {3, 10}}) {
    raf_test::patch_word("odd.raf", 3, w, v);
  }
  for (int i = 0; i < 10; ++i) raf_test::patch_word("odd.raf", 4, i, i + 1);

  ASSERT_EQ(open_old("odd.raf"), 0);
  std::vector<int32_t> v(10);
  int32_t st = -1;
  raflib::RAFGIN(bytes(v), 10, 1, kUnit, st);
  ASSERT_EQ(st, 0);
  EXPECT_EQ(v[9], 10);
  raflib::RAFPIN(cbytes(std::vector<int32_t>(5, 7)), 5, 2, kUnit, st);
  ASSERT_EQ(st, 0);
  ASSERT_EQ(close(), 0);

  const std::string image = testing_support::read_file("odd.raf");
  for (int i = 0; i < 10; ++i) EXPECT_EQ(raf_test::word(image, 4, i), i + 1);
  EXPECT_EQ(raf_test::word(image, 3, 4), 5);
  ASSERT_EQ(open_old("odd.raf"), 0);
  raflib::RAFGIN(bytes(v), 10, 1, kUnit, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(v[0], 1);
  raflib::RAFGIN(bytes(v), 5, 2, kUnit, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(v[4], 7);
}

TEST_F(Mfp, TheAccessStateFollowsReadsWritesAndKeyWrites) {
  create("m.raf", 5);
  const int32_t& state = raflib::state().slots[0].access_state;
  std::vector<int32_t> v(1);
  int32_t st = -1;
  raflib::RAFPIN(cbytes(v), 1, 1, kUnit, st);
  EXPECT_EQ(state, 5);
  raflib::RAFGIN(bytes(v), 1, 1, kUnit, st);
  EXPECT_EQ(state, 6);
  raflib::RAFUPD(kUnit, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(state, 3);
  raflib::RAFGIN(bytes(v), 1, 1, kUnit, st);
  EXPECT_EQ(state, 6);
  raflib::RAFGIN(bytes(v), 1, 2, kUnit, st);  // a failed read changes nothing
  EXPECT_EQ(st, -1048);
  EXPECT_EQ(state, 6);
}

}  // namespace
