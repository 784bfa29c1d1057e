#include "io/pow10_table.h"

#include <bit>

#include "io/exp_format.h"

namespace io {

namespace {

// A non-negative integer of up to 1280 bits in 32-bit limbs, least
// significant first: just the arithmetic the table needs.
class BigNum {
 public:
  static constexpr int kBits = 1280;

  constexpr explicit BigNum(int power_of_two) {
    limb_[power_of_two / 32] = std::uint32_t{1} << (power_of_two % 32);
  }

  constexpr void multiply(std::uint32_t f) {
    std::uint64_t carry = 0;
    for (std::uint32_t& l : limb_) {
      carry += std::uint64_t{l} * f;
      l = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
  }

  // Floor division: floor(floor(a / b) / c) is floor(a / (b c)), so repeated
  // division keeps the quotient exact.
  constexpr void divide(std::uint32_t d) {
    std::uint64_t rest = 0;
    for (int i = kLimbs - 1; i >= 0; --i) {
      rest = rest << 32 | limb_[i];
      limb_[i] = static_cast<std::uint32_t>(rest / d);
      rest %= d;
    }
  }

  constexpr int bit_length() const {
    for (int i = kLimbs - 1; i >= 0; --i) {
      if (limb_[i] != 0) return 32 * i + std::bit_width(limb_[i]);
    }
    return 0;
  }

  // floor(value / 2^c) for c >= 0, or value * 2^-c; kHuge when that is 2^63
  // or more.
  static constexpr std::uint64_t kHuge = std::uint64_t{1} << 63;
  constexpr std::uint64_t shifted(int c) const {
    const int n = bit_length();
    if (n - c > 63) return kHuge;
    std::uint64_t v = 0;
    for (int b = n - 1; b >= c && b >= 0; --b) v = v << 1 | bit(b);
    return c < 0 ? v << -c : v;
  }

  // Whether any of the bits below bit c is set.
  constexpr bool any_below(int c) const {
    for (int b = 0; b < c && b < kBits; ++b) {
      if (bit(b) != 0) return true;
    }
    return false;
  }

  // The 64 leading bits, truncated (shifted up when fewer).
  constexpr std::uint64_t top64() const {
    std::uint64_t top = 0;
    const int n = bit_length();
    for (int b = n - 1; b >= n - 64; --b) top = top << 1 | (b >= 0 ? bit(b) : 0);
    return top;
  }

 private:
  static constexpr int kLimbs = kBits / 32;

  constexpr std::uint64_t bit(int b) const { return limb_[b / 32] >> (b % 32) & 1; }

  std::uint32_t limb_[kLimbs] = {};
};

// 10^k = 5^k * 2^k. For k >= 0, 5^k is held exactly (5^332 has 771 bits).
// For k < 0, floor(2^kFraction / 5^-k) is held instead; with kFraction =
// 1279 it keeps more than 64 significant bits down to 5^301 (699 bits).
constexpr std::array<CachedPow10, kPow10Max - kPow10Min + 1> make_table() {
  std::array<CachedPow10, kPow10Max - kPow10Min + 1> table{};
  BigNum up(0);
  for (int k = 0; k <= kPow10Max; ++k) {
    table[k - kPow10Min] = {up.top64(), up.bit_length() - 64 + k};
    up.multiply(5);
  }
  constexpr int kFraction = BigNum::kBits - 1;
  BigNum down(kFraction);
  for (int k = -1; k >= kPow10Min; --k) {
    down.divide(5);
    table[k - kPow10Min] = {down.top64(), down.bit_length() - 64 - kFraction + k};
  }
  return table;
}

// floor(log10(2^e)), exact for |e| <= 2620 (as the styles compute it).
constexpr int floor_log10_pow2(int e) {
  return (e * 315653) >> 20;
}

constexpr int kBiasedMax = 2046;
constexpr std::uint64_t kNever = std::uint64_t{1} << 53;
constexpr std::uint64_t kZero = std::uint64_t{1} << 52;  // zero's significand, implicit bit set

// For each binade, ceil(10^j / 2^e) with 10^j its next power of ten and e =
// b - 1075, from 10^j held exactly (5^j times 2^j for j >= 0) or as
// floor(2^kFraction / 5^-j) times 2^j for j < 0, where the quotient is
// never a whole number, so its ceiling is its floor plus one.
constexpr std::array<std::uint64_t, kBiasedMax + 1> make_thresholds() {
  std::array<std::uint64_t, kBiasedMax + 1> table{};
  table[0] = kNever;
  const auto next_power = [](int b) { return floor_log10_pow2(b - 1023) + 1; };
  const auto set = [&table](int b, std::uint64_t x) { table[b] = x < kNever ? x : kNever; };
  // The binades whose next power is 10^0 or above, b rising with j; then the
  // others, b falling with j.
  int first = 1023;
  while (next_power(first - 1) >= 0) --first;
  int b = first;
  BigNum up(0);  // 5^j
  for (int j = 0; b <= kBiasedMax; ++j, up.multiply(5)) {
    for (; b <= kBiasedMax && next_power(b) == j; ++b) {
      const int c = b - 1075 - j;  // X = 5^j / 2^c
      set(b, up.shifted(c) + (c > 0 && up.any_below(c)));
    }
  }
  constexpr int kFraction = BigNum::kBits - 1;
  BigNum down(kFraction);  // floor(2^kFraction / 5^-j)
  b = first - 1;
  for (int j = -1; b >= 1; --j) {
    down.divide(5);
    for (; b >= 1 && next_power(b) == j; --b) set(b, down.shifted(kFraction + b - 1075 - j) + 1);
  }
  return table;
}

constexpr std::array<CachedPow10, kPow10Max - kPow10Min + 1> kPowers = make_table();
constexpr std::array<std::uint64_t, kBiasedMax + 1> kNext = make_thresholds();

// The table of a style of P digits whose shown exponent is x + shown_offset.
// The multipliers are the cached powers shifted down to the style's binary
// point, which loses at most 4 of their 64 bits: the product stays short of
// the exact value, by less than 2^-59 of it.
struct BuiltScales {
  BinadeScales table{};
  bool point_suits = true;  // no multiplier lost more than 4 bits
};

constexpr BuiltScales make_scales(int digits, int shown_offset) {
  BuiltScales built;
  BinadeScales& table = built.table;
  const int point = scale_point(digits) - 64;
  constexpr std::uint64_t kTooLarge = ~std::uint64_t{0};
  for (BinadeScale& entry : table) {
    entry.next = kNever;
    entry.multiplier[0] = entry.multiplier[1] = kTooLarge;
    put_exponent(entry.exponent[0], 0);
    put_exponent(entry.exponent[1], 0);
  }
  table[0].next = kZero + 1;
  table[0].multiplier[0] = 0;
  for (int b = 1; b <= kBiasedMax; ++b) {
    BinadeScale& entry = table[b];
    const int e = b - 1075;
    const int x0 = floor_log10_pow2(e + 52);
    entry.next = kNext[b];
    for (int i = 0; i < 2; ++i) {
      if (i == 1 && kNext[b] == kNever) break;
      const CachedPow10& p = kPowers[digits - 1 - (x0 + i) - kPow10Min];
      const int lost = -(e + p.exp2) - 64 - point;
      built.point_suits = built.point_suits && lost >= 0 && lost <= 4;
      entry.multiplier[i] = p.sig >> (lost & 63);
      put_exponent(entry.exponent[i], x0 + i + shown_offset);
    }
  }
  return built;
}

constexpr BuiltScales kPlain = make_scales(8, 1);
constexpr BuiltScales kScaled = make_scales(9, 0);
static_assert(kPlain.point_suits && kScaled.point_suits);

}  // namespace

constexpr std::array<CachedPow10, kPow10Max - kPow10Min + 1> kCachedPow10 = kPowers;
constexpr BinadeScales kPlainScales = kPlain.table;
constexpr BinadeScales kScaledScales = kScaled.table;

}  // namespace io
