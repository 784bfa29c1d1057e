#include "io/text.h"

#include <gtest/gtest.h>

namespace {

TEST(Text, FirstAndLastNonBlank) {
  EXPECT_EQ(io::LENNB("  abc  "), 5);
  EXPECT_EQ(io::IFSTNB("  abc  "), 3);
  EXPECT_EQ(io::LENNB("      "), 0);
  EXPECT_EQ(io::IFSTNB("      "), 0);
  EXPECT_EQ(io::LENNB(""), 0);
  EXPECT_EQ(io::LENNB("x"), 1);
  EXPECT_EQ(io::trimmed("MSTRU   "), "MSTRU");
}

TEST(Text, FixedFieldsAreCutOrBlankPadded) {
  io::Text<6> name("TCOORD-LONG");
  EXPECT_EQ(name.view(), "TCOORD");
  name = "U";
  EXPECT_EQ(name.view(), "U     ");
  io::Text<4> empty;
  EXPECT_EQ(empty.view(), "    ");
}

TEST(Text, UpperCaseTurnsOnlyLetters) {
  io::Text<10> id("iFwSt1_{z}");
  io::upper_case(id.span());
  EXPECT_EQ(id.view(), "IFWST1_{Z}");
}

}  // namespace
