#include "sif/record.h"

#include <algorithm>

#include "io/fields.h"
#include "io/units.h"

namespace sif {

namespace {

constexpr int kCountWidth = 8;

// The name field: the name cut or blank-padded to 8 columns.
char* put_name(char* out, std::string_view name) {
  const std::size_t n = std::min<std::size_t>(name.size(), kNameWidth);
  out = std::copy_n(name.data(), n, out);
  return std::fill_n(out, kNameWidth - n, ' ');
}

}  // namespace

void put_record(int32_t unit, std::string_view name, std::span<const double> values,
                io::SifStyle style) {
  const std::size_t lines =
      std::max<std::size_t>(1, (values.size() + kValuesPerLine - 1) / kValuesPerLine);
  char* p = io::records_begin(unit, lines * (kNameWidth + 2) + values.size() * io::kSifFieldWidth);
  if (p == nullptr) return;
  char* last = p;
  std::size_t k = 0;
  do {
    const std::size_t n = std::min<std::size_t>(kValuesPerLine, values.size() - k);
    last = p;
    p = put_name(p, k == 0 ? name : std::string_view());
    p = io::put_sif_fields(p, values.subspan(k, n), style);
    *p++ = '\r';
    *p++ = '\n';
    k += n;
  } while (k < values.size());
  io::records_end(unit, p, last);
}

void put_count_line(int32_t unit, int64_t count) {
  char* p = io::record_begin(unit, kNameWidth + kCountWidth);
  if (p == nullptr) return;
  p = put_name(p, {});
  io::record_end(unit, io::put_i(p, count, kCountWidth));
}

}  // namespace sif
