// Writing a large analysis (20,000 nodes and elements, 20 stored steps) as
// a RAF file, and reading it back through the array layer as the
// converter does: the directory, the structure, control and global data,
// and the forces and displacements of every stored step.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "arrays/inidms.h"
#include "arrays/iniraf.h"
#include "arrays/name_table.h"
#include "arrays/recall.h"
#include "arrays/state.h"
#include "dms/names.h"
#include "io/units.h"
#include "raflib/state.h"
#include "writer/frame.h"
#include "writer/write_raf.h"

namespace {

constexpr int32_t kRaf = 22;
constexpr int32_t kSteps = 20;

void in_temp_dir() {
  char dir[] = "/tmp/writer-bench-XXXXXX";
  if (mkdtemp(dir) == nullptr || chdir(dir) != 0) std::abort();
}

void BM_WriteLargeFrame(benchmark::State& state) {
  in_temp_dir();
  const auto n = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    const writer::Model m = writer::large_frame(n, n, kSteps);
    if (writer::write_raf(m, "large.raf") != 0) std::abort();
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size("large.raf")));
}
BENCHMARK(BM_WriteLargeFrame)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_RecallLargeFrame(benchmark::State& state) {
  in_temp_dir();
  const auto n = static_cast<int32_t>(state.range(0));
  if (writer::write_raf(writer::large_frame(n, n, kSteps), "large.raf") != 0) std::abort();
  std::vector<int32_t> block(20'000'000);
  io::WorkArray ia(block.data(), static_cast<int64_t>(block.size()));
  for (auto _ : state) {
    io::reset();
    raflib::reset();
    dms::reset();
    arrays::reset();
    int32_t st = 0;
    arrays::INIRAF("OLD", "large.raf", 1, kRaf, 0, 0, st);
    arrays::INIDMS(ia, static_cast<int32_t>(block.size()), arrays::kNameTable, arrays::kNameSlots,
                   arrays::kNameChars, kRaf, 0, st);
    for (const char* instr :
         {"**Recall structure data**", "**Recall control data  **", "**Recall global data   **"}) {
      arrays::ARRECL(ia, instr, 1, kRaf, 0, st);
    }
    for (int32_t step = 2; step <= 2 * kSteps; step += 2) {
      for (const char* name : {"TFLE", "TMIDFO", "U"}) {
        int32_t p = 0;
        arrays::ARREC1(ia, name, p, step, kRaf, 0, st);
      }
    }
    if (st != 0) std::abort();
  }
}
BENCHMARK(BM_RecallLargeFrame)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
