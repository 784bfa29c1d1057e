// Test support for the section routines: the message lines they write on
// unit 17, and comparison to a number of significant digits.
#ifndef RAF2SIF_TESTS_SECTIONS_SECTION_TEST_H_
#define RAF2SIF_TESTS_SECTIONS_SECTION_TEST_H_

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "io/units.h"
#include "sections/geo2cr.h"
#include "support/temp_dir.h"

namespace section_test {

constexpr int kUnit = 17;

using Block = std::array<double, 20>;
using Constants = std::array<double, 60>;
using PlateRoutine = void (*)(std::span<const double>, std::span<double, 20>, int32_t, int32_t&);

// The constants of a plate-kind routine for g, in a block preset to 99 so
// that the items left alone show.
inline Block compute(PlateRoutine routine, std::span<const double> g, int32_t& ierr) {
  Block sc;
  sc.fill(99.0);
  routine(g, sc, kUnit, ierr);
  return sc;
}

// The same, expecting success.
inline Block compute(PlateRoutine routine, std::span<const double> g) {
  int32_t ierr = 0;
  const Block sc = compute(routine, g, ierr);
  EXPECT_EQ(ierr, 0);
  return sc;
}

// The constants GEO2CR gives for cdt, preset to 99.
inline Constants dispatch(std::span<double> cdt, int32_t kind, int32_t& ierr) {
  Constants sc;
  sc.fill(99.0);
  sections::GEO2CR(cdt, sc, kind, kUnit, ierr);
  return sc;
}

class SectionTest : public testing_support::InTempDir {
 protected:
  // The lines written on kUnit so far (the unit is closed).
  std::vector<std::string> messages() {
    io::close(kUnit);
    return testing_support::read_lines("fort.17");
  }

  // routine finds g incorrect: status -1, nothing stored, exactly these lines.
  void expect_refused(PlateRoutine routine, std::span<const double> g,
                      const std::vector<std::string>& lines) {
    int32_t ierr = 0;
    const Block sc = compute(routine, g, ierr);
    EXPECT_EQ(ierr, -1);
    for (const double v : sc) EXPECT_EQ(v, 99.0);
    EXPECT_EQ(messages(), lines);
  }

  // routine finds each of the dimension sets incorrect.
  void expect_each_refused(PlateRoutine routine, std::span<const Block> cases) {
    for (const Block& g : cases) {
      int32_t ierr = 0;
      compute(routine, g, ierr);
      EXPECT_EQ(ierr, -1) << "G(1..6) " << g[0] << " " << g[1] << " " << g[2] << " " << g[3] << " "
                          << g[4] << " " << g[5];
    }
  }
};

// Half a unit of the tenth significant digit of expected.
inline double sig10(double expected) {
  return 0.5 * std::pow(10.0, std::floor(std::log10(std::abs(expected))) - 9.0);
}

}  // namespace section_test

#define EXPECT_SIG10(actual, expected) EXPECT_NEAR(actual, expected, section_test::sig10(expected))

#endif  // RAF2SIF_TESTS_SECTIONS_SECTION_TEST_H_
