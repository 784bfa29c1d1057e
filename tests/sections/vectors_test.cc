#include "sections/vectors.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using sections::RVADD;
using sections::RVCOPY;
using sections::RVFILL;

TEST(Vectors, FillCoversMTimesNValues) {
  std::array<double, 8> a{};
  RVFILL(a, 3, 2, 7.5);
  EXPECT_EQ(a, (std::array<double, 8>{7.5, 7.5, 7.5, 7.5, 7.5, 7.5, 0, 0}));
  RVFILL(a, 3, 0, 1.0);
  RVFILL(a, -2, 3, 1.0);
  EXPECT_EQ(a[0], 7.5);
  RVFILL(a, 5, 5, 2.0);  // no further than the array
  EXPECT_EQ(a[7], 2.0);
}

TEST(Vectors, CopyKeepsOrNegates) {
  const std::array<double, 4> a{1, -2, 3, -4};
  std::array<double, 4> b{};
  RVCOPY(a, b, 2, 2, 0);
  EXPECT_EQ(b, a);
  RVCOPY(a, b, 3, 1, -1);
  EXPECT_EQ(b, (std::array<double, 4>{-1, 2, -3, -4}));
}

TEST(Vectors, AddOrSubtractIntoTheFirstInput) {
  std::array<double, 3> a{1, 2, 3};
  const std::array<double, 3> b{10, 20, 30};
  RVADD(a, b, a, 3, 1, 1);
  EXPECT_EQ(a, (std::array<double, 3>{11, 22, 33}));
  std::array<double, 3> c{};
  RVADD(a, b, c, 1, 2, -1);
  EXPECT_EQ(c, (std::array<double, 3>{1, 2, 0}));
  RVADD(a, b, c, 0, 3, 1);
  EXPECT_EQ(c[2], 0.0);
}

}  // namespace
