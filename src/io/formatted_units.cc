// Formatted units: the console and formatted sequential files, written a
// record at a time through a block of output.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "io/part_worker.h"
#include "io/unit_table.h"
#include "io/units.h"

namespace io {

namespace {

using detail::block_pool;
using detail::kBufferBytes;
using detail::Kind;
using detail::kMaxRecord;
using detail::table;
using detail::Unit;
using detail::UnitTable;
using detail::valid;

// Writes the block to the file and goes on in `next`: a block of a second
// part held in memory, with the bytes it holds, or when there is none an
// empty block. The old content of a file being rewritten is discarded before
// its first byte is written. A full block goes to the unit's writer, which
// writes the blocks queued in order while the next is filled; the last block
// joins them and all are written before this returns. The first failure met
// stays with the unit.
int flush_block(Unit& u, bool last, detail::Block next = {}) {
  if (u.error != 0) return u.error;
  if (u.fresh) {
    // A file that is already empty is left as it is: truncating it all the
    // same makes the file system write the whole file back at its close, in
    // the closing call, as it does for a file replaced by truncation.
    struct stat st {};
    const bool empty = ::fstat(u.fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0;
    if (!empty && ::ftruncate(u.fd, 0) != 0 && errno != EINVAL) return u.error = errno;
    u.fresh = false;
  }
  if (u.len > 0 && !last && !u.writer) u.writer = detail::BlockWriter::start(u.fd);
  const bool held = next.first != nullptr;
  int rc = 0;
  if (u.len > 0 && u.writer) {
    if (!held) next.first = block_pool().take();
    rc = u.writer->write({std::exchange(u.buf, std::move(next.first)), u.len}, !held);
  } else {
    if (u.len > 0) rc = detail::write_all(u.fd, u.buf.get(), u.len);
    if (held) block_pool().give(std::exchange(u.buf, std::move(next.first)));
  }
  if (rc == 0 && last && u.writer) rc = u.writer->drain();
  if (rc != 0) return u.error = rc;
  u.flushed += static_cast<int64_t>(u.len);
  u.len = next.second;
  return 0;
}

// Makes the pending step back take effect before anything new is written.
// The record stepped back over is still in the block: records enter the block
// whole, and the block is written out only to make room for the next record.
void settle_backspace(Unit& u) {
  if (u.back_to < 0) return;
  u.len = static_cast<std::size_t>(u.back_to - u.flushed);
  u.back_to = -1;
  u.last_start = -1;
}

// The unit ready for formatted output: connected to fort.N on first use.
Unit* output_unit(int unit, int& rc) {
  rc = 0;
  if (!valid(unit)) {
    rc = kIostatBadUnit;
    return nullptr;
  }
  Unit& u = table().units[unit];
  if (u.kind == Kind::kClosed) {
    rc = open_formatted(unit, table().default_directory + "fort." + std::to_string(unit),
                        OpenStatus::kUnknown);
    if (rc != 0) return nullptr;
  }
  if (u.kind == Kind::kConsoleOut || u.kind == Kind::kFormatted || u.kind == Kind::kMemory) {
    if (u.error != 0) rc = u.error;
    return rc == 0 ? &u : nullptr;
  }
  rc = kIostatWrongUse;
  return nullptr;
}

int console_write(Unit& u, std::string_view text, bool end_line) {
  if (u.error != 0 || table().console_discard) return u.error;
  if (std::string* out = table().console_output; out != nullptr) {
    out->append(text);
    if (end_line) out->push_back('\n');
    return 0;
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (end_line) std::fputc('\n', stdout);
  if (std::ferror(stdout)) u.error = EIO;
  return u.error;
}

// A memory unit keeps its full block and goes on in another. Only its own
// thread touches the unit; the pool is shared.
void hold_block(Unit& u) {
  u.held.emplace_back(std::exchange(u.buf, block_pool().take()), u.len);
  u.flushed += static_cast<int64_t>(u.len);
  u.len = 0;
}

// Room for n more bytes in the block of a formatted file or a memory unit.
char* reserve(Unit& u, std::size_t n) {
  settle_backspace(u);
  if (u.len + n > kBufferBytes) {
    if (u.kind == Kind::kMemory) {
      hold_block(u);
    } else if (flush_block(u, false) != 0) {
      return nullptr;
    }
  }
  return u.buf.get() + u.len;
}

// Puts the memory unit's records after those of the file unit u: its full
// blocks go to u's writer in order, without a copy and without waiting for
// room in the queue, since they are in memory already; its last block
// becomes u's block. After a write failure the rest is dropped, as a file
// unit drops what it cannot write.
void append_held(Unit& u, Unit& m) {
  settle_backspace(u);
  const int64_t start = u.flushed + static_cast<int64_t>(u.len);
  m.held.emplace_back(std::exchange(m.buf, nullptr), m.len);
  for (auto& block : m.held) {
    if (flush_block(u, false, std::move(block)) != 0) break;
  }
  if (m.last_start >= 0 && u.error == 0) u.last_start = start + m.last_start;
}

}  // namespace

int detail::finish_formatted(Unit& u) {
  // A record stepped back over and not replaced stays in the file.
  u.back_to = -1;
  const int rc = flush_block(u, true);
  u.writer.reset();
  return rc;
}

int open_formatted(int unit, std::string_view name, OpenStatus status) {
  int rc = 0;
  Unit* u = detail::connect(unit, name, status, Kind::kFormatted, O_WRONLY, rc);
  if (u == nullptr) return rc;
  u->buf = block_pool().take();
  return 0;
}

int write_record(int unit, std::string_view text) {
  if (text.size() > kMaxRecord) text = text.substr(0, kMaxRecord);
  char* p = record_begin(unit, text.size());
  if (p == nullptr) return write_status(unit) != 0 ? write_status(unit) : kIostatWrongUse;
  std::memcpy(p, text.data(), text.size());
  record_end(unit, p + text.size());
  return write_status(unit);
}

int write_text(int unit, std::string_view text) {
  int rc = 0;
  Unit* u = output_unit(unit, rc);
  if (u == nullptr) return rc;
  if (u->kind == Kind::kConsoleOut) return console_write(*u, text, false);
  char* p = reserve(*u, text.size());
  if (p == nullptr) return u->error;
  std::memcpy(p, text.data(), text.size());
  u->len += text.size();
  return 0;
}

char* record_begin(int unit, std::size_t max_len) {
  int rc = 0;
  Unit* u = output_unit(unit, rc);
  if (u == nullptr || max_len > kMaxRecord) return nullptr;
  // The console has no block of its own: its record is assembled in a line
  // that record_end hands on to stdout.
  if (u->kind == Kind::kConsoleOut) return table().console_line;
  char* p = reserve(*u, max_len + 2);
  if (p == nullptr) return nullptr;
  u->last_start = u->flushed + static_cast<int64_t>(u->len);
  return p;
}

void record_end(int unit, char* end) {
  Unit& u = table().units[unit];
  if (u.kind == Kind::kConsoleOut) {
    const char* start = table().console_line;
    console_write(u, std::string_view(start, static_cast<std::size_t>(end - start)), true);
    return;
  }
  end[0] = '\r';
  end[1] = '\n';
  u.len = static_cast<std::size_t>(end + 2 - u.buf.get());
}

char* records_begin(int unit, std::size_t max_len) {
  int rc = 0;
  Unit* u = output_unit(unit, rc);
  if (u == nullptr || max_len > kMaxRecord) return nullptr;
  if (u->kind == Kind::kConsoleOut) return table().console_line;
  return reserve(*u, max_len);
}

void records_end(int unit, char* end, const char* last) {
  Unit& u = table().units[unit];
  if (u.kind == Kind::kConsoleOut) {
    std::string_view text(table().console_line,
                          static_cast<std::size_t>(end - table().console_line));
    while (!text.empty()) {
      const std::size_t n = std::min(text.find("\r\n"), text.size());
      console_write(u, text.substr(0, n), true);
      text.remove_prefix(std::min(text.size(), n + 2));
    }
    return;
  }
  u.last_start = u.flushed + (last - u.buf.get());
  u.len = static_cast<std::size_t>(end - u.buf.get());
}

void write_in_two_parts(int unit, int spare, const std::function<bool(int)>& first,
                        const std::function<void(int)>& second) {
  if (!valid(unit) || !valid(spare) || spare == unit ||
      table().units[unit].kind != Kind::kFormatted || table().units[unit].error != 0 ||
      table().units[spare].kind != Kind::kClosed) {
    if (first(unit)) second(unit);
    return;
  }
  Unit& m = table().units[spare];
  m.kind = Kind::kMemory;
  m.buf = block_pool().take();
  // Without the kept thread the second part is formatted after the first,
  // into memory all the same.
  const bool started = detail::part_worker().start([&second, spare] { second(spare); });
  const bool whole = first(unit);
  if (started) {
    detail::part_worker().wait();
  } else if (whole) {
    second(spare);
  }
  if (whole) append_held(table().units[unit], m);
  detail::release(m);
}

int backspace(int unit) {
  if (!valid(unit)) return kIostatBadUnit;
  Unit& u = table().units[unit];
  if (u.kind != Kind::kFormatted) return kIostatWrongUse;
  if (u.last_start < 0 || u.back_to >= 0) return kIostatBackspace;
  u.back_to = u.last_start;
  return 0;
}

int write_status(int unit) {
  if (!valid(unit)) return kIostatBadUnit;
  Unit& u = table().units[unit];
  // As when every block was written at once: the blocks in the writer's
  // queue are written before the answer.
  if (u.error == 0 && u.writer) u.error = u.writer->drain();
  return u.error;
}

int write_failure(int unit) {
  if (!valid(unit)) return kIostatBadUnit;
  Unit& u = table().units[unit];
  if (u.error == 0 && u.writer) u.error = u.writer->failure();
  return u.error;
}

int read_line(int unit, std::span<char> field) {
  if (!valid(unit)) return kIostatBadUnit;
  if (table().units[unit].kind != Kind::kConsoleIn) return kIostatWrongUse;
  std::fflush(stdout);  // the prompt must be seen before the answer is typed
  UnitTable& t = table();
  const auto next = [&t] {
    if (!t.console_text) return std::getchar();
    if (t.console_read == t.console_input.size()) return EOF;
    return static_cast<int>(static_cast<unsigned char>(t.console_input[t.console_read++]));
  };
  std::size_t total = 0;
  int c = 0;
  int last = 0;
  while ((c = next()) != EOF && c != '\n') {
    if (total < field.size()) field[total] = static_cast<char>(c);
    last = c;
    ++total;
  }
  if (total == 0 && c == EOF) return !t.console_text && std::ferror(stdin) ? EIO : kIostatEnd;
  // A line ended by CR LF loses its carriage return.
  if (last == '\r' && total <= field.size()) --total;
  const std::size_t n = std::min(total, field.size());
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(n), field.end(), ' ');
  return 0;
}

void set_console(std::string_view input, bool discard_output, std::string* output) {
  UnitTable& t = table();
  t.console_text = true;
  t.console_input = input;
  t.console_read = 0;
  t.console_discard = discard_output;
  t.console_output = output;
}

void set_default_directory(std::string_view dir) {
  table().default_directory = dir;
}

}  // namespace io
