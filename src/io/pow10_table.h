// Cached powers of ten for the fast path of the SIF numeric styles: each
// 10^k as a 64-bit significand and a binary exponent, truncated, so that
// sig * 2^exp2 <= 10^k < (sig + 1) * 2^exp2 with sig in [2^63, 2^64). The
// table is built at compile time with exact big-integer arithmetic.
#ifndef RAF2SIF_IO_POW10_TABLE_H_
#define RAF2SIF_IO_POW10_TABLE_H_

#include <array>
#include <cstdint>

namespace io {

struct CachedPow10 {
  std::uint64_t sig;
  int exp2;
};

// Scaling a finite nonzero double to 8 or 9 digits before the point takes
// 10^k with k = digits - 1 - x for every decimal exponent x from -324
// (4.9E-324) to 308 (1.8E+308).
constexpr int kPow10Min = 7 - 308;
constexpr int kPow10Max = 8 + 324;

extern const std::array<CachedPow10, kPow10Max - kPow10Min + 1> kCachedPow10;

// 10^k for kPow10Min <= k <= kPow10Max.
inline const CachedPow10& cached_pow10(int k) {
  return kCachedPow10[k - kPow10Min];
}

// What a SIF style of P significant digits needs to round the values of one
// binade, [2^(b-1023), 2^(b-1022)) for the biased exponent b, with one
// product. Such a value has the decimal exponent x0 = floor(log10(2^(b-1023)))
// or x0 + 1: x0 + 1 from the significand `next` on (2^53, never, when the
// binade holds no power of ten). For each, 10^(P-1-x) as a 64-bit
// multiplier, truncated and aligned so that the product of the significand m
// (the implicit bit included) by it has its binary point kScalePoint[P] bits
// up, and the exponent part the style shows for x. Entry 0 multiplies zero
// (significand 2^52) by 0 and shows "E+00"; the subnormals above it, and
// NaN and the infinities in entry 2047, get the multiplier 2^64 - 1, whose
// product is too large for P digits, so the fast path hands them on. An
// entry is 32 bytes, aligned to one half of a cache line.
struct alignas(32) BinadeScale {
  std::uint64_t next;
  std::uint64_t multiplier[2];
  char exponent[2][4];
};

// The binary point of the product, for 8 (plain) and 9 (scaled) digits.
constexpr int scale_point(int digits) {
  return digits == 8 ? 64 + 25 : 64 + 22;
}

using BinadeScales = std::array<BinadeScale, 2048>;

extern const BinadeScales kPlainScales;   // 8 digits, exponent shown x + 1
extern const BinadeScales kScaledScales;  // 9 digits, exponent shown x

}  // namespace io

#endif  // RAF2SIF_IO_POW10_TABLE_H_
