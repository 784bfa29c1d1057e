// Test support: the SIF numeric styles re-derived from the C library's
// exponent conversion, which is exact (correctly rounded, ties to even):
// "%.7E" gives the eight digits of the plain style, "%.8E" the nine of the
// scaled one; only the layout is rebuilt here.
#ifndef RAF2SIF_TESTS_SUPPORT_SIF_REFERENCE_H_
#define RAF2SIF_TESTS_SUPPORT_SIF_REFERENCE_H_

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "io/sif_number.h"

namespace testing_support {

// Writes the 16-column field of v in the given style at out.
inline void put_sif_reference(char* out, double v, io::SifStyle style) {
  const int scale = style == io::SifStyle::kScaled ? 1 : 0;
  char text[40];
  char* p = text;
  if (std::isnan(v)) {
    p += std::snprintf(p, 8, "NaN");
  } else if (std::isinf(v)) {
    p += std::snprintf(p, 16, "%sInfinity", v < 0 ? "-" : "");
  } else {
    char sci[40];  // "d.dddddddE+xx", "d.ddddddddE-xxx"
    std::snprintf(sci, sizeof sci, "%.*E", 7 + scale, std::fabs(v));
    const char* e = std::strchr(sci, 'E');
    int x = std::atoi(e + 1);
    if (v < 0) *p++ = '-';
    if (scale == 1) {
      p += std::snprintf(p, 16, "%.*s", static_cast<int>(e - sci), sci);
    } else {
      p += std::snprintf(p, 16, "0.%c%.*s", sci[0], static_cast<int>(e - sci - 2), sci + 2);
      if (v != 0) ++x;
    }
    p += std::snprintf(p, 8, x >= -99 && x <= 99 ? "E%+03d" : "%+04d", x);
  }
  const auto len = static_cast<std::size_t>(p - text);
  std::memset(out, ' ', 16 - len);
  std::memcpy(out + 16 - len, text, len);
}

// Writes the formatter's field of v at got and the reference at want (16
// columns each); true when they agree byte for byte.
inline bool matches_reference(double v, io::SifStyle style, char* got, char* want) {
  io::put_sif(got, v, style);
  put_sif_reference(want, v, style);
  return std::memcmp(got, want, 16) == 0;
}

}  // namespace testing_support

#endif  // RAF2SIF_TESTS_SUPPORT_SIF_REFERENCE_H_
