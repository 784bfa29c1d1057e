// Damaged keys and MFP entries: every one is a failure with a message,
// never a read or write outside the caller's memory or the file.
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
using raf_test::text_line;

class Damage : public raf_test::RafTest {
 protected:
  // d.raf: MFPMAX 10, array 1 of 10 integers at record 5 (the file's last).
  void SetUp() override {
    RafTest::SetUp();
    create("d.raf", 10);
    int32_t st = -1;
    raflib::RAFPIN(cbytes(std::vector<int32_t>(10, 3)), 10, 1, kUnit, st);
    ASSERT_EQ(st, 0);
    ASSERT_EQ(close(), 0);
    messages();
  }

  // Sets word w of the entry of array 1, opens the file and reads n integers
  // into room for `room` of them, 8 more guarding the memory beyond.
  int32_t read_with_entry_word(int w, int32_t value, int32_t n, int room = 10) {
    raf_test::patch_word("d.raf", 3, w, value);
    EXPECT_EQ(open_old("d.raf"), 0);
    guarded_.assign(room + 8, -7);
    int32_t st = 0;
    raflib::RAFGIN(bytes(guarded_).first(room * 4), n, 1, kUnit, st);
    for (int i = room; i < room + 8; ++i) EXPECT_EQ(guarded_[i], -7);
    return st;
  }

  // Opens the file and reads 10 integers of array key into v.
  int32_t open_and_read(int32_t key, std::vector<int32_t>& v) {
    EXPECT_EQ(open_old("d.raf"), 0);
    v.assign(10, 0);
    int32_t st = 0;
    raflib::RAFGIN(bytes(v), 10, key, kUnit, st);
    return st;
  }

  std::vector<int32_t> guarded_;
};

TEST_F(Damage, AnAddressBeyondTheEndOfTheFileIsAReadFailure) {
  EXPECT_EQ(read_with_entry_word(0, 6, 10), -1036);
  EXPECT_EQ(messages().at(2), text_line("Cannot read from file - Computer's error flag = 5008"));
}

TEST_F(Damage, NegativeAndWrappingAddressesAreRefused) {
  EXPECT_EQ(read_with_entry_word(0, -4, 10), -1043);
  ASSERT_EQ(close(), 0);
  raf_test::patch_word("d.raf", 3, 2, 1000000);  // allocated
  EXPECT_EQ(read_with_entry_word(0, INT32_MAX - 2, 1000, 1000), -1043);
}

TEST_F(Damage, AStoredLengthAboveTheAllocatedOneFitsNoRequest) {
  EXPECT_EQ(read_with_entry_word(3, 20, 10), -1026);
  int32_t st = 0;
  raflib::RAFGIN(bytes(guarded_).first(40), 20, 1, kUnit, st);
  EXPECT_EQ(st, -1027);
}

TEST_F(Damage, AHugeAllocatedLengthCannotMakeAReadPassTheMemory) {
  EXPECT_EQ(read_with_entry_word(2, INT32_MAX, 100000, 10), -1027);
}

TEST_F(Damage, AnUnknownTypeIsATypeMismatch) {
  EXPECT_EQ(read_with_entry_word(1, 9, 10), -1025);
}

TEST_F(Damage, AWriteThroughADamagedEntryWritesNothing) {
  raf_test::patch_word("d.raf", 3, 0, -4);
  const std::string before = testing_support::read_file("d.raf");
  ASSERT_EQ(open_old("d.raf"), 0);
  int32_t st = 0;
  raflib::RAFPIN(cbytes(std::vector<int32_t>(10, 1)), 10, 1, kUnit, st);
  EXPECT_EQ(st, -1043);
  io::close(kUnit);
  EXPECT_EQ(testing_support::read_file("d.raf"), before);
}

TEST_F(Damage, AnMfpmaxWhoseAreaRunsIntoTheDataAreaIsRefused) {
  // MFPMAX 64 still fits the one block before the data area at record 5.
  raf_test::patch("d.raf", 125, "      64");
  EXPECT_EQ(open_old("d.raf"), 0);
  EXPECT_EQ(close(), 0);
  for (const char* mfpmax : {"      65", "99999999"}) {
    raf_test::patch("d.raf", 125, mfpmax);
    EXPECT_EQ(open_old("d.raf"), -1061) << mfpmax;
  }
  messages();
}

TEST_F(Damage, AnMfpAreaBeyondTheFileIsAReadFailureAtTheFirstLookup) {
  raf_test::patch("d.raf", 117, "    1000");
  raf_test::patch("d.raf", 141, "    2000");
  std::vector<int32_t> v;
  EXPECT_EQ(open_and_read(1, v), -1036);
  EXPECT_EQ(v, std::vector<int32_t>(10));
}

}  // namespace
