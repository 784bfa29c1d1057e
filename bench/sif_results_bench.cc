// MB/s of SIF text (the SIF_MB rate, over CPU time) that the result writers
// put into a file: the element forces (WSIF_FOR) and the nodal displacements
// (WSIF_DIS) of one stored step of a synthetic model of 100,000 beams and
// 100,000 nodes, written through the SIF unit into a file in /tmp.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "io/units.h"
#include "io/work_array.h"
#include "sif/results.h"

namespace {

constexpr int32_t kUnit = 17;
constexpr int32_t kCount = 100000;  // elements, and nodes

// The result arrays of one step in a work array of their own.
struct SyntheticStep {
  std::vector<int32_t> words;
  io::WorkArray work;
  sif::Model model;
  io::RealView tfle, tmidfo, u;

  SyntheticStep() {
    const int64_t ints = 2 * int64_t{kCount};
    const int64_t reals = (12 + 6 + 6) * int64_t{kCount};
    words.resize(ints + 2 * reals);
    work = io::WorkArray(words.data(), static_cast<int64_t>(words.size()));
    model.nel = model.nnp = kCount;
    model.meltyp = io::IntView(work, 1, kCount);
    model.mpevec = io::IntView(work, kCount + 1, kCount);
    const int64_t first_real = ints / 2 + 1;
    tfle = io::RealView(work, first_real, 12 * int64_t{kCount});
    tmidfo = io::RealView(work, first_real + 12 * int64_t{kCount}, 6 * int64_t{kCount});
    u = io::RealView(work, first_real + 18 * int64_t{kCount}, 6 * int64_t{kCount});

    // Forces and displacements over many magnitudes, with some exact zeros.
    std::mt19937_64 rng(2024);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-8, 6);
    auto value = [&] {
      return exponent(rng) == 0 ? 0.0 : mantissa(rng) * std::pow(10.0, exponent(rng));
    };
    for (int32_t i = 1; i <= kCount; ++i) {
      model.meltyp.set(i, 15);
      model.mpevec.set(i, 12 * (i - 1) + 1);
    }
    for (int64_t k = 1; k <= tfle.size(); ++k) tfle.set(k, value());
    for (int64_t k = 1; k <= tmidfo.size(); ++k) tmidfo.set(k, value());
    for (int64_t k = 1; k <= u.size(); ++k) u.set(k, value());
  }
};

const SyntheticStep& step() {
  static const SyntheticStep s;
  return s;
}

std::string file_name() {
  return "/tmp/raf2sif-bench-" + std::to_string(::getpid()) + ".sif";
}

// Runs write() once per iteration on a freshly opened SIF unit; the close,
// which writes out the last blocks, is part of the time. Wall-clock time: a
// large pass is formatted by two threads and written by a third.
template <typename Write>
void run(benchmark::State& state, Write write) {
  const std::string name = file_name();
  int64_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    io::open_formatted(kUnit, name, io::OpenStatus::kUnknown);
    state.ResumeTiming();
    write();
    if (io::close(kUnit) != 0) state.SkipWithError("write to the SIF file failed");
  }
  // After the close: blocks still queued for the writer are not in the file
  // before it.
  bytes = static_cast<int64_t>(std::filesystem::file_size(name));
  ::unlink(name.c_str());
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["SIF_MB"] = benchmark::Counter(static_cast<double>(bytes) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}

void BM_WSIF_FOR(benchmark::State& state) {
  const SyntheticStep& s = step();
  run(state, [&] {
    int32_t istat = 0;
    sif::WSIF_FOR(s.model, 1, s.tfle, s.tmidfo, 1, kUnit, istat);
  });
}

void BM_WSIF_DIS(benchmark::State& state) {
  const SyntheticStep& s = step();
  run(state, [&] {
    int32_t istat = 0;
    sif::WSIF_DIS(s.model, 1, s.u, 1, kUnit, istat);
  });
}

BENCHMARK(BM_WSIF_FOR)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WSIF_DIS)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
