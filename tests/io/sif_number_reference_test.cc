// The SIF styles byte for byte against the C library's exact exponent
// conversion: random bit patterns, the nearest doubles to decimal midpoints,
// both ends of every binade, the powers of ten, and exact ties written out.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "io/pow10_table.h"
#include "io/sif_number.h"
#include "support/sif_reference.h"

// Set by tests/io/CMakeLists.txt: fewer under the sanitizers, where each
// value costs far more.
#ifndef RAF2SIF_SIF_RANDOM_VALUES
#error "RAF2SIF_SIF_RANDOM_VALUES: the number of random bit patterns per style"
#endif

namespace {

using io::SifStyle;

std::string field(double v, SifStyle style) {
  char buf[16];
  io::put_sif(buf, v, style);
  return {buf, 16};
}

std::string reference(double v, SifStyle style) {
  char buf[16];
  testing_support::put_sif_reference(buf, v, style);
  return {buf, 16};
}

// Compares one style with the reference, value by value; reports the first
// few differences and counts them all.
class Comparison {
 public:
  explicit Comparison(SifStyle style) : style_(style) {}
  ~Comparison() {
    EXPECT_EQ(differences_, 0) << "of " << checked_ << " values in the "
                               << (style_ == SifStyle::kPlain ? "plain" : "scaled") << " style";
  }

  void operator()(double v) {
    char got[16];
    char want[16];
    ++checked_;
    if (testing_support::matches_reference(v, style_, got, want)) return;
    if (++differences_ <= 10) {
      ADD_FAILURE() << "bits 0x" << std::hex << std::bit_cast<std::uint64_t>(v) << ": got \""
                    << std::string(got, 16) << "\", want \"" << std::string(want, 16) << "\"";
    }
  }

  // Both neighbours of v as well.
  void around(double v) {
    (*this)(std::nextafter(v, -INFINITY));
    (*this)(v);
    (*this)(std::nextafter(v, INFINITY));
  }

 private:
  SifStyle style_;
  long checked_ = 0;
  long differences_ = 0;
};

std::uint64_t seed_for(const char* test) {
  std::uint64_t seed = std::random_device{}();
  seed = seed << 32 | std::random_device{}();
  if (const char* given = std::getenv("SIF_TEST_SEED")) seed = std::strtoull(given, nullptr, 0);
  std::printf("%s: seed %llu (SIF_TEST_SEED=%llu repeats it)\n", test,
              static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed));
  return seed;
}

void compare_random_bit_patterns(SifStyle style) {
  std::mt19937_64 rng(seed_for(style == SifStyle::kPlain ? "plain" : "scaled"));
  Comparison compare(style);
  for (long i = 0; i < RAF2SIF_SIF_RANDOM_VALUES; ++i) compare(std::bit_cast<double>(rng()));
}

TEST(SifNumberReference, RandomBitPatternsPlain) {
  compare_random_bit_patterns(SifStyle::kPlain);
}
TEST(SifNumberReference, RandomBitPatternsScaled) {
  compare_random_bit_patterns(SifStyle::kScaled);
}

// A line is formatted two values at a time: its fields match the reference
// for every length, odd or even, and wherever in a pair a value for the
// exact path (a subnormal, NaN, an infinity, a tie, a carry) sits.
TEST(SifNumberReference, LinesMatchFieldByField) {
  using limits = std::numeric_limits<double>;
  const double hand_on[] = {limits::denorm_min(),
                            limits::quiet_NaN(),
                            -limits::infinity(),
                            12345678.5,
                            99999999.5,
                            999999999.5,
                            -0.0};
  std::mt19937_64 rng(seed_for("lines"));
  for (SifStyle style : {SifStyle::kPlain, SifStyle::kScaled}) {
    for (int i = 0; i < 50000; ++i) {
      const std::size_t n = 1 + i % 5;
      double values[5];
      for (std::size_t k = 0; k < n; ++k) {
        values[k] =
            rng() % 4 == 0 ? hand_on[rng() % std::size(hand_on)] : std::bit_cast<double>(rng());
      }
      char line[16 * 5];
      ASSERT_EQ(io::put_sif_fields(line, {values, n}, style), line + 16 * n);
      for (std::size_t k = 0; k < n; ++k) {
        ASSERT_EQ(std::string(line + 16 * k, 16), reference(values[k], style))
            << "field " << k << " of " << n << ", bits 0x" << std::hex
            << std::bit_cast<std::uint64_t>(values[k]);
      }
    }
  }
}

