// Test support for the section routines: the message lines they write on
// unit 17, and comparison to a number of significant digits.
#ifndef RAF2SIF_TESTS_SECTIONS_SECTION_TEST_H_
#define RAF2SIF_TESTS_SECTIONS_SECTION_TEST_H_

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "io/units.h"
#include "support/temp_dir.h"

namespace section_test {

constexpr int kUnit = 17;

class SectionTest : public testing_support::InTempDir {
 protected:
  // The lines written on kUnit so far (the unit is closed).
  std::vector<std::string> messages() {
    io::close(kUnit);
    const std::string text = testing_support::read_file("fort.17");
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(text.substr(start, end - start));
    }
    return lines;
  }
};

// Half a unit of the tenth significant digit of expected.
inline double sig10(double expected) {
  return 0.5 * std::pow(10.0, std::floor(std::log10(std::abs(expected))) - 9.0);
}

}  // namespace section_test

#define EXPECT_SIG10(actual, expected) EXPECT_NEAR(actual, expected, section_test::sig10(expected))

#endif  // RAF2SIF_TESTS_SECTIONS_SECTION_TEST_H_
