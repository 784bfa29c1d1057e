// Fortran-style edit descriptors for every message line of the system, and a
// line builder that strings them together without allocating.
//
// Each put_* writes exactly w characters at out and returns out + w. A value
// that does not fit its field is written as w asterisks, as Fortran does.
#ifndef RAF2SIF_IO_FIELDS_H_
#define RAF2SIF_IO_FIELDS_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace io {

// Iw: the integer right-aligned in w columns.
char* put_i(char* out, int64_t v, int w);

// Iw.w: the integer in w columns with leading zeros ("05" for 5 in I2.2).
char* put_iz(char* out, int64_t v, int w);

// Iw input: the field holds an optional sign and digits, with blanks before
// and after them; an all-blank field reads as 0. Returns 0, or
// kIostatBadInteger (units.h) for anything else, v then unchanged.
int get_i(std::string_view field, int64_t& v);

// Fw.d: fixed point with d decimals, right-aligned; the leading 0 of a value
// below 1 is dropped only when the field would otherwise overflow.
char* put_f(char* out, double v, int w, int d);

// Ew.d (scale factor 0): "0." followed by d significant digits and the
// exponent; kPEw.d with scale 1: one digit, the point and d digits. The
// exponent is "E" with sign and two digits, or sign and three digits without
// the letter when it lies beyond +-99. Correctly rounded to nearest (ties to
// even). NaN and the infinities are written as "NaN", "Infinity", "-Infinity".
char* put_e(char* out, double v, int w, int d, int scale = 0);

// One message or record line under construction (at most kCapacity
// characters; anything beyond is cut).
class Line {
 public:
  static constexpr std::size_t kCapacity = 512;

  Line& a(std::string_view s);  // A: the text as it stands
  Line& x(int n);               // nX: n blanks
  Line& i(int64_t v, int w);    // Iw
  Line& iz(int64_t v, int w);   // Iw.w
  Line& f(double v, int w, int d);
  Line& e(double v, int w, int d);

  std::string_view view() const { return {buf_, len_}; }
  std::size_t size() const { return len_; }

 private:
  // Room for a field of w characters, or nullptr when the line is full.
  char* room(int w);

  char buf_[kCapacity];
  std::size_t len_ = 0;
};

}  // namespace io

#endif  // RAF2SIF_IO_FIELDS_H_
