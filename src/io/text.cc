#include "io/text.h"

namespace io {

int LENNB(std::string_view s) {
  for (std::size_t i = s.size(); i > 0; --i) {
    if (s[i - 1] != ' ') return static_cast<int>(i);
  }
  return 0;
}

int IFSTNB(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != ' ') return static_cast<int>(i + 1);
  }
  return 0;
}

void upper_case(std::span<char> s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

void assign(std::span<char> dst, std::string_view src) {
  const std::size_t n = std::min(dst.size(), src.size());
  std::copy_n(src.data(), n, dst.data());
  std::fill(dst.begin() + static_cast<std::ptrdiff_t>(n), dst.end(), ' ');
}

}  // namespace io
