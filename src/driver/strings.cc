#include "driver/strings.h"

#include <algorithm>
#include <charconv>

#include "io/fields.h"
#include "io/text.h"
#include "io/units.h"

namespace driver {

void PROMPT(int unit, std::string_view text) {
  io::Line line;
  line.x(1).a(text.substr(0, std::min<std::size_t>(text.size(), 80)));
  io::write_text(unit, line.view());
}

void ADDEXT(std::span<char> name, std::string_view ext) {
  const std::string_view whole(name.data(), name.size());
  const int first = io::IFSTNB(whole);
  const int last = io::LENNB(whole);
  io::Line joined;
  if (first > 0) joined.a(whole.substr(first - 1, last - first + 1));
  joined.a(ext);
  io::assign(name, joined.view());
}

void CH2INT(std::string_view block, io::IntView arr, int larr, int nstr, int lpu, int& istat) {
  for (int64_t k = 1; k <= static_cast<int64_t>(larr) * nstr && arr.has(k); ++k) arr.set(k, 0);
  if (nstr < 1) return;
  const std::size_t len = block.size() / static_cast<std::size_t>(nstr);
  for (int k = 0; k < nstr; ++k) {
    const std::string_view s = block.substr(k * len, len);
    const int l = io::LENNB(s);
    if (l > larr) {
      io::write_record(lpu, "");
      io::write_record(lpu, "");
      io::write_record(lpu, io::Line().x(3).a("Error in routine *CH2INT*").x(14).view());
      io::write_record(lpu, "");
      io::write_record(lpu, "");
      io::write_record(lpu, "   Character string longer than integer  array ");
      io::write_record(
          lpu, io::Line().a("   Length of string :                         : ").i(l, 10).view());
      io::write_record(
          lpu, io::Line().a("   Length of array  :                         : ").i(larr, 10).view());
      istat -= 1;
      return;
    }
    for (int i = 1; i <= l; ++i) {
      const int64_t word = static_cast<int64_t>(k) * larr + i;
      arr.set(word, static_cast<unsigned char>(s[i - 1]));
    }
  }
}

bool read_integer(std::string_view answer, int& value) {
  value = 0;
  const int first = io::IFSTNB(answer);
  if (first == 0) return true;
  std::string_view rest = answer.substr(first - 1);
  if (rest[0] == '/' || rest[0] == ',') return true;
  const std::size_t end = rest.find_first_of(" ,/");
  const std::string_view token = rest.substr(0, end);
  if (token.starts_with("+-") || token.starts_with("++")) return false;
  const char* begin = token.data() + (token[0] == '+' ? 1 : 0);
  int v = 0;
  const auto res = std::from_chars(begin, token.data() + token.size(), v);
  if (res.ec != std::errc() || res.ptr != token.data() + token.size() || begin == res.ptr) {
    return false;
  }
  value = v;
  return true;
}

}  // namespace driver
