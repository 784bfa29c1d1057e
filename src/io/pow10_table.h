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

}  // namespace io

#endif  // RAF2SIF_IO_POW10_TABLE_H_
