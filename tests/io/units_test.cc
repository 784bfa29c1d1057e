#include "io/units.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_dir.h"

namespace {

using testing_support::read_file;
using testing_support::write_file;

class Units : public testing_support::InTempDir {};

// The room a file takes on the file system, beyond its length: the blocks a
// large file's writer reserves ahead are given back when it stops.
int64_t room_beyond_length(const char* path) {
  struct stat st {};
  if (::stat(path, &st) != 0) return -1;
  return static_cast<int64_t>(st.st_blocks) * 512 - static_cast<int64_t>(st.st_size);
}
constexpr int64_t kBlockSlack = 64 * 1024;

TEST_F(Units, UnopenedUnitConnectsToFortFileOnFirstWrite) {
  EXPECT_FALSE(io::is_open(17));
  EXPECT_EQ(io::write_record(17, "  *** ERROR IN Z2EDI   ***"), 0);
  EXPECT_TRUE(io::is_open(17));
  EXPECT_EQ(io::close(17), 0);
  EXPECT_EQ(read_file("fort.17"), "  *** ERROR IN Z2EDI   ***\r\n");
}

TEST_F(Units, FormattedRecordsEndWithCrLfAndKeepTrailingBlanks) {
  ASSERT_EQ(io::open_formatted(17, "out.sif", io::OpenStatus::kUnknown), 0);
  io::write_record(17, "IEND    ");
  io::write_record(17, "");
  io::close(17);
  EXPECT_EQ(read_file("out.sif"), "IEND    \r\n\r\n");
}

// Output blocks are reused from file to file: a file opened after another
// one closed holds its own records only, in either order of closing.
TEST_F(Units, FilesOpenedOneAfterAnotherHoldOnlyTheirOwnRecords) {
  ASSERT_EQ(io::open_formatted(17, "a.sif", io::OpenStatus::kUnknown), 0);
  ASSERT_EQ(io::open_formatted(18, "b.sif", io::OpenStatus::kUnknown), 0);
  io::write_record(17, "FIRST FILE, A LONGER RECORD");
  io::write_record(18, "SECOND");
  io::close(17);
  io::close(18);
  ASSERT_EQ(io::open_formatted(18, "c.sif", io::OpenStatus::kUnknown), 0);
  io::write_record(18, "C");
  io::reset();
  ASSERT_EQ(io::open_formatted(17, "d.sif", io::OpenStatus::kUnknown), 0);
  io::write_record(17, "D");
  io::close(17);
  EXPECT_EQ(read_file("a.sif"), "FIRST FILE, A LONGER RECORD\r\n");
  EXPECT_EQ(read_file("b.sif"), "SECOND\r\n");
  EXPECT_EQ(read_file("c.sif"), "");
  EXPECT_EQ(read_file("d.sif"), "D\r\n");
}

TEST_F(Units, UnknownStatusRewritesAnExistingFileFromItsStart) {
  write_file("out.sif", std::string(5000, 'x'));
  ASSERT_EQ(io::open_formatted(17, "out.sif", io::OpenStatus::kUnknown), 0);
  io::write_record(17, "A");
  io::close(17);
  EXPECT_EQ(read_file("out.sif"), "A\r\n");
}

TEST_F(Units, OldAndNewStatusesCheckExistence) {
  EXPECT_GT(io::open_formatted(17, "absent.sif", io::OpenStatus::kOld), 0);
  EXPECT_EQ(io::open_formatted(17, "new.sif", io::OpenStatus::kNew), 0);
  io::close(17);
  EXPECT_GT(io::open_formatted(17, "new.sif", io::OpenStatus::kNew), 0);
}

TEST_F(Units, BackspaceThenWriteReplacesTheLastRecord) {
  ASSERT_EQ(io::open_formatted(17, "out.sif", io::OpenStatus::kUnknown), 0);
  io::write_record(17, "IDENT");
  io::write_record(17, "IEND");
  EXPECT_EQ(io::backspace(17), 0);
  io::write_record(17, "GBEAMG");
  io::close(17);
  EXPECT_EQ(read_file("out.sif"), "IDENT\r\nGBEAMG\r\n");
}

TEST_F(Units, BackspaceKeepsTheRecordWhenNothingFollows) {
  ASSERT_EQ(io::open_formatted(17, "out.sif", io::OpenStatus::kUnknown), 0);
  io::write_record(17, "IDENT");
  io::write_record(17, "IEND");
  EXPECT_EQ(io::backspace(17), 0);
  io::close(17);
  EXPECT_EQ(read_file("out.sif"), "IDENT\r\nIEND\r\n");
}

TEST_F(Units, BackspaceOverARecordAlreadyFlushedToTheFile) {
  // More than one output block of records, so that the record stepped back
  // over has already left the block when it is replaced.
  ASSERT_EQ(io::open_formatted(17, "out.sif", io::OpenStatus::kUnknown), 0);
  const std::string line(1000, 'a');
  for (int i = 0; i < 1100; ++i) io::write_record(17, line);
  io::write_record(17, "IEND");
  ASSERT_EQ(io::backspace(17), 0);
  for (int i = 0; i < 2000; ++i) io::write_record(17, line);  // flushes past the old IEND
  io::write_record(17, "LAST");
  io::close(17);
  const std::string out = read_file("out.sif");
  EXPECT_EQ(out.size(), 3100 * 1002 + 6);
  EXPECT_EQ(out.find("IEND"), std::string::npos);
  EXPECT_TRUE(out.ends_with("a\r\nLAST\r\n"));
}

// Full blocks are written by the unit's writer thread while the next one is
// filled: the file holds every record in order, however many blocks, and no
// more room than its length.
TEST_F(Units, BlocksWrittenBehindKeepTheirOrder) {
  ASSERT_EQ(io::open_formatted(17, "out.sif", io::OpenStatus::kUnknown), 0);
  std::string want;
  for (int i = 0; i < 5000; ++i) {
    const std::string line = std::to_string(i) + std::string(i % 997, '.');
    io::write_record(17, line);
    want += line + "\r\n";
    if (i == 2500) {
      EXPECT_EQ(io::write_status(17), 0);
    }
  }
  EXPECT_EQ(io::close(17), 0);
  EXPECT_EQ(read_file("out.sif"), want);
  EXPECT_LT(room_beyond_length("out.sif"), kBlockSlack);
}

TEST_F(Units, RecordsAssembledTogetherStepBackOverTheirLastLine) {
  ASSERT_EQ(io::open_formatted(17, "out.sif", io::OpenStatus::kUnknown), 0);
  char* p = io::records_begin(17, 8);
  ASSERT_NE(p, nullptr);
  std::memcpy(p, "AB\r\nCD\r\n", 8);
  io::records_end(17, p + 8, p + 4);
  ASSERT_EQ(io::backspace(17), 0);
  io::write_record(17, "EF");
  io::close(17);
  EXPECT_EQ(read_file("out.sif"), "AB\r\nEF\r\n");
}

// The in-process reset stops a writer with a block in hand before it closes
// the file; the unit then starts afresh.
TEST_F(Units, ResetStopsTheWriterAndTheNextFileStartsAfresh) {
  ASSERT_EQ(io::open_formatted(17, "a.sif", io::OpenStatus::kUnknown), 0);
  const std::string line(1000, 'a');
  for (int i = 0; i < 3000; ++i) io::write_record(17, line);
  io::reset();
  EXPECT_FALSE(io::is_open(17));
  EXPECT_LT(room_beyond_length("a.sif"), kBlockSlack);
  ASSERT_EQ(io::open_formatted(17, "b.sif", io::OpenStatus::kUnknown), 0);
  io::write_record(17, "B");
  EXPECT_EQ(io::close(17), 0);
  EXPECT_EQ(read_file("b.sif"), "B\r\n");
}

// A pass in two parts: the second, formatted into memory on its own thread
// across several blocks, follows the first on the file, and its last record
// is the one a step back goes over. On the console, or with the spare unit
// in use, both parts go out one after the other.
TEST_F(Units, TwoPartsFollowEachOtherAsIfWrittenByOneThread) {
  const auto part = [](char tag, int count) {
    return [tag, count](int unit) {
      for (int i = 0; i < count; ++i) {
        io::write_record(unit, std::string(1, tag) + std::to_string(i) + std::string(i % 700, '.'));
      }
      return true;
    };
  };
  std::string want;
  for (const auto& [tag, count] : {std::pair{'a', 1500}, std::pair{'b', 9000}}) {
    for (int i = 0; i < count; ++i) {
      want += std::string(1, tag) + std::to_string(i) + std::string(i % 700, '.') + "\r\n";
    }
  }
  ASSERT_EQ(io::open_formatted(17, "two.sif", io::OpenStatus::kUnknown), 0);
  io::write_record(17, "HEAD");
  io::write_in_two_parts(17, 98, part('a', 1500), part('b', 9000));
  EXPECT_FALSE(io::is_open(98));
  ASSERT_EQ(io::backspace(17), 0);
  io::write_record(17, "LAST");
  EXPECT_EQ(io::close(17), 0);
  const std::string last = "b8999" + std::string(8999 % 700, '.') + "\r\n";
  EXPECT_EQ(read_file("two.sif"),
            "HEAD\r\n" + want.substr(0, want.size() - last.size()) + "LAST\r\n");

  ASSERT_EQ(io::open_formatted(17, "one.sif", io::OpenStatus::kUnknown), 0);
  ASSERT_EQ(io::open_formatted(98, "busy.txt", io::OpenStatus::kUnknown), 0);
  io::write_in_two_parts(17, 98, part('a', 1500), part('b', 9000));
  EXPECT_EQ(io::close(17), 0);
  EXPECT_EQ(io::close(98), 0);
  EXPECT_EQ(read_file("one.sif"), want);
  EXPECT_EQ(read_file("busy.txt"), "");
}

// A first part that stops ends the pass, with the second on its own thread
// or after it: nothing of the second reaches the file.
TEST_F(Units, AFirstPartThatStopsDropsTheSecond) {
  const auto first = [](int unit) {
    io::write_record(unit, "FIRST");
    return false;
  };
  const auto second = [](int unit) {
    for (int i = 0; i < 5000; ++i) io::write_record(unit, std::string(300, 's'));
  };
  for (const bool spare_busy : {false, true}) {
    ASSERT_EQ(io::open_formatted(17, "stop.sif", io::OpenStatus::kUnknown), 0);
    if (spare_busy) {
      ASSERT_EQ(io::open_formatted(98, "busy.txt", io::OpenStatus::kUnknown), 0);
    }
    io::write_in_two_parts(17, 98, first, second);
    io::write_record(17, "NEXT");
    EXPECT_EQ(io::close(17), 0);
    EXPECT_EQ(io::close(98), 0);
    EXPECT_EQ(read_file("stop.sif"), "FIRST\r\nNEXT\r\n") << spare_busy;
  }
}

TEST_F(Units, AWriteFailureBeforeTheSecondPartIsKept) {
  ASSERT_EQ(io::open_formatted(17, "/dev/full", io::OpenStatus::kOld), 0);
  const std::string line(1000, 'x');
  const auto part = [&line](int unit) {
    for (int i = 0; i < 3000; ++i) io::write_record(unit, line);
    return true;
  };
  io::write_in_two_parts(17, 98, part, part);
  EXPECT_NE(io::write_status(17), 0);
  EXPECT_NE(io::close(17), 0);
}

TEST_F(Units, BackspaceNeedsARecordToStepOver) {
  ASSERT_EQ(io::open_formatted(17, "out.sif", io::OpenStatus::kUnknown), 0);
  EXPECT_EQ(io::backspace(17), io::kIostatBackspace);
  io::write_record(17, "A");
  EXPECT_EQ(io::backspace(17), 0);
  EXPECT_EQ(io::backspace(17), io::kIostatBackspace);
}

TEST_F(Units, PromptTextLeavesTheLineOpenInAFile) {
  ASSERT_EQ(io::open_formatted(20, "p.txt", io::OpenStatus::kUnknown), 0);
  io::write_text(20, " Give:  ");
  io::write_record(20, "answer");
  io::close(20);
  EXPECT_EQ(read_file("p.txt"), " Give:  answer\r\n");
}

TEST_F(Units, AConsoleGivenAsTextIsReadLineByLineAndResetRestoresTheConsole) {
  io::set_console("abc\r\nxy\n\nlast", true);
  char field[4];
  const auto line = [&] { return std::string(field, sizeof field); };
  testing::internal::CaptureStdout();
  io::write_text(io::kConsoleOut, " Give:  ");
  io::write_record(io::kConsoleOut, "dropped");
  EXPECT_EQ(io::read_line(io::kConsoleIn, field), 0);
  EXPECT_EQ(line(), "abc ");
  EXPECT_EQ(io::read_line(io::kConsoleIn, field), 0);
  EXPECT_EQ(line(), "xy  ");
  EXPECT_EQ(io::read_line(io::kConsoleIn, field), 0);
  EXPECT_EQ(line(), "    ");
  EXPECT_EQ(io::read_line(io::kConsoleIn, field), 0);
  EXPECT_EQ(line(), "last");
  EXPECT_EQ(io::read_line(io::kConsoleIn, field), io::kIostatEnd);
  EXPECT_EQ(io::read_line(io::kConsoleIn, field), io::kIostatEnd);
  io::reset();
  io::write_record(io::kConsoleOut, "shown");
  io::close(io::kConsoleOut);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "shown\n");
}

