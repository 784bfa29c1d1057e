#include "info/directory.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "arrays/directory.h"
#include "arrays/keywords.h"
#include "arrays/recall.h"
#include "arrays/views.h"
#include "dms/names.h"
#include "info/failure.h"
#include "io/text.h"

namespace info {

namespace {

bool allocated(const std::vector<MfpEntry>& mfp, int32_t number) {
  return std::any_of(mfp.begin(), mfp.end(),
                     [number](const MfpEntry& e) { return e.number == number; });
}

// The stored directory, read into a block of its own: n entries of e words.
struct Stored {
  std::vector<int32_t> words;
  io::WorkArray block;
  io::IntView numraf, keyraf, iarrnm;
  int32_t e = 0, n = 0;
};

std::optional<Failure> read_stored(int32_t unit, Stored& s) {
  std::array<int32_t, arrays::kNumrafWords> numraf{};
  int32_t istat = 0;
  arrays::GTARAF(std::as_writable_bytes(std::span(numraf)), arrays::kNumrafWords,
                 arrays::kStoredNumraf, 1, 0, unit, kQuiet, istat);
  if (istat != 0) return raflib_failure("record 101 (NUMRAF)");
  s.e = numraf[arrays::kEntryLength - 1];
  s.n = numraf[arrays::kNumbers - 1];
  // INIDMS has read the same records with these sizes; they are checked
  // again, since they size the block.
  if (s.e != arrays::kEntryWords || s.n < 0 || (int64_t{s.e} + 2) * s.n > INT32_MAX) {
    return Failure{"record 101 (NUMRAF)", 0,
                   "entries of " + std::to_string(s.e) + " words for " + std::to_string(s.n) +
                       " array numbers"};
  }
  const int64_t entries = int64_t{s.e} * s.n;
  s.words.assign(static_cast<std::size_t>(arrays::kNumrafWords + entries + 2 * int64_t{s.n}), 0);
  s.block = io::WorkArray(s.words.data(), static_cast<int64_t>(s.words.size()));
  s.numraf = io::IntView(s.block, 1, arrays::kNumrafWords);
  s.keyraf = io::IntView(s.block, arrays::kNumrafWords + 1, entries);
  s.iarrnm = io::IntView(s.block, arrays::kNumrafWords + 1 + entries, 2 * int64_t{s.n});
  std::copy(numraf.begin(), numraf.end(), s.words.begin());
  arrays::GTARAF(arrays::as_bytes(s.keyraf), static_cast<int32_t>(entries), arrays::kStoredKeyraf,
                 1, 0, unit, kQuiet, istat);
  if (istat != 0) return raflib_failure("record 102 (KEYRAF)");
  arrays::GTARAF(arrays::as_bytes(s.iarrnm), 2 * s.n, arrays::kStoredIarrnm, 1, 0, unit, kQuiet,
                 istat);
  if (istat != 0) return raflib_failure("record 103 (IARRNM)");
  return std::nullopt;
}

// What the stored entry of array number f says about its record for step
// index irfins, as ARKEYS says it for a name the layer knows.
arrays::Keys stored_keys(const Stored& s, int32_t f, int32_t irfins) {
  return arrays::entry_keys(arrays::Entry(s.keyraf, s.e, f), f, irfins, s.numraf, s.keyraf);
}

Failure damaged(const std::string& name, std::string text) {
  return {"directory entry of " + name, 0, std::move(text)};
}

}  // namespace

bool has_directory(const std::vector<MfpEntry>& mfp) {
  return allocated(mfp, arrays::kStoredNumraf) && allocated(mfp, arrays::kStoredKeyraf) &&
         allocated(mfp, arrays::kStoredIarrnm);
}

std::optional<Failure> read_directory(io::WorkArray& ia, int32_t unit,
                                      const std::vector<MfpEntry>& mfp, Directory& d) {
  Stored s;
  if (auto failure = read_stored(unit, s)) return failure;
  d.present = true;
  d.once = s.numraf(arrays::kFileOnce);
  d.post = s.numraf(arrays::kFilePost);
  d.rest = s.numraf(arrays::kFileRest);
  std::set<std::pair<int32_t, int32_t>> recalled;  // the layer merges the first of equal names
  for (int32_t f = 1; f <= s.n; ++f) {
    const int32_t cn1 = s.iarrnm(2 * int64_t{f} - 1), cn2 = s.iarrnm(2 * int64_t{f});
    if ((cn1 == 0 && cn2 == 0) || arrays::Entry(s.keyraf, s.e, f)(arrays::kTypeCode) == 0) continue;
    io::Text<8> field;
    int32_t nchar = 0;
    dms::DMSNCH(ia, cn1, cn2, 0, field.span(), nchar);
    if (nchar == 0) {
      return damaged(
          "array number " + std::to_string(f),
          "character numbers " + std::to_string(cn1) + " " + std::to_string(cn2) + " code no name");
    }
    NamedArray a;
    a.name = std::string(field.view().substr(0, static_cast<std::size_t>(nchar)));
    a.known = dms::DMSNUM(ia, a.name, 0) >= 1 && recalled.insert({cn1, cn2}).second;
    arrays::Keys once, step1;
    if (a.known) {
      int32_t istat = 0;
      arrays::keys_of(ia, a.name, 0, once, kQuiet, istat);
      arrays::keys_of(ia, a.name, 1, step1, kQuiet, istat);
      if (istat != 0) return damaged(a.name, "the array layer cannot read it");
    } else {
      once = stored_keys(s, f, 0);
      step1 = stored_keys(s, f, 1);
    }
    a.type = std::string(io::trimmed(step1.type));
    a.store = std::string(step1.store.view());
    a.elements = step1.ndim;
    const arrays::StoreInfo* info = arrays::store_code_info(step1.icode);
    if (a.type == "??" || info == nullptr) {
      return damaged(a.name, "type code " + std::to_string(step1.itype) + ", store code " +
                                 std::to_string(step1.icode));
    }
    // The three serials are copied together at the first booking; only those
    // of the array's classes mean anything.
    a.serials = {info->once ? step1.ser1 : 0, info->post ? step1.ser2 : 0,
                 info->rest ? step1.ser3 : 0};
    if (once.key < 0 || step1.key < 0) return damaged(a.name, "its serials give no RAF number");
    const bool per_step = info->post || info->rest;
    a.once_key = once.key;
    a.step1_key = per_step ? step1.key : 0;
    // The counts are the file's own words: a step's stride must still be a
    // RAF number.
    const int64_t stride = int64_t{d.post} + d.rest;
    if (per_step && (stride < INT32_MIN || stride > INT32_MAX)) {
      return damaged(a.name, "result and restart arrays per step " + std::to_string(d.post) +
                                 " and " + std::to_string(d.rest) + " give no RAF number");
    }
    a.stride = per_step ? static_cast<int32_t>(stride) : 0;
    d.arrays.push_back(a);
    if (a.once_key > 0 && !allocated(mfp, a.once_key)) {
      return damaged(a.name, "its record " + std::to_string(a.once_key) + " is not in the MFP");
    }
  }
  return std::nullopt;
}

}  // namespace info
