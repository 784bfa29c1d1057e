// The table of numbered units behind io/units.h, shared by the formatted and
// the direct-access units. Internal to io.
#ifndef RAF2SIF_IO_UNIT_TABLE_H_
#define RAF2SIF_IO_UNIT_TABLE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "io/block_pool.h"
#include "io/block_writer.h"
#include "io/units.h"

namespace io::detail {

constexpr std::size_t kMaxRecord = std::size_t{1} << 16;

// kMemory: the second part of a pass written in two parts, kept in memory
// until it follows the first part on its file.
enum class Kind { kClosed, kConsoleIn, kConsoleOut, kFormatted, kDirect, kMemory };

struct Unit {
  Kind kind = Kind::kClosed;
  int fd = -1;
  std::string name;
  int error = 0;  // first write failure, sticky

  // Formatted output: a block of bytes not yet written; `flushed` is the file
  // offset of its first byte.
  std::unique_ptr<char[]> buf;
  std::size_t len = 0;
  int64_t flushed = 0;
  int64_t last_start = -1;  // offset of the last record written; -1 = none
  int64_t back_to = -1;     // pending step back: the next record starts here
  bool fresh = true;        // the file's old content is not yet discarded
  // Writes the full blocks while the next is filled; started at the first.
  std::unique_ptr<BlockWriter> writer;
  // A memory unit's full blocks, with their lengths, in order.
  std::vector<Block> held;

  // Direct access.
  int record_bytes = 0;
  bool read_only = false;
};

// All units of the process: the one piece of static storage of this layer.
struct UnitTable {
  std::array<Unit, kMaxUnit + 1> units;
  char console_line[kMaxRecord];  // the console's record under construction
  // A console given by set_console: the text still to be read, and whether
  // output is dropped.
  bool console_text = false;
  std::string console_input;
  std::size_t console_read = 0;
  bool console_discard = false;
  std::string* console_output = nullptr;  // where console output goes instead of stdout
  std::string default_directory;          // of the files fort.N
  UnitTable() { connect_console(); }
  void connect_console() {
    units[kConsoleIn].kind = Kind::kConsoleIn;
    units[kConsoleOut].kind = Kind::kConsoleOut;
    console_text = false;
    console_input.clear();
    console_read = 0;
    console_discard = false;
    console_output = nullptr;
    default_directory.clear();
  }
};

UnitTable& table();

inline bool valid(int unit) {
  return unit >= 1 && unit <= kMaxUnit;
}

// Closes the unit and connects it afresh, as kind, to the file name opened
// with access O_WRONLY or O_RDWR (O_RDWR falls back to reading only where
// writing is refused). The unit, or nullptr with rc the I/O status.
Unit* connect(int unit, std::string_view name, OpenStatus status, Kind kind, int access, int& rc);

// Returns the unit to its closed state (its writer stopped after the block
// in hand), its output blocks to the pool.
void release(Unit& u);

// Writes out what a formatted file's block still holds (a record stepped back
// over and not replaced stays in the file); the first failure on the unit.
int finish_formatted(Unit& u);

}  // namespace io::detail

#endif  // RAF2SIF_IO_UNIT_TABLE_H_
