#include "raf_mutator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "info/gather.h"
#include "input.h"
#include "support/temp_dir.h"
#include "writer/frame.h"
#include "writer/write_raf.h"

// The fuzzer's own byte mutation, which the mutator falls back on: here it
// halves the file, so that its share can be told from the mutator's.
extern "C" size_t LLVMFuzzerMutate(uint8_t* /*data*/, size_t size, size_t /*max_size*/) {
  return size / 2;
}

namespace {

class Mutator : public testing_support::InTempDir {
 protected:
  void SetUp() override {
    InTempDir::SetUp();
    // The mutator works in a directory of its own: the seed's path is whole.
    seed_ = std::filesystem::absolute("seed.raf").string();
    ASSERT_EQ(writer::write_raf(writer::large_frame(4, 5, 2), seed_), 0);
    const std::string raf = testing_support::read_file(seed_);
    raf_.assign(raf.begin(), raf.end());
  }
  std::string seed_;
  std::vector<uint8_t> raf_;
};

// Four fifths of the mutations work on the file as RAFLIB reads it and keep
// its length (or cut it at a record), nearly all of them changing something
// (a value put in place of itself is tried again); the header is kept, or added to a
// file without one; and the reading leaves no state behind, so the seed
// reads afterwards as in a fresh process.
TEST_F(Mutator, MostMutationsAreTheFilesOwnAndTheHeaderStays) {
  std::vector<uint8_t> input(fuzz::kHeaderSize);
  fuzz::put_header({}, input.data());
  input.insert(input.end(), raf_.begin(), raf_.end());

  constexpr int kRuns = 200;
  int structured = 0, changed = 0;
  for (unsigned seed = 0; seed < kRuns; ++seed) {
    std::vector<uint8_t> data = input;
    data.resize(2 * input.size());
    const std::size_t n = fuzz::mutate(data.data(), input.size(), data.size(), seed);
    ASSERT_LE(n, data.size());
    ASSERT_GE(n, fuzz::kHeaderSize);
    EXPECT_EQ(data[0], fuzz::kMark) << seed;
    data.resize(n);
    if (n == fuzz::kHeaderSize + raf_.size() / 2) continue;  // the byte mutation
    ++structured;
    changed += data != input;
  }
  EXPECT_GT(structured, kRuns * 6 / 10);
  EXPECT_GT(changed, structured * 95 / 100);

  std::vector<uint8_t> bare = raf_;
  bare.resize(raf_.size() + fuzz::kHeaderSize);
  const std::size_t n = fuzz::mutate(bare.data(), raf_.size(), bare.size(), 7);
  EXPECT_EQ(bare[0], fuzz::kMark);
  EXPECT_GT(n, fuzz::kHeaderSize);

  const info::Facts facts = info::gather({seed_, "", 1});
  EXPECT_FALSE(facts.failure);
  EXPECT_TRUE(facts.directory && facts.parameters && facts.steps);
}

}  // namespace
