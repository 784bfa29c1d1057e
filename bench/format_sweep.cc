// The long sweep of the SIF numeric styles: random 64-bit patterns, both
// styles compared byte for byte with the C library's exact conversion. Too
// long for the test suite (10^9 values take 20 to 30 minutes); run by hand:
//
//   build-bench/bench/format_sweep [count [seed [first]]]
//
// Value i of a sweep is a hash of (seed, i), so runs of one seed over the
// index ranges [first, first + count) add up to one longer sweep.
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "io/sif_number.h"
#include "support/sif_reference.h"

namespace {

// splitmix64: a bijective mix of the index, so no pattern repeats in a sweep.
std::uint64_t pattern(std::uint64_t seed, std::uint64_t i) {
  std::uint64_t z = seed + (i + 1) * 0x9E3779B97F4A7C15;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
  return z ^ (z >> 31);
}

}  // namespace

int main(int argc, char** argv) {
  const std::uint64_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 0) : 1000000000;
  const std::uint64_t seed =
      argc > 2 ? std::strtoull(argv[2], nullptr, 0)
               : std::uint64_t{std::random_device{}()} << 32 | std::random_device{}();
  const std::uint64_t first = argc > 3 ? std::strtoull(argv[3], nullptr, 0) : 0;

  const auto start = std::chrono::steady_clock::now();
  std::uint64_t mismatches = 0;
  for (std::uint64_t i = first; i < first + count; ++i) {
    const double v = std::bit_cast<double>(pattern(seed, i));
    for (io::SifStyle style : {io::SifStyle::kPlain, io::SifStyle::kScaled}) {
      char got[16];
      char want[16];
      if (testing_support::matches_reference(v, style, got, want)) continue;
      if (++mismatches <= 20) {
        std::printf("index %llu bits 0x%016llx %s: got \"%.16s\", want \"%.16s\"\n",
                    static_cast<unsigned long long>(i),
                    static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(v)),
                    style == io::SifStyle::kPlain ? "plain" : "scaled", got, want);
      }
    }
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("seed %llu, values %llu to %llu: %llu values, both styles, %llu mismatches, %.1f s\n",
              static_cast<unsigned long long>(seed), static_cast<unsigned long long>(first),
              static_cast<unsigned long long>(first + count - 1),
              static_cast<unsigned long long>(count), static_cast<unsigned long long>(mismatches),
              took.count());
  return mismatches == 0 ? 0 : 1;
}
