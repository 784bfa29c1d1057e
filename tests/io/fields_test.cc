#include "io/fields.h"

#include <gtest/gtest.h>

#include <string>

#include "io/units.h"

namespace {

std::string i(int64_t v, int w) {
  char buf[64];
  return {buf, static_cast<std::size_t>(io::put_i(buf, v, w) - buf)};
}
std::string f(double v, int w, int d) {
  char buf[64];
  return {buf, static_cast<std::size_t>(io::put_f(buf, v, w, d) - buf)};
}
std::string e(double v, int w, int d) {
  char buf[64];
  return {buf, static_cast<std::size_t>(io::put_e(buf, v, w, d) - buf)};
}

TEST(Fields, IntegerFieldsRightAlignOrOverflowToAsterisks) {
  EXPECT_EQ(i(12, 5), "   12");
  EXPECT_EQ(i(-12, 5), "  -12");
  EXPECT_EQ(i(0, 1), "0");
  EXPECT_EQ(i(99999, 5), "99999");
  EXPECT_EQ(i(100000, 5), "*****");
  EXPECT_EQ(i(-1000, 4), "****");
  EXPECT_EQ(i(-2147483648LL, 11), "-2147483648");
}

TEST(Fields, ZeroPaddedIntegerFields) {
  EXPECT_EQ(io::Line().iz(5, 2).a("-").iz(2024, 4).a("-").iz(0, 2).view(), "05-2024-00");
  EXPECT_EQ(io::Line().iz(22, 3).view(), "022");
  EXPECT_EQ(io::Line().iz(-5, 3).view(), "-05");
  EXPECT_EQ(io::Line().iz(1234, 3).view(), "***");
  EXPECT_EQ(io::Line().iz(-50, 2).view(), "**");
}

TEST(Fields, IntegerInputAcceptsBlanksAroundASignedNumber) {
  int64_t v = -1;
  EXPECT_EQ(io::get_i("     512", v), 0);
  EXPECT_EQ(v, 512);
  EXPECT_EQ(io::get_i("  -3  ", v), 0);
  EXPECT_EQ(v, -3);
  EXPECT_EQ(io::get_i("+7", v), 0);
  EXPECT_EQ(v, 7);
  EXPECT_EQ(io::get_i("    ", v), 0);
  EXPECT_EQ(v, 0);
}

TEST(Fields, IntegerInputRefusesAnythingElseAndKeepsTheValue) {
  int64_t v = 42;
  for (const char* bad : {"  1 2", "12a ", "  - ", "+-5", "1.5", "99999999999999999999", "\t3"}) {
    EXPECT_EQ(io::get_i(bad, v), io::kIostatBadInteger) << bad;
  }
  EXPECT_EQ(v, 42);
}

TEST(Fields, FixedFields) {
  EXPECT_EQ(f(0.5, 10, 3), "     0.500");
  EXPECT_EQ(f(-12.3456, 10, 3), "   -12.346");
  EXPECT_EQ(f(1234567.0, 10, 3), "**********");  // 11 characters: no room
}

TEST(Fields, FixedFieldTooNarrowDropsTheLeadingZeroThenGivesAsterisks) {
  EXPECT_EQ(f(0.5, 4, 3), ".500");
  EXPECT_EQ(f(-0.5, 5, 3), "-.500");
  EXPECT_EQ(f(12345.0, 8, 3), "********");
}

TEST(Fields, ExponentFields) {
  EXPECT_EQ(e(123.45, 12, 5), " 0.12345E+03");
  EXPECT_EQ(e(-0.001, 12, 5), "-0.10000E-02");
  EXPECT_EQ(e(0.0, 12, 5), " 0.00000E+00");
  EXPECT_EQ(e(1.0e150, 12, 5), " 0.10000+151");
  EXPECT_EQ(e(1.0, 8, 5), "********");
}

TEST(Fields, LineBuilderStringsFieldsTogether) {
  io::Line line;
  line.x(5).a("ERROR CODE =").i(2, 5).a("  (SYSTEM PARAMETER)");
  EXPECT_EQ(line.view(), "     ERROR CODE =    2  (SYSTEM PARAMETER)");
  io::Line geo;
  geo.a(" H      =  ").f(1.0, 10, 3);
  EXPECT_EQ(geo.view(), " H      =       1.000");
}

TEST(Fields, LineBuilderTakesAnEmptyViewWithoutData) {
  io::Line line;
  line.a("A").a(std::string_view()).a("B");
  EXPECT_EQ(line.view(), "AB");
}

TEST(Fields, LineBuilderCutsAtItsCapacity) {
  io::Line line;
  line.a(std::string(io::Line::kCapacity - 2, 'a')).i(12345, 5).a("bcd");
  EXPECT_EQ(line.size(), io::Line::kCapacity);
  EXPECT_EQ(line.view().substr(io::Line::kCapacity - 2), "bc");
}

}  // namespace