// The nearest doubles to the midpoints between two 8- or 9-digit decimals,
// and their neighbours, sit inside the window the fast path hands over to the
// exact one, or just outside it.
TEST(SifNumberReference, NearestDoublesToDecimalMidpoints) {
  std::mt19937_64 rng(seed_for("midpoints"));
  Comparison plain(SifStyle::kPlain);
  Comparison scaled(SifStyle::kScaled);
  for (int digits : {8, 9}) {
    std::uniform_int_distribution<long long> lead(std::llround(std::pow(10, digits - 1)),
                                                  std::llround(std::pow(10, digits)) - 1);
    std::uniform_int_distribution<int> exp10(-330, 310);
    for (int i = 0; i < 50000; ++i) {
      char text[40];
      std::snprintf(text, sizeof text, "%lld5E%d", lead(rng), exp10(rng));
      const double v = std::strtod(text, nullptr);
      plain.around(v);
      scaled.around(v);
    }
  }
}

TEST(SifNumberReference, BothEndsOfEveryBinade) {
  Comparison plain(SifStyle::kPlain);
  Comparison scaled(SifStyle::kScaled);
  for (int e = -1074; e <= 1023; ++e) {
    const double low = std::ldexp(1.0, e);
    const double high = e == 1023 ? std::numeric_limits<double>::max()
                                  : std::nextafter(std::ldexp(1.0, e + 1), 0.0);
    for (double v : {low, high, -low, -high}) {
      plain(v);
      scaled(v);
    }
  }
}

// The doubles just below a power of ten round up into it and carry into the
// next exponent (9.99999999...5 becomes 1.00000000), across the two- and
// three-digit exponents alike.
TEST(SifNumberReference, PowersOfTenAndTheirNeighbours) {
  Comparison plain(SifStyle::kPlain);
  Comparison scaled(SifStyle::kScaled);
  for (int k = -324; k <= 308; ++k) {
    char text[16];
    std::snprintf(text, sizeof text, "1E%d", k);
    plain.around(std::strtod(text, nullptr));
    scaled.around(std::strtod(text, nullptr));
  }
}

TEST(SifNumberReference, ExtremeAndSpecialValues) {
  using limits = std::numeric_limits<double>;
  Comparison plain(SifStyle::kPlain);
  Comparison scaled(SifStyle::kScaled);
  for (double v : {limits::denorm_min(), limits::min(), limits::max(), limits::infinity(),
                   -limits::infinity(), limits::quiet_NaN(), 0.0, -0.0, 1e-100, 1e-99, 1e99, 1e100,
                   1e-101, 1e101, 1e-100 / 3, 1e99 / 3}) {
    plain.around(v);
    scaled.around(v);
  }
}

