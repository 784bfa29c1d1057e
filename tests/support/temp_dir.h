// Test support: a fresh working directory per test, and whole-file reads.
#ifndef RAF2SIF_TESTS_SUPPORT_TEMP_DIR_H_
#define RAF2SIF_TESTS_SUPPORT_TEMP_DIR_H_

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "io/units.h"

namespace testing_support {

// Runs each test in a new empty directory (the system writes fort.N and its
// files into the working directory) with every unit closed.
class InTempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = std::filesystem::current_path();
    std::string templ = (std::filesystem::temp_directory_path() / "raf2sif-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    dir_ = templ;
    std::filesystem::current_path(dir_);
    io::reset();
  }
  void TearDown() override {
    io::reset();
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }
  const std::filesystem::path& dir() const { return dir_; }

 private:
  std::filesystem::path old_;
  std::filesystem::path dir_;
};

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The records of a file whose lines end with CR LF, without their line ends.
inline std::vector<std::string> read_lines(const std::filesystem::path& path) {
  const std::string text = read_file(path);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

inline void write_file(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

}  // namespace testing_support

#endif  // RAF2SIF_TESTS_SUPPORT_TEMP_DIR_H_
