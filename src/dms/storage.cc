#include "dms/storage.h"

#include <algorithm>
#include <limits>

#include "dms/mcm.h"
#include "dms/messages.h"
#include "dms/names.h"
#include "dms/vectors.h"

namespace dms {

namespace {

bool valid_number(const McmView& m, int32_t no) {
  return no >= kFirstNumber && no <= m.n();
}

// True when the storage recorded for array j is consistent: element size
// 1..10, dimension 0 or more, the start aligned to the element size above the
// book-keeping and the end at or below the next free word.
bool in_place(const McmView& m, int32_t j) {
  const int64_t e = m.size(j);
  const int64_t d = m.dim(j);
  const int64_t a = m.addr(j);
  return e >= 1 && e <= kMaxElementSize && d >= 0 && a > m.book_end() && (a - 1) % e == 0 &&
         a + e * d <= m.next_free();
}

// The first word at or above `first` that starts an element of e words.
int64_t aligned(int64_t first, int64_t e) {
  return (first - 1 + e - 1) / e * e + 1;
}

int32_t pointer(int64_t address, int64_t e) {
  return static_cast<int32_t>((address - 1) / e + 1);
}

}  // namespace

void DMSDFN(io::WorkArray& iwa, std::string_view name, int32_t no, int32_t ndim, int32_t nwpe,
            int32_t label) {
  Mcm m(iwa);
  int32_t holder = 0;  // the number that has the name; 0 = none
  if (!find_name(m, name, label, holder)) return;
  io::IntView nt = m.names();
  int32_t ierr = 0;

  if (no == 0) {
    const int32_t next = nt(kNextImplicit);
    if (next < kFirstNumber) return name_error(m, kNameNoImplicit, name, 0, label);
    if (next > m.n()) return name_error(m, kNameNumbersUsed, name, m.n(), label);
    if (holder != 0) return name_error(m, kNameExists, name, holder, label);
    DMSDFI(iwa, next, ndim, nwpe, label, ierr);
    if (ierr < 0) return;
    store_name(m, next);
    nt.set(kHighestNamed, std::max(nt(kHighestNamed), next));
    nt.set(kNextImplicit, next + 1);
    return;
  }

  if (!valid_number(m, no)) return name_error(m, kNameIllegalNumber, name, no, label);
  const int32_t size = m.size(no);
  if (size < 0) return name_error(m, kNameCorrupt, name, 0, label);
  // A free number is given only under explicit numbering; a defined one may
  // be redefined (and renamed) under either.
  if (size == 0 && nt(kNextImplicit) != 0) return name_error(m, kNameNoExplicit, name, 0, label);
  if (holder != 0 && holder != no) return name_error(m, kNameExists, name, holder, label);
  DMSDFI(iwa, no, ndim, nwpe, label, ierr);
  if (ierr < 0) return name_error(m, kNameFollowUp, name, 0, label);
  store_name(m, no);
  // Every named number must lie within the look-up's range, also a number
  // that was defined without a name before.
  nt.set(kHighestNamed, std::max(nt(kHighestNamed), no));
}

void DMSDFI(io::WorkArray& iwa, int32_t no, int32_t ndim, int32_t nwpe, int32_t label,
            int32_t& ierr) {
  Mcm m(iwa);
  if (!m.sound()) return number_error(iwa, kMcmCorrupt, 0, 0, 0, label, ierr);
  if (!valid_number(m, no)) return number_error(iwa, kIllegalNumber, no, 0, 0, label, ierr);
  if (nwpe < 1 || nwpe > kMaxElementSize)
    return number_error(iwa, kIllegalSize, nwpe, no, 0, label, ierr);
  if (ndim < 0) return number_error(iwa, kNegativeDimension, no, 0, 0, label, ierr);
  if (m.addr(no) > 0) return number_error(iwa, kStoredRedefined, no, 0, 0, label, ierr);
  m.set_dim(no, ndim);
  m.set_size(no, nwpe);
}

int32_t DMSPTN(io::WorkArray& iwa, std::string_view name, int32_t label) {
  Mcm m(iwa);
  int32_t no = 0;
  if (!find_name(m, name, label, no)) return 0;
  if (no == 0 || m.size(no) == 0) {
    name_error(m, kNameNoPointer, name, 0, label);
    return 0;
  }
  if (m.addr(no) > 0) {
    if (!in_place(m, no)) {
      name_error(m, kNameInconsistent, name, 0, label);
      return 0;
    }
    return pointer(m.addr(no), m.size(no));
  }
  int32_t iptr = 0;
  int32_t ierr = 0;
  DMSALI(iwa, no, iptr, label, ierr);
  if (ierr < 0) {
    name_error(m, kNameFollowUp, name, 0, label);
    return 0;
  }
  return iptr;
}

void DMSALI(io::WorkArray& iwa, int32_t no, int32_t& iptr, int32_t label, int32_t& ierr) {
  Mcm m(iwa);
  if (!m.sound()) return number_error(iwa, kMcmCorrupt, 0, 0, 0, label, ierr);
  if (!valid_number(m, no)) return number_error(iwa, kIllegalNumber, no, 0, 0, label, ierr);
  const int32_t e = m.size(no);
  const int32_t a = m.addr(no);
  const int32_t d = m.dim(no);
  iptr = a;
  if (e < 0 || e > kMaxElementSize || a < 0 || d < 0) {
    return number_error(iwa, kMcmCorrupt, 0, 0, 0, label, ierr);
  }
  if (e == 0) return number_error(iwa, kUndefinedNumber, no, 0, 0, label, ierr);
  if (a > 0) {
    if (!in_place(m, no)) return number_error(iwa, kMcmCorrupt, 0, 0, 0, label, ierr);
    DMSMSI(kStorageKept, no, 0, 0, label, m.unit());
    iptr = pointer(a, e);
    return;
  }

  const int64_t start = aligned(m.next_free(), e);
  const int64_t next_free = start + std::max<int64_t>(int64_t{e} * d, 1);
  const int64_t nwiwa = m.nwiwa();
  if (next_free > nwiwa + 1) {
    const int64_t excess =
        std::min<int64_t>(next_free - nwiwa - 1, std::numeric_limits<int32_t>::max());
    return number_error(iwa, kNoRoom, m.nwiwa(), static_cast<int32_t>(excess), no, label, ierr);
  }
  m.set_addr(no, static_cast<int32_t>(start));
  iptr = pointer(start, e);
  m.set_item(kNextFree, static_cast<int32_t>(next_free));
  if (m.item(kHighWater) < next_free - 1)
    m.set_item(kHighWater, static_cast<int32_t>(next_free - 1));
}

void DMSRLN(io::WorkArray& iwa, std::string_view name, int32_t label) {
  Mcm m(iwa);
  if (!names_ready(m, label)) return;
  const int32_t no = DMSNUM(iwa, name, label);
  if (no < kFirstNumber) return name_error(m, kNameReleaseUnknown, name, 0, label);
  int32_t ierr = 0;
  DMSRLI(iwa, no, label, ierr);
  if (ierr < 0) name_error(m, kNameFollowUp, name, 0, label);
}

void DMSRLI(io::WorkArray& iwa, int32_t no, int32_t label, int32_t& ierr) {
  Mcm m(iwa);
  if (!m.sound()) return number_error(iwa, kMcmCorrupt, 0, 0, 0, label, ierr);
  if (!valid_number(m, no)) return number_error(iwa, kIllegalNumber, no, 0, 0, label, ierr);
  const int32_t dim = m.dim(no);
  int32_t status = 0;
  DMSSHR(iwa, no, 0, label, status);
  if (status < 0) return decrease(ierr);
  m.set_dim(no, dim);
  m.set_addr(no, 0);
}

void DMSSHR(io::WorkArray& iwa, int32_t no, int32_t ndim, int32_t label, int32_t& ierr) {
  Mcm m(iwa);
  if (!m.sound()) return number_error(iwa, kMcmCorrupt, 0, 0, 0, label, ierr);
  if (!valid_number(m, no)) return number_error(iwa, kIllegalNumber, no, 0, 0, label, ierr);
  if (ndim < 0) return number_error(iwa, kNegativeDimension, no, 0, 0, label, ierr);
  if (ndim > m.dim(no)) return number_error(iwa, kGrowingShrink, no, 0, 0, label, ierr);
  if (ndim == m.dim(no)) return;
  if (m.addr(no) == 0) return m.set_dim(no, ndim);
  if (!in_place(m, no)) return number_error(iwa, kMcmCorrupt, 0, 0, 0, label, ierr);

  // Arrays are stored at or below the highest defined number; the one being
  // shrunk is among them.
  int32_t highest = m.n();
  while (m.size(highest) <= 0) --highest;
  int64_t fill = m.addr(no) + int64_t{m.size(no)} * ndim;  // first word to fill
  const int64_t top = m.next_free() - 1;

  // Every array to be moved is checked before the first one moves, so that a
  // corrupt entry leaves the work array as it was.
  for (int32_t j = kFirstNumber; j <= highest; ++j) {
    if (m.addr(j) > fill && !in_place(m, j))
      return number_error(iwa, kMcmCorrupt, 0, 0, 0, label, ierr);
  }

  // Move the arrays down one by one, lowest address first (the lowest number
  // on equal addresses). A first word that is already in place ends the
  // operation: everything above it stays where it is.
  for (;;) {
    int32_t next = 0;
    for (int32_t j = kFirstNumber; j <= highest; ++j) {
      if (m.addr(j) > fill && (next == 0 || m.addr(j) < m.addr(next))) next = j;
    }
    if (next == 0) break;
    const int64_t from = m.addr(next);
    const int64_t to = aligned(fill, m.size(next));
    if (to == from) return;
    const int64_t words = int64_t{m.size(next)} * m.dim(next);
    m.set_addr(next, static_cast<int32_t>(to));
    IVCOPY(io::IntView(iwa, from, words), io::IntView(iwa, to, words), static_cast<int32_t>(words));
    fill = to + words;
  }

  if (m.zeroes_storage() && fill <= top) {
    const int64_t words = top - fill + 1;
    IVFILL(io::IntView(iwa, fill, words), static_cast<int32_t>(words), 1, 0);
  }
  m.set_item(kNextFree, static_cast<int32_t>(fill));
  m.set_dim(no, ndim);
}

}  // namespace dms