TEST_F(Units, UnitsOutsideOneToNinetyNineAreRefused) {
  for (int unit : {0, -1, 100}) {
    EXPECT_EQ(io::write_record(unit, "x"), io::kIostatBadUnit) << unit;
    EXPECT_EQ(io::open_formatted(unit, "x", io::OpenStatus::kUnknown), io::kIostatBadUnit);
    EXPECT_EQ(io::open_direct(unit, "x", io::OpenStatus::kUnknown, 512), io::kIostatBadUnit);
    char b[4];
    EXPECT_EQ(io::read_direct(unit, 1, b, 4), io::kIostatBadUnit);
  }
}

TEST_F(Units, DirectAccessPartialLastRecordIsZeroFilled) {
  ASSERT_EQ(io::open_direct(22, "a.raf", io::OpenStatus::kUnknown, 512), 0);
  std::vector<int32_t> words(129);
  for (int i = 0; i < 129; ++i) words[i] = i + 1;
  ASSERT_EQ(io::write_direct(22, 3, words.data(), words.size() * 4), 0);
  EXPECT_EQ(io::file_size(22), 4 * 512);
  std::vector<int32_t> back(256, -1);
  ASSERT_EQ(io::read_direct(22, 3, back.data(), back.size() * 4), 0);
  for (int i = 0; i < 129; ++i) EXPECT_EQ(back[i], i + 1);
  for (int i = 129; i < 256; ++i) EXPECT_EQ(back[i], 0) << i;
  // Records 1 and 2 were skipped: a hole the file system reads as zeros.
  ASSERT_EQ(io::read_direct(22, 1, back.data(), 512), 0);
  EXPECT_EQ(back[0], 0);
  io::close(22);
}

