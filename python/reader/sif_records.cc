#include "reader/sif_records.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>

namespace reader {

namespace {

constexpr std::size_t kNameColumns = 8;
constexpr std::size_t kFieldColumns = 16;

bool blank(std::string_view s) {
  return s.find_first_not_of(' ') == std::string_view::npos;
}

bool digit(char c) {
  return c >= '0' && c <= '9';
}

// A record name: letters and digits from column 1 on, blanks after them.
bool record_name(std::string_view head) {
  const std::size_t end = std::min(head.find(' '), head.size());
  if (end == 0 || !blank(head.substr(end))) return false;
  return std::all_of(head.begin(), head.begin() + static_cast<std::ptrdiff_t>(end),
                     [](char c) { return digit(c) || (c >= 'A' && c <= 'Z') || c == '_'; });
}

// Calls f with every field of the line after the name columns.
template <typename F>
bool each_field(std::string_view line, F f) {
  for (std::size_t at = kNameColumns; at < line.size(); at += kFieldColumns) {
    const std::optional<double> v = sif_number(line.substr(at, kFieldColumns));
    if (!v) return false;
    f(*v);
  }
  return true;
}

}  // namespace

std::optional<double> sif_number(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  field = field.substr(first, field.find_last_not_of(' ') + 1 - first);
  // The exponent: after an E, or a sign that follows a digit (the form of
  // exponents of three digits).
  std::size_t e = field.find_first_of("Ee");
  std::size_t exponent = e == std::string_view::npos ? e : e + 1;
  if (e == std::string_view::npos) {
    for (std::size_t k = 1; k < field.size(); ++k) {
      if ((field[k] == '+' || field[k] == '-') && digit(field[k - 1])) {
        e = exponent = k;
        break;
      }
    }
  }
  const std::string_view mantissa = field.substr(0, e);
  if (mantissa.empty() || mantissa.front() == '+') return std::nullopt;
  std::string text(mantissa);
  if (e != std::string_view::npos) {
    std::string_view power = field.substr(exponent);
    if (!power.empty() && power.front() == '+') power.remove_prefix(1);
    if (power.empty() || !std::all_of(power.begin() + (power.front() == '-'), power.end(), digit)) {
      return std::nullopt;
    }
    text += 'e';
    text += power;
  }
  double v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

bool is_sif_line(std::string_view line) {
  if (line.size() < kNameColumns) return false;
  const std::string_view head = line.substr(0, kNameColumns);
  if (blank(head) ? line.size() == kNameColumns : !record_name(head)) return false;
  return each_field(line, [](double) {});
}

std::string read_sif(const std::string& path, SifRecords& out) {
  out = SifRecords{};
  std::ifstream in(path, std::ios::binary);
  if (!in) return "cannot open " + path;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return "cannot read " + path;
  int64_t number = 0;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + at, end - at);
    at = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto bad = [&] {
      return "line " + std::to_string(number) + " is not a SIF line: " + std::string(line);
    };
    if (!is_sif_line(line)) return bad();
    const std::string_view head = line.substr(0, kNameColumns);
    if (!blank(head)) {
      out.names.emplace_back(head.substr(0, std::min(head.find(' '), head.size())));
      out.offsets.push_back(static_cast<int64_t>(out.values.size()));
    } else if (out.names.empty()) {
      return bad();
    }
    each_field(line, [&out](double v) { out.values.push_back(v); });
    out.offsets.back() = static_cast<int64_t>(out.values.size());
  }
  return {};
}

}  // namespace reader
