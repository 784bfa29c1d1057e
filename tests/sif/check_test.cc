#include "sif/check.h"

#include <gtest/gtest.h>

#include "support.h"

namespace {

class Check : public sif_test::SifFile {};

TEST_F(Check, AColumnHoldsNoMoreEntriesThanItHas) {
  int32_t istat = 0;
  sif::RangeCheck check({1, "  *** ERROR IN TEST ***"}, kUnit, istat);
  // Two columns of 8 in 16 entries: 8 entries of column 2 fit, 10 would be
  // entries of a third column.
  EXPECT_TRUE(check.column("MGLRES", 2, 8, 8, 16, sif::Item::kStep, 2));
  EXPECT_FALSE(check.column("MGLRES", 1, 8, 10, 16, sif::Item::kStep, 1));
  EXPECT_EQ(istat, -1);
  EXPECT_EQ(text(),
            "\r\n  *** ERROR IN TEST ***\r\n"
            "    COLUMN           1 OUT OF RANGE IN MGLRES FOR STEP         1\r\n");
}

}  // namespace
