#include "raflib/copies.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "raf_test.h"
#include "raflib/readers.h"
#include "raflib/writers.h"

namespace {

using raf_test::bytes;
using raf_test::cbytes;
using raf_test::detail;
using raf_test::error_header;
using raf_test::kUnit;
using raf_test::text_line;
using testing_support::read_file;

const std::vector<int32_t> kInts = {1, -2, 3, 0x01020304, 5, 6, 7, 8, 9, 10};
const std::vector<float> kFloats = {1.5f, -2.25f, 3e10f};
const std::vector<double> kDoubles = {1.5, -2.25, 3e100, 1.0 / 3};

class Copies : public raf_test::RafTest {
 protected:
  // native.raf: integers as array 1, singles as 2, doubles as 3, doubles
  // stored as singles as 4, and integers again as array 70 (block 2).
  void make_native() {
    create("native.raf", 100);
    int32_t st = -1;
    raflib::RAFPIN(cbytes(kInts), 10, 1, kUnit, st);
    raflib::RAFPRE(cbytes(kFloats), 3, 2, kUnit, st);
    raflib::RAFPDP(cbytes(kDoubles), 4, 3, kUnit, st);
    raflib::RAFPRD(cbytes(kDoubles), 4, 4, kUnit, st);
    raflib::RAFPIN(cbytes(kInts), 5, 70, kUnit, st);
    ASSERT_EQ(st, 0);
    ASSERT_EQ(close(), 0);
    messages();
  }

