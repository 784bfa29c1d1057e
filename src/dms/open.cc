#include "dms/open.h"

#include <cstdlib>

#include "dms/mcm.h"
#include "dms/messages.h"
#include "dms/vectors.h"
#include "io/fields.h"
#include "io/units.h"

namespace dms {

void DMSOPN_32(io::WorkArray& iwa, int32_t nwiwa, int32_t nla, int32_t nsec, int32_t lpu,
               int32_t& ierr) {
  const int64_t n = std::abs(int64_t{nla});
  const int32_t tables = nsec != 0 ? 5 : 3;
  const int64_t first_free = tables * n + 1;  // L, the first word after the tables
  if (n < kFirstNumber || nwiwa < first_free || nwiwa > iwa.words()) {
    decrease(ierr);
    // The block holds no MCM yet, so its counter word is no count to lower:
    // it is set to one error.
    if (iwa.words() >= kErrorWord) iwa.set_int(kErrorWord, -1);
    if (lpu > 0) {
      for (int k = 0; k < 3; ++k) io::write_record(lpu, "");
      io::write_record(
          lpu, io::Line().x(1).a("*** ERROR RETURN - R A Z LIBRARY ROUTINE DMSOPN_32 **").view());
      io::write_record(
          lpu,
          io::Line().x(5).a("ILLEGAL PARAMETER(S) : NWIWA, NLA  =").i(nwiwa, 8).i(nla, 8).view());
    }
    return;
  }

  IVFILL(io::IntView(iwa, 1, nla > 0 ? nwiwa : first_free), nla > 0 ? nwiwa : first_free, 1, 0);

  iwa.set_int(kOffsetWord, 2 * n);
  iwa.set_int(kBookEndWord, first_free - 1);
  iwa.set_int(kErrorWord, 0);
  iwa.set_int(kUnitWord, lpu);
  iwa.set_int(kNotZeroedWord, nla < 0 ? 1 : 0);
  // The tables describe themselves as arrays 6 .. 10 of n one-word elements.
  for (int32_t t = 0; t < tables; ++t) {
    iwa.set_int(kDimTable + t, n);
    iwa.set_int(n + kDimTable + t, 1);
    iwa.set_int(2 * n + kDimTable + t, t * n + 1);
  }
  iwa.set_int(2 * n + kNextFree, first_free);
  iwa.set_int(2 * n + kNwiwa, nwiwa);
  iwa.set_int(2 * n + kHighWater, first_free);
}

void DMSANN(io::WorkArray& iwa, int32_t kind, int32_t icase, int32_t label) {
  Mcm m(iwa);
  if (!m.sound()) return number_error(iwa, kMcmCorrupt, 0, 0, 0, label);
  const int64_t n = m.n();
  const int64_t first = m.next_free();
  // Names come once and before any storage: the next free word is still the
  // end of the tables.
  if (m.word(kOffsetWord) != 2 * n || first > 2 * int64_t{m.word(kSec1Table)} + 3 * n + 1) {
    return name_error(m, kNamesOutOfOrder, "", 0, label);
  }
  const int64_t last = first + 2 * n - 1;
  if (last > m.nwiwa()) return name_error(m, kNameTableNoRoom, "", last - m.nwiwa(), label);

  m.set_item(kNameTable, first);
  m.set_item(kNextFree, last + 1);
  io::IntView nt(iwa, first, 2 * n);
  if (!m.zeroes_storage()) IVFILL(nt, 2 * n, 1, 0);
  nt.set(kNextImplicit, kind == kImplicitNumbering ? kFirstNumber : 0);
  nt.set(kCaseSwitch, icase);
  nt.set(kHighestNamed, kFirstNumber - 1);
  m.set_word(kBookEndWord, m.book_end() + 2 * n);
}

}  // namespace dms
