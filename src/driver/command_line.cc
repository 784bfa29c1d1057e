#include "driver/command_line.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace driver {

const std::string_view kUsage =
    "usage: raf2sif [WORDS]\n"
    "       raf2sif [WORDS] --raf PREFIX [-o FILE] [--first N] [--last N]\n"
    "\n"
    "Converts the RAF file PREFIX.raf of a frame analysis into a SIF file.\n"
    "Without --raf it asks on the console for the RAF file prefix, the output\n"
    "file name and the first and the last step; with --raf it asks nothing.\n"
    "\n"
    "  WORDS         the work space in millions of 4-byte words (default 1;\n"
    "                with --raf, what the file needs and at least 1)\n"
    "  --raf PREFIX  convert PREFIX.raf\n"
    "  -o FILE       the SIF file (default PREFIX.sif)\n"
    "  --first N     the first step to be written (default the first)\n"
    "  --last N      the last step to be written (default the last)\n"
    "  -h, --help    this text\n"
    "  --version     the program's version\n"
    "\n"
    "Messages go to fort.17 in the working directory until the SIF file is\n"
    "open, and to the end of the SIF file after that. Exit status 0 after a\n"
    "successful conversion, 1 after a failed one, 2 for a wrong command line.\n";

namespace {

using Kind = Command::Kind;

// An argument that is an option rather than a work space: "-" and a letter,
// or "--" (a negative number stays a work space, as it always was).
bool is_option(std::string_view a) {
  return a.starts_with("--") || (a.size() >= 2 && a[0] == '-' &&
                                 ((a[1] >= 'a' && a[1] <= 'z') || (a[1] >= 'A' && a[1] <= 'Z')));
}

bool is_integer(std::string_view s) {
  int32_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

Command of_kind(Kind kind, std::string problem = {}) {
  Command c;
  c.kind = kind;
  c.problem = std::move(problem);
  return c;
}

Command wrong(std::string problem) {
  return of_kind(Kind::kWrong, std::move(problem));
}

}  // namespace

double parse_size(std::string_view arg, std::size_t* end) {
  std::size_t p = 0;
  const auto at = [&](std::size_t i) { return i < arg.size() ? arg[i] : '\0'; };
  const auto digit = [&](std::size_t i) { return at(i) >= '0' && at(i) <= '9'; };
  while (at(p) == ' ' || at(p) == '\t') ++p;
  std::string number;
  if (at(p) == '+' || at(p) == '-') number += arg[p++];
  const auto digits = [&] {
    bool any = false;
    for (; digit(p); ++p, any = true) number += arg[p];
    return any;
  };
  bool mantissa = digits();
  if (at(p) == '.') {
    number += arg[p++];
    mantissa = digits() || mantissa;
  }
  if (!mantissa) {
    if (end != nullptr) *end = 0;
    return 0.0;
  }
  if ((at(p) == 'e' || at(p) == 'E') &&
      (digit(p + 1) || ((at(p + 1) == '+' || at(p + 1) == '-') && digit(p + 2)))) {
    number += arg[p++];
    if (at(p) == '+' || at(p) == '-') number += arg[p++];
    digits();
  }
  if (end != nullptr) *end = p;
  return std::strtod(number.c_str(), nullptr);
}

Command parse_command_line(int argc, const char* const* argv) {
  Command c;
  bool options = false;
  for (int i = 1; i < argc; ++i) options = options || is_option(argv[i]);
  if (!options) {
    if (argc > 1) c.words = argv[1];
    return c;
  }

  bool raf_given = false, out_given = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view a = argv[i];
    if (a == "-h" || a == "--help") return of_kind(Kind::kHelp);
    if (a == "--version") return of_kind(Kind::kVersion);
    if (!is_option(a)) {
      std::size_t end = 0;
      const double millions = parse_size(a, &end);
      if (c.words) return wrong("unexpected argument '" + std::string(a) + "'");
      if (end == 0 || end != a.size()) {
        return wrong("the work space '" + std::string(a) + "' is not a number");
      }
      if (!(std::trunc(millions * 1.0e6) >= 1.0)) {
        return wrong("the work space '" + std::string(a) + "' is not a positive number of words");
      }
      c.words = std::string(a);
      continue;
    }
    // An option and its value: the next argument, or after "=" in a long one.
    std::optional<std::string_view> value;
    if (const std::size_t eq = a.find('='); a.starts_with("--") && eq != std::string_view::npos) {
      value = a.substr(eq + 1);
      a = a.substr(0, eq);
    }
    std::string* answer = a == "--raf"     ? &c.raf
                          : a == "-o"      ? &c.out
                          : a == "--first" ? &c.first
                          : a == "--last"  ? &c.last
                                           : nullptr;
    if (answer == nullptr) return wrong("unknown option '" + std::string(a) + "'");
    if (!value && i + 1 < argc) value = argv[++i];
    if (!value) return wrong("option " + std::string(a) + " needs a value");
    if (value->find_first_of("\r\n") != std::string_view::npos) {
      return wrong("the value of " + std::string(a) + " holds a line break");
    }
    if ((answer == &c.first || answer == &c.last) && !is_integer(*value)) {
      return wrong("option " + std::string(a) + " needs an integer step number, not '" +
                   std::string(*value) + "'");
    }
    *answer = std::string(*value);
    raf_given = raf_given || answer == &c.raf;
    out_given = out_given || answer == &c.out;
  }
  if (!raf_given) return wrong("the option --raf PREFIX is missing");
  if (!out_given) c.out = c.raf + ".sif";
  c.kind = Kind::kConvert;
  return c;
}

}  // namespace driver
