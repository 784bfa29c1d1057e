// The DMS's hot paths at the size of this system (63 array numbers, 60 names
// explicitly numbered): the pointer of an array that has storage, the number
// of a name, and a release that moves the arrays above it down.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "dms/names.h"
#include "dms/open.h"
#include "dms/storage.h"

namespace {

constexpr int32_t kNumbers = 63;
constexpr int32_t kWords = 1000000;

struct Dms {
  std::vector<int32_t> block = std::vector<int32_t>(kWords);
  io::WorkArray iwa{block.data(), kWords};
  std::vector<std::string> names;

  // Names N11 .. N63, each with 1000 words of storage.
  Dms() {
    int32_t ierr = 0;
    dms::DMSOPN_32(iwa, kWords, -kNumbers, 0, 0, ierr);
    dms::DMSANN(iwa, 0, 0, 0);
    for (int32_t no = 11; no <= kNumbers; ++no) {
      const char name[] = {'N', static_cast<char>('0' + no / 10), static_cast<char>('0' + no % 10)};
      names.emplace_back(name, sizeof name);
      dms::DMSDFN(iwa, names.back(), no, 500, 2, 0);
      dms::DMSPTN(iwa, names.back(), 0);
    }
  }
};

void BM_PointerOfStoredArray(benchmark::State& state) {
  Dms d;
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dms::DMSPTN(d.iwa, d.names[k], 0));
    k = k + 1 == d.names.size() ? 0 : k + 1;
  }
}
BENCHMARK(BM_PointerOfStoredArray);

void BM_NumberOfName(benchmark::State& state) {
  Dms d;
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dms::DMSNUM(d.iwa, d.names[k], 0));
    k = k + 1 == d.names.size() ? 0 : k + 1;
  }
}
BENCHMARK(BM_NumberOfName);

// Releasing the lowest array moves the 52 above it (52000 words) down;
// reserving it again puts it on top, so that the next name in turn is the
// lowest.
void BM_ReleaseLowestAndReserveAgain(benchmark::State& state) {
  Dms d;
  std::size_t k = 0;
  for (auto _ : state) {
    dms::DMSRLN(d.iwa, d.names[k], 0);
    benchmark::DoNotOptimize(dms::DMSPTN(d.iwa, d.names[k], 0));
    k = k + 1 == d.names.size() ? 0 : k + 1;
  }
}
BENCHMARK(BM_ReleaseLowestAndReserveAgain);

}  // namespace
