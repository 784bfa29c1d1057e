#include "io/pow10_table.h"

#include <bit>

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

}  // namespace

constexpr std::array<CachedPow10, kPow10Max - kPow10Min + 1> kCachedPow10 = make_table();

}  // namespace io
