// Blank-padded fixed-length texts, as the system stores names, answers and
// messages, and the two scans over them that every subsystem uses.
#ifndef RAF2SIF_IO_TEXT_H_
#define RAF2SIF_IO_TEXT_H_

#include <algorithm>
#include <cstddef>
#include <span>
#include <string_view>

namespace io {

// Position (1-based) of the last non-blank character of s; 0 when s is blank.
int LENNB(std::string_view s);

// Position (1-based) of the first non-blank character of s; 0 when s is blank.
int IFSTNB(std::string_view s);

// s without its trailing blanks.
inline std::string_view trimmed(std::string_view s) {
  return s.substr(0, LENNB(s));
}

// Turns the letters a to z of s into A to Z; every other character stays.
void upper_case(std::span<char> s);

// Copies src into the fixed field dst, cut to its length or blank-padded.
void assign(std::span<char> dst, std::string_view src);

// A fixed-length text of N characters, blank-padded (Fortran CHARACTER*N).
template <std::size_t N>
class Text {
 public:
  Text() { std::fill_n(c_, N, ' '); }
  explicit Text(std::string_view s) { assign(c_, s); }
  Text& operator=(std::string_view s) {
    io::assign(c_, s);
    return *this;
  }
  std::string_view view() const { return {c_, N}; }
  operator std::string_view() const { return view(); }
  std::span<char> span() { return {c_, N}; }
  char* data() { return c_; }
  static constexpr std::size_t size() { return N; }

 private:
  char c_[N];
};

}  // namespace io

#endif  // RAF2SIF_IO_TEXT_H_
