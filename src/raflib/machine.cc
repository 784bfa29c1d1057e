#include "raflib/machine.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "io/fields.h"
#include "raflib/state.h"

namespace raflib {

namespace {

constexpr std::array<std::string_view, 16> kTypeNames = {
    "",  // numbers start at 1
    "",
    "",
    "",
    "Apollo / UNIX",
    "DECstation / Ultrix",
    "VAXstation / Ultrix",
    "HP MC-68xxx / HP-UX",
    "HP PA-Risc / HP-UX",
    "CRAY / Unicos",
    "IBM Powerstation / AIX",
    "Sun SPARC / SunOS",
    "Silicon Graphics / IRIX",
    "CRAY T3E / UnicosMk",
    "PC / DIGITAL Visual Fortran",
    "LINUX i386",
};

// The byte-order groups: little-endian L and big-endian B.
constexpr std::array<int32_t, 3> kGroupL = {5, 14, 15};
constexpr std::array<int32_t, 2> kGroupB = {8, 12};

constexpr std::array<int, 6> kUnitSizes = {0, 4, 4, 8, 4, 1};

template <std::size_t N>
bool in(const std::array<int32_t, N>& group, int32_t type) {
  return std::find(group.begin(), group.end(), type) != group.end();
}

}  // namespace

void RFMACH() {
  int64_t type = 0;
  io::get_i(kCurrentTypeText, type);
  state().machine_type = static_cast<int32_t>(type);
}

io::Text<40> computer_type_name(int32_t type) {
  if (type >= 1 && type < static_cast<int32_t>(kTypeNames.size())) {
    return io::Text<40>(kTypeNames[type]);
  }
  char number[12];
  const auto res = std::to_chars(number, number + sizeof number, type);
  return io::Text<40>(io::Line().a("computer type ").a({number, res.ptr}).view());
}

ByteOrder byte_order(int32_t file, int32_t machine) {
  if (file == machine) return ByteOrder::kSame;
  if ((in(kGroupL, file) && in(kGroupL, machine)) || (in(kGroupB, file) && in(kGroupB, machine))) {
    return ByteOrder::kSame;
  }
  if ((in(kGroupL, file) && in(kGroupB, machine)) || (in(kGroupB, file) && in(kGroupL, machine))) {
    return ByteOrder::kReversed;
  }
  return ByteOrder::kUnsupported;
}

int unit_size(int32_t type) {
  return type >= 1 && type < static_cast<int32_t>(kUnitSizes.size()) ? kUnitSizes[type] : 0;
}

int64_t data_words(int32_t type, int32_t elements) {
  return (int64_t{elements} * unit_size(type) + kBytesPerWord - 1) / kBytesPerWord;
}

}  // namespace raflib
