// Test support for the SIF writers: model arrays as views over work arrays,
// and a reader that splits a SIF file into its records.
#ifndef RAF2SIF_TESTS_SIF_SUPPORT_H_
#define RAF2SIF_TESTS_SIF_SUPPORT_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "io/units.h"
#include "io/work_array.h"
#include "support/temp_dir.h"

namespace sif_test {

// Each array lives in a block of exactly its own size, so that a read past
// its end is a read past a heap block, which the sanitizer build reports.
class ModelArrays {
 public:
  io::IntView ints(std::vector<int32_t> values) {
    Block& b = blocks_.emplace_back(std::move(values));
    return io::IntView(b.work, 1, b.work.words());
  }
  io::RealView reals(const std::vector<double>& values) {
    Block& b = blocks_.emplace_back(std::vector<int32_t>(2 * values.size()));
    io::RealView v(b.work, 1, b.work.reals());
    for (std::size_t k = 0; k < values.size(); ++k) v.set(k + 1, values[k]);
    return v;
  }

 private:
  struct Block {
    explicit Block(std::vector<int32_t> w)
        : words(std::move(w)), work(words.data(), static_cast<int64_t>(words.size())) {}
    std::vector<int32_t> words;
    io::WorkArray work;
  };
  std::deque<Block> blocks_;
};

// One record of a SIF file: its name and the values of all its lines.
struct Record {
  std::string name;
  std::vector<double> values;
  int lines = 0;
};

// Splits SIF text into records (a line whose first 8 columns are blank
// continues the record before it). Every line must end with CR LF and hold
// whole 16-column fields, but for MISOPL's count line, read as one value.
inline std::vector<Record> parse_sif(const std::string& text) {
  std::vector<Record> records;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find("\r\n", pos);
    EXPECT_NE(end, std::string::npos) << "line without CR LF at " << pos;
    if (end == std::string::npos) break;
    const std::string line = text.substr(pos, end - pos);
    pos = end + 2;
    const std::string name = line.substr(0, 8);
    const bool count_line = line.size() == 16 && name == std::string(8, ' ');
    EXPECT_TRUE(count_line || (line.size() >= 8 && (line.size() - 8) % 16 == 0)) << line;
    if (name != std::string(8, ' ') || records.empty()) {
      records.push_back({name.substr(0, name.find_last_not_of(' ') + 1), {}, 0});
    }
    Record& r = records.back();
    ++r.lines;
    if (count_line) r.values.push_back(std::strtod(line.substr(8).c_str(), nullptr));
    for (std::size_t f = 8; f + 16 <= line.size(); f += 16) {
      r.values.push_back(std::strtod(line.substr(f, 16).c_str(), nullptr));
    }
  }
  return records;
}

// A test in its own directory with the SIF file open on unit 17.
class SifFile : public testing_support::InTempDir {
 protected:
  static constexpr int32_t kUnit = 17;
  void SetUp() override {
    InTempDir::SetUp();
    ASSERT_EQ(io::open_formatted(kUnit, "out.sif", io::OpenStatus::kUnknown), 0);
  }
  // The whole file, once the unit is closed.
  std::string text() {
    EXPECT_EQ(io::close(kUnit), 0);
    return testing_support::read_file("out.sif");
  }
  std::vector<Record> records() { return parse_sif(text()); }

  ModelArrays arrays;
};

inline std::vector<std::string> names(const std::vector<Record>& records) {
  std::vector<std::string> out;
  for (const Record& r : records) out.push_back(r.name);
  return out;
}

}  // namespace sif_test

#endif  // RAF2SIF_TESTS_SIF_SUPPORT_H_
