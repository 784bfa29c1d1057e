#include "io/fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "io/exp_format.h"
#include "io/units.h"

namespace io {

namespace {

char* stars(char* out, int w) {
  return std::fill_n(out, w, '*');
}

// Right-aligns text in a field of w characters.
char* right(char* out, std::string_view text, int w) {
  const int pad = w - static_cast<int>(text.size());
  out = std::fill_n(out, pad, ' ');
  return std::copy(text.begin(), text.end(), out);
}

}  // namespace

char* put_i(char* out, int64_t v, int w) {
  if (w <= 0) return out;
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  const int len = static_cast<int>(res.ptr - buf);
  if (len > w) return stars(out, w);
  return right(out, {buf, static_cast<std::size_t>(len)}, w);
}

char* put_iz(char* out, int64_t v, int w) {
  if (w <= 0) return out;
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, v < 0 ? -static_cast<uint64_t>(v) : v);
  const int digits = static_cast<int>(res.ptr - buf);
  const int sign = v < 0 ? 1 : 0;
  if (digits + sign > w) return stars(out, w);
  if (sign) *out++ = '-';
  out = std::fill_n(out, w - sign - digits, '0');
  return std::copy(buf, res.ptr, out);
}

int get_i(std::string_view field, int64_t& v) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    v = 0;
    return 0;
  }
  std::string_view number = field.substr(first, field.find_last_not_of(' ') + 1 - first);
  const bool plus = number.starts_with('+');
  if (plus) number.remove_prefix(1);
  if (plus && number.starts_with('-')) return kIostatBadInteger;
  int64_t parsed = 0;
  const auto res = std::from_chars(number.data(), number.data() + number.size(), parsed);
  if (res.ec != std::errc() || res.ptr != number.data() + number.size()) return kIostatBadInteger;
  v = parsed;
  return 0;
}

char* put_f(char* out, double v, int w, int d) {
  if (w <= 0) return out;
  if (!std::isfinite(v)) return put_e(out, v, w, d);
  char buf[400];
  const int n = std::snprintf(buf, sizeof buf, "%.*f", d, v);
  std::string_view text(buf, static_cast<std::size_t>(n));
  if (static_cast<int>(text.size()) > w) {
    // Fortran drops the optional leading zero before giving up on the field.
    if (text.starts_with("0.")) {
      text.remove_prefix(1);
    } else if (text.starts_with("-0.")) {
      buf[1] = '-';
      text = std::string_view(buf + 1, text.size() - 1);
    }
  }
  if (static_cast<int>(text.size()) > w) return stars(out, w);
  return right(out, text, w);
}

char* put_e(char* out, double v, int w, int d, int scale) {
  if (w <= 0) return out;
  char buf[64];
  const int len = format_exp(buf, v, d, scale);
  std::string_view text(buf, static_cast<std::size_t>(len));
  if (static_cast<int>(text.size()) > w && scale == 0) {
    // "-0.123E+01" may lose its optional leading zero: "-.123E+01".
    if (text.starts_with("0.")) {
      text.remove_prefix(1);
    } else if (text.starts_with("-0.")) {
      buf[1] = '-';
      text = std::string_view(buf + 1, text.size() - 1);
    }
  }
  if (text == "Infinity" && w < 8) text = "Inf";
  if (text == "-Infinity" && w < 9) text = "-Inf";
  if (len == 0 || static_cast<int>(text.size()) > w) return stars(out, w);
  return right(out, text, w);
}

char* Line::room(int w) {
  if (w <= 0 || len_ + static_cast<std::size_t>(w) > kCapacity) return nullptr;
  char* p = buf_ + len_;
  len_ += static_cast<std::size_t>(w);
  return p;
}

Line& Line::a(std::string_view s) {
  // An empty view may have no data at all; memcpy must not see it.
  const std::size_t n = std::min(s.size(), kCapacity - len_);
  if (n == 0) return *this;
  std::memcpy(buf_ + len_, s.data(), n);
  len_ += n;
  return *this;
}

Line& Line::x(int n) {
  if (char* p = room(n)) std::fill_n(p, n, ' ');
  return *this;
}

Line& Line::i(int64_t v, int w) {
  if (char* p = room(w)) put_i(p, v, w);
  return *this;
}

Line& Line::iz(int64_t v, int w) {
  if (char* p = room(w)) put_iz(p, v, w);
  return *this;
}

Line& Line::f(double v, int w, int d) {
  if (char* p = room(w)) put_f(p, v, w, d);
  return *this;
}

Line& Line::e(double v, int w, int d) {
  if (char* p = room(w)) put_e(p, v, w, d);
  return *this;
}

}  // namespace io
