// The SIF styles take nearly all of a SIF file, so each field is built from
// one 64x128-bit product by a cached power of ten, in registers and without
// a branch the data decides. The exact exponent form of the Ew.d fields
// decides what the product cannot: values within reach of a rounding tie,
// the subnormals, NaN and the infinities.
#include "io/sif_number.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

#include "io/exp_format.h"
#include "io/pow10_table.h"

namespace io {

namespace {

using uint128 = unsigned __int128;

constexpr std::uint64_t kPow10[] = {1,       10,       100,       1000,       10000,      100000,
                                    1000000, 10000000, 100000000, 1000000000, 10000000000};

// A value rounded to P significant digits: digits in [10^(P-1), 10^P), and
// the exponent part the style shows for it; zero has zero digits.
struct Decimal {
  std::uint64_t digits;
  std::uint32_t exponent;
};

// Rounds a normal value or zero to P significant digits, to nearest, from
// one product by its binade's multiplier, which gives P digits before the
// point. The product is short by less than 2^-28 of a last digit, so a
// fraction further than 2^-26 from one half rounds as the exact value does.
// Returns false inside that window (where the true ties are), for a value
// that rounds up to the next power of ten (9.99...95), and for a subnormal
// (zero digits from a nonzero value), leaving those to the exact path.
template <int P>
bool round_fast(std::uint64_t bits, const BinadeScales& scales, Decimal& d) {
  constexpr std::uint64_t kImplicit = std::uint64_t{1} << 52;
  const BinadeScale& binade = scales[bits >> 52 & 0x7FF];
  const std::uint64_t m = (bits & (kImplicit - 1)) | kImplicit;
  const bool above = m >= binade.next;
  const uint128 product = uint128{m} * binade.multiplier[above];
  constexpr int kPoint = scale_point(P) - 64;
  const auto whole = static_cast<std::uint64_t>(product >> scale_point(P));
  const auto fraction = static_cast<std::uint64_t>(product >> kPoint);
  constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
  constexpr std::uint64_t kWindow = std::uint64_t{1} << 38;
  const std::uint64_t digits = whole + (fraction > kHalf);
  // Zero digits (a subnormal, or zero) or 10^P (a carry) in one test, and
  // as integers, so that no branch hangs on a zero.
  const std::uint64_t odd_digits = digits - 1 >= kPow10[P] - 1;
  const std::uint64_t nonzero = bits << 1 != 0;
  const std::uint64_t near_tie = fraction - (kHalf - kWindow) <= 2 * kWindow;
  if ((odd_digits & nonzero) | near_tie) return false;
  std::uint32_t exponent;
  std::memcpy(&exponent, binade.exponent[above], 4);
  d = {digits, exponent};
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

// One field, stored as it lies: the sign columns, the lead character and
// the point (4 bytes), eight digits (8), the exponent part (4).
char* put_field(char* out, bool negative, std::uint32_t lead, std::uint32_t eight,
                std::uint32_t exponent) {
  const std::uint32_t head = 0x2E002020 | std::uint32_t{negative} * 0x0D00 | lead << 16;
  const std::uint64_t digits = eight_digits(eight);
  std::memcpy(out, &head, 4);
  std::memcpy(out + 4, &digits, 8);
  std::memcpy(out + 12, &exponent, 4);
  return out + kSifFieldWidth;
}

// The exact road: the subnormals, NaN, the infinities and the values next
// to a tie.
[[gnu::noinline, gnu::cold]] char* put_exact(char* out, double v, int scale) {
  char buf[40];
  const int len = format_exp(buf, v, 8, scale);
  out = std::fill_n(out, kSifFieldWidth - len, ' ');
  return std::copy_n(buf, len, out);
}

// NaN and the infinities go the exact road from the start.
template <int Scale>
char* put_style(char* out, double v) {
  const auto bits = std::bit_cast<std::uint64_t>(v);
  Decimal d;
  if ((bits >> 52 & 0x7FF) == 0x7FF ||
      !round_fast<8 + Scale>(bits, Scale == 0 ? kPlainScales : kScaledScales, d)) [[unlikely]] {
    return put_exact(out, v, Scale);
  }
  const bool negative = (bits >> 63) & (d.digits != 0);  // never "-0."
  if constexpr (Scale == 0) {
    return put_field(out, negative, '0', static_cast<std::uint32_t>(d.digits), d.exponent);
  } else {
    const auto lead = static_cast<std::uint32_t>(d.digits / kPow10[8]);
    return put_field(out, negative, '0' + lead,
                     static_cast<std::uint32_t>(d.digits - lead * kPow10[8]), d.exponent);
  }
}

template <int Scale>
char* put_fields(char* out, std::span<const double> values) {
  for (const double v : values) out = put_style<Scale>(out, v);
  return out;
}

}  // namespace

char* put_plain(char* out, double v) {
  return put_style<0>(out, v);
}
char* put_scaled(char* out, double v) {
  return put_style<1>(out, v);
}

char* put_sif_fields(char* out, std::span<const double> values, SifStyle style) {
  return style == SifStyle::kPlain ? put_fields<0>(out, values) : put_fields<1>(out, values);
}

}  // namespace io
