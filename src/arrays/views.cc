#include "arrays/views.h"

#include "dms/queries.h"
#include "io/text.h"

namespace arrays {

namespace {

// The array's storage as the DMS records it, when it lies at ipoint and in
// the block: its first word, its dimension and its words per element.
struct Storage {
  int64_t first = 0;
  int64_t dim = 0;
  int32_t size = 0;
};

bool find(io::WorkArray& ia, std::string_view name, int32_t ipoint, Storage& s) {
  const std::string_view n = io::trimmed(name);
  const int32_t dim = dms::DMSINF(ia, n, dms::kInfDimension);
  const int32_t size = dms::DMSINF(ia, n, dms::kInfElementWords);
  const int32_t addr = dms::DMSINF(ia, n, dms::kInfAddress);
  if (dim < 0 || size < 1 || addr < 1 || (addr - 1) % size != 0) return false;
  if ((addr - 1) / size + 1 != ipoint) return false;
  if (!ia.has_words(addr, int64_t{dim} * size)) return false;
  s = {addr, dim, size};
  return true;
}

}  // namespace

io::IntView int_view(io::WorkArray& ia, std::string_view name, int32_t ipoint) {
  Storage s;
  if (!find(ia, name, ipoint, s) || s.size != 1) return {};
  return io::IntView(ia, s.first, s.dim);
}

io::RealView real_view(io::WorkArray& ia, std::string_view name, int32_t ipoint) {
  Storage s;
  if (!find(ia, name, ipoint, s) || s.size != 2) return {};
  return io::RealView(ia, ipoint, s.dim);
}

std::span<std::byte> storage_bytes(io::WorkArray& ia, std::string_view name, int32_t ipoint) {
  Storage s;
  if (!find(ia, name, ipoint, s) || s.dim == 0) return {};
  return {ia.bytes_at(s.first), static_cast<std::size_t>(s.dim * s.size * 4)};
}

std::span<std::byte> as_bytes(io::IntView v) {
  if (v.size() == 0) return {};
  return {v.work().bytes_at(v.word(1)), static_cast<std::size_t>(v.size() * 4)};
}

}  // namespace arrays
