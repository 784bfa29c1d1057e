#include "writer/layout.h"

#include <algorithm>
#include <array>
#include <utility>

#include "arrays/directory.h"
#include "arrays/identifiers.h"
#include "arrays/keywords.h"
#include "arrays/name_table.h"

namespace writer {

namespace {

constexpr std::array<std::string_view, 3> kDirectoryNames = {arrays::kNumraf, arrays::kKeyraf,
                                                             arrays::kIarrnm};
constexpr int32_t kNameChars = 6;

bool writable(std::string_view type) {
  return type == "IN" || type == "RE" || type == "DP";
}

// Running counters of the three classes, as NUMRAF(1..3) keeps them.
struct Counters {
  int32_t once = 0, post = 0, rest = 0;
};

void set_entry(Directory& d, int64_t n, const std::array<int32_t, arrays::kEntryWords>& words) {
  std::copy(words.begin(), words.end(), d.keyraf.begin() + (n - 1) * arrays::kEntryWords);
}

}  // namespace

std::vector<std::string> converter_names() {
  std::vector<std::string> names(arrays::kNameSlots);
  for (std::size_t k = 0; k < arrays::kConverterNames.size(); ++k) {
    names[arrays::kFirstNamedSlot - 1 + k] = std::string(arrays::kConverterNames[k]);
  }
  return names;
}

bool lay_out(const std::vector<const Array*>& arrays, int32_t nstep,
             const std::vector<std::string>& names, Layout& layout) {
  // Array numbers.
  std::vector<std::string> table = names;
  std::vector<std::pair<int32_t, const Array*>> numbered;
  for (const Array* a : arrays) {
    if (std::find(kDirectoryNames.begin(), kDirectoryNames.end(), a->name) !=
        kDirectoryNames.end()) {
      continue;
    }
    auto slot = std::find(table.begin(), table.end(), a->name);
    if (slot == table.end()) slot = table.insert(table.end(), a->name);
    numbered.emplace_back(static_cast<int32_t>(slot - table.begin()) + 1, a);
  }
  std::stable_sort(numbered.begin(), numbered.end(),
                   [](const auto& x, const auto& y) { return x.first < y.first; });
  for (const std::string_view d : kDirectoryNames) table.emplace_back(d);
  const auto n = static_cast<int32_t>(table.size());

  Directory& dir = layout.directory;
  dir.keyraf.assign(static_cast<std::size_t>(n) * arrays::kEntryWords, 0);
  dir.iarrnm.assign(2 * static_cast<std::size_t>(n), 0);

  // The directory's own arrays are registered first, with serials 1 to 3;
  // the other arrays follow in number order, as their first bookings would.
  Counters c;
  const std::array<int32_t, 3> dims = {arrays::kNumrafWords, arrays::kEntryWords * n, 2 * n};
  for (int32_t k = 0; k < 3; ++k) {
    ++c.once;
    set_entry(
        dir, n - 2 + k,
        {1, 1, dims[static_cast<std::size_t>(k)], arrays::kDirectoryCode, c.once, 0, 0, 0, 0, 0});
  }
  struct Placed {
    const Array* array;
    const arrays::StoreInfo* store;
    Counters serials;
  };
  std::vector<Placed> placed;
  for (const auto& [number, a] : numbered) {
    const arrays::ArrayType* t = arrays::array_type(a->type);
    const arrays::StoreInfo* s = arrays::store_info(a->store);
    if (t == nullptr || s == nullptr || !writable(a->type)) return false;
    if (s->once) ++c.once;
    if (s->post) ++c.post;
    if (s->rest) ++c.rest;
    const bool stored = s->code != 0;
    set_entry(dir, number,
              {t->code, t->words, a->dimension(), s->code, stored ? c.once : 0, stored ? c.post : 0,
               stored ? c.rest : 0, t->single ? 1 : 0, 0, 0});
    placed.push_back({a, s, c});
    layout.numbers[a->name] = number;
  }
  for (int32_t k = 1; k <= n; ++k) {
    const std::string& name = table[static_cast<std::size_t>(k - 1)];
    if (name.empty()) continue;
    arrays::IDCODE(name, static_cast<int32_t>(name.size()), dir.iarrnm[2 * (k - 1)],
                   dir.iarrnm[2 * (k - 1) + 1]);
  }
  dir.numraf = {c.once,
                c.post,
                c.rest,
                c.once,
                c.post,
                c.rest,
                arrays::kEntryWords,
                n,
                kNameChars,
                arrays::kBase,
                arrays::kBase,
                0,
                0,
                0,
                0,
                0,
                0,
                0,
                0,
                0};

  // Records: stored-once arrays after the base, then step by step the
  // result arrays and the restart arrays.
  int64_t last = arrays::kBase + 3;
  auto add = [&](int64_t key, const Values& v, const Array* a) {
    layout.records.push_back({static_cast<int32_t>(key), &v, a->type});
    last = std::max(last, key);
  };
  const int64_t per_step = int64_t{c.post} + c.rest;
  for (const Placed& p : placed) {
    if (p.store->once) add(arrays::kBase + p.serials.once, p.array->once, p.array);
    if (!p.store->post && !p.store->rest) continue;
    for (const auto& [step, values] : p.array->steps) {
      if (step < 1 || step > nstep) continue;
      const int64_t first = arrays::kBase + c.once + (step - 1) * per_step;
      add(p.store->post ? first + p.serials.post : first + c.post + p.serials.rest, values,
          p.array);
    }
  }
  std::sort(layout.records.begin(), layout.records.end(),
            [](const Record& x, const Record& y) { return x.key < y.key; });
  layout.last_key = static_cast<int32_t>(last);
  return true;
}

}  // namespace writer
