#include "dms/mcm.h"

#include <cassert>

#include "dms/messages.h"

namespace dms {

McmView::McmView(const io::WorkArray& w) : w_(w) {
  if (w.words() < kSec2Table) return;
  n_ = w.int_at(kDimTable);
  if (n_ < kFirstNumber) return;
  const int64_t offset = w.int_at(kOffsetWord);
  if (!w.has_words(offset + 1, kSec2Table)) return;
  const int64_t nwiwa = w.int_at(offset + kNwiwa);
  const int64_t book_end = w.int_at(kBookEndWord);
  const int64_t next_free = w.int_at(offset + kNextFree);
  if (nwiwa > w.words() || book_end > nwiwa || next_free <= book_end || next_free > nwiwa + 1) {
    return;
  }
  // The three tables, and the secondary-storage ones when their dimension
  // says they exist, all of n words inside the book-keeping.
  for (int32_t table = kDimTable; table <= kSec2Table; ++table) {
    const int32_t dim = w.int_at(table);
    if (dim == 0 && table >= kSec1Table) continue;
    if (dim != n_) return;
    const int64_t start = w.int_at(offset + table);
    if (start < 1 || start + n_ - 1 > book_end) return;
    start_[table - kDimTable] = start;
  }
  // W(1) and the address table's own entry must agree on where it lies.
  if (start_[kAddrTable - kDimTable] != offset + 1) return;
  const int64_t names = w.int_at(offset + kNameTable);
  if (names != 0 && (names < 1 || names + 2 * int64_t{n_} - 1 > book_end)) return;
  names_ = names;
  sound_ = true;
}

int64_t McmView::at(int32_t table, int32_t j) const {
  assert(sound_ && j >= 1 && j <= n_ && start_[table - kDimTable] != 0);
  return start_[table - kDimTable] + j - 1;
}

void number_error(io::WorkArray& w, int32_t code, int32_t v1, int32_t v2, int32_t v3,
                  int32_t label) {
  if (w.words() >= kUnitWord) DMSMSI(code, v1, v2, v3, label, w.int_at(kUnitWord));
  if (w.words() >= kErrorWord) {
    int32_t errors = w.int_at(kErrorWord);
    decrease(errors);
    w.set_int(kErrorWord, errors);
  }
}

void number_error(io::WorkArray& w, int32_t code, int32_t v1, int32_t v2, int32_t v3, int32_t label,
                  int32_t& ierr) {
  number_error(w, code, v1, v2, v3, label);
  decrease(ierr);
}

void name_error(Mcm& m, int32_t code, std::string_view name, int32_t value, int32_t label) {
  int32_t errors = m.errors();
  DMSMSN(code, name, value, 0, label, m.unit(), errors);
  m.set_word(kErrorWord, errors);
}

}  // namespace dms
