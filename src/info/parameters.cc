#include "info/parameters.h"

#include <algorithm>
#include <string>

#include "arrays/identifiers.h"
#include "arrays/stru.h"
#include "dms/names.h"
#include "info/failure.h"
#include "io/text.h"

namespace info {

namespace {

Failure damaged(std::string text) {
  return {"MSTRU", 0, std::move(text)};
}

}  // namespace

std::optional<Failure> read_parameters(io::WorkArray& ia, io::IntView mstru, Parameters& p) {
  p.present = true;
  if (mstru.size() == 0) return damaged("it holds no integers");
  p.fixed_layout = mstru.has(1) && mstru(1) >= 0;
  int32_t istat = 0;
  if (p.fixed_layout) {
    const int64_t slots = std::min<int64_t>(mstru.size(), arrays::kFixedIdentifiers.size());
    for (int64_t k = 1; k <= slots; ++k) {
      const std::string_view name = arrays::kFixedIdentifiers[static_cast<std::size_t>(k - 1)];
      if (!name.empty())
        p.values.push_back({std::string(name), arrays::GTSTRU(mstru, name, kQuiet, istat)});
    }
    return std::nullopt;
  }
  const io::IntView d = arrays::identifier_directory(mstru);
  if (d.size() == 0) return damaged("its identifier directory does not lie in it");
  for (int64_t k = 1; k <= d(arrays::kIdCount); ++k) {
    const std::string number = "identifier " + std::to_string(k);
    if (!d.has(5 + 2 * k)) return damaged(number + " lies beyond its end");
    io::Text<8> field;
    int32_t nchar = 0;
    dms::DMSNCH(ia, d(4 + 2 * k), d(5 + 2 * k), 0, field.span(), nchar);
    if (nchar == 0) return damaged(number + " codes no name");
    const std::string name(field.view().substr(0, static_cast<std::size_t>(nchar)));
    const int32_t value = arrays::GTSTRU(mstru, name, kQuiet, istat);
    if (istat != 0 || !mstru.has(k)) return damaged(number + ", " + name + ", has no value");
    p.values.push_back({name, value});
  }
  return std::nullopt;
}

}  // namespace info
