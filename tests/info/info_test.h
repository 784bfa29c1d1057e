// Test support for rafinfo's facts: a fresh working directory and fresh
// library states per test, RAF files written by the project's writer, and
// the facts gathered from them as one run of rafinfo gathers them.
#ifndef RAF2SIF_TESTS_INFO_INFO_TEST_H_
#define RAF2SIF_TESTS_INFO_INFO_TEST_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "arrays/state.h"
#include "dms/names.h"
#include "info/facts.h"
#include "info/failure.h"
#include "info/gather.h"
#include "io/units.h"
#include "raflib/state.h"
#include "support/temp_dir.h"
#include "writer/write_raf.h"

namespace info_test {

class InfoTest : public testing_support::InTempDir {
 protected:
  void SetUp() override {
    InTempDir::SetUp();
    fresh();
  }
  void TearDown() override {
    fresh();
    InTempDir::TearDown();
  }

  // Writes model as file.
  void write(const writer::Model& model, const std::string& file,
             const writer::Options& options = {}) {
    fresh();
    ASSERT_EQ(writer::write_raf(model, file, options), 0);
  }

  // The facts of one run of rafinfo.
  info::Facts facts(const std::string& file, const std::string& array = "", int32_t step = 1) {
    fresh();
    return info::gather({file, array, step});
  }

  // The state of a fresh process.
  static void fresh() {
    io::reset();
    raflib::reset();
    dms::reset();
    arrays::reset();
  }
};

inline std::string failure_of(const info::Facts& f) {
  return f.failure ? info::describe(*f.failure) : std::string("no failure");
}

inline bool allocated(const info::Facts& f, int32_t number) {
  return f.mfp && std::any_of(f.mfp->begin(), f.mfp->end(),
                              [number](const info::MfpEntry& e) { return e.number == number; });
}

inline const info::NamedArray* named(const info::Facts& f, const std::string& name) {
  if (!f.directory) return nullptr;
  for (const info::NamedArray& a : f.directory->arrays) {
    if (a.name == name) return &a;
  }
  return nullptr;
}

}  // namespace info_test

#endif  // RAF2SIF_TESTS_INFO_INFO_TEST_H_
