#include "info/gather.h"

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <string_view>

#include "arrays/inidms.h"
#include "arrays/name_table.h"
#include "arrays/recall.h"
#include "arrays/stru.h"
#include "arrays/views.h"
#include "arrays/work_space.h"
#include "info/directory.h"
#include "info/failure.h"
#include "info/parameters.h"
#include "info/raf_file.h"
#include "info/steps.h"
#include "info/values.h"
#include "io/work_array.h"
#include "raflib/inspect.h"

namespace info {

namespace {

constexpr int64_t kBaseWords = 1000000;

// The work array: room for the layer's book-keeping and for any array of the
// file, which takes at most twice its words on the file (reals stored in
// single precision are held in double precision).
struct Work {
  std::unique_ptr<int32_t[]> block;
  io::WorkArray ia;
  int32_t words = 0;
};

bool allocate(int64_t file_size, Work& w) {
  w.words = static_cast<int32_t>(std::min<int64_t>(kBaseWords + file_size / 2, INT32_MAX));
  w.block.reset(new (std::nothrow) int32_t[static_cast<std::size_t>(w.words)]);
  w.ia = io::WorkArray(w.block.get(), w.words);
  return w.block != nullptr;
}

// Recalls name for step index 1, as the converter recalls the model: its
// pointer, or 0 when the file does not hold it or the recall fails (failure).
int32_t recall(io::WorkArray& ia, std::string_view name, std::optional<Failure>& failure) {
  arrays::Keys k;
  int32_t istat = 0;
  arrays::keys_of(ia, name, 1, k, kQuiet, istat);
  if (istat != 0 || k.key == 0) return 0;
  int32_t ipoint = 0;
  arrays::ARREC1(ia, name, ipoint, 1, kRafUnit, kQuiet, istat);
  if (istat != 0) failure = raflib_failure("recall of " + std::string(name), kRefused);
  return istat == 0 ? ipoint : 0;
}

// MSTRU's parameters and MGLRES's steps, each absent when the file does not
// hold its array.
std::optional<Failure> read_model(io::WorkArray& ia, Facts& f) {
  std::optional<Failure> failure;
  const int32_t p_mstru = recall(ia, "MSTRU", failure);
  if (failure) return failure;
  f.parameters.emplace();
  if (p_mstru == 0) return std::nullopt;
  const io::IntView mstru = arrays::int_view(ia, "MSTRU", p_mstru);
  if ((failure = read_parameters(ia, mstru, *f.parameters))) return failure;
  const int32_t p_mglres = recall(ia, "MGLRES", failure);
  if (failure) return failure;
  f.steps.emplace();
  if (p_mglres == 0) return std::nullopt;
  int32_t istat = 0;
  const int32_t mxglpr = arrays::GTSTRU(mstru, "MXGLPR", kQuiet, istat);
  const int32_t mxstep = arrays::GTSTRU(mstru, "MXSTEP", kQuiet, istat);
  if (istat != 0) return Failure{"MSTRU", 0, "MXGLPR or MXSTEP is missing"};
  return read_steps(arrays::int_view(ia, "MGLRES", p_mglres), mxglpr, mxstep, *f.steps);
}

}  // namespace

Facts gather(const Request& request) {
  Facts f;
  f.file = request.file;
  const auto failed = [&f](Failure failure) {
    f.failure = std::move(failure);
    return f;
  };
  int32_t status = 0;
  raflib::open_to_inspect(kRafUnit, request.file, kQuiet, status);
  f.key = read_key(kRafUnit);
  if (status < 0 || !f.key) return failed(raflib_failure("opening the file"));

  f.mfp.emplace();
  if (auto failure = read_mfp(kRafUnit, *f.key, *f.mfp)) return failed(*failure);
  if (!has_directory(*f.mfp)) {
    f.directory.emplace();
    if (request.array.empty()) return f;
    return failed({"array " + request.array, 0, "the file has no array directory"});
  }

  Work w;
  if (!allocate(f.key ? f.key->file_size : 0, w)) {
    return failed({"work array", 0, "cannot allocate " + std::to_string(w.words) + " words"});
  }
  int32_t istat = 0;
  arrays::INIDMS(w.ia, w.words, arrays::kNameTable, arrays::kNameSlots, arrays::kNameChars,
                 kRafUnit, kQuiet, istat);
  if (istat != 0) return failed(raflib_failure("array directory (records 101 to 103)", kRefused));
  f.directory.emplace();
  if (auto failure = read_directory(w.ia, kRafUnit, *f.mfp, *f.directory)) return failed(*failure);
  if (auto failure = read_model(w.ia, f)) return failed(*failure);

  if (!request.array.empty()) {
    ArrayValues v;
    if (auto failure = read_values(w.ia, kRafUnit, request.array, request.step, v)) {
      return failed(*failure);
    }
    f.array = std::move(v);
  }
  if (f.steps && f.steps->present) {
    int32_t st = 0;
    f.steps->work_words = arrays::work_words(request.file, st);
  }
  return f;
}

}  // namespace info
