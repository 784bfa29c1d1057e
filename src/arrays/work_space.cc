#include "arrays/work_space.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <span>
#include <vector>

#include "arrays/directory.h"
#include "arrays/inidms.h"
#include "arrays/iniraf.h"
#include "arrays/keywords.h"
#include "arrays/name_table.h"
#include "arrays/recall.h"
#include "arrays/stru.h"
#include "dms/queries.h"
#include "io/work_array.h"
#include "raflib/open.h"

namespace arrays {

namespace {

constexpr int32_t kUnit = 23;  // apart from the converter's RAF unit 22
constexpr int32_t kQuiet = 0;

// What the run books besides the recalled arrays: the typed prefix, and the
// step table of the range (3 words per step of it, released before the
// results are recalled).
constexpr int64_t kPrefixWords = 256;
constexpr int64_t kStepTableWords = 3;

// The classes the dialogue recalls with step index 1, in its order.
constexpr std::array<std::array<int32_t, 3>, 3> kRecalledCodes = {{{1, 4, 5}, {11}, {13}}};

// The result arrays the conversion recalls for each stored step.
constexpr std::array<std::string_view, 3> kResultArrays = {"TFLE", "TMIDFO", "U"};

// Storage reserved upwards from the next free word, aligned to the element
// size, as the DMS reserves it (an array of no elements takes one word).
struct Top {
  int64_t next = 0;
  int64_t high = 0;
  void reserve(int64_t elements, int64_t words) {
    const int64_t start = words * ((next - 1 + words - 1) / words) + 1;
    next = elements == 0 ? start + 1 : start + words * elements;
    high = std::max(high, next - 1);
  }
};

// The scratch work array for setting up the directory as the run does: the
// book-keeping of 63 array numbers, the directory and the stored entries the
// set-up reads, given the stored NUMRAF.
int64_t set_up_words(const std::array<int32_t, kNumrafWords>& lnum) {
  constexpr int64_t kBookKeeping = 4096;
  const int64_t e = lnum[kEntryLength - 1], n = lnum[kNumbers - 1];
  if (e < 0 || n < 0) return kBookKeeping;
  return std::min<int64_t>(kBookKeeping + (e + 2) * n, INT32_MAX);
}

// The words needed once the directory is set up in ia: the run's bookings
// from the DMS's next free word on.
int64_t bookings(io::WorkArray& ia, int32_t& istat) {
  Top top{dms::DMSGEN(ia, dms::kGenNextFree), dms::DMSGEN(ia, dms::kGenHighWater)};
  top.reserve(kPrefixWords, 1);

  std::array<bool, kConverterNames.size()> booked{};
  const auto book = [&](std::size_t k, const Keys& keys) {
    const ArrayType* type = array_type(keys.type.view());
    if (type == nullptr || keys.key < 0 || keys.ndim < 0) return false;
    if (!booked[k]) top.reserve(keys.ndim, type->words);
    booked[k] = true;
    return true;
  };
  for (const auto& codes : kRecalledCodes) {
    for (std::size_t k = 0; k < kConverterNames.size(); ++k) {
      Keys keys;
      keys_of(ia, kConverterNames[k], 1, keys, kQuiet, istat);
      if (istat != 0) return 0;
      const bool selected = keys.icode != 0 && std::ranges::count(codes, keys.icode) > 0;
      if (selected && keys.key != 0 && !book(k, keys)) return 0;
    }
  }

  // The step table of the widest range, 1 to MXSTEP, then its release.
  Keys keys;
  keys_of(ia, "MSTRU", 1, keys, kQuiet, istat);
  if (istat != 0 || keys.key <= 0 || keys.itype != 1 || keys.ndim < 1) return 0;
  std::vector<int32_t> words(static_cast<std::size_t>(keys.ndim));
  GTARAF(std::as_writable_bytes(std::span(words)), keys.ndim, keys.key, 1, 0, kUnit, kQuiet, istat);
  io::WorkArray mstru_words(words.data(), keys.ndim);
  int32_t absent = 0;  // without MXSTEP the conversion stops before the step table
  const int32_t mxstep = GTSTRU(io::IntView(mstru_words, 1, keys.ndim), "MXSTEP", kQuiet, absent);
  if (istat != 0) return 0;
  const int64_t next = top.next;
  top.reserve(kStepTableWords * std::max(1, mxstep), 1);
  top.next = next;

  for (const std::string_view name : kResultArrays) {
    const auto k = static_cast<std::size_t>(std::ranges::find(kConverterNames, name) -
                                            kConverterNames.begin());
    keys_of(ia, name, 1, keys, kQuiet, istat);
    if (istat != 0) return 0;
    if (keys.itype != 0 && !book(k, keys)) return 0;
  }
  return top.high;
}

}  // namespace

int64_t work_words(std::string_view fname, int32_t& istat) {
  if (istat != 0) return 0;
  const bool was_read_only = raflib::opens_for_reading_only();
  raflib::open_for_reading_only(true);

  int64_t words = 0;
  int32_t st = 0;
  INIRAF("OLD", fname, 1, kUnit, kQuiet, kQuiet, st);
  std::array<int32_t, kNumrafWords> lnum{};
  GTARAF(std::as_writable_bytes(std::span(lnum)), kNumrafWords, kStoredNumraf, 1, 0, kUnit, kQuiet,
         st);
  if (st == 0) {
    const int64_t n = set_up_words(lnum);
    std::unique_ptr<int32_t[]> block(new (std::nothrow) int32_t[static_cast<std::size_t>(n)]);
    if (block != nullptr) {
      io::WorkArray ia(block.get(), n);
      INIDMS(ia, static_cast<int32_t>(n), kNameTable, kNameSlots, kNameChars, kUnit, kQuiet, st);
      if (st == 0) words = bookings(ia, st);
    } else {
      st = -1;
    }
  }
  int32_t closed = 0;
  raflib::RAFCLS(kUnit, closed);
  raflib::open_for_reading_only(was_read_only);
  if (st != 0 || words == 0) {
    istat = -1;
    return 0;
  }
  return words;
}

}  // namespace arrays
