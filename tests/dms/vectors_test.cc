#include "dms/vectors.h"

#include <gtest/gtest.h>

#include <vector>

#include "dms_fixture.h"

namespace {

class Vectors : public dms_test::DmsTest {
 protected:
  void SetUp() override {
    DmsTest::SetUp();
    make_block(12);
    for (int k = 1; k <= 12; ++k) set_W(k, k);
  }
};

TEST_F(Vectors, FillSetsMTimesNWords) {
  dms::IVFILL(io::IntView(iwa_, 3, 8), 2, 3, -4);
  EXPECT_EQ(words(), (std::vector<int32_t>{1, 2, -4, -4, -4, -4, -4, -4, 9, 10, 11, 12}));
  dms::IVFILL(io::IntView(iwa_, 1, 12), 0, 5, 0);
  dms::IVFILL(io::IntView(iwa_, 1, 12), -2, 3, 0);
  EXPECT_EQ(W(1), 1);
}

TEST_F(Vectors, FillIsCutToTheView) {
  dms::IVFILL(io::IntView(iwa_, 10, 2), 5, 1, 0);
  dms::IVFILL(io::IntView(iwa_, 1, 2), 65536, 65536, 0);  // a count beyond 32 bits
  EXPECT_EQ(words(), (std::vector<int32_t>{0, 0, 3, 4, 5, 6, 7, 8, 9, 0, 0, 12}));
  EXPECT_TRUE(guards_intact());
}

TEST_F(Vectors, CopyDownOverAnOverlappingSource) {
  dms::IVCOPY(io::IntView(iwa_, 4, 6), io::IntView(iwa_, 2, 6), 6);
  EXPECT_EQ(words(), (std::vector<int32_t>{1, 4, 5, 6, 7, 8, 9, 8, 9, 10, 11, 12}));
}

TEST_F(Vectors, CopyIsFirstWordFirst) {
  // Upwards over an overlapping source the first word propagates, as the
  // copy order says.
  dms::IVCOPY(io::IntView(iwa_, 1, 4), io::IntView(iwa_, 2, 4), 4);
  EXPECT_EQ(words(), (std::vector<int32_t>{1, 1, 1, 1, 1, 6, 7, 8, 9, 10, 11, 12}));
}

TEST_F(Vectors, CopyIsCutToTheShorterViewAndSkipsEmptyCounts) {
  dms::IVCOPY(io::IntView(iwa_, 1, 3), io::IntView(iwa_, 10, 3), 0);
  dms::IVCOPY(io::IntView(iwa_, 1, 3), io::IntView(iwa_, 10, 3), -1);
  dms::IVCOPY(io::IntView(iwa_, 1, 5), io::IntView(iwa_, 11, 2), 5);
  EXPECT_EQ(words(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2}));
  EXPECT_TRUE(guards_intact());
}

}  // namespace
