#include "io/sif_number.h"

#include <algorithm>

#include "io/exp_format.h"

namespace io {

namespace {

char* put_style(char* out, double v, int scale) {
  if (v == 0) v = 0.0;  // negative zero prints as zero
  char buf[40];
  const int len = format_exp(buf, v, 8, scale);
  out = std::fill_n(out, kSifFieldWidth - len, ' ');
  return std::copy_n(buf, len, out);
}

}  // namespace

char* put_plain(char* out, double v) {
  return put_style(out, v, 0);
}
char* put_scaled(char* out, double v) {
  return put_style(out, v, 1);
}

}  // namespace io
