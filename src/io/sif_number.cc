// The SIF styles take nearly all of a SIF file, so each field is built from
// one 64x128-bit product by a cached power of ten, in registers. The exact
// exponent form of the Ew.d fields decides what the product cannot: values
// within reach of a rounding tie, NaN and the infinities.
#include "io/sif_number.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "io/exp_format.h"
#include "io/pow10_table.h"

namespace io {

namespace {

using uint128 = unsigned __int128;

constexpr std::uint64_t kPow10[] = {1,       10,       100,       1000,       10000,      100000,
                                    1000000, 10000000, 100000000, 1000000000, 10000000000};

char* put_exact(char* out, double v, int scale) {
  char buf[40];
  const int len = format_exp(buf, v, 8, scale);
  out = std::fill_n(out, kSifFieldWidth - len, ' ');
  return std::copy_n(buf, len, out);
}

// |v| = m * 2^e with m in [2^52, 2^53); subnormals are normalised.
struct Binary {
  std::uint64_t m;
  int e;
};

Binary binary_of(std::uint64_t bits) {
  const int biased = static_cast<int>(bits >> 52 & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased != 0) return {fraction | std::uint64_t{1} << 52, biased - 1075};
  const int shift = std::countl_zero(fraction) - 11;
  return {fraction << shift, -1074 - shift};
}

// floor(log10(2^e)), exact for |e| <= 2620.
constexpr int floor_log10_pow2(int e) {
  return (e * 315653) >> 20;
}

// m * 2^e * 10^k as its integer part and the first 64 bits of its fraction.
// Only the cached power is truncated, so this lies below the exact value by
// less than 2^-63 of it.
struct Scaled {
  std::uint64_t whole;
  std::uint64_t fraction;
};

Scaled scale(Binary b, int k) {
  const CachedPow10& p = cached_pow10(k);
  const uint128 product = uint128{b.m} * p.sig;  // below 2^117
  // The binary point of the product: 82 to 94 for the results of 2^23 to
  // 2^34 that rounding to 8 or 9 digits meets.
  const int point = -(b.e + p.exp2);
  return {static_cast<std::uint64_t>(product >> point),
          static_cast<std::uint64_t>(product << (128 - point) >> 64)};
}

// A value rounded to P significant digits: digits in [10^(P-1), 10^P), and
// the decimal exponent of the leading digit.
struct Decimal {
  std::uint64_t digits;
  int exp10;
};

// Rounds m * 2^e to P digits, to nearest. Scaled below 10^P < 2^30, the
// product is short by less than 2^-33, so a fraction further than 2^-32 from
// one half rounds as the exact value does. Returns false inside that window
// (where the true ties are), leaving the decision to the exact path.
template <int P>
bool round_fast(Binary b, Decimal& d) {
  int x = floor_log10_pow2(b.e + 52);  // the decimal exponent, or one less
  Scaled s = scale(b, P - 1 - x);
  if (s.whole >= kPow10[P]) s = scale(b, P - 1 - ++x);
  constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
  constexpr std::uint64_t kWindow = std::uint64_t{1} << 32;
  if (s.fraction - (kHalf - kWindow) <= 2 * kWindow) return false;
  d = {s.whole + (s.fraction > kHalf), x};
  if (d.digits == kPow10[P]) d = {kPow10[P - 1], x + 1};  // 9.99...95 carries
  return true;
}

static_assert(std::endian::native == std::endian::little,
              "eight_digits packs the first digit into the lowest byte");

// The eight decimal digits of n < 10^8 in ASCII, the first in the lowest
// byte: the halves, then the pairs, then the digits are split side by side in
// lanes of one 64-bit word (x * 10486 >> 20 is x / 100 below 10^4, and
// x * 103 >> 10 is x / 10 below 100).
std::uint64_t eight_digits(std::uint32_t n) {
  const std::uint64_t fours = n / 10000 | std::uint64_t{n % 10000} << 32;
  const std::uint64_t high_pairs = (fours * 10486 >> 20) & 0x0000007F0000007F;
  const std::uint64_t pairs = (fours - 100 * high_pairs) << 16 | high_pairs;
  const std::uint64_t tens = (pairs * 103 >> 10) & 0x000F000F000F000F;
  return (tens | (pairs - 10 * tens) << 8) | 0x3030303030303030;
}

// The exponent part of every exponent a field shows: from -324 (4.9E-324,
// scaled) to 309 (1.8E+308, plain).
constexpr int kMinExponent = -324;
constexpr int kMaxExponent = 309;
constexpr auto kExponentText = [] {
  std::array<std::array<char, 4>, kMaxExponent - kMinExponent + 1> text{};
  for (int x = kMinExponent; x <= kMaxExponent; ++x) put_exponent(text[x - kMinExponent].data(), x);
  return text;
}();

// One field: the sign columns, the lead character and the point, eight
// digits, the exponent part.
char* put_field(char* out, bool negative, char lead, std::uint32_t eight, int exponent) {
  const char head[4] = {' ', negative ? '-' : ' ', lead, '.'};
  const std::uint64_t digits = eight_digits(eight);
  std::memcpy(out, head, 4);
  std::memcpy(out + 4, &digits, 8);
  std::memcpy(out + 12, kExponentText[exponent - kMinExponent].data(), 4);
  return out + kSifFieldWidth;
}

template <int Scale>
char* put_style(char* out, double v) {
  const auto bits = std::bit_cast<std::uint64_t>(v);
  if (bits << 1 == 0) return put_field(out, false, '0', 0, 0);  // negative zero too
  if ((bits >> 52 & 0x7FF) == 0x7FF) return put_exact(out, v, Scale);
  Decimal d;
  if (!round_fast<8 + Scale>(binary_of(bits), d)) return put_exact(out, v, Scale);
  const bool negative = bits >> 63;
  if constexpr (Scale == 0) {
    return put_field(out, negative, '0', static_cast<std::uint32_t>(d.digits), d.exp10 + 1);
  } else {
    const auto lead = static_cast<char>('0' + d.digits / kPow10[8]);
    return put_field(out, negative, lead, static_cast<std::uint32_t>(d.digits % kPow10[8]),
                     d.exp10);
  }
}

}  // namespace

char* put_plain(char* out, double v) {
  return put_style<0>(out, v);
}
char* put_scaled(char* out, double v) {
  return put_style<1>(out, v);
}

}  // namespace io
