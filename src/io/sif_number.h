// The two numeric styles of the SIF file. Every value of a SIF record is a
// 16-column field in one of them:
//   plain  (E16.8):   "  0.12345600E+06", " -0.25000000E+01"
//   scaled (1PE16.8): "  1.23456000E+05", " -2.50000000E+00"
// Values are correctly rounded to nearest (ties to even) to 8 (plain) or 9
// (scaled) significant digits. An exponent beyond +-99 is written as its
// sign and three digits without the letter E ("  0.10000000+100").
// Negative zero is written as zero, so a negated zero force never prints as
// "-0."; NaN and the infinities, which only a damaged file holds, are written
// right-aligned as "NaN", "Infinity" and "-Infinity".
#ifndef RAF2SIF_IO_SIF_NUMBER_H_
#define RAF2SIF_IO_SIF_NUMBER_H_

#include <span>

namespace io {

constexpr int kSifFieldWidth = 16;

enum class SifStyle { kPlain, kScaled };

// Each writes exactly 16 characters at out and returns out + 16.
char* put_plain(char* out, double v);
char* put_scaled(char* out, double v);

inline char* put_sif(char* out, double v, SifStyle style) {
  return style == SifStyle::kPlain ? put_plain(out, v) : put_scaled(out, v);
}

// Writes the values as consecutive fields of one style at out and returns
// the end, out + 16 * values.size(): a line of a record in one call.
char* put_sif_fields(char* out, std::span<const double> values, SifStyle style);

}  // namespace io

#endif  // RAF2SIF_IO_SIF_NUMBER_H_
