// What every unit shares: the table, opening a file, closing, the reset.
#include "io/units.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "io/unit_table.h"

namespace io {

namespace detail {

UnitTable& table() {
  static UnitTable t;
  return t;
}

namespace {

// The descriptor of the file opened for access, or minus an errno value.
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

}  // namespace

Unit* connect(int unit, std::string_view name, OpenStatus status, Kind kind, int access, int& rc) {
  rc = 0;
  if (!valid(unit)) {
    rc = kIostatBadUnit;
    return nullptr;
  }
  close(unit);
  bool read_only = false;
  const int fd = open_fd(name, status, access, read_only);
  if (fd < 0) {
    rc = -fd;
    return nullptr;
  }
  Unit& u = table().units[unit];
  u = Unit{};
  u.kind = kind;
  u.fd = fd;
  if (status != OpenStatus::kScratch) u.name = name;
  // Only direct access reports a connection that reads only (is_read_only).
  if (kind == Kind::kDirect) u.read_only = read_only;
  return &u;
}

void release(Unit& u) {
  u.writer.reset();
  block_pool().give(std::move(u.buf));
  for (auto& held : u.held) block_pool().give(std::move(held.first));
  u = Unit{};
}

}  // namespace detail

using detail::Kind;
using detail::table;
using detail::Unit;
using detail::valid;

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
      rc = detail::finish_formatted(u);
      break;
    case Kind::kDirect:
      break;
    case Kind::kMemory:
      detail::release(u);
      return 0;
  }
  if (::close(u.fd) != 0 && rc == 0) rc = errno;
  detail::release(u);
  return rc;
}

bool is_open(int unit) {
  return valid(unit) && table().units[unit].kind != Kind::kClosed;
}

std::string_view file_name(int unit) {
  return valid(unit) ? std::string_view(table().units[unit].name) : std::string_view();
}

int64_t file_size(int unit) {
  if (!valid(unit)) return -1;
  const Unit& u = table().units[unit];
  struct stat st {};
  if (u.fd < 0 || ::fstat(u.fd, &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

void reset() {
  for (int unit = 1; unit <= kMaxUnit; ++unit) {
    Unit& u = table().units[unit];
    u.writer.reset();  // before the file it writes is closed
    if (u.fd >= 0) ::close(u.fd);
    detail::release(u);
  }
  std::fflush(stdout);
  table().connect_console();
}

}  // namespace io
