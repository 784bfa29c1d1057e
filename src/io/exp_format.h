// Internal: the exponent form shared by the Ew.d fields and the SIF styles.
#ifndef RAF2SIF_IO_EXP_FORMAT_H_
#define RAF2SIF_IO_EXP_FORMAT_H_

namespace io {

// Writes the exponent part of decimal exponent x: "E+dd" for |x| <= 99,
// "+ddd" up to 999. Returns 4, or 0 (nothing written) beyond.
constexpr int put_exponent(char* p, int x) {
  const char sign = x < 0 ? '-' : '+';
  const int a = x < 0 ? -x : x;
  if (a > 999) return 0;
  if (a <= 99) {
    p[0] = 'E';
    p[1] = sign;
  } else {
    p[0] = sign;
    p[1] = static_cast<char>('0' + a / 100);
  }
  p[2] = static_cast<char>('0' + a / 10 % 10);
  p[3] = static_cast<char>('0' + a % 10);
  return 4;
}

// Writes v in exponent form without padding: an optional minus sign, then
// "0." and d digits (scale 0) or one digit, "." and d digits (scale 1), then
// the exponent ("E+dd", or "+ddd" beyond +-99). NaN and the infinities give
// "NaN", "Infinity", "-Infinity". Returns the length (at most 32), or 0 when
// the exponent needs more than three digits. buf needs 40 characters; d is
// 1 to 30.
int format_exp(char* buf, double v, int d, int scale);

}  // namespace io

#endif  // RAF2SIF_IO_EXP_FORMAT_H_
