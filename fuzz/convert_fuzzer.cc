// libFuzzer target: the whole conversion in-process on the fuzzer's input: a
// header that answers the dialogue and sizes the work space, then the RAF
// file (input.h). Every run starts from the state of a fresh process: the
// subsystems are reset, and the words of the work array the previous run
// used are zero again, as a newly allocated block is. The mutator is that of
// raf_mutator.h.
//
// The program writes its files (the RAF file given to it, fort.17 and the SIF
// file) into a private directory made under the temporary directory
// (TMPDIR, else /tmp) and removed at exit.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "dms/queries.h"
#include "driver/process_state.h"
#include "driver/z2edi.h"
#include "input.h"
#include "io/clock.h"
#include "io/units.h"
#include "io/work_array.h"

namespace {

constexpr int32_t kWords = 2'000'000;
constexpr const char* kPrefix = "fuzz";
constexpr const char* kRafFile = "fuzz.raf";
constexpr const char* kSifFile = "fuzz.sif";
constexpr const char* kMessageFile = "fort.17";  // unit 17 before the SIF file is open
// The last record of a complete SIF file, and of the messages of a failed run.
constexpr std::string_view kClosingRecord =
    "IEND      2.00000000E+00  0.00000000E+00  0.00000000E+00  0.00000000E+00\r\n";
constexpr std::string_view kFailureBlock = "  *** ERROR IN Z2EDI   ***\r\n";
constexpr int32_t kHighWater = 6;  // DMSGEN item: the highest word the DMS has used

class Harness {
 public:
  Harness() : block_(new int32_t[kWords]()) { fuzz::enter_private_dir(); }

  void run(const uint8_t* data, std::size_t size) {
    const fuzz::Input in = fuzz::split({data, size});
    driver::reset_process_state();
    io::fix_clock(0);  // the same report headers in every run
    std::filesystem::remove(kSifFile);
    std::filesystem::remove(kMessageFile);
    fuzz::write_file(kRafFile, in.raf);
    io::set_console(fuzz::answers(in.header, kPrefix, kSifFile), true);
    const int32_t words = fuzz::work_words(in.header, kWords);
    io::WorkArray work(block_.get(), words);
    const int32_t rc = driver::z2edi(work, words);
    io::reset();
    check_outcome(rc);
    clear_used_words(work);
  }

 private:
  // A run's files must say what it returned: a success leaves a complete SIF
  // file, a failure ends its messages (in the SIF file once that is open)
  // with the Z2EDI block. Anything else is a finding.
  static void check_outcome(int32_t rc) {
    const bool sif = std::filesystem::exists(kSifFile);
    if (rc == driver::kInputStop) {
      if (sif) finding("a dialogue that stopped left a SIF file");
      return;
    }
    if (rc == 0 && !(sif && ends_with(kSifFile, kClosingRecord))) {
      finding("a successful conversion left no complete SIF file");
    }
    if (rc != 0 && !ends_with(sif ? kSifFile : kMessageFile, kFailureBlock)) {
      finding("the messages of a failed conversion do not end with the Z2EDI block");
    }
  }

  static bool ends_with(const char* file, std::string_view tail) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg();
    if (!in || size < static_cast<std::streamoff>(tail.size())) return false;
    std::string last(tail.size(), '\0');
    in.seekg(size - static_cast<std::streamoff>(tail.size()));
    in.read(last.data(), static_cast<std::streamsize>(last.size()));
    return in && last == tail;
  }

  [[noreturn]] static void finding(const char* what) {
    std::fprintf(stderr, "convert_fuzzer: %s\n", what);
    std::abort();
  }

  // Zeroes the words the run's DMS used (all of them when its book-keeping
  // cannot say).
  void clear_used_words(io::WorkArray& work) {
    const int32_t used = dms::DMSGEN(work, kHighWater);
    const int32_t n = used > 0 ? std::min(used, kWords) : kWords;
    // memset rather than a loop: the harness is compiled with coverage
    // tracing, which would trace every word's loop comparison.
    std::memset(block_.get(), 0, static_cast<std::size_t>(n) * sizeof(int32_t));
  }

  std::unique_ptr<int32_t[]> block_;
};

}  // namespace

// Large shadow regions (those of the 1 MiB output blocks of the SIF file and
// fort.17) are cleared with memset rather than remapped: a remap flushes the
// TLB of every CPU, which cost a sixth of the run time.
extern "C" const char* __asan_default_options() {
  return "clear_shadow_mmap_threshold=1073741824";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static Harness harness;
  harness.run(data, size);
  return 0;
}
