// Round trips through the writers and readers, and the checks of every
// transfer against the MFP entry and the caller's memory.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
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

class Arrays : public raf_test::RafTest {
 protected:
  // Closes and reopens the file, so that what is read comes from the disk.
  void reopen() {
    ASSERT_EQ(close(), 0);
    ASSERT_EQ(open_old("a.raf"), 0);
  }
};

template <typename T>
std::vector<T> sample(int n) {
  std::vector<T> v(n);
  for (int i = 0; i < n; ++i) v[i] = static_cast<T>((i + 1) * (i % 2 ? -1.25 : 3.0));
  return v;
}

TEST_F(Arrays, EveryTypeRoundTripsAcrossRecordBoundaries) {
  create("a.raf", 200);
  const std::vector<int> lengths = {127, 128, 129, 63, 64, 65};
  int32_t key = 1, st = -1;
  for (const int n : lengths) {
    raflib::RAFPIN(cbytes(sample<int32_t>(n)), n, key++, kUnit, st);
    ASSERT_EQ(st, 0);
    raflib::RAFPRE(cbytes(sample<float>(n)), n, key++, kUnit, st);
    ASSERT_EQ(st, 0);
    raflib::RAFPDP(cbytes(sample<double>(n)), n, key++, kUnit, st);
    ASSERT_EQ(st, 0);
    raflib::RAFPRD(cbytes(sample<double>(n)), n, key++, kUnit, st);
    ASSERT_EQ(st, 0);
  }
  reopen();
  key = 1;
  for (const int n : lengths) {
    std::vector<int32_t> i(n);
    raflib::RAFGIN(bytes(i), n, key++, kUnit, st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(i, sample<int32_t>(n));
    std::vector<float> r(n);
    raflib::RAFGRE(bytes(r), n, key++, kUnit, st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(r, sample<float>(n));
    std::vector<double> d(n);
    raflib::RAFGDP(bytes(d), n, key++, kUnit, st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(d, sample<double>(n));
    std::vector<double> w(n);
    raflib::RAFGRD(bytes(w), n, key++, kUnit, st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(w, sample<double>(n)) << n;
  }
  // Arrays follow each other record by record: the first at 11 after four
  // MFP blocks; 127, 128 and 129 integers take 1, 1 and 2 records.
  const std::string image = testing_support::read_file("a.raf");
  auto address = [&image](int k) { return raf_test::word(image, 3, (k - 1) * 4); };
  EXPECT_EQ(address(1), 11);
  EXPECT_EQ(address(2) - address(1), 1);
  EXPECT_EQ(address(6) - address(5), 1);
  EXPECT_EQ(address(10) - address(9), 2);
}

TEST_F(Arrays, ArraysWrittenIntoAnOldFileReachItAtTheClose) {
  create("a.raf", 5);
  ASSERT_EQ(close(), 0);
  raflib::RAFINI(raf_test::kMsgUnit);  // nothing written since
  ASSERT_EQ(open_old("a.raf"), 0);
  int32_t st = -1;
  raflib::RAFPIN(cbytes(std::vector<int32_t>{5, 6}), 2, 3, kUnit, st);
  ASSERT_EQ(st, 0);
  ASSERT_EQ(close(), 0);
  raflib::RAFINI(raf_test::kMsgUnit);
  ASSERT_EQ(open_old("a.raf"), 0);
  std::vector<int32_t> v(2);
  raflib::RAFGIN(bytes(v), 2, 3, kUnit, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(v, (std::vector<int32_t>{5, 6}));
}

TEST_F(Arrays, DoublesNarrowedBeyondSinglePrecisionBecomeInfinities) {
  create("a.raf", 5);
  const std::vector<double> v = {1.5, 2.5, 3.5, 1e300, -1e300};
  int32_t st = -1;
  raflib::RAFPRD(cbytes(v), 5, 1, kUnit, st);
  ASSERT_EQ(st, 0);
  std::vector<double> w(5);
  raflib::RAFGRD(bytes(w), 5, 1, kUnit, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(w, (std::vector<double>{1.5, 2.5, 3.5, std::numeric_limits<double>::infinity(),
                                    -std::numeric_limits<double>::infinity()}));
}

TEST_F(Arrays, AReaderAsksForAtLeastTheStoredAndAtMostTheAllocatedLength) {
  create("a.raf", 20);
  std::vector<int32_t> v(121, 4);
  int32_t st = -1;
  raflib::RAFPIN(cbytes(v), 120, 10, kUnit, st);  // allocates 120
  raflib::RAFPIN(cbytes(v), 100, 10, kUnit, st);  // stores 100
  ASSERT_EQ(st, 0);
  reopen();  // the stored length reached the file
  messages();
  for (const int n : {100, 110, 120}) {
    raflib::RAFGIN(bytes(v), n, 10, kUnit, st);
    EXPECT_EQ(st, 0) << n;
  }
  raflib::RAFGIN(bytes(v), 99, 10, kUnit, st);
  EXPECT_EQ(st, -1026);
  raflib::RAFGIN(bytes(v), 121, 10, kUnit, st);
  EXPECT_EQ(st, -1027);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            error_header("RFFNFP"),
                            detail("File 22 / Array 10 / Address 5 / Elements 100 / Msg_no 1026:"),
                            text_line("Array length mismatch (too few elements specified)"), "",
                            " *** Error return from RAFGIN", error_header("RFFNFP"),
                            detail("File 22 / Array 10 / Address 5 / Elements 100 / Msg_no 1027:"),
                            text_line("Array length mismatch (too many elements specified)"), "",
                            " *** Error return from RAFGIN"}));
}

TEST_F(Arrays, TypesMustMatchAndAWrongTypeLeavesTheEntryAlone) {
  create("a.raf", 5);
  const std::vector<int32_t> v(10, 1);
  int32_t st = -1;
  raflib::RAFPIN(cbytes(v), 10, 1, kUnit, st);
  std::vector<float> r(10);
  raflib::RAFGRE(bytes(r), 10, 1, kUnit, st);
  EXPECT_EQ(st, -1025);
  raflib::RAFPRE(cbytes(r), 8, 1, kUnit, st);
  EXPECT_EQ(st, -1025);
  std::vector<int32_t> i(10);
  raflib::RAFGIN(bytes(i), 10, 1, kUnit, st);  // still stored with 10
  EXPECT_EQ(st, 0);
  EXPECT_EQ(messages().at(2), text_line("Array type mismatch"));
}

TEST_F(Arrays, ArrayNumbersOutsideTheMfpAreRefused) {
  create("a.raf", 65);
  std::vector<int32_t> v(4);
  int32_t st = -1;
  raflib::RAFGIN(bytes(v), 4, 66, kUnit, st);
  EXPECT_EQ(st, -1069);
  raflib::RAFGIN(bytes(v), 4, 0, kUnit, st);
  EXPECT_EQ(st, -1069);
  const auto lines = messages();
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0], error_header("RFMFPB"));
  EXPECT_EQ(lines[1], detail("File 22 / Array 66 / Address 0 / Elements 0 / Msg_no 1069:"));
  EXPECT_EQ(lines[2], text_line("Attempt to access an array outside allocated MFP range"));
  EXPECT_EQ(lines[4], " *** Error return from RFFNFP");
  EXPECT_EQ(lines[6], " *** Error return from RAFGIN");
  EXPECT_EQ(lines[8], detail("File 22 / Array 0 / Address 0 / Elements 0 / Msg_no 1069:"));
}

TEST_F(Arrays, ReadingANonAllocatedArrayOrAnUnknownUnitFails) {
  create("a.raf", 5);
  std::vector<int32_t> v(4);
  int32_t st = -1;
  raflib::RAFGIN(bytes(v), 4, 2, kUnit, st);
  EXPECT_EQ(st, -1048);
  raflib::RAFGIN(bytes(v), 4, 2, 23, st);
  EXPECT_EQ(st, -1022);
}

// The room checks come first, but a unit with no file still fails with the
// stack of the lookup the readers pass through.
TEST_F(Arrays, AUnitWithNoFileFailsWithTheTracesOfTheWayOut) {
  std::vector<double> v(4);
  const std::vector<std::string> report = {
      error_header("RFFINO"),
      detail("File 0 / Msg_no 1022:"),
      text_line("No RAFLIB open/initialize routine called for this file"),
      "",
      " *** Error return from RFFINO",
      "",
      " *** Error return from RFFNFP"};
  const auto stack = [&](std::initializer_list<std::string> way_out) {
    std::vector<std::string> lines = report;
    for (const std::string& r : way_out)
      lines.insert(lines.end(), {"", " *** Error return from " + r});
    return lines;
  };
  int32_t st = 0;
  raflib::RAFGIN(bytes(v), 4, 1, 23, st);
  EXPECT_EQ(st, -1022);
  EXPECT_EQ(messages(), stack({"RAFGIN"}));
  raflib::RAFGRD(bytes(v), 4, 1, 23, st);
  EXPECT_EQ(st, -1022);
  EXPECT_EQ(messages(), stack({"RAFGRE", "RAFGRD"}));
}

TEST_F(Arrays, AReadLockedFileIsNotRead) {
  create("a.raf", 5);
  const std::vector<int32_t> v(4, 9);
  int32_t st = -1;
  raflib::RAFPIN(cbytes(v), 4, 1, kUnit, st);
  ASSERT_EQ(close(), 0);
  raf_test::patch("a.raf", 109, "   1");
  ASSERT_EQ(open_old("a.raf"), 0);
  std::vector<int32_t> r(4);
  raflib::RAFGIN(bytes(r), 4, 1, kUnit, st);
  EXPECT_EQ(st, -1023);
  EXPECT_EQ(r, std::vector<int32_t>(4));
}

TEST_F(Arrays, MemoryTooSmallForTheElementsIsRefusedBeforeAnythingMoves) {
  create("a.raf", 5);
  std::vector<double> v(20, 2.0);
  int32_t st = -1;
  raflib::RAFPDP(cbytes(v), 20, 1, kUnit, st);
  ASSERT_EQ(st, 0);
  messages();
  // The reader is given 19 doubles of room and 1 more that it must not touch.
  std::vector<double> r(20, -1.0);
  raflib::RAFGDP(bytes(r).first(19 * sizeof(double)), 20, 1, kUnit, st);
  EXPECT_EQ(st, -1027);
  EXPECT_EQ(r, std::vector<double>(20, -1.0));
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            error_header("RAFGDP"),
                            detail("File 22 / Array 1 / Address 0 / Elements 0 / Msg_no 1027:"),
                            text_line("Array length mismatch (too many elements specified)")}));
  // RAFGRD needs room for doubles, though it reads singles.
  raflib::RAFPRE(cbytes(std::vector<float>(20, 1.f)), 20, 2, kUnit, st);
  raflib::RAFGRD(bytes(r).first(10 * sizeof(double)), 20, 2, kUnit, st);
  EXPECT_EQ(st, -1027);
  EXPECT_EQ(r, std::vector<double>(20, -1.0));
  // A writer given too little does not allocate.
  raflib::RAFPIN(cbytes(std::vector<int32_t>(3)), 4, 3, kUnit, st);
  EXPECT_EQ(st, -1027);
  raflib::RAFPIN(cbytes(std::vector<int32_t>(3)), -1, 3, kUnit, st);
  EXPECT_EQ(st, -1026);
  EXPECT_EQ(raflib::state().slots[0].mfpcur, 2);
}

}  // namespace
