#include "io/sif_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "io/fields.h"

namespace {

std::string plain(double v) {
  char buf[16];
  io::put_plain(buf, v);
  return {buf, 16};
}

std::string scaled(double v) {
  char buf[16];
  io::put_scaled(buf, v);
  return {buf, 16};
}

TEST(SifNumber, TheStyleTable) {
  EXPECT_EQ(plain(1.0), "  0.10000000E+01");
  EXPECT_EQ(plain(-2.5), " -0.25000000E+01");
  EXPECT_EQ(plain(0.0), "  0.00000000E+00");
  EXPECT_EQ(plain(123456.0), "  0.12345600E+06");
  EXPECT_EQ(scaled(1.0), "  1.00000000E+00");
  EXPECT_EQ(scaled(-2.5), " -2.50000000E+00");
  EXPECT_EQ(scaled(0.0), "  0.00000000E+00");
  EXPECT_EQ(scaled(123456.0), "  1.23456000E+05");
  EXPECT_EQ(plain(6.0), "  0.60000000E+01");
  EXPECT_EQ(scaled(6.0), "  6.00000000E+00");
}

TEST(SifNumber, RoundingCarriesIntoTheNextPowerOfTen) {
  EXPECT_EQ(plain(9.9999999996), "  0.10000000E+02");
  EXPECT_EQ(scaled(9.9999999996), "  1.00000000E+01");
  EXPECT_EQ(plain(9.99999994), "  0.99999999E+01");
  EXPECT_EQ(plain(-0.099999999951), " -0.10000000E+00");
  EXPECT_EQ(scaled(9.9999999996e99), "  1.00000000+100");
  EXPECT_EQ(scaled(9.999999995e99), "  9.99999999E+99");  // 9.99999999499...e99
}

TEST(SifNumber, TiesBetweenDecimalsRoundToEven) {
  // 0.5 and 1.5 times 10^-8 steps are exact binary values only for small
  // scales; 1.25 at three digits is the classic exactly representable tie.
  char buf[16];
  io::put_e(buf, 1.25, 16, 2);
  EXPECT_EQ(std::string(buf, 16), "        0.12E+01");
  io::put_e(buf, 1.35, 16, 2);  // 1.350000000000000088...: above the tie
  EXPECT_EQ(std::string(buf, 16), "        0.14E+01");
  EXPECT_EQ(scaled(1.000000005), "  1.00000000E+00");  // 1.00000000499999996...
  EXPECT_EQ(plain(0.123456785), "  0.12345678E+00");   // 0.12345678499999999...
}

TEST(SifNumber, ExponentsAroundOneHundred) {
  EXPECT_EQ(plain(1.0e98), "  0.10000000E+99");
  EXPECT_EQ(plain(1.0e99), "  0.10000000+100");
  EXPECT_EQ(plain(1.0e100), "  0.10000000+101");
  EXPECT_EQ(scaled(1.0e99), "  1.00000000E+99");
  EXPECT_EQ(scaled(1.0e100), "  1.00000000+100");
  EXPECT_EQ(scaled(1.0e101), "  1.00000000+101");
  EXPECT_EQ(plain(1.0e-99), "  0.10000000E-98");
  EXPECT_EQ(plain(1.0e-100), "  0.10000000E-99");
  EXPECT_EQ(plain(1.0e-101), "  0.10000000-100");
  EXPECT_EQ(scaled(1.0e-99), "  1.00000000E-99");
  EXPECT_EQ(scaled(1.0e-100), "  1.00000000-100");
  EXPECT_EQ(scaled(-1.0e-120), " -1.00000000-120");
}

TEST(SifNumber, ExtremeValues) {
  const double tiny = std::numeric_limits<double>::denorm_min();
  EXPECT_EQ(plain(tiny), "  0.49406565-323");
  EXPECT_EQ(scaled(tiny), "  4.94065646-324");
  const double big = std::numeric_limits<double>::max();
  EXPECT_EQ(plain(big), "  0.17976931+309");
  EXPECT_EQ(scaled(-big), " -1.79769313+308");
}

TEST(SifNumber, NegativeZeroIsWrittenAsZero) {
  EXPECT_EQ(plain(-0.0), "  0.00000000E+00");
  EXPECT_EQ(scaled(-0.0), "  0.00000000E+00");
}

TEST(SifNumber, NonFiniteValuesAreNamed) {
  EXPECT_EQ(plain(std::nan("")), "             NaN");
  EXPECT_EQ(scaled(std::numeric_limits<double>::infinity()), "        Infinity");
  EXPECT_EQ(plain(-std::numeric_limits<double>::infinity()), "       -Infinity");
}

}  // namespace
