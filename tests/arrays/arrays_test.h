// Test support for the array layer: a guarded work array (from the DMS
// tests), fresh RAFLIB, DMS and layer states per test, a fixed clock, RAF
// files written by the writer, and the layer opened on them as the driver
// opens it (RAF unit 22, messages on unit 17).
#ifndef RAF2SIF_TESTS_ARRAYS_ARRAYS_TEST_H_
#define RAF2SIF_TESTS_ARRAYS_ARRAYS_TEST_H_

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "arrays/access.h"
#include "arrays/directory.h"
#include "arrays/inidms.h"
#include "arrays/iniraf.h"
#include "arrays/name_table.h"
#include "arrays/state.h"
#include "arrays/views.h"
#include "dms/dms_fixture.h"
#include "io/clock.h"
#include "raflib/state.h"
#include "writer/write_raf.h"

namespace arrays_test {

constexpr int32_t kRaf = 22;
constexpr int32_t kMsg = 17;
constexpr int32_t kWords = 200000;
constexpr int64_t kNow = 1709301909;  // 2024-03-01 14:05:09 UTC

class ArraysTest : public dms_test::DmsTest {
 protected:
  void SetUp() override {
    DmsTest::SetUp();
    setenv("TZ", "UTC", 1);
    tzset();
    io::fix_clock(kNow);
    raflib::reset();
    arrays::reset();
    make_block(kWords);
  }
  void TearDown() override {
    raflib::reset();
    io::fix_clock(-1);
    DmsTest::TearDown();
  }

  // The message lines written since the last call.
  std::vector<std::string> messages() {
    std::vector<std::string> lines = DmsTest::messages();
    std::remove("fort.17");
    return lines;
  }

  // Copies words into the work array from word `first` on; their view.
  io::IntView put(const std::vector<int32_t>& words, int64_t first = 1) {
    for (std::size_t k = 0; k < words.size(); ++k)
      iwa_.set_int(first + static_cast<int64_t>(k), words[k]);
    return io::IntView(iwa_, first, static_cast<int64_t>(words.size()));
  }

  // Writes model as a.raf; the test fails when the writer does.
  void write(const writer::Model& model, const writer::Options& options = {}) {
    ASSERT_EQ(writer::write_raf(model, "a.raf", options), 0);
  }

  // Opens a.raf and initialises the layer with the converter's name table
  // in nw words; the status.
  int32_t open(int32_t nw = kWords) {
    int32_t st = 0;
    arrays::INIRAF("OLD", "a.raf", 1, kRaf, kMsg, kMsg, st);
    arrays::INIDMS(iwa_, nw, arrays::kNameTable, arrays::kNameSlots, arrays::kNameChars, kRaf, kMsg,
                   st);
    return st;
  }

  // Writes model, opens it and initialises the layer, which must succeed.
  void load(const writer::Model& model, const writer::Options& options = {}) {
    write(model, options);
    ASSERT_EQ(open(), 0) << ::testing::PrintToString(messages());
  }

  // The current integer view of a booked array (empty when it has none).
  io::IntView ints(std::string_view name) {
    int32_t st = 0;
    const int32_t p = arrays::ARGTIP(iwa_, name, 0, st);
    return st == 0 ? arrays::int_view(iwa_, name, p) : io::IntView();
  }
  io::RealView reals(std::string_view name) {
    int32_t st = 0;
    const int32_t p = arrays::ARGTIP(iwa_, name, 0, st);
    return st == 0 ? arrays::real_view(iwa_, name, p) : io::RealView();
  }

  // The words of a view.
  static std::vector<int32_t> values(io::IntView v) {
    std::vector<int32_t> out;
    for (int64_t k = 1; k <= v.size(); ++k) out.push_back(v(k));
    return out;
  }
  static std::vector<double> values(io::RealView v) {
    std::vector<double> out;
    for (int64_t k = 1; k <= v.size(); ++k) out.push_back(v(k));
    return out;
  }

  // Word w of the memory KEYRAF entry of array number n.
  int32_t entry(int32_t n, int w) { return ints(arrays::kKeyraf)((n - 1) * 10 + w); }
};

// One ARMESS text: the header and the detail lines joined by line feeds.
inline std::string text(std::initializer_list<std::string_view> lines) {
  std::string t;
  for (const std::string_view l : lines) {
    if (!t.empty()) t += '\n';
    t += l;
  }
  return t;
}

}  // namespace arrays_test

#endif  // RAF2SIF_TESTS_ARRAYS_ARRAYS_TEST_H_