TEST_F(Units, DirectAccessShortReadIsAnError) {
  write_file("short.raf", std::string(700, 'k'));
  ASSERT_EQ(io::open_direct(22, "short.raf", io::OpenStatus::kOld, 512), 0);
  std::vector<char> buf(1024);
  EXPECT_EQ(io::read_direct(22, 1, buf.data(), 512), 0);
  EXPECT_EQ(io::read_direct(22, 2, buf.data(), 188), 0);
  EXPECT_EQ(io::read_direct(22, 2, buf.data(), 512), io::kIostatNoRecord);
  EXPECT_EQ(io::read_direct(22, 3, buf.data(), 4), io::kIostatNoRecord);
  EXPECT_EQ(io::read_direct(22, 0, buf.data(), 4), io::kIostatBadRecord);
  EXPECT_EQ(io::read_direct(22, INT64_MAX, buf.data(), 4), io::kIostatBadRecord);
}

TEST_F(Units, DirectAccessOnAFormattedUnitIsRefused) {
  ASSERT_EQ(io::open_formatted(17, "out.sif", io::OpenStatus::kUnknown), 0);
  char b[4] = {};
  EXPECT_EQ(io::read_direct(17, 1, b, 4), io::kIostatWrongUse);
  EXPECT_EQ(io::write_direct(17, 1, b, 4), io::kIostatWrongUse);
}

