#include "writer/mstru.h"

#include <algorithm>
#include <string>

#include "arrays/identifiers.h"
#include "io/text.h"

namespace writer {

namespace {

constexpr int32_t kFixedWords = 200;
constexpr int32_t kDirectoryHeader = 5;

std::vector<int32_t> fixed(const std::vector<Parameter>& parameters) {
  std::vector<int32_t> mstru(kFixedWords, 0);
  for (const Parameter& p : parameters) {
    if (const int32_t k = arrays::IDFIX(p.name); k >= 1)
      mstru[static_cast<std::size_t>(k - 1)] = p.value;
  }
  return mstru;
}

std::vector<int32_t> directory(const std::vector<Parameter>& parameters, const MstruOptions& o) {
  std::vector<Parameter> ids = {{"MSFLAG", o.flag}, {"MSDIRP", 0}};
  ids.insert(ids.end(), parameters.begin(), parameters.end());
  const auto count = static_cast<int32_t>(ids.size());
  const int32_t capacity = count + std::max(o.spare, 0);
  const int32_t m = capacity;
  ids[1].value = m;
  std::vector<int32_t> mstru(static_cast<std::size_t>(m + kDirectoryHeader + 2 * capacity), 0);
  auto d = [&](int32_t j) -> int32_t& { return mstru[static_cast<std::size_t>(m + j - 1)]; };
  d(arrays::kIdCapacity) = capacity;
  d(arrays::kIdUnit) = o.unit;
  d(arrays::kIdCount) = count;
  d(arrays::kIdFold) = o.fold;
  d(arrays::kIdAdding) = o.adding;
  for (int32_t k = 1; k <= count; ++k) {
    const Parameter& p = ids[static_cast<std::size_t>(k - 1)];
    std::string name = p.name;
    if (o.fold == 1) io::upper_case(name);
    mstru[static_cast<std::size_t>(k - 1)] = p.value;
    arrays::IDCODE(name, static_cast<int32_t>(name.size()), d(4 + 2 * k), d(5 + 2 * k));
  }
  return mstru;
}

}  // namespace

std::vector<int32_t> build_mstru(const std::vector<Parameter>& parameters,
                                 const MstruOptions& options) {
  return options.layout == MstruLayout::kFixed ? fixed(parameters) : directory(parameters, options);
}

}  // namespace writer
