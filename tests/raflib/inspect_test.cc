#include "raflib/inspect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "raf_test.h"
#include "raflib/writers.h"

namespace {

using raf_test::kUnit;

class Inspect : public raf_test::RafTest {
 protected:
  // a.raf with room for 70 arrays, array 66 holding 200 integers.
  void SetUp() override {
    RafTest::SetUp();
    create("a.raf", 70);
    std::vector<int32_t> v(200, 7);
    int32_t st = -1;
    raflib::RAFPIN(raf_test::cbytes(v), 200, 66, kUnit, st);
    ASSERT_EQ(st, 0);
    ASSERT_EQ(close(), 0);
  }
};

TEST_F(Inspect, GivesTheKeyTheEntriesAndTheFirstError) {
  int32_t st = -1;
  raflib::open_to_inspect(kUnit, "a.raf", 0, st);
  ASSERT_EQ(st, 0);
  raflib::KeyInfo key;
  raflib::inspect_key(kUnit, key, st);
  ASSERT_EQ(st, 0);
  EXPECT_TRUE(key.read && key.raflib);
  EXPECT_EQ(key.type_name, "PC / DIGITAL Visual Fortran");
  EXPECT_EQ(key.created, "20240301  140509");
  EXPECT_EQ(key.mfpmax, 70);
  EXPECT_EQ(key.mfpcur, 66);
  EXPECT_EQ(key.mfpnxt, 9);  // 4 MFP records after the key, then 2 data records
  EXPECT_EQ(key.data_end, key.file_size);

  raflib::MfpEntry e;
  raflib::inspect_entry(kUnit, 66, e, st);
  ASSERT_EQ(st, 0);
  EXPECT_EQ(e.address, 7);
  EXPECT_EQ(e.type, 1);
  EXPECT_EQ(e.stored, 200);
  EXPECT_EQ(e.records, 2);
  raflib::inspect_entry(kUnit, 65, e, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(e.address, 0);

  raflib::inspect_entry(kUnit, 71, e, st);
  EXPECT_EQ(st, -raflib::kMsgOutsideMfp);
  const raflib::ErrorInfo first = raflib::first_error();
  EXPECT_EQ(first.number, raflib::kMsgOutsideMfp);
  EXPECT_EQ(first.routine, "RFMFPB");
  EXPECT_EQ(first.text, "Attempt to access an array outside allocated MFP range");
  raflib::clear_first_error();
  EXPECT_EQ(raflib::first_error().number, 0);
  EXPECT_EQ(raflib::message_text(raflib::kMsgCannotOpen, 29),
            "Cannot open file - Computer's error flag = 29");
}

TEST_F(Inspect, GivesTheKeyOfARefusedFileAndNothingForAFreeUnit) {
  raf_test::patch("a.raf", 1, "RAFLOB");
  int32_t st = -1;
  raflib::open_to_inspect(kUnit, "a.raf", 0, st);
  EXPECT_EQ(st, -raflib::kMsgNotRaflib);
  raflib::KeyInfo key;
  raflib::inspect_key(kUnit, key, st);
  EXPECT_EQ(st, 0);
  EXPECT_TRUE(key.read);
  EXPECT_FALSE(key.raflib);
  EXPECT_EQ(key.identification, "RAFLOB  ");
  raflib::inspect_key(kUnit + 1, key, st);
  EXPECT_EQ(st, -raflib::kMsgNoFile);
}

}  // namespace
