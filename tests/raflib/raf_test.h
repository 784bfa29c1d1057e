// Test support for RAFLIB: a fresh library and working directory per test,
// a fixed clock, messages on unit 17 (fort.17), and small file helpers.
#ifndef RAF2SIF_TESTS_RAFLIB_RAF_TEST_H_
#define RAF2SIF_TESTS_RAFLIB_RAF_TEST_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <span>
#include <string>
#include <vector>

#include "io/clock.h"
#include "io/text.h"
#include "io/units.h"
#include "raflib/open.h"
#include "raflib/state.h"
#include "support/temp_dir.h"

namespace raf_test {

constexpr int kUnit = 22;
constexpr int kMsgUnit = 17;
constexpr int64_t kNow = 1709301909;  // 2024-03-01 14:05:09 UTC
constexpr const char* kHeaderTime = "24-03-01 14:05:09";

class RafTest : public testing_support::InTempDir {
 protected:
  void SetUp() override {
    InTempDir::SetUp();
    setenv("TZ", "UTC", 1);
    tzset();
    io::fix_clock(kNow);
    raflib::reset();
    raflib::RAFINI(kMsgUnit);
  }
  void TearDown() override {
    raflib::reset();
    io::fix_clock(-1);
    InTempDir::TearDown();
  }

  // The message lines written since the last call.
  std::vector<std::string> messages() {
    io::close(kMsgUnit);
    const std::string text = testing_support::read_file("fort.17");
    std::remove("fort.17");
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = text.find("\r\n", at);
      lines.push_back(text.substr(at, end - at));
      at = end + 2;
    }
    return lines;
  }

  // Creates `name` on kUnit with room for maxarr arrays.
  void create(const std::string& name, int32_t maxarr) {
    io::Text<40> fname(name);
    int32_t st = -1;
    raflib::RAFNEW(kUnit, fname.span(), "NEW", maxarr, st);
    ASSERT_EQ(st, 0);
  }

  int32_t open_old(const std::string& name, int unit = kUnit) {
    io::Text<40> fname(name);
    int32_t st = -1;
    raflib::RAFOLD(unit, fname.span(), st);
    return st;
  }

  int32_t close(int unit = kUnit) {
    int32_t st = -1;
    raflib::RAFCLS(unit, st);
    return st;
  }
};

// A report line: a blank, then the text.
inline std::string line(const std::string& text) {
  return " " + text;
}

// The 75-character text line of a report: blank, marker, blank, 70 characters.
inline std::string text_line(const std::string& text, const char* marker = "***") {
  return std::string(" ") + marker + " " + text + std::string(70 - text.size(), ' ');
}

// The 80-character header line of an ERROR report for routine.
inline std::string error_header(const std::string& routine) {
  const std::string h =
      " *** RAFLIB ERROR - " + std::string(kHeaderTime) + " - Routine " + routine + ":";
  return h + std::string(80 - h.size(), ' ');
}

// A detail line, blank-padded to 80 characters.
inline std::string detail(const std::string& text) {
  const std::string d = " *** " + text;
  return d + std::string(80 - d.size(), ' ');
}

template <typename T>
std::span<std::byte> bytes(std::vector<T>& v) {
  return std::as_writable_bytes(std::span(v));
}
template <typename T>
std::span<const std::byte> cbytes(const std::vector<T>& v) {
  return std::as_bytes(std::span(v));
}

// Word w (from 0) of record r of a file image, in this computer's order.
inline int32_t word(const std::string& image, int64_t record, int w) {
  int32_t v;
  std::memcpy(&v, image.data() + (record - 1) * 512 + w * 4, 4);
  return v;
}

// Replaces the key field at columns first .. first+width-1 of a file.
inline void patch(const std::string& path, int first, const std::string& text) {
  std::string image = testing_support::read_file(path);
  image.replace(static_cast<std::size_t>(first - 1), text.size(), text);
  testing_support::write_file(path, image);
}

// Sets word w (from 0) of record r of a file.
inline void patch_word(const std::string& path, int64_t record, int w, int32_t v) {
  std::string image = testing_support::read_file(path);
  std::memcpy(image.data() + (record - 1) * 512 + w * 4, &v, 4);
  testing_support::write_file(path, image);
}

}  // namespace raf_test

#endif  // RAF2SIF_TESTS_RAFLIB_RAF_TEST_H_
