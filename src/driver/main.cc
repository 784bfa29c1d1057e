// raf2sif: converts the results file of a frame analysis (RAF) into a SIF
// interface file.
//
//   raf2sif [size]
//
// size is the work space in millions of 4-byte words (default 1). The program
// allocates it, asks its four questions on the console and converts; it exits
// with status 0 after a successful conversion and 1 otherwise.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <new>
#include <string>

#include "driver/z2edi.h"
#include "io/units.h"
#include "io/work_array.h"

namespace {

// The argument as a decimal number: leading blanks, an optional sign, digits
// with an optional point and exponent; the number ends at the first character
// that cannot continue it; text that does not begin with a number is 0.
double parse_size(const char* arg) {
  const char* p = arg;
  while (*p == ' ' || *p == '\t') ++p;
  std::string number;
  if (*p == '+' || *p == '-') number += *p++;
  const auto digits = [&] {
    bool any = false;
    for (; *p >= '0' && *p <= '9'; ++p, any = true) number += *p;
    return any;
  };
  bool mantissa = digits();
  if (*p == '.') {
    number += *p++;
    mantissa = digits() || mantissa;
  }
  if (!mantissa) return 0.0;
  if ((*p == 'e' || *p == 'E') && ((p[1] >= '0' && p[1] <= '9') ||
                                   ((p[1] == '+' || p[1] == '-') && p[2] >= '0' && p[2] <= '9'))) {
    number += *p++;
    if (*p == '+' || *p == '-') number += *p++;
    digits();
  }
  return std::strtod(number.c_str(), nullptr);
}

void allocation_failed(int64_t millions) {
  std::printf("%c", 7);
  std::printf("\n\n ***************************************************** ");
  std::printf("\n ******  Allocating %4lld million words failed!  ****** ",
              static_cast<long long>(millions));
  std::printf("\n ***************************************************** \n\n");
}

}  // namespace

int main(int argc, char** argv) {
  constexpr double kMillion = 1000000.0;
  constexpr double kLargest = std::numeric_limits<int32_t>::max();
  constexpr double kSmallest = std::numeric_limits<int32_t>::min();

  int32_t nwiwa = 1000000;
  float product_single = 1000000.0f;
  if (argc > 1) {
    const double product = parse_size(argv[1]) * kMillion;
    product_single = static_cast<float>(product);
    const double words = std::trunc(product);
    // A word count beyond a 32-bit integer cannot be allocated.
    if (words > kLargest) {
      allocation_failed(words < 9.0e24 ? static_cast<int64_t>(words / kMillion)
                                       : std::numeric_limits<int64_t>::max());
      return 1;
    }
    nwiwa = static_cast<int32_t>(words < kSmallest ? kSmallest : words);
  }

  if (nwiwa <= 0) {
    std::printf("\n The nwiwa value (%d) is zero or negative! \n", nwiwa);
    return 1;
  }

  std::unique_ptr<int32_t[]> block(new (std::nothrow) int32_t[static_cast<std::size_t>(nwiwa)]);
  if (!block) {
    allocation_failed(nwiwa / 1000000);
    return 1;
  }
  if (const int32_t m = nwiwa / 1000000; m >= 1) {
    std::printf("\n\n %d million words successfully allocated \n\n", m);
  } else {
    std::printf("\n\n %.2f million words successfully allocated \n\n", product_single * 0.000001);
  }

  io::WorkArray work(block.get(), nwiwa);
  const int32_t result = driver::z2edi(work, nwiwa);
  io::reset();
  block.reset();

  if (result == driver::kInputStop) return 1;
  if (result != 0) {
    std::printf("\n Return value from z2edi: %d \n", result);
    return 1;
  }
  return 0;
}
