#include "io/units.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace io {

namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 20;  // output block: 1 MiB
constexpr std::size_t kMaxRecord = std::size_t{1} << 16;

enum class Kind { kClosed, kConsoleIn, kConsoleOut, kFormatted, kDirect };

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
  // Output blocks of closed files, kept for the next file opened: a process
  // that converts file after file does not map and unmap a block each time.
  std::vector<std::unique_ptr<char[]>> spare_blocks;
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

UnitTable& table() {
  static UnitTable t;
  return t;
}

bool valid(int unit) {
  return unit >= 1 && unit <= kMaxUnit;
}

int write_all(int fd, const char* p, std::size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (w == 0) return EIO;
    p += w;
    n -= static_cast<std::size_t>(w);
  }
  return 0;
}

// Writes the block to the file. The old content of a file being rewritten is
// discarded before its first byte is written.
int flush_block(Unit& u) {
  if (u.error != 0) return u.error;
  if (u.fresh) {
    if (::ftruncate(u.fd, 0) != 0 && errno != EINVAL) return u.error = errno;
    u.fresh = false;
  }
  if (u.len == 0) return 0;
  if (const int rc = write_all(u.fd, u.buf.get(), u.len); rc != 0) return u.error = rc;
  u.flushed += static_cast<int64_t>(u.len);
  u.len = 0;
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

int open_fd(std::string_view name, OpenStatus status, int access, bool& read_only) {
  read_only = false;
  if (status == OpenStatus::kScratch) {
    char path[] = "/tmp/raf2sif-scratch-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0) return -errno;
    ::unlink(path);
    return fd;
  }
  const std::string path(name);
  if (status == OpenStatus::kReadOnly) {
    read_only = true;
    access = O_RDONLY;
  }
  int flags = access | O_CLOEXEC;
  if (status == OpenStatus::kNew) flags |= O_CREAT | O_EXCL;
  if (status == OpenStatus::kUnknown) flags |= O_CREAT;
  int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0 && access == O_RDWR && (errno == EACCES || errno == EROFS || errno == EPERM)) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    read_only = fd >= 0;
  }
  return fd < 0 ? -errno : fd;
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
  if (u.kind == Kind::kConsoleOut || u.kind == Kind::kFormatted) {
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

// An output block: a spare one when there is one, else a new one.
std::unique_ptr<char[]> take_block() {
  auto& spare = table().spare_blocks;
  if (spare.empty()) return std::make_unique_for_overwrite<char[]>(kBufferBytes);
  std::unique_ptr<char[]> block = std::move(spare.back());
  spare.pop_back();
  return block;
}

// Returns the unit to its closed state, its output block to the spares.
void release(Unit& u) {
  if (u.buf) table().spare_blocks.push_back(std::move(u.buf));
  u = Unit{};
}

// Room for n more bytes in the block of a formatted file.
char* reserve(Unit& u, std::size_t n) {
  settle_backspace(u);
  if (u.len + n > kBufferBytes && flush_block(u) != 0) return nullptr;
  return u.buf.get() + u.len;
}

}  // namespace

int open_formatted(int unit, std::string_view name, OpenStatus status) {
  if (!valid(unit)) return kIostatBadUnit;
  close(unit);
  bool read_only = false;
  const int fd = open_fd(name, status, O_WRONLY, read_only);
  if (fd < 0) return -fd;
  Unit& u = table().units[unit];
  u = Unit{};
  u.kind = Kind::kFormatted;
  u.fd = fd;
  if (status != OpenStatus::kScratch) u.name = name;
  u.buf = take_block();
  return 0;
}

int open_direct(int unit, std::string_view name, OpenStatus status, int record_bytes) {
  if (!valid(unit)) return kIostatBadUnit;
  if (record_bytes < 1) return kIostatWrongUse;
  close(unit);
  bool read_only = false;
  const int fd = open_fd(name, status, O_RDWR, read_only);
  if (fd < 0) return -fd;
  Unit& u = table().units[unit];
  u = Unit{};
  u.kind = Kind::kDirect;
  u.fd = fd;
  if (status != OpenStatus::kScratch) u.name = name;
  u.record_bytes = record_bytes;
  u.read_only = read_only;
  return 0;
}

