#include "io/exp_format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace io {

namespace {

int put_text(char* buf, const char* text) {
  const int n = static_cast<int>(std::strlen(text));
  std::memcpy(buf, text, static_cast<std::size_t>(n));
  return n;
}

}  // namespace

int format_exp(char* buf, double v, int d, int scale) {
  if (std::isnan(v)) return put_text(buf, "NaN");
  if (std::isinf(v)) return put_text(buf, v < 0 ? "-Infinity" : "Infinity");

  const int ndig = scale == 1 ? d + 1 : d;  // significant digits shown
  char digits[40];
  int x = 0;  // scientific exponent: |v| = D.DDD x 10^x
  if (v == 0) {
    std::memset(digits, '0', static_cast<std::size_t>(ndig));
  } else {
    char sci[64];
    const auto res =
        std::to_chars(sci, sci + sizeof sci, std::fabs(v), std::chars_format::scientific, ndig - 1);
    const char* e = static_cast<const char*>(std::memchr(sci, 'e', res.ptr - sci));
    int n = 0;
    for (const char* p = sci; p < e; ++p) {
      if (*p != '.') digits[n++] = *p;
    }
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, res.ptr, x);
  }

  char* p = buf;
  if (std::signbit(v)) *p++ = '-';
  int shown = x;
  if (scale == 1) {
    *p++ = digits[0];
    *p++ = '.';
    std::memcpy(p, digits + 1, static_cast<std::size_t>(d));
  } else {
    *p++ = '0';
    *p++ = '.';
    std::memcpy(p, digits, static_cast<std::size_t>(d));
    if (v != 0) shown = x + 1;
  }
  p += d;
  const int ne = put_exponent(p, shown);
  if (ne == 0) return 0;
  return static_cast<int>(p + ne - buf);
}

}  // namespace io
