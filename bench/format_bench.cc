// Values per second of the two SIF numeric styles on a realistic mix:
// forces and displacements spanning many exponents, integers written as
// reals (counts, node and element numbers), and zeros.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <span>
#include <vector>

#include "io/sif_number.h"

namespace {

std::vector<double> realistic_mix() {
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> mant(-1.0, 1.0);
  std::uniform_int_distribution<int> exp10(-12, 9);
  std::uniform_int_distribution<int> kind(0, 9);
  std::uniform_int_distribution<int> count(1, 200000);
  std::vector<double> v(1 << 16);
  for (double& x : v) {
    const int k = kind(rng);
    if (k < 6) {
      x = mant(rng) * std::pow(10.0, exp10(rng));  // forces, displacements
    } else if (k < 9) {
      x = count(rng);  // numbers written as reals
    } else {
      x = 0.0;
    }
  }
  return v;
}

char* one_plain(char* out, std::span<const double> v) {
  return io::put_plain(out, v[0]);
}
char* one_scaled(char* out, std::span<const double> v) {
  return io::put_scaled(out, v[0]);
}
template <io::SifStyle Style>
char* line(char* out, std::span<const double> v) {
  return io::put_sif_fields(out, v, Style);
}

// 64 values a round, PerCall values a call: one, or a line of four as the
// record writers call.
template <std::size_t PerCall, char* (*Put)(char*, std::span<const double>)>
void BM_Style(benchmark::State& state) {
  const std::vector<double> values = realistic_mix();
  char out[16 * 64];
  std::size_t i = 0;
  for (auto _ : state) {
    char* p = out;
    for (std::size_t k = 0; k < 64; k += PerCall) {
      p = Put(p, std::span<const double>(&values[(i + k) & (values.size() - 1)], PerCall));
    }
    i += 64;
    benchmark::DoNotOptimize(out);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 64);
}

BENCHMARK(BM_Style<1, one_plain>)->Name("plain_E16.8");
BENCHMARK(BM_Style<1, one_scaled>)->Name("scaled_1PE16.8");
BENCHMARK(BM_Style<4, line<io::SifStyle::kPlain>>)->Name("plain_E16.8_lines");
BENCHMARK(BM_Style<4, line<io::SifStyle::kScaled>>)->Name("scaled_1PE16.8_lines");

}  // namespace
