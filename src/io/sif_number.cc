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

#include <emmintrin.h>

#include "io/exp_format.h"
#include "io/pow10_table.h"

namespace io {

namespace {

using uint128 = unsigned __int128;

constexpr std::uint64_t kPow10[] = {1,       10,       100,       1000,       10000,      100000,
                                    1000000, 10000000, 100000000, 1000000000, 10000000000};

// A value rounded and ready to be written: the sign columns, the lead
// character and the point (4 bytes), the eight digits after the lead, and
// the exponent part (4 bytes).
struct Field {
  std::uint32_t head;
  std::uint32_t eight;
  std::uint32_t exponent;
};

// Rounds a finite value to P significant digits, to nearest, from one
// product by its binade's multiplier, which gives P digits before the point.
// Returns false where the product cannot decide (the exact path takes over):
// near a tie, for a value that rounds up to the next power of ten
// (9.99...95), for the subnormals, NaN and the infinities.
template <int P>
bool round_fast(std::uint64_t bits, const BinadeScales& scales, std::uint64_t& digits,
                std::uint32_t& exponent) {
  constexpr std::uint64_t kImplicit = std::uint64_t{1} << 52;
  const BinadeScale& binade = scales[bits >> 52 & 0x7FF];
  const std::uint64_t m = (bits & (kImplicit - 1)) | kImplicit;
  const bool above = m >= binade.next;
  // The high half of the product holds the digits and the first F bits of
  // the fraction. The product is short of the exact value by less than 2^-28
  // of a last digit, so with the fraction truncated to F bits the exact
  // value lies in [high, high + 2^-F + 2^-28): adding one half at the point
  // rounds as the exact value does, unless the truncated fraction is one
  // half or one step below it, the window of the true ties.
  constexpr int F = scale_point(P) - 64;
  constexpr std::uint64_t kHalf = std::uint64_t{1} << (F - 1);
  constexpr std::uint64_t kFraction = (std::uint64_t{1} << F) - 1;
  const std::uint64_t rounded =
      static_cast<std::uint64_t>(uint128{m} * binade.multiplier[above] >> 64) + kHalf;
  digits = rounded >> F;
  // In the window the rounded fraction is all ones or zero.
  const bool near_tie = ((rounded + 1) & kFraction) < 2;
  // A carry to 10^P, and the multiplier 2^64 - 1 of the values the binades
  // do not serve, give P + 1 digits or more.
  if ((digits >= kPow10[P]) | near_tie) return false;
  std::memcpy(&exponent, binade.exponent[above], 4);
  return true;
}

// The field of v in the style of Scale (0: plain, 1: scaled), or false for
// the exact path.
template <int Scale>
bool round_field(double v, Field& f) {
  const auto bits = std::bit_cast<std::uint64_t>(v);
  std::uint64_t digits;
  if (!round_fast<8 + Scale>(bits, Scale == 0 ? kPlainScales : kScaledScales, digits, f.exponent)) {
    return false;
  }
  // Only zero has zero digits here, and -0. is the sign bit alone: never "-0.".
  constexpr std::uint64_t kMinusZero = std::uint64_t{1} << 63;
  constexpr std::uint32_t kPositiveHead = 0x2E302020;  // "  0." as it lies in memory
  constexpr std::uint32_t kMinus = 0x0D00;             // ' ' + 0x0D is '-', second column
  const std::uint32_t head = kPositiveHead | (bits > kMinusZero ? kMinus : 0);
  if constexpr (Scale == 0) {
    f.head = head;
    f.eight = static_cast<std::uint32_t>(digits);
  } else {
    constexpr auto kLeadUnit = static_cast<std::uint32_t>(kPow10[8]);
    const auto nine = static_cast<std::uint32_t>(digits);
    const std::uint32_t lead = nine / kLeadUnit;
    f.head = head + (lead << 16);  // the lead digit in the place of the '0'
    f.eight = nine - lead * kLeadUnit;
  }
  return true;
}

// The eight decimal digits of a and of b, each below 10^8, in ASCII: a's in
// the low eight bytes, b's in the high ones, the first digit lowest. Each is
// split into halves of four digits (n * ceil(2^45 / 10^4) >> 45 is n / 10^4
// for every 32-bit n), the halves into pairs (x * 5243 >> 19 is x / 100
// below 43699), the pairs into digits (x * 6554 >> 16 is x / 10 below
// 16384), all lanes side by side.
__m128i sixteen_digits(std::uint32_t a, std::uint32_t b) {
  // Multipliers the compiler cannot see into: for a known one it would
  // replace each single multiply by a chain of shifts and adds.
  const auto opaque = [](short k) {
    __m128i lanes = _mm_set1_epi16(k);
    asm("" : "+x"(lanes));
    return lanes;
  };
  const __m128i n = _mm_set_epi64x(b, a);
  const __m128i high4 = _mm_srli_epi64(_mm_mul_epu32(n, _mm_set1_epi32(0xD1B71759)), 45);
  const __m128i low4 = _mm_sub_epi32(n, _mm_mul_epu32(high4, _mm_set1_epi32(10000)));
  // 16-bit lanes a / 10^4, a % 10^4, b / 10^4, b % 10^4, and again.
  const __m128i fours = _mm_or_si128(high4, _mm_slli_epi64(low4, 32));
  const __m128i fours16 = _mm_packs_epi32(fours, fours);
  const __m128i high2 = _mm_srli_epi16(_mm_mulhi_epu16(fours16, _mm_set1_epi16(5243)), 3);
  const __m128i low2 = _mm_sub_epi16(fours16, _mm_mullo_epi16(high2, opaque(100)));
  const __m128i pairs = _mm_unpacklo_epi16(high2, low2);
  const __m128i tens = _mm_mulhi_epu16(pairs, _mm_set1_epi16(6554));
  const __m128i ones = _mm_sub_epi16(pairs, _mm_mullo_epi16(tens, opaque(10)));
  return _mm_or_si128(_mm_or_si128(tens, _mm_slli_epi16(ones, 8)), _mm_set1_epi8('0'));
}

void put_head_and_exponent(char* out, const Field& f) {
  std::memcpy(out, &f.head, 4);
  std::memcpy(out + 12, &f.exponent, 4);
}

char* put_one(char* out, const Field& f) {
  put_head_and_exponent(out, f);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 4), sixteen_digits(f.eight, 0));
  return out + kSifFieldWidth;
}

