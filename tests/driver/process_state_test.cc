// Conversions run one after another in one process, as a harness runs them:
// each from the state of a fresh process, the dialogue answered from a text.
#include "driver/process_state.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/z2edi.h"
#include "io/units.h"
#include "io/work_array.h"
#include "support/temp_dir.h"
#include "writer/frame.h"
#include "writer/write_raf.h"

namespace {

using testing_support::read_file;

class ProcessState : public testing_support::InTempDir {
 protected:
  static constexpr int32_t kWords = 1000000;

  // Converts prefix.raf into out.sif in-process; the console output is
  // dropped.
  int32_t convert(const std::string& prefix) {
    driver::reset_process_state();
    io::set_console(prefix + "\nout.sif\n\n\n", true);
    io::WorkArray work(block_.data(), kWords);
    const int32_t result = driver::z2edi(work, kWords);
    io::reset();
    return result;
  }

  std::vector<int32_t> block_ = std::vector<int32_t>(kWords);
};

TEST_F(ProcessState, AFailedConversionLeavesNothingForTheNextOne) {
  ASSERT_EQ(writer::write_raf(writer::sample_frame(), "model.raf"), 0);
  writer::Model damaged = writer::sample_frame();
  damaged.find("TFLE")->steps.erase(5);
  ASSERT_EQ(writer::write_raf(damaged, "damaged.raf"), 0);

  testing::internal::CaptureStdout();
  ASSERT_EQ(convert("model"), 0);
  const std::string first = read_file("out.sif");
  // The failure leaves the RAF file open, RAFLIB holding its blocks and the SIF
  // file unfinished; the next conversion starts afresh all the same.
  EXPECT_EQ(convert("damaged"), -1);
  EXPECT_NE(read_file("out.sif"), first);
  std::filesystem::remove("out.sif");
  EXPECT_EQ(convert("model"), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(read_file("out.sif"), first);
  EXPECT_EQ(first, read_file(RAF2SIF_GOLDEN_DIR "/sample.sif"));
}

}  // namespace
