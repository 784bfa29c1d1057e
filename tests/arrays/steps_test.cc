#include "arrays/steps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "io/work_array.h"

namespace {

constexpr int32_t kMxglpr = 12;

// A step table of kMxglpr words per step: step j exists when its words 2
// and 3 are not both 0; word 10 flags stored results.
struct Steps {
  explicit Steps(int32_t mxstep) : words(static_cast<std::size_t>(kMxglpr * mxstep), 0) {}
  void present(int32_t step, int32_t w2, int32_t w3, int32_t stored = 0) {
    words[(step - 1) * kMxglpr + 1] = w2;
    words[(step - 1) * kMxglpr + 2] = w3;
    words[(step - 1) * kMxglpr + 9] = stored;
  }
  io::IntView view() {
    work = io::WorkArray(words.data(), static_cast<int64_t>(words.size()));
    return io::IntView(work, 1, work.words());
  }
  std::vector<int32_t> words;
  io::WorkArray work;
};

TEST(Stpcnt, CountsLeadingStepsUpToTheFirstAbsentOne) {
  Steps s(10);
  for (int32_t j = 1; j <= 4; ++j) s.present(j, j, 0);
  s.present(6, 1, 1);  // after the gap: not counted
  int32_t istat = -7;
  EXPECT_EQ(arrays::STPCNT(s.view(), kMxglpr, 10, istat), 4);
  EXPECT_EQ(istat, 0);
}

TEST(Stpcnt, StopsAtTheTableSize) {
  Steps s(5);
  for (int32_t j = 1; j <= 5; ++j) s.present(j, 0, j);
  int32_t istat = 0;
  EXPECT_EQ(arrays::STPCNT(s.view(), kMxglpr, 5, istat), 5);
  EXPECT_EQ(arrays::STPCNT(s.view(), kMxglpr, 3, istat), 3);
  EXPECT_EQ(arrays::STPCNT(s.view(), kMxglpr, 0, istat), 0);
}

TEST(Stpsto, CollectsTheStoredStepsOfTheRangeInOrder) {
  Steps s(10);
  for (int32_t j = 1; j <= 10; ++j) s.present(j, 100 + j, 200 + j, j == 3 || j == 5 || j == 8);
  std::vector<int32_t> scratch(30, -1);
  io::WorkArray work(scratch.data(), 30);
  EXPECT_EQ(arrays::STPSTO(s.view(), kMxglpr, io::IntView(work, 1, 30), 1, 10), 3);
  EXPECT_EQ(std::vector<int32_t>(scratch.begin(), scratch.begin() + 10),
            (std::vector<int32_t>{103, 203, 1, 105, 205, 1, 108, 208, 1, -1}));
  EXPECT_EQ(arrays::STPSTO(s.view(), kMxglpr, io::IntView(work, 1, 30), 4, 7), 1);
  EXPECT_EQ(scratch[0], 105);
}

TEST(Stpsto, OnlyAFlagOfOneCountsAndAnEmptyRangeHasNone) {
  Steps s(4);
  s.present(1, 1, 1, 1);
  s.present(2, 1, 1, 2);  // not 1: not collected here
  s.present(3, 1, 1, -1);
  std::vector<int32_t> scratch(12, 0);
  io::WorkArray work(scratch.data(), 12);
  EXPECT_EQ(arrays::STPSTO(s.view(), kMxglpr, io::IntView(work, 1, 12), 1, 4), 1);
  EXPECT_EQ(arrays::STPSTO(s.view(), kMxglpr, io::IntView(work, 1, 12), 3, 2), 0);
}

}  // namespace