int close(int unit) {
  if (!valid(unit)) return kIostatBadUnit;
  Unit& u = table().units[unit];
  int rc = 0;
  switch (u.kind) {
    case Kind::kClosed:
      return 0;
    case Kind::kConsoleIn:
      return 0;
    case Kind::kConsoleOut:
      std::fflush(stdout);
      return u.error;
    case Kind::kFormatted:
      // A record stepped back over and not replaced stays in the file.
      u.back_to = -1;
      rc = flush_block(u);
      break;
    case Kind::kDirect:
      break;
  }
  if (::close(u.fd) != 0 && rc == 0) rc = errno;
  release(u);
  return rc;
}

bool is_open(int unit) {
  return valid(unit) && table().units[unit].kind != Kind::kClosed;
}

std::string_view file_name(int unit) {
  return valid(unit) ? std::string_view(table().units[unit].name) : std::string_view();
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

int backspace(int unit) {
  if (!valid(unit)) return kIostatBadUnit;
  Unit& u = table().units[unit];
  if (u.kind != Kind::kFormatted) return kIostatWrongUse;
  if (u.last_start < 0 || u.back_to >= 0) return kIostatBackspace;
  u.back_to = u.last_start;
  return 0;
}

int write_status(int unit) {
  return valid(unit) ? table().units[unit].error : kIostatBadUnit;
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

namespace {

// The direct-access unit and the file offset of `record`, or a failure.
int direct_offset(int unit, int64_t record, std::size_t nbytes, Unit*& out, off_t& offset) {
  if (!valid(unit)) return kIostatBadUnit;
  Unit& u = table().units[unit];
  if (u.kind != Kind::kDirect) return kIostatWrongUse;
  const int64_t max_offset = std::numeric_limits<off_t>::max() - static_cast<int64_t>(nbytes);
  if (record < 1 || record - 1 > max_offset / u.record_bytes) return kIostatBadRecord;
  out = &u;
  offset = static_cast<off_t>((record - 1) * u.record_bytes);
  return 0;
}

}  // namespace

int read_direct(int unit, int64_t record, void* dst, std::size_t nbytes) {
  Unit* u = nullptr;
  off_t offset = 0;
  if (const int rc = direct_offset(unit, record, nbytes, u, offset); rc != 0) return rc;
  auto* p = static_cast<char*>(dst);
  while (nbytes > 0) {
    const ssize_t r = ::pread(u->fd, p, nbytes, offset);
    if (r < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (r == 0) return kIostatNoRecord;
    p += r;
    offset += r;
    nbytes -= static_cast<std::size_t>(r);
  }
  return 0;
}

int write_direct(int unit, int64_t record, const void* src, std::size_t nbytes) {
  Unit* u = nullptr;
  off_t offset = 0;
  if (const int rc = direct_offset(unit, record, nbytes, u, offset); rc != 0) return rc;
  auto* p = static_cast<const char*>(src);
  auto put = [&](const char* data, std::size_t n) {
    while (n > 0) {
      const ssize_t w = ::pwrite(u->fd, data, n, offset);
      if (w < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      data += w;
      offset += w;
      n -= static_cast<std::size_t>(w);
    }
    return 0;
  };
  if (const int rc = put(p, nbytes); rc != 0) return rc;
  const std::size_t rb = static_cast<std::size_t>(u->record_bytes);
  if (const std::size_t tail = nbytes % rb; tail != 0) {
    static constexpr char kZeros[4096] = {};
    std::size_t rest = rb - tail;
    while (rest > 0) {
      const std::size_t n = std::min(rest, sizeof kZeros);
      if (const int rc = put(kZeros, n); rc != 0) return rc;
      rest -= n;
    }
  }
  return 0;
}

int64_t file_size(int unit) {
  if (!valid(unit)) return -1;
  const Unit& u = table().units[unit];
  struct stat st {};
  if (u.fd < 0 || ::fstat(u.fd, &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

bool is_read_only(int unit) {
  return valid(unit) && table().units[unit].read_only;
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

void reset() {
  for (int unit = 1; unit <= kMaxUnit; ++unit) {
    Unit& u = table().units[unit];
    if (u.fd >= 0) ::close(u.fd);
    release(u);
  }
  std::fflush(stdout);
  table().connect_console();
}

}  // namespace io
