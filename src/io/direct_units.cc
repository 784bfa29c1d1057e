// Direct-access units: unformatted files of fixed-length records, read and
// written at a record number.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

#include "io/unit_table.h"
#include "io/units.h"

namespace io {

namespace {

using detail::Kind;
using detail::table;
using detail::Unit;
using detail::valid;

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

int open_direct(int unit, std::string_view name, OpenStatus status, int record_bytes) {
  if (!valid(unit)) return kIostatBadUnit;
  if (record_bytes < 1) return kIostatWrongUse;
  int rc = 0;
  Unit* u = detail::connect(unit, name, status, Kind::kDirect, O_RDWR, rc);
  if (u == nullptr) return rc;
  u->record_bytes = record_bytes;
  return 0;
}

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

bool is_read_only(int unit) {
  return valid(unit) && table().units[unit].read_only;
}

}  // namespace io
