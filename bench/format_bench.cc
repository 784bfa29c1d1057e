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

// 64 values a round, one call per value.
template <char* (*Put)(char*, double)>
void BM_Style(benchmark::State& state) {
  const std::vector<double> values = realistic_mix();
  char out[16 * 64];
  std::size_t i = 0;
  for (auto _ : state) {
    char* p = out;
    for (int k = 0; k < 64; ++k) p = Put(p, values[(i + k) & (values.size() - 1)]);
    i += 64;
    benchmark::DoNotOptimize(out);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 64);
}

// 64 values a round, one call per line of four, as the record writers call.
template <io::SifStyle Style>
void BM_Lines(benchmark::State& state) {
  const std::vector<double> values = realistic_mix();
  char out[16 * 64];
  std::size_t i = 0;
  for (auto _ : state) {
    char* p = out;
    for (int k = 0; k < 64; k += 4) {
      p = io::put_sif_fields(p, std::span<const double>(&values[(i + k) & (values.size() - 1)], 4),
                             Style);
    }
    i += 64;
    benchmark::DoNotOptimize(out);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 64);
}

BENCHMARK(BM_Style<io::put_plain>)->Name("plain_E16.8");
BENCHMARK(BM_Style<io::put_scaled>)->Name("scaled_1PE16.8");
BENCHMARK(BM_Lines<io::SifStyle::kPlain>)->Name("plain_E16.8_lines");
BENCHMARK(BM_Lines<io::SifStyle::kScaled>)->Name("scaled_1PE16.8_lines");

}  // namespace
