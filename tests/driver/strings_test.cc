#include "driver/strings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "io/text.h"
#include "io/units.h"
#include "support/temp_dir.h"

namespace {

using testing_support::read_file;

class DialogueText : public testing_support::InTempDir {};

TEST(AddExt, TrimsTheNameAndAppendsTheExtension) {
  io::Text<16> name("  abc  ");
  driver::ADDEXT(name.span(), ".raf");
  EXPECT_EQ(name.view(), "abc.raf         ");
  io::Text<16> blank;
  driver::ADDEXT(blank.span(), ".raf");
  EXPECT_EQ(blank.view(), ".raf            ");
  io::Text<6> tight("abcd");
  driver::ADDEXT(tight.span(), ".raf");
  EXPECT_EQ(tight.view(), "abcd.r");
}

TEST(ReadInteger, FreeFormRules) {
  int v = -99;
  EXPECT_TRUE(driver::read_integer("", v));
  EXPECT_EQ(v, 0);
  EXPECT_TRUE(driver::read_integer("    ", v));
  EXPECT_EQ(v, 0);
  EXPECT_TRUE(driver::read_integer("12", v));
  EXPECT_EQ(v, 12);
  EXPECT_TRUE(driver::read_integer("   7   ", v));
  EXPECT_EQ(v, 7);
  EXPECT_TRUE(driver::read_integer("5,9", v));
  EXPECT_EQ(v, 5);
  EXPECT_TRUE(driver::read_integer("8/", v));
  EXPECT_EQ(v, 8);
  EXPECT_TRUE(driver::read_integer("3 abc", v));
  EXPECT_EQ(v, 3);
  EXPECT_TRUE(driver::read_integer("-4", v));
  EXPECT_EQ(v, -4);
  EXPECT_TRUE(driver::read_integer("+6", v));
  EXPECT_EQ(v, 6);
}

TEST(ReadInteger, SlashOrCommaBeforeAnyDigitGivesZero) {
  int v = -99;
  EXPECT_TRUE(driver::read_integer("  /12", v));
  EXPECT_EQ(v, 0);
  v = -99;
  EXPECT_TRUE(driver::read_integer(",12", v));
  EXPECT_EQ(v, 0);
}

TEST(ReadInteger, AnswersThatDoNotBeginWithAnIntegerAreRefused) {
  int v = 0;
  for (const char* bad : {"abc", "12abc", "1.5", "-", "+", "+-3", "99999999999", "x 12"}) {
    EXPECT_FALSE(driver::read_integer(bad, v)) << bad;
  }
}

TEST_F(DialogueText, PromptLeavesTheLineOpenAfterABlank) {
  ASSERT_EQ(io::open_formatted(6, "console.txt", io::OpenStatus::kUnknown), 0);
  driver::PROMPT(6, "Give RAF File Name Prefix         :  ");
  driver::PROMPT(6, std::string(100, 'p'));
  io::close(6);
  EXPECT_EQ(read_file("console.txt"),
            " Give RAF File Name Prefix         :   " + std::string(80, 'p'));
}

TEST_F(DialogueText, Ch2IntStoresCharacterCodesAfterZeroing) {
  std::vector<int32_t> block(10, 77);
  io::WorkArray wa(block.data(), 10);
  int istat = 0;
  driver::CH2INT("  ab  cd  ", io::IntView(wa, 1, 10), 5, 2, 17, istat);
  EXPECT_EQ(istat, 0);
  const std::vector<int32_t> want = {' ', ' ', 'a', 'b', 0, ' ', 'c', 'd', 0, 0};
  EXPECT_EQ(block, want);
}

TEST_F(DialogueText, Ch2IntReportsAStringLongerThanTheArray) {
  std::vector<int32_t> block(4, 77);
  io::WorkArray wa(block.data(), 4);
  int istat = 0;
  driver::CH2INT("abcdef", io::IntView(wa, 1, 4), 4, 1, 17, istat);
  EXPECT_EQ(istat, -1);
  EXPECT_EQ(block, std::vector<int32_t>(4, 0));
  io::close(17);
  EXPECT_EQ(read_file("fort.17"),
            "\r\n\r\n   Error in routine *CH2INT*              \r\n"
            "\r\n\r\n   Character string longer than integer  array \r\n"
            "   Length of string :                         :          6\r\n"
            "   Length of array  :                         :          4\r\n");
}

}  // namespace
