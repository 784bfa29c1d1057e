#include "raflib/transfer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "raf_test.h"
#include "raflib/blocks.h"

namespace {

using raf_test::bytes;
using raf_test::cbytes;
using raf_test::kUnit;
using testing_support::read_file;

class Transfer : public raf_test::RafTest {
 protected:
  void SetUp() override {
    RafTest::SetUp();
    ASSERT_EQ(io::open_direct(kUnit, "t.raf", io::OpenStatus::kUnknown, 512), 0);
  }
};

TEST_F(Transfer, WordsFillWholeRecordsAndAPartialLastOneWithZeros) {
  std::vector<int32_t> w(129);
  for (int i = 0; i < 129; ++i) w[i] = i + 1;
  int64_t address = 1;
  int32_t st = -1;
  raflib::FFILE(kUnit, raflib::kWrite, address, cbytes(w), 128, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(address, 2);
  raflib::FFILE(kUnit, raflib::kWrite, address, cbytes(w), 129, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(address, 4);
  io::close(kUnit);
  const std::string image = read_file("t.raf");
  ASSERT_EQ(image.size(), 3u * 512);
  EXPECT_EQ(raf_test::word(image, 1, 127), 128);
  EXPECT_EQ(raf_test::word(image, 3, 0), 129);
  EXPECT_EQ(raf_test::word(image, 3, 1), 0);
  EXPECT_EQ(raf_test::word(image, 3, 127), 0);
}

TEST_F(Transfer, ReadsBackAndSkipsOnlyMoveTheAddress) {
  std::vector<int32_t> w(300, 7), r(300, 0);
  int64_t address = 1;
  int32_t st = -1;
  raflib::FFILE(kUnit, raflib::kWrite, address, cbytes(w), 300, st);
  address = 1;
  raflib::FFILE(kUnit, raflib::kRead, address, bytes(r), 300, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(r, w);
  raflib::FFILE(0, raflib::kSkip, address, std::span<std::byte>(), 129, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(address, 6);
  raflib::FFILE(kUnit, raflib::kRead, address, bytes(r), 0, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(address, 6);
}

TEST_F(Transfer, RefusesBadArgumentsWithItsCodes) {
  std::vector<int32_t> w(200);
  int64_t address = 1;
  int32_t st = 0;
  raflib::FFILE(kUnit, raflib::kRead, address, bytes(w), -1, st);
  EXPECT_EQ(st, -995);
  raflib::FFILE(100, raflib::kRead, address, bytes(w), 1, st);
  EXPECT_EQ(st, -991);
  raflib::FFILE(kUnit, 3, address, bytes(w), 1, st);
  EXPECT_EQ(st, -992);
  raflib::FFILE(kUnit, raflib::kRead, address, cbytes(w), 1, st);  // memory that is only read
  EXPECT_EQ(st, -992);
  address = 0;
  raflib::FFILE(kUnit, raflib::kRead, address, bytes(w), 1, st);
  EXPECT_EQ(st, -993);
  // More words than the memory holds are refused, never transferred.
  address = 1;
  raflib::FFILE(kUnit, raflib::kRead, address, bytes(w), 201, st);
  EXPECT_EQ(st, -995);
  EXPECT_EQ(address, 1);
}

TEST_F(Transfer, AddressesNeverWrapPastThirtyTwoBits) {
  int64_t address = raflib::kMaxAddress - 1;
  int32_t st = 0;
  raflib::FFILE(kUnit, raflib::kSkip, address, std::span<std::byte>(), 128, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(address, raflib::kMaxAddress);
  raflib::FFILE(kUnit, raflib::kSkip, address, std::span<std::byte>(), 1, st);
  EXPECT_EQ(st, -993);
  address = 5;
  raflib::FFILE(kUnit, raflib::kSkip, address, std::span<std::byte>(), int64_t{1} << 40, st);
  EXPECT_EQ(st, -993);
}

TEST_F(Transfer, ARecordBeyondTheEndOfTheFileIsAReadFailure) {
  std::vector<int32_t> w(128, 1), r(256, 5);
  int64_t address = 1;
  int32_t st = 0;
  raflib::FFILE(kUnit, raflib::kWrite, address, cbytes(w), 128, st);
  address = 1;
  raflib::FFILE(kUnit, raflib::kRead, address, bytes(r), 256, st);
  EXPECT_EQ(st, -io::kIostatNoRecord);
}

TEST(Swap, ReversesEachElementAndNothingBeyond) {
  std::vector<uint8_t> a = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  int32_t st = -5;
  raflib::RFSWAP(raf_test::bytes(a), 2, 4, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(a, (std::vector<uint8_t>{4, 3, 2, 1, 8, 7, 6, 5, 9, 10}));
  raflib::RFSWAP(raf_test::bytes(a), 1, 8, st);
  EXPECT_EQ(a, (std::vector<uint8_t>{5, 6, 7, 8, 1, 2, 3, 4, 9, 10}));
  raflib::RFSWAP(raf_test::bytes(a), 0, 4, st);
  EXPECT_EQ(st, 0);
  raflib::RFSWAP(raf_test::bytes(a), -1, 4, st);
  EXPECT_EQ(st, -1);
  raflib::RFSWAP(raf_test::bytes(a), 1, 9, st);
  EXPECT_EQ(st, -2);
  raflib::RFSWAP(raf_test::bytes(a), 3, 4, st);  // 12 bytes of 10
  EXPECT_EQ(st, -1);
  EXPECT_EQ(a, (std::vector<uint8_t>{5, 6, 7, 8, 1, 2, 3, 4, 9, 10}));
}

TEST(Widen, SingleToDoublePrecisionInPlace) {
  std::vector<double> d(4, -1.0);
  const float f[3] = {1.5f, 2.5f, 3.5f};
  std::memcpy(d.data(), f, sizeof f);
  raflib::RFR2DP(3, raf_test::bytes(d));
  EXPECT_EQ(d, (std::vector<double>{1.5, 2.5, 3.5, -1.0}));
}

TEST(Blocks, TheLastBlockOfAnOddAreaKeepsToItsFirstRecord) {
  EXPECT_EQ(raflib::block_words(2, 1), 256);
  EXPECT_EQ(raflib::block_words(5, 2), 256);
  EXPECT_EQ(raflib::block_words(5, 3), 128);
  EXPECT_EQ(raflib::block_words(4, 2), 256);
}

}  // namespace
