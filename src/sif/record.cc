#include "sif/record.h"

#include <algorithm>
#include <array>
#include <cstring>

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

std::size_t line_count(std::size_t values) {
  return std::max<std::size_t>(1, (values + kValuesPerLine - 1) / kValuesPerLine);
}

std::size_t record_length(std::size_t values) {
  return line_count(values) * (kNameWidth + 2) + values * io::kSifFieldWidth;
}

// Where field k of a record starts: after the full lines before its own,
// the name columns and the fields before it on its line.
std::size_t field_offset(std::size_t k) {
  constexpr std::size_t kFullLine = kNameWidth + kValuesPerLine * io::kSifFieldWidth + 2;
  return k / kValuesPerLine * kFullLine + kNameWidth + k % kValuesPerLine * io::kSifFieldWidth;
}

// Lays the record out at p, record_length(values.size()) characters; returns
// the start of its last line.
char* put_lines(char* p, std::string_view name, std::span<const double> values,
                io::SifStyle style) {
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
  return last;
}

}  // namespace

void put_record(int32_t unit, std::string_view name, std::span<const double> values,
                io::SifStyle style) {
  const std::size_t len = record_length(values.size());
  char* p = io::records_begin(unit, len);
  if (p == nullptr) return;
  char* last = put_lines(p, name, values, style);
  io::records_end(unit, p + len, last);
}

RecordPattern::RecordPattern(std::string_view name, std::span<const double> values,
                             std::span<const int> varying, io::SifStyle style)
    : text_(record_length(values.size())), style_(style) {
  last_ = static_cast<std::size_t>(put_lines(text_.data(), name, values, style) - text_.data());
  for (const int k : varying.first(std::min(varying.size(), kMaxVarying))) {
    if (k >= 0 && static_cast<std::size_t>(k) < values.size()) varying_.push_back(k);
  }
}

void RecordPattern::put(int32_t unit, std::span<const double> values) const {
  char* p = io::records_begin(unit, text_.size());
  if (p == nullptr) return;
  std::memcpy(p, text_.data(), text_.size());
  // The varying values formatted side by side, two at a time, then each
  // field copied to its place; a place past the values keeps the pattern's.
  std::array<double, kMaxVarying> own;
  std::array<std::size_t, kMaxVarying> at;
  std::size_t n = 0;
  for (const std::size_t k : varying_) {
    if (k >= values.size()) continue;
    own[n] = values[k];
    at[n++] = field_offset(k);
  }
  std::array<char, kMaxVarying * io::kSifFieldWidth> fields;
  io::put_sif_fields(fields.data(), std::span<const double>(own.data(), n), style_);
  for (std::size_t j = 0; j < n; ++j) {
    std::memcpy(p + at[j], &fields[j * io::kSifFieldWidth], io::kSifFieldWidth);
  }
  io::records_end(unit, p + text_.size(), p + last_);
}

void put_count_line(int32_t unit, int64_t count) {
  char* p = io::record_begin(unit, kNameWidth + kCountWidth);
  if (p == nullptr) return;
  p = put_name(p, {});
  io::record_end(unit, io::put_i(p, count, kCountWidth));
}

}  // namespace sif
