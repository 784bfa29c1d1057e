#include "arrays/identifiers.h"

#include <algorithm>
#include <array>

#include "arrays/armess.h"
#include "io/fields.h"
#include "io/text.h"

namespace arrays {

namespace {

constexpr int kMaxIdLength = 8;
constexpr int32_t kDefaultUnit = 6;
constexpr int64_t kHeaderWords = 5;

int32_t unit_of(io::IntView d) {
  return d(kIdUnit) < 1 ? kDefaultUnit : d(kIdUnit);
}

// Number of identifiers whose code words lie in the view.
int32_t identifiers_in(io::IntView d) {
  const int64_t room = (d.size() - kHeaderWords) / 2;
  return static_cast<int32_t>(std::min<int64_t>(std::max(d(kIdCount), 0), room));
}

// Length check, copy into an 8-character field, case folding and coding.
bool code(io::IntView d, std::string_view name, int32_t& c1, int32_t& c2) {
  const int length = io::LENNB(name);
  if (length == 0 || length > kMaxIdLength) return false;
  io::Text<kMaxIdLength> field(name);
  if (d(kIdFold) == 1) io::upper_case(field.span());
  IDCODE(field, length, c1, c2);
  return c1 >= 0 && c2 >= 0;
}

int32_t search(io::IntView d, int32_t c1, int32_t c2) {
  const int32_t count = identifiers_in(d);
  for (int32_t k = 1; k <= count; ++k) {
    if (d(4 + 2 * int64_t{k}) == c1 && d(5 + 2 * int64_t{k}) == c2) return k;
  }
  return 0;
}

}  // namespace

int32_t IDXIST(io::IntView d, std::string_view name) {
  if (d.size() < kHeaderWords) return 0;
  int32_t c1 = 0, c2 = 0;
  if (!code(d, name, c1, c2)) {
    const int32_t unit = unit_of(d);
    write_group(unit, "*** ERROR IN IDXIST  ***");
    write_group(unit, "  Identifier length = 0 or > 8: ", io::trimmed(name));
    return 0;
  }
  return search(d, c1, c2);
}

void IDADD(io::IntView d, std::string_view name, int32_t& index) {
  const int32_t base = index / 100;
  index = 0;
  if (d.size() < kHeaderWords) return;
  const int32_t nmax = d(kIdCapacity);
  const int32_t unit = unit_of(d);
  int32_t c1 = 0, c2 = 0;
  if (!code(d, name, c1, c2)) {
    write_group(unit, "*** ERROR IN IDADD  ***");
    write_group(unit, "  Illegal Identifier : ", io::trimmed(name));
    return;
  }
  if (const int32_t k = search(d, c1, c2); k != 0) {
    index = k;
    return;
  }
  const int64_t k = int64_t{d(kIdCount)} + 1;
  if (k < 1 || k > nmax || !d.has(5 + 2 * k)) {
    write_group(unit, "*** ERROR IN IDADD  ***");
    write_group(unit, "  Number of IDS exceeds maximum of : ", io::Line().i(nmax, 6).view());
    return;
  }
  d.set(kIdCount, static_cast<int32_t>(k));
  d.set(4 + 2 * k, c1);
  d.set(5 + 2 * k, c2);
  index = static_cast<int32_t>(k) + base;
}

int32_t IDFIX(std::string_view name) {
  const io::Text<6> field(name);
  for (std::size_t k = 0; k < kFixedIdentifiers.size(); ++k) {
    if (io::Text<6>(kFixedIdentifiers[k]).view() == field.view())
      return static_cast<int32_t>(k + 1);
  }
  return 0;
}

void IDCODE(std::string_view name, int32_t l, int32_t& c1, int32_t& c2) {
  c1 = c2 = -1;
  if (l < 1 || l > kMaxIdLength || static_cast<std::size_t>(l) > name.size()) return;
  int32_t words[2] = {0, 0};
  for (int32_t i = 0; i < kMaxIdLength; ++i) {
    int32_t digits = 0;
    if (i < l) {
      const int c = static_cast<unsigned char>(name[static_cast<std::size_t>(i)]);
      if (c < 33 || c > 126) return;
      digits = c - 30;
    }
    words[i / 4] = words[i / 4] * 100 + digits;
  }
  c1 = words[0];
  c2 = words[1];
}

}  // namespace arrays