TEST_F(Units, MissingDirectFileWithStatusOldFails) {
  EXPECT_GT(io::open_direct(22, "absent.raf", io::OpenStatus::kOld, 512), 0);
  EXPECT_FALSE(io::is_open(22));
}

TEST_F(Units, ReadOnlyFileOpensForReadingAndRefusesWrites) {
  // Root may write any file of its own; sysfs refuses it writing this one.
  std::string ro = "ro.raf";
  if (geteuid() == 0) {
    ro = "/sys/devices/system/cpu/online";
    if (!std::filesystem::exists(ro)) GTEST_SKIP() << "no file that root may not write";
  } else {
    write_file(ro, std::string(512, 'r'));
    std::filesystem::permissions(ro, std::filesystem::perms::owner_read);
  }
  ASSERT_EQ(io::open_direct(22, ro, io::OpenStatus::kOld, 512), 0);
  EXPECT_TRUE(io::is_read_only(22));
  char b[2];  // the sysfs file holds only a few bytes
  EXPECT_EQ(io::read_direct(22, 1, b, sizeof b), 0);
  EXPECT_NE(io::write_direct(22, 1, b, sizeof b), 0);
}

TEST_F(Units, AFileOpenedForReadingOnlyIsNeverWritten) {
  write_file("a.raf", std::string(1024, 'a'));
  ASSERT_EQ(io::open_direct(22, "a.raf", io::OpenStatus::kReadOnly, 512), 0);
  EXPECT_TRUE(io::is_read_only(22));
  char b[4] = {'b', 'b', 'b', 'b'};
  EXPECT_EQ(io::read_direct(22, 2, b, sizeof b), 0);
  EXPECT_EQ(b[0], 'a');
  EXPECT_NE(io::write_direct(22, 1, b, sizeof b), 0);
  EXPECT_EQ(io::close(22), 0);
  EXPECT_EQ(read_file("a.raf"), std::string(1024, 'a'));
  EXPECT_GT(io::open_direct(22, "absent.raf", io::OpenStatus::kReadOnly, 512), 0);
  EXPECT_FALSE(std::filesystem::exists("absent.raf"));
}

TEST_F(Units, AFailedWriteIsStickyAndReportedAtClose) {
  ASSERT_EQ(io::open_formatted(17, "/dev/full", io::OpenStatus::kOld), 0);
  const std::string line(1000, 'x');
  for (int i = 0; i < 2000; ++i) io::write_record(17, line);  // more than one block
  EXPECT_NE(io::write_status(17), 0);
  EXPECT_NE(io::close(17), 0);
}

TEST_F(Units, ScratchFilesNeedNoName) {
  EXPECT_EQ(io::open_formatted(30, "", io::OpenStatus::kScratch), 0);
  EXPECT_EQ(io::write_record(30, "x"), 0);
  EXPECT_EQ(io::close(30), 0);
}

}  // namespace