// Values exactly halfway between two decimals of the field's precision
// round to the even one. A tie at P digits needs v * 10^k = D + 1/2 with D
// of P digits, so v = (2D + 1) / (2^(k+1) 5^k): for k >= 0 this is a double
// only when 5^k divides 2D + 1; for k < 0 (whole numbers) when
// (2D + 1) 5^-k 2^-k-1 fits 53 bits.
TEST(SifNumberReference, ExactTiesRoundToEven) {
  struct Tie {
    double v;
    const char* plain;
    const char* scaled;
  };
  const Tie ties[] = {
      // 12345678.5 = 24691357 / 2: the 8-digit tie 12345678|5 keeps the even 8.
      {12345678.5, "  0.12345678E+08", "  1.23456785E+07"},
      // 12345677.5: 12345677|5, the odd 7 goes up.
      {12345677.5, "  0.12345678E+08", "  1.23456775E+07"},
      // Whole numbers: 123456785 = 12345678|5 (even), 1234567895 =
      // 123456789|5 at nine digits (odd: up), 1234567885 (even: stays).
      {123456785.0, "  0.12345678E+09", "  1.23456785E+08"},
      {1234567895.0, "  0.12345679E+10", "  1.23456790E+09"},
      {1234567885.0, "  0.12345679E+10", "  1.23456788E+09"},
      // 1234567850000000 < 2^53 is exact: 12345678|50000000, even.
      {1234567850000000.0, "  0.12345678E+16", "  1.23456785E+15"},
      // 3 / 2^11 = 0.00146484375 = 3 5^11 / 10^11: 14648437|5, odd: up.
      {3.0 / 2048, "  0.14648438E-02", "  1.46484375E-03"},
      // 2^-12 = 0.000244140625 = 5^12 / 10^12: 24414062|5, even. The
      // negative value rounds its magnitude the same way.
      {1.0 / 4096, "  0.24414062E-03", "  2.44140625E-04"},
      {-1.0 / 4096, " -0.24414062E-03", " -2.44140625E-04"},
      // 2^-13 = 0.0001220703125: 122070312|5 at nine digits, even; at eight
      // digits 12207031|25 is below the half.
      {1.0 / 8192, "  0.12207031E-03", "  1.22070312E-04"},
      // 3 / 2^13 = 0.0003662109375: 366210937|5, odd: up.
      {3.0 / 8192, "  0.36621094E-03", "  3.66210938E-04"},
      // 123456789 / 4 = 30864197.25: 308641972|5 at nine digits, even.
      {123456789.0 / 4, "  0.30864197E+08", "  3.08641972E+07"},
      // Ties that carry into the next power of ten: 99999999|5 (odd) and
      // 999999999|5 (odd) round up to 10^8 and 10^9.
      {99999999.5, "  0.10000000E+09", "  9.99999995E+07"},
      {999999999.5, "  0.10000000E+10", "  1.00000000E+09"},
  };
  for (const Tie& t : ties) {
    EXPECT_EQ(field(t.v, SifStyle::kPlain), t.plain) << t.v;
    EXPECT_EQ(field(t.v, SifStyle::kScaled), t.scaled) << t.v;
    EXPECT_EQ(reference(t.v, SifStyle::kPlain), t.plain) << t.v;
    EXPECT_EQ(reference(t.v, SifStyle::kScaled), t.scaled) << t.v;
  }
}

// The table's ends and the edge of exactness (5^27 < 2^64 < 5^28), checked
// against exact rational arithmetic done apart (sig = floor(10^k / 2^exp2)).
TEST(CachedPow10, EntriesAreTruncatedSignificands) {
  struct Entry {
    int k;
    std::uint64_t sig;
    int exp2;
  };
  const Entry entries[] = {
      {-301, 0x892731ac9faf056e, -1063}, {-300, 0xab70fe17c79ac6ca, -1060},
      {-1, 0xcccccccccccccccc, -67},     {0, 0x8000000000000000, -63},
      {1, 0xa000000000000000, -60},      {22, 0x878678326eac9000, 10},
      {27, 0xcecb8f27f4200f3a, 26},      {28, 0x813f3978f8940984, 30},
      {331, 0xbc789925624c5fe0, 1036},   {332, 0xeb96bf6ebadf77d8, 1039},
  };
  ASSERT_EQ(io::kPow10Min, -301);
  ASSERT_EQ(io::kPow10Max, 332);
  for (const Entry& e : entries) {
    EXPECT_EQ(io::cached_pow10(e.k).sig, e.sig) << e.k;
    EXPECT_EQ(io::cached_pow10(e.k).exp2, e.exp2) << e.k;
  }
}

}  // namespace
