// Array reads from a RAF file: one array of doubles read whole into the
// caller's memory, from a file in this computer's byte order and from its
// byte-reversed copy (the file sits in the page cache after the first read).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "io/units.h"
#include "raflib/copies.h"
#include "raflib/open.h"
#include "raflib/readers.h"
#include "raflib/state.h"
#include "raflib/writers.h"

namespace {

constexpr int kUnit = 22;

// Writes native.raf and big.raf with array 1 of n doubles into a new
// directory under /tmp and returns the directory.
std::string make_files(int n) {
  char dir[] = "/tmp/raflib-bench-XXXXXX";
  if (mkdtemp(dir) == nullptr || chdir(dir) != 0) std::abort();
  raflib::reset();
  raflib::RAFINI(0);
  std::string name = "native.raf";
  int32_t st = 0;
  raflib::RAFNEW(kUnit, name, "NEW", 10, st);
  std::vector<double> v(n, 1.25);
  raflib::RAFPDP(std::as_bytes(std::span(v)), n, 1, kUnit, st);
  raflib::RAFCLS(kUnit, st);
  if (st != 0 || raflib::write_foreign_order_copy("native.raf", "big.raf", 8) != 0) std::abort();
  return dir;
}

void read_array(benchmark::State& state, const char* file) {
  const int n = static_cast<int>(state.range(0));
  const std::string dir = make_files(n);
  std::string name = file;
  int32_t st = 0;
  raflib::RAFOLD(kUnit, name, st);
  std::vector<double> v(n);
  for (auto _ : state) {
    raflib::RAFGDP(std::as_writable_bytes(std::span(v)), n, 1, kUnit, st);
    benchmark::DoNotOptimize(v.data());
  }
  if (st != 0 || v[n - 1] != 1.25) state.SkipWithError("read failed");
  raflib::RAFCLS(kUnit, st);
  std::remove("native.raf");
  std::remove("big.raf");
  rmdir(dir.c_str());
  state.SetBytesProcessed(state.iterations() * int64_t{n} * 8);
}

void BM_ReadNative(benchmark::State& state) {
  read_array(state, "native.raf");
}
void BM_ReadByteReversed(benchmark::State& state) {
  read_array(state, "big.raf");
}

BENCHMARK(BM_ReadNative)->Arg(1 << 20);
BENCHMARK(BM_ReadByteReversed)->Arg(1 << 20);

}  // namespace