char* put_two(char* out, const Field& a, const Field& b) {
  const __m128i digits = sixteen_digits(a.eight, b.eight);
  put_head_and_exponent(out, a);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 4), digits);
  put_head_and_exponent(out + kSifFieldWidth, b);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + kSifFieldWidth + 4),
                   _mm_unpackhi_epi64(digits, digits));
  return out + 2 * kSifFieldWidth;
}

// The exact road: the subnormals, NaN, the infinities and the values next
// to a tie.
[[gnu::noinline, gnu::cold]] char* put_exact(char* out, double v, int scale) {
  char buf[40];
  const int len = format_exp(buf, v, 8, scale);
  out = std::fill_n(out, kSifFieldWidth - len, ' ');
  return std::copy_n(buf, len, out);
}

template <int Scale>
char* put_style(char* out, double v) {
  Field f;
  if (!round_field<Scale>(v, f)) [[unlikely]] {
    return put_exact(out, v, Scale);
  }
  return put_one(out, f);
}

// Two values at a time share the digit step; a pair with a value for the
// exact path is written one by one.
template <int Scale>
char* put_fields(char* out, std::span<const double> values) {
  std::size_t i = 0;
  for (; i + 1 < values.size(); i += 2) {
    Field a;
    Field b;
    const bool a_fast = round_field<Scale>(values[i], a);
    const bool b_fast = round_field<Scale>(values[i + 1], b);
    if (a_fast && b_fast) [[likely]] {
      out = put_two(out, a, b);
    } else {
      out = put_style<Scale>(out, values[i]);
      out = put_style<Scale>(out, values[i + 1]);
    }
  }
  if (i < values.size()) out = put_style<Scale>(out, values[i]);
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
