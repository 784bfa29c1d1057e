#include "sif/check.h"

#include <array>

#include "io/fields.h"
#include "io/units.h"

namespace sif {

namespace {

constexpr std::array<std::string_view, 8> kItemNames = {
    "NODE",        "ELEMENT",      "SECTION",        "MATERIAL",
    "UNIT VECTOR", "ECCENTRICITY", "TRANSFORMATION", "STEP"};

}  // namespace

void write_header(int32_t lpu, const ErrorHeader& header) {
  if (lpu < 1 || header.text.empty()) return;
  for (int k = 0; k < header.empty_lines; ++k) io::write_record(lpu, "");
  io::write_record(lpu, header.text);
}

bool RangeCheck::index(std::string_view array, int64_t k, int64_t size, Item item, int64_t number) {
  return (k >= 1 && k <= size) || fail("INDEX", array, k, item, number);
}

bool RangeCheck::node_list(std::string_view array, io::IntView mpmnpc, int32_t i, int64_t size,
                           int64_t& first, int64_t& n) {
  if (!index("MPMNPC", int64_t{i} + 1, mpmnpc.size(), Item::kElement, i)) return false;
  first = mpmnpc(i);
  n = mpmnpc(i + 1) - first;
  if (n < 0) return fail("COUNT", "MPMNPC", n, Item::kElement, i);
  return n == 0 || (index(array, first, size, Item::kElement, i) &&
                    index(array, first + n - 1, size, Item::kElement, i));
}

bool RangeCheck::column(std::string_view array, int64_t j, int64_t per, int64_t used, int64_t size,
                        Item item, int64_t number) {
  const bool inside =
      j >= 1 && per >= 1 && used >= 1 && used <= per && (j - 1) * per <= size - used;
  return inside || fail("COLUMN", array, j, item, number);
}

bool RangeCheck::fail(std::string_view what, std::string_view array, int64_t value, Item item,
                      int64_t number) {
  write_header(lpu_, header_);
  if (lpu_ >= 1) {
    io::write_record(lpu_, io::Line()
                               .x(4)
                               .a(what)
                               .i(value, 12)
                               .a(" OUT OF RANGE IN ")
                               .a(array)
                               .a(" FOR ")
                               .a(kItemNames[static_cast<int>(item)])
                               .i(number, 10)
                               .view());
  }
  istat_ -= 1;
  return false;
}

}  // namespace sif