  // Reads back every array of native.raf from the file on unit.
  static void expect_native_arrays(int32_t unit) {
    int32_t st = -1;
    std::vector<int32_t> i(10);
    raflib::RAFGIN(bytes(i), 10, 1, unit, st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(i, kInts);
    std::vector<float> r(3);
    raflib::RAFGRE(bytes(r), 3, 2, unit, st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(r, kFloats);
    std::vector<double> d(4);
    raflib::RAFGDP(bytes(d), 4, 3, unit, st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(d, kDoubles);
    raflib::RAFGRD(bytes(d), 4, 4, unit, st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(d[1], -2.25);
    EXPECT_EQ(d[3], static_cast<double>(static_cast<float>(1.0 / 3)));
    std::vector<int32_t> j(5);
    raflib::RAFGIN(bytes(j), 5, 70, unit, st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(j, std::vector<int32_t>(kInts.begin(), kInts.begin() + 5));
  }
};

TEST_F(Copies, AForeignOrderCopyReversesEntriesAndElementsButNotTheKey) {
  make_native();
  ASSERT_EQ(raflib::write_foreign_order_copy("native.raf", "big.raf", 8), 0);
  const std::string n = read_file("native.raf");
  const std::string b = read_file("big.raf");
  ASSERT_EQ(b.size(), n.size());
  EXPECT_EQ(b.substr(16, 44), "HP PA-Risc / HP-UX" + std::string(22, ' ') + "   8");
  EXPECT_EQ(b.substr(0, 16), n.substr(0, 16));
  EXPECT_EQ(b.substr(60, 964), n.substr(60, 964));
  for (int w = 0; w < 256; ++w) {  // both MFP blocks, word by word
    EXPECT_EQ(raf_test::word(b, 3, w), __builtin_bswap32(raf_test::word(n, 3, w)));
    EXPECT_EQ(raf_test::word(b, 5, w), __builtin_bswap32(raf_test::word(n, 5, w)));
  }
  const int32_t ints = raf_test::word(n, 3, 0), doubles = raf_test::word(n, 3, 8);
  EXPECT_EQ(raf_test::word(b, ints, 3), 0x04030201);
  uint64_t d, e;
  std::memcpy(&d, n.data() + (doubles - 1) * 512 + 8, 8);
  std::memcpy(&e, b.data() + (doubles - 1) * 512 + 8, 8);
  EXPECT_EQ(e, __builtin_bswap64(d));
}

TEST_F(Copies, ABigEndianFileReadsBackAndRefusesWrites) {
  make_native();
  ASSERT_EQ(raflib::write_foreign_order_copy("native.raf", "big.raf", 12), 0);
  const std::string before = read_file("big.raf");
  ASSERT_EQ(open_old("big.raf"), 0);
  expect_native_arrays(kUnit);
  int32_t st = -1;
  raflib::RAFPIN(cbytes(kInts), 10, 5, kUnit, st);
  EXPECT_EQ(st, -1071);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            error_header("RFCHKW"), detail("File 22 / Msg_no 1071:"),
                            text_line("Cannot generate files for Silicon Graphics / IRIX"), "",
                            " *** Error return from RAFPIN"}));
  // Closing after writes elsewhere leaves the file as it was.
  EXPECT_EQ(close(), 0);
  EXPECT_FALSE(io::is_open(kUnit));
  EXPECT_EQ(read_file("big.raf"), before);
}

TEST_F(Copies, EachFileKeepsItsOwnByteOrder) {
  make_native();
  ASSERT_EQ(raflib::write_foreign_order_copy("native.raf", "big.raf", 8), 0);
  ASSERT_EQ(open_old("native.raf", 23), 0);
  ASSERT_EQ(open_old("big.raf", 24), 0);
  expect_native_arrays(23);
  expect_native_arrays(24);
  create("new.raf", 5);  // a native file may be created after a foreign one
  int32_t st = -1;
  raflib::RAFPIN(cbytes(kInts), 10, 1, kUnit, st);
  EXPECT_EQ(st, 0);
}

TEST_F(Copies, CopiesRefuseWhatTheyCannotMake) {
  make_native();
  EXPECT_EQ(raflib::write_foreign_order_copy("native.raf", "x.raf", 15), -1071);
  EXPECT_EQ(raflib::write_foreign_order_copy("absent.raf", "x.raf", 8), -1034);
  ASSERT_EQ(raflib::write_foreign_order_copy("native.raf", "big.raf", 8), 0);
  EXPECT_EQ(raflib::write_foreign_order_copy("big.raf", "x.raf", 12), -1070);
  EXPECT_EQ(raflib::write_version0_copy("big.raf", "x.raf"), -1070);
  ASSERT_EQ(raflib::write_version0_copy("native.raf", "old.raf"), 0);
  EXPECT_EQ(raflib::write_version0_copy("old.raf", "x.raf"), -1028);
  testing_support::write_file("short.raf", "RAFLIB");
  EXPECT_EQ(raflib::write_version0_copy("short.raf", "x.raf"), -1036);
}

class Upgrade : public raf_test::RafTest {
 protected:
  // v2.raf with maxarr arrays, array k holding k for each k given.
  void make(int32_t maxarr, std::initializer_list<int32_t> keys) {
    create("v2.raf", maxarr);
    for (const int32_t k : keys) {
      int32_t st = -1;
      raflib::RAFPIN(cbytes(std::vector<int32_t>{k}), 1, k, kUnit, st);
      ASSERT_EQ(st, 0);
    }
    ASSERT_EQ(close(), 0);
    ASSERT_EQ(raflib::write_version0_copy("v2.raf", "v0.raf"), 0);
    raflib::RAFINI(raf_test::kMsgUnit);
  }
  static void expect_array(int32_t k) {
    std::vector<int32_t> v(1);
    int32_t st = -1;
    raflib::RAFGIN(bytes(v), 1, k, kUnit, st);
    EXPECT_EQ(st, 0) << k;
    EXPECT_EQ(v[0], k);
  }
};

TEST_F(Upgrade, BelowTwoBlocksOnlyTheKeyIsRewritten) {
  make(127, {64, 100});
  const std::string old = read_file("v0.raf");
  EXPECT_EQ(old.substr(8, 8), "   0   0");
  EXPECT_EQ(old.substr(168, 8), std::string(8, ' '));
  ASSERT_EQ(open_old("v0.raf"), 0);
  expect_array(64);
  expect_array(100);
  const std::string now = read_file("v0.raf");
  EXPECT_EQ(now.substr(8, 8), "   2   1");
  EXPECT_EQ(now.substr(168, 8), "     512");
  EXPECT_EQ(now.substr(1024), old.substr(1024));
  EXPECT_NE(raflib::state().iwfile, 0);  // so the close writes the read time
}

TEST_F(Upgrade, TheLastEntryOfEachBlockComesBackFromTheNextBlock) {
  make(129, {1, 64, 65, 129});
  const std::string old = read_file("v0.raf");
  const std::string v2 = read_file("v2.raf");
  // In version 0 entry 64 of block 1 lives in block 2 (records 5-6).
  for (int w = 124; w < 128; ++w) {
    EXPECT_EQ(raf_test::word(old, 4, w), 0);
    EXPECT_EQ(raf_test::word(old, 6, w), raf_test::word(v2, 4, w));
  }
  ASSERT_EQ(open_old("v0.raf"), 0);
  const std::string now = read_file("v0.raf");
  EXPECT_EQ(now.substr(0, 1024), v2.substr(0, 1024));
  EXPECT_EQ(now.substr(1024, 512 * 2), v2.substr(1024, 512 * 2));  // block 1 as before
  EXPECT_EQ(now.substr(1024 + 1024), old.substr(1024 + 1024));     // blocks 2 and 3 untouched
  for (const int32_t k : {1, 64, 65, 129}) expect_array(k);
  // Array 128 shares the entry of array 64, as in every upgraded file.
  std::vector<int32_t> v(1);
  int32_t st = -1;
  raflib::RAFGIN(bytes(v), 1, 128, kUnit, st);
  EXPECT_EQ(v[0], 64);
}

TEST_F(Upgrade, ACopyThatWouldLoseAnArrayIsRefused) {
  make(129, {64});
  create("lossy.raf", 129);
  int32_t st = -1;
  raflib::RAFPIN(cbytes(std::vector<int32_t>{128}), 1, 128, kUnit, st);
  ASSERT_EQ(close(), 0);
  EXPECT_EQ(raflib::write_version0_copy("lossy.raf", "x.raf"), -1);
}

TEST_F(Upgrade, OpenedForReadingOnlyAVersion0FileIsUpgradedInMemoryAndNeverWritten) {
  make(200, {1, 64, 65, 128, 129, 200});
  const std::string before = read_file("v0.raf");
  raflib::open_for_reading_only(true);
  ASSERT_EQ(open_old("v0.raf"), 0);
  EXPECT_TRUE(io::is_read_only(kUnit));
  for (const int32_t k : {1, 64, 65, 128, 129, 200}) expect_array(k);
  // Block 3, the last whole block, is left as the upgrade in place leaves it.
  std::vector<int32_t> v(1);
  int32_t st = -1;
  raflib::RAFGIN(bytes(v), 1, 192, kUnit, st);
  EXPECT_EQ(v[0], 128);
  EXPECT_EQ(raflib::state().slots[0].key.view().substr(8, 8), "   0   0");
  raflib::RAFPIN(cbytes(v), 1, 2, kUnit, st);
  EXPECT_EQ(st, -1035);
  raflib::state().iwfile = 1;  // as after writing another file
  EXPECT_EQ(close(), 0);
  EXPECT_EQ(read_file("v0.raf"), before);
  // A foreign version 0 file, which cannot be upgraded in place, reads too.
  ASSERT_EQ(raflib::write_foreign_order_copy("v0.raf", "big0.raf", 8), 0);
  ASSERT_EQ(open_old("big0.raf"), 0);
  for (const int32_t k : {1, 64, 65, 128, 129, 200}) expect_array(k);
}

TEST_F(Upgrade, AForeignVersion0FileIsRefusedBeforeAnythingIsWritten) {
  make(200, {64, 130});
  ASSERT_EQ(raflib::write_foreign_order_copy("v0.raf", "big0.raf", 8), 0);
  const std::string before = read_file("big0.raf");
  EXPECT_EQ(open_old("big0.raf"), -1071);
  EXPECT_EQ(read_file("big0.raf"), before);
}

}  // namespace
