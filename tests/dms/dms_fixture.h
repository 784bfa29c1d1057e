// Test support for the DMS: a work array with guard words on both sides
// (poisoned in the sanitizer build, so that any word read or written outside
// the block is reported, and checked for stray writes in every build), and
// the messages the DMS wrote on unit 17.
#ifndef RAF2SIF_TESTS_DMS_DMS_FIXTURE_H_
#define RAF2SIF_TESTS_DMS_DMS_FIXTURE_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

#include "dms/names.h"
#include "dms/open.h"
#include "io/units.h"
#include "io/work_array.h"
#include "support/temp_dir.h"

namespace dms_test {

constexpr int32_t kUnit = 17;

class DmsTest : public testing_support::InTempDir {
 protected:
  static constexpr std::size_t kGuard = std::size_t{1} << 16;
  static constexpr int32_t kSentinel = 0x5A5A5A5A;

  void SetUp() override {
    InTempDir::SetUp();
    dms::reset();
  }
  void TearDown() override {
    guard(false);
    InTempDir::TearDown();
  }

  // A fresh block of nwords words, all holding `fill`.
  void make_block(int64_t nwords, int32_t fill = 0) {
    guard(false);
    const auto n = static_cast<std::size_t>(nwords);
    storage_.assign(kGuard + n + kGuard, kSentinel);
    std::fill_n(storage_.begin() + kGuard, n, fill);
    iwa_ = io::WorkArray(storage_.data() + kGuard, nwords);
    guard(true);
  }

  // The block's words W(1) .. W(n).
  std::vector<int32_t> words() const {
    const auto first = storage_.begin() + kGuard;
    return {first, first + iwa_.words()};
  }

  // True when nothing was written outside the block.
  bool guards_intact() {
    guard(false);
    const auto is_sentinel = [](int32_t v) { return v == kSentinel; };
    const bool intact = std::all_of(storage_.begin(), storage_.begin() + kGuard, is_sentinel) &&
                        std::all_of(storage_.end() - kGuard, storage_.end(), is_sentinel);
    guard(true);
    return intact;
  }

  // Opens the DMS over a block of nwiwa words and announces names.
  void open(int32_t nwiwa, int32_t nla, int32_t kind, int32_t icase = 0) {
    make_block(nwiwa, 7777);
    int32_t ierr = 0;
    dms::DMSOPN_32(iwa_, nwiwa, nla, 0, kUnit, ierr);
    ASSERT_EQ(ierr, 0);
    dms::DMSANN(iwa_, kind, icase, 0);
    ASSERT_EQ(W(3), 0);
  }

  int32_t W(int64_t k) const { return iwa_.int_at(k); }
  void set_W(int64_t k, int32_t v) { iwa_.set_int(k, v); }

  // The lines written on the message unit so far (the unit is closed).
  std::vector<std::string> messages() {
    io::close(kUnit);
    return testing_support::read_lines("fort.17");
  }

  io::WorkArray iwa_;

 private:
  void guard(bool on) {
#if defined(__SANITIZE_ADDRESS__)
    if (storage_.empty()) return;
    const std::size_t bytes = kGuard * sizeof(int32_t);
    int32_t* after = storage_.data() + storage_.size() - kGuard;
    if (on) {
      ASAN_POISON_MEMORY_REGION(storage_.data(), bytes);
      ASAN_POISON_MEMORY_REGION(after, bytes);
    } else {
      ASAN_UNPOISON_MEMORY_REGION(storage_.data(), bytes);
      ASAN_UNPOISON_MEMORY_REGION(after, bytes);
    }
#else
    static_cast<void>(on);
#endif
  }

  std::vector<int32_t> storage_;
};

// The three empty lines and the header of a DMS message.
inline std::vector<std::string> header(const std::string& text) {
  return {"", "", "", " " + text};
}
inline std::string body(const std::string& text) {
  return std::string(5, ' ') + text;
}
inline const std::string kErrorHeader = "*** ERROR return from a  R A Z  library routine";
inline const std::string kWarningHeader = "*** WARNING from a  R A Z  library routine";

}  // namespace dms_test

#endif  // RAF2SIF_TESTS_DMS_DMS_FIXTURE_H_
